#pragma once

// F1 opens the manual in every window of the program, as the main window's Help does. The main window
// registers its help command once; each dialog installs the key.
#include <QString>

#include <functional>

class QWidget;

namespace ixo {

// The command the help key runs (the main window's Help); none until a window registers one.
void SetHelpCommand(std::function<void()> command);
// Runs the help command; false when none is registered.
bool RunHelpCommand();
// Gives the dialog (and every widget in it) the help key.
void InstallHelpKey(QWidget* dialog);
// Opens the manual (Ixo.pdf beside the program); empty when it opened, else why not and the path.
[[nodiscard]] QString OpenManual();

} // namespace ixo
