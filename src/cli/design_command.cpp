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
#include "design/design_result_text.h"
#include "design/overdrive_check.h"
#include "design/power_check.h"
#include "editing/network_editor.h"
#include "persistence/project_file.h"

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
