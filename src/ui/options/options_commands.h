#pragma once

// The Options menu's Configuration (the installation defaults of the settings file; the outlet level
// limits also go to the open project at once) and Project information (the title block, one undoable
// step).
#include "ui/configuration/configuration_dialog.h"

#include <functional>

class QWidget;

namespace ixo {

class AppSession;
struct OpenDesign;

class OptionsCommands {
public:
    struct Hooks {
        std::function<void(const QString& caption, const QString& text)> showError;
        // The open project's limits changed (its outlet check and colours follow).
        std::function<void()> limitsChanged;
        // The title block changed: the sheet is laid out and painted again.
        std::function<void()> titleBlockChanged;
    };
    OptionsCommands(QWidget& parent, AppSession& session, OpenDesign& design, Hooks hooks);

    void ShowConfiguration();
    void ShowProjectInformation();

    // The catalogue explorer at a field's family, group and model; nothing after Cancel. Replaceable by
    // tests.
    CatalogueChooser chooseFromCatalogue;
    // Runs a dialog made by the commands (exec by default; tests fill it in and press its buttons).
    std::function<int(QDialog& dialog)> runDialog;

private:
    QWidget& m_parent;
    AppSession& m_session;
    OpenDesign& m_design;
    Hooks m_hooks;
};

} // namespace ixo
