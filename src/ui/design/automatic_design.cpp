#include "ui/design/automatic_design.h"

#include "common/progress.h"
#include "design/auto_design.h"
#include "design/design_result_text.h"
#include "design/design_verdict.h"
#include "editing/network_editor.h"
#include "ui/main/window_rules.h"

namespace ixo {

AutomaticDesignOutcome RunAutomaticDesign(NetworkEditor& editor, Progress& progress) {
    progress.SetCaption(kAutomaticDesignCaption);
    // The stages are not known in advance: the bar counts regulations up to a bound it rarely meets.
    progress.SetMaximum(40);
    const std::size_t start = editor.Position();
    DesignOptions options;
    options.progress = &progress;
    DesignResult result;
    {
        const NetworkEditor::Group group(editor);
        result = DesignAutomatically(editor, options);
    }
    AutomaticDesignOutcome outcome;
    if (result.cancelled) {
        if (editor.Position() > start) {
            (void)editor.Undo(); // the group, back to where the design began
        }
        editor.DropRedoSteps(); // a cancelled design is not there to redo
        outcome.kind = AutomaticDesignOutcome::Kind::Cancelled;
        outcome.report = "The design was cancelled: the project is as it was.\n";
        return outcome;
    }
    outcome.kind = editor.Position() > start ? AutomaticDesignOutcome::Kind::Designed
                                             : AutomaticDesignOutcome::Kind::Unchanged;
    outcome.report = DesignResultText(result, "Edit > Undo takes them back together");
    const DesignVerdict verdict = JudgeDesign(editor.Project());
    std::string reasons;
    for (const std::string& reason : verdict.Reasons()) {
        reasons += (reasons.empty() ? ": " : "; ") + reason;
    }
    outcome.report += VerdictStatusText(verdict) + reasons + "\n";
    return outcome;
}

} // namespace ixo
