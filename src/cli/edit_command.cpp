#include "cli/edit_command.h"

#include "cli/design_command.h"

#include "building/proyecto.h"
#include "cli/catalogue_store.h"
#include "cli/cli_app.h"
#include "cli/edit_script.h"
#include "cli/project_commands.h"
#include "cli/project_report.h"
#include "common/file_replace.h"
#include "editing/network_editor.h"
#include "persistence/project_file.h"

#include <fstream>
#include <ostream>
#include <sstream>

namespace ixo::cli {

namespace {

struct ScriptLine {
    std::string where; // "FILE line N" or "--do N"
    std::vector<std::string> words;
};

std::vector<ScriptLine> ReadScript(const CommandContext& context) {
    std::vector<ScriptLine> lines;
    if (const auto script = context.Option("--script")) {
        std::ifstream file(*script, std::ios::binary);
        if (!file) {
            throw UsageError("cannot read " + *script);
        }
        std::string line;
        for (int number = 1; std::getline(file, line); ++number) {
            std::vector<std::string> words = SplitEditCommand(line);
            if (!words.empty()) {
                lines.push_back({*script + " line " + std::to_string(number), std::move(words)});
            }
        }
    }
    int number = 0;
    for (const std::string& command : context.OptionValues("--do")) {
        std::vector<std::string> words = SplitEditCommand(command);
        ++number;
        if (!words.empty()) {
            lines.push_back({"--do " + std::to_string(number), std::move(words)});
        }
    }
    return lines;
}

int Edit(const CommandContext& context) {
    const std::filesystem::path input = context.Arguments().front();
    const auto output = context.Option("-o");
    if (!output) {
        throw UsageError("edit needs -o OUT.XPJ");
    }
    const std::vector<ScriptLine> script = ReadScript(context);
    if (!context.Option("--script") && context.OptionValues("--do").empty()) {
        throw UsageError("edit needs --script FILE or --do COMMAND");
    }
    const CatalogueStore catalogue(context.Options().catalogueDirectory);
    OpenedProject opened = OpenForCommand(input, catalogue);
    Tproyecto& project = *opened.project;
    NetworkEditor editor(project);
    editor.MarkSaved();
    // One recalculation at the end, and one before each regulation move (it reads the levels).
    editor.SetRecalculateAfterEdits(false);
    for (const ScriptLine& line : script) {
        if (line.words[0] == "control" || line.words[0] == "gain") {
            editor.Recalculate();
        }
        std::string refused;
        try {
            refused = RunEditCommand(editor, line.words);
        } catch (const UsageError& error) {
            throw UsageError(line.where + ": " + error.what());
        }
        if (!refused.empty()) {
            context.err << kProgramName << ": " << line.where << ": refused: " << refused << "\n";
            context.err << kProgramName << ": nothing was saved\n";
            return kExitUsage;
        }
    }
    editor.Recalculate();
    const ProjectReport report = MakeProjectReport(project, project.finalizadocalculoTV ? 1 : 0);
    if (context.Option("--json")) {
        WriteReportJson(context.out, report);
    } else {
        WriteReportText(context.out, report);
    }
    // The project first: levels of a project that could not be saved would describe no file.
    const auto levels = context.Option("--levels");
    if (!SaveProject(project, *output)) {
        context.err << kProgramName << ": cannot save " << *output << ": " << LastFileError() << "\n";
        if (levels) {
            context.err
                << kProgramName << ": " << *levels
                << " was not written either: nothing more is written once the project cannot be saved\n";
        }
        return kExitCannotWrite;
    }
    if (levels && !ReplaceFileContents(*levels, OutletLevelsCsv(project))) {
        context.err << kProgramName << ": cannot write " << *levels << ": " << LastFileError()
                    << " (the project was saved as " << *output << ")\n";
        return kExitCannotWrite;
    }
    return report.Passes() ? kExitSuccess : kExitFailure;
}

} // namespace

void AddEditCommand(CommandRegistry& registry) {
    Command edit =
        MakeCommand({"edit"},
                    "edit a project's network with commands, recalculate, check every outlet and "
                    "save it (exit 1 when some outlet is out of limits, 2 when an edit is refused)",
                    Edit);
    edit.argumentsSyntax = "FILE.XPJ";
    edit.minArguments = edit.maxArguments = 1;
    edit.options = {{"-o", "OUT.XPJ", "where the edited project is saved"},
                    {"--script", "FILE", "edit commands, one a line"},
                    {"--do", "COMMAND", "one edit command (repeatable; run after the script's)"},
                    {"--levels", "FILE.csv", "write the outlet levels as 'new --levels' does"},
                    {"--json", "", "print the summary as JSON"}};
    edit.details =
        std::string(kEditScriptHelp) +
        "\nThe commands run in order; the first one refused is named with the reason, nothing is saved\n"
        "and the exit status is 2. Element addresses are those of 'info --elements'.\n";
    registry.Add(std::move(edit));
}

} // namespace ixo::cli
