#include "render/headless_gui.h"

#include <QGuiApplication>

#include <cstdio>

namespace ixo {

namespace {

// QGuiApplication keeps references to these for its whole life.
int g_argc = 1;
char g_programName[] = "ixo";
char* g_argv[] = {g_programName, nullptr};

// A program without windows has no use for Qt's notes about its surroundings (no runtime folder, no
// screen): they would only mix with the program's own output. Real errors still go to standard error.
void QuietMessages(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

} // namespace

HeadlessGui::HeadlessGui() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietMessages);
    m_application = std::make_unique<QGuiApplication>(g_argc, g_argv);
}

HeadlessGui::~HeadlessGui() {
    if (m_application != nullptr) {
        m_application.reset();
        qInstallMessageHandler(nullptr);
    }
}

} // namespace ixo
