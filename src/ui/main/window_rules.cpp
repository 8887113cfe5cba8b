#include "ui/main/window_rules.h"

#include "design/design_verdict.h"

#include "building/comprueba_errores.h"
#include "building/escalera.h"
#include "building/proyecto.h"
#include "common/ascii_case.h"

#include <unordered_set>

namespace ixo {

std::string WindowCaption(std::string_view fileName) {
    std::string caption = std::string(kApplicationTitle) + " ";
    if (!fileName.empty()) {
        caption += " [" + std::string(fileName) + "]";
    }
    return caption;
}

ActionStates StatesFor(bool projectOpen, bool canPrint, bool canUndo, bool canRedo) {
    ActionStates states;
    states.close = projectOpen;
    states.save = projectOpen;
    states.saveAs = projectOpen;
    states.saveImage = projectOpen;
    states.pageSetup = canPrint;
    states.print = projectOpen && canPrint;
    states.zoom = projectOpen;
    states.undo = projectOpen && canUndo;
    states.redo = projectOpen && canRedo;
    states.design = projectOpen;
    states.later = false;
    return states;
}

std::string PrinterCaption(std::string_view printerName) {
    if (printerName.empty()) {
        return "Print ";
    }
    return "(Print in " + std::string(printerName) + ")";
}

std::string SaveChangesQuestion(std::string_view fileName) {
    return "Save changes to project " + std::string(fileName) + "?";
}

bool ConfirmSaveChanges(Tproyecto* project, const std::function<SaveAnswer(const std::string&)>& ask,
                        const std::function<bool()>& save) {
    if (project == nullptr || !project->Modificado) {
        return true;
    }
    switch (ask(SaveChangesQuestion(project->NombreFichero))) {
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Yes:
        if (!save()) {
            return false;
        }
        project->Modificado = false;
        return true;
    case SaveAnswer::No:
        project->Modificado = false;
        return true;
    }
    return false;
}

bool OpensWhenDropped(const std::filesystem::path& firstFile) {
    return UpperAscii(firstFile.extension().string()) == ".XPJ";
}

std::string OpenOutOfMemoryMessage() {
    return "Out of memory: the project is too large to open with the memory left";
}

std::string OpenFailureMessage(OpenResult result, std::string_view version, std::string_view reason) {
    switch (result) {
    case OpenResult::Ok:
        return {};
    case OpenResult::NewerFormat:
        return "To open the file is needed the version " + std::string(version);
    case OpenResult::NotAProject:
    case OpenResult::NothingRead:
        break;
    }
    return "This file is not a Ixo project" + (reason.empty() ? std::string() : "\n" + std::string(reason));
}

std::size_t CountOutletsOutOfLimits(const Tproyecto& project) {
    std::unordered_set<const void*> outlets;
    for (const auto& entry : project.Escaleras()) {
        if (entry.Object == nullptr) {
            continue;
        }
        const TCompruebaErrores& errors = entry.Object->ErroresEscalera();
        for (std::size_t i = 0; i < errors.Count(); ++i) {
            outlets.insert(errors[i].Toma);
        }
    }
    return outlets.size();
}

std::string OutletsOutOfLimitsText(std::size_t outlets) {
    if (outlets == 0) {
        return "Every outlet within limits";
    }
    return std::to_string(outlets) + (outlets == 1 ? " outlet" : " outlets") + " out of limits";
}

std::string DesignProblemsText(std::size_t powering, std::size_t overdriven) {
    std::string text;
    if (powering > 0) {
        text = std::to_string(powering) + (powering == 1 ? " powering problem" : " powering problems");
    }
    if (overdriven > 0) {
        text += (text.empty() ? "" : ", ") + std::to_string(overdriven) +
                (overdriven == 1 ? " pin overdriven" : " pins overdriven");
    }
    return text;
}

std::string VerdictStatusText(const DesignVerdict& verdict) {
    return verdict.Passes() ? "Design passes" : "Design fails";
}

std::string VerdictReasonsText(const DesignVerdict& verdict) {
    std::string text;
    for (const std::string& reason : verdict.Reasons()) {
        text += (text.empty() ? "Fails: " : "; ") + reason;
    }
    return text;
}

std::string SaveFailureMessage(const std::filesystem::path& path, std::string_view reason) {
    return "The project could not be saved to " + path.string() + ": " + std::string(reason);
}

} // namespace ixo
