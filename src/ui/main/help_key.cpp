#include "ui/main/help_key.h"

#include "common/paths.h"

#include <QDesktopServices>
#include <QKeySequence>
#include <QShortcut>
#include <QUrl>
#include <QWidget>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace ixo {

namespace {

std::function<void()>& HelpCommand() {
    static std::function<void()> command;
    return command;
}

} // namespace

void SetHelpCommand(std::function<void()> command) {
    HelpCommand() = std::move(command);
}

bool RunHelpCommand() {
    if (!HelpCommand()) {
        return false;
    }
    HelpCommand()();
    return true;
}

void InstallHelpKey(QWidget* dialog) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, dialog, [] { RunHelpCommand(); });
}

QString OpenManual() {
    const std::filesystem::path manual = ExecutableDirectory() / "Ixo.pdf";
    const QString path = QString::fromStdString(manual.string());
    QString reason;
    if (!std::filesystem::exists(manual)) {
        reason = QString::fromLocal8Bit(std::strerror(ENOENT));
    } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        reason = QStringLiteral("No application could open the document.");
    }
    return reason.isEmpty() ? QString() : reason + QStringLiteral("\r\n") + path;
}

} // namespace ixo
