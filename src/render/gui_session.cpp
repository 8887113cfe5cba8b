#include "render/gui_session.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdlib>
#include <memory>

namespace ixo {

namespace {

QtMessageHandler g_previousHandler = nullptr;

// Without a session Qt warns that it has no runtime folder; a command-line run does not need one and
// the warning would only clutter the program's error stream.
void FilterSessionWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg &&
        message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
        return;
    }
    if (g_previousHandler != nullptr) {
        g_previousHandler(type, context, message);
    } else {
        qt_message_output(type, context, message);
    }
}

} // namespace

void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    const bool display = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!display && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        g_previousHandler = qInstallMessageHandler(FilterSessionWarnings);
    }
    static int argc = 1;
    static char name[] = "ixo";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace ixo
