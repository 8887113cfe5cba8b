#include "ui/options/options_commands.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "editing/network_editor.h"
#include "editing/title_block_edit.h"
#include "ui/catalogue_explorer/catalogue_explorer_dialog.h"
#include "ui/main/app_session.h"
#include "ui/project/open_design.h"
#include "ui/title_block/title_block_dialog.h"

#include "catalogue/almacen_elementos.h"

namespace ixo {

OptionsCommands::OptionsCommands(QWidget& parent, AppSession& session, OpenDesign& design, Hooks hooks)
    : m_parent(parent), m_session(session), m_design(design), m_hooks(std::move(hooks)) {
    chooseFromCatalogue = [this](std::int32_t family, std::int32_t group,
                                 std::int32_t model) -> std::optional<CatalogueFieldChoice> {
        const TalmacenElementos* store = m_session.Store();
        if (store == nullptr || store->Catalogue() == nullptr) {
            return std::nullopt;
        }
        CatalogueExplorerDialog explorer(*store->Catalogue(), &m_parent);
        if (explorer.Execute(family, group, model) != QDialog::Accepted) {
            return std::nullopt;
        }
        return CatalogueFieldChoice{explorer.ChosenFamily(),
                                    explorer.ModelChosen() ? explorer.ChosenIndice() : -1};
    };
    runDialog = [](QDialog& dialog) { return dialog.exec(); };
}

void OptionsCommands::ShowConfiguration() {
    // The levels page shows the open project's limits; the other pages the installation's defaults.
    TMatestructuranivel limits = m_session.Limits();
    Tproyecto* project = m_design.open ? m_design.project.get() : nullptr;
    if (project != nullptr) {
        project->Preferencias().LeerNiveles(limits);
    }
    ConfigurationDialog dialog(m_session.Store(), m_session.Settings(), limits, m_session.ProjectDirectory(),
                               m_session.SettingsFile(), &m_parent);
    dialog.showError = m_hooks.showError;
    dialog.chooseFromCatalogue = [this](std::int32_t family, std::int32_t group, std::int32_t model) {
        return chooseFromCatalogue(family, group, model);
    };
    if (runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    // Written to the settings file by the dialog's OK; new projects take them from the session.
    const ConfigurationRules& rules = dialog.Rules();
    m_session.TakeSettings(rules.Record(), rules.Limits(), rules.Directory());
    if (project != nullptr) {
        project->Preferencias().AsignarNiveles(rules.Limits());
        if (m_design.editor != nullptr) {
            m_design.editor->Recalculate(); // the outlet check against the new limits
        }
        m_hooks.limitsChanged();
    }
}

void OptionsCommands::ShowProjectInformation() {
    Tproyecto* project = m_design.open ? m_design.project.get() : nullptr;
    if (project == nullptr) {
        return;
    }
    TitleBlockDialog dialog(TitleBlockOf(*project), &m_parent);
    if (runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    const TitleBlock block = dialog.Result();
    if (block == TitleBlockOf(*project)) {
        return; // nothing changed: no step in the history
    }
    if (m_design.editor != nullptr) {
        m_design.editor->Apply([&](EditJournal& journal) {
            SetTitleBlock(*project, block, journal);
            return true;
        });
    } else {
        EditJournal journal;
        SetTitleBlock(*project, block, journal);
        project->Modificado = true;
    }
    m_hooks.titleBlockChanged();
}

} // namespace ixo
