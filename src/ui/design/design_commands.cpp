#include "ui/design/design_commands.h"

#include "editing/network_editor.h"
#include "ui/design/automatic_design.h"
#include "ui/project/open_design.h"
#include "ui/project/progress_window.h"

namespace ixo {

DesignCommands::DesignCommands(QWidget& parent, OpenDesign& design, Hooks hooks)
    : m_parent(parent), m_design(design), m_hooks(std::move(hooks)) {}

void DesignCommands::DesignAutomatically() {
    if (!m_design.open || m_design.editor == nullptr || m_design.project == nullptr) {
        return;
    }
    m_hooks.before();
    AutomaticDesignOutcome outcome;
    {
        ProgressWindow progress(&m_parent);
        progress.show();
        outcome = RunAutomaticDesign(*m_design.editor, progress);
        progress.hide();
    }
    m_hooks.edited();
    m_hooks.showReport(QString::fromStdString(outcome.report));
}

} // namespace ixo
