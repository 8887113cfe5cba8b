#include "ui/main/help_key.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

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

} // namespace ixo
