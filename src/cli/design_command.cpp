#include "cli/design_command.h"

#include "building/proyecto.h"
#include "cli/catalogue_store.h"
#include "cli/cli_app.h"
#include "cli/cli_arguments.h"
#include "cli/command_registry.h"
#include "cli/project_commands.h"
#include "cli/project_report.h"
#include "common/decimal_text.h"
#include "common/file_replace.h"
#include "design/auto_design.h"
#include "design/overdrive_check.h"
#include "design/power_check.h"
#include "editing/network_editor.h"
#include "persistence/project_file.h"

#include <cmath>
#include <filesystem>
#include <ostream>

namespace ixo::cli {
namespace {

int Design(const CommandContext& context) {
    const std::filesystem::path input = context.Arguments().front();
    const auto output = context.Option("-o");
    if (!output) {
        throw UsageError("design needs -o OUT.XPJ");
    }
    DesignOptions options;
    if (context.Option("--regulate") || context.Option("--amplify")) {
        options.regulate = context.Option("--regulate").has_value();
        options.amplify = context.Option("--amplify").has_value();
    }
    const CatalogueStore catalogue(context.Options().catalogueDirectory);
    OpenedProject opened = OpenForCommand(input, catalogue);
    Tproyecto& project = *opened.project;
    if (!project.finalizadocalculoTV) {
        throw UsageError(input.string() + ": the installation is not built: nothing to design");
    }
    NetworkEditor editor(project);
    editor.MarkSaved();
    const DesignResult result = DesignAutomatically(editor, options);
    WriteDesignResult(context.out, result);
    const ProjectReport report = MakeProjectReport(project, 1);
    WriteReportText(context.out, report);
    if (!SaveProject(project, *output)) {
        context.err << kProgramName << ": cannot save " << *output << ": " << LastFileError() << "\n";
        return kExitCannotWrite;
    }
    return report.Passes() ? kExitSuccess : kExitFailure;
}

} // namespace

std::vector<std::string> ControlChangeLines(const std::vector<ControlChange>& changes) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < changes.size();) {
        const ControlChange& change = changes[i];
        // Controls of one element that share a caption and moved alike make one line naming their
        // sliders; one that moved otherwise gets a line of its own.
        std::string sliders = change.slider;
        std::size_t next = i + 1;
        for (; next < changes.size(); ++next) {
            const ControlChange& other = changes[next];
            if (other.element != change.element || other.control != change.control ||
                OneDecimalText(other.before) != OneDecimalText(change.before) ||
                OneDecimalText(other.after) != OneDecimalText(change.after) || other.slider.empty()) {
                break;
            }
            sliders += ", " + other.slider;
        }
        lines.push_back(change.element + " (" + change.model + ") " + change.control +
                        (sliders.empty() ? "" : " " + sliders) + ": " + OneDecimalText(change.before) + " " +
                        change.unit + " -> " + OneDecimalText(change.after) + " " + change.unit);
        i = next;
    }
    return lines;
}

namespace {

std::string MarginText(double margin) {
    return std::isfinite(margin) ? OneDecimalText(margin) + " dB" : std::string("none checked");
}

} // namespace

void WriteDesignResult(std::ostream& out, const DesignResult& result) {
    out << "Design: worst margin " << OneDecimalText(result.marginBefore) << " dB -> "
        << OneDecimalText(result.marginAfter) << " dB (" << result.edits << " edit(s), each undoable)\n";
    out << "Controls changed: " << result.changes.size() << "\n";
    for (const std::string& line : ControlChangeLines(result.changes)) {
        out << "  " << line << "\n";
    }
    if (!result.replacements.empty()) {
        out << "Headend amplifiers replaced: " << result.replacements.size() << "\n";
        for (const std::string& replacement : result.replacements) {
            out << "  " << replacement << "\n";
        }
    }
    for (const std::string& cable : result.cables) {
        out << "Cable changed: " << cable << "\n";
    }
    if (!result.ends.empty()) {
        out << "Riser ends changed: " << result.ends.size() << "\n";
        for (const std::string& end : result.ends) {
            out << "  " << end << "\n";
        }
    }
    if (!result.grades.empty()) {
        out << "Tap grades changed: " << result.grades.size() << "\n";
        for (const std::string& grade : result.grades) {
            out << "  " << grade << "\n";
        }
    }
    out << "Amplifiers inserted: " << result.amplifiers.size() << "\n";
    for (const AmplifierInsertion& insertion : result.amplifiers) {
        out << "  " << insertion.amplifier << " (" << insertion.model << ") in front of "
            << insertion.inFrontOf << ", " << insertion.place << "\n";
    }
    if (!result.supplies.empty()) {
        out << "Supplies added: " << result.supplies.size() << "\n";
        for (const std::string& supply : result.supplies) {
            out << "  " << supply << "\n";
        }
    }
    for (const std::string& refusal : result.refusals) {
        out << "  not inserted: " << refusal << "\n";
    }
    out << "Worst margin per criterion: terrestrial outlets " << MarginText(result.terrestrialMargin)
        << ", satellite outlets " << MarginText(result.satelliteMargin) << ", element maxima "
        << MarginText(result.maximaMargin) << "\n";
    for (const std::string& budget : result.budgets) {
        out << "  Binding budget: " << budget << "\n";
    }
    if (!result.unserved.empty()) {
        out << "Outlets that cannot be served: " << result.unserved.size() << "\n";
        for (const UnservedOutlet& outlet : result.unserved) {
            out << "  " << outlet.place << ": " << outlet.reason << "\n";
        }
    }
}

void AddDesignCommand(CommandRegistry& registry) {
    Command design = MakeCommand(
        {"design"},
        "regulate every control of a saved project and insert line amplifiers where needed, then check "
        "and save it (exit 1 when something is still out of limits, unpowered or overdriven)",
        Design);
    design.argumentsSyntax = "FILE.XPJ";
    design.minArguments = design.maxArguments = 1;
    design.options = {{"-o", "OUT.XPJ", "where the designed project is saved"},
                      {"--regulate", "", "regulate the controls (alone: no amplifiers)"},
                      {"--amplify", "", "insert line amplifiers where regulation is not enough"}};
    design.details = "Without --regulate or --amplify both are done. Every change is an ordinary edit.\n";
    registry.Add(std::move(design));
}

} // namespace ixo::cli
