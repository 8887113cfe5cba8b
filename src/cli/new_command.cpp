#include "cli/new_command.h"

#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "cli/catalogue_store.h"
#include "cli/cli_app.h"
#include "cli/design_command.h"
#include "design/design_result_text.h"
#include "cli/export_command.h"
#include "cli/left_to_exit.h"
#include "cli/new_request.h"
#include "cli/project_report.h"
#include "cli/quality_commands.h"
#include "cli/settings_commands.h"
#include "cli/settings_models.h"
#include "common/file_replace.h"
#include "common/progress.h"
#include "design/auto_design.h"
#include "editing/network_editor.h"
#include "persistence/project_file.h"

#include <unistd.h>

#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

namespace ixo::cli {
namespace {

// Progress of a long build on the error stream, only when a person watches it.
class TerminalProgress : public Progress {
public:
    explicit TerminalProgress(std::ostream& err) : m_err(err), m_enabled(isatty(STDERR_FILENO) != 0) {}
    ~TerminalProgress() override {
        if (m_enabled && m_shown) {
            m_err << "\n";
        }
    }
    void SetCaption(std::string_view caption) override { m_caption = caption; }
    void SetMaximum(int steps) override { m_maximum = steps; }
    void SetPosition(int step) override {
        m_position = step;
        Show();
    }
    void Step() override {
        ++m_position;
        Show();
    }

private:
    void Show() {
        if (!m_enabled || m_maximum <= 0) {
            return;
        }
        m_err << "\r" << m_caption << ": " << (100 * m_position / m_maximum) << "%" << std::flush;
        m_shown = true;
    }

    std::ostream& m_err;
    bool m_enabled;
    bool m_shown = false;
    std::string m_caption;
    int m_maximum = 0;
    int m_position = 0;
};

// Says which of the other outputs asked for were left unwritten because the project could not be saved.
void NotWrittenAfterFailedSave(std::ostream& err, const std::optional<std::filesystem::path>& levels,
                               const std::optional<std::string>& sheet) {
    std::string skipped;
    if (levels) {
        skipped = levels->string() == "-" ? "the outlet levels" : levels->string();
    }
    if (sheet) {
        skipped += (skipped.empty() ? "" : " and ") + *sheet;
    }
    if (!skipped.empty()) {
        err << kProgramName << ": " << skipped
            << " not written: nothing more is written once the project cannot be saved\n";
    }
}

int NewProject(const CommandContext& context) {
    const EffectiveSettings settings = LoadEffectiveSettings(context.Options().settingsFile);
    PrintSettingsWarnings(context.err, settings);
    NewProjectRequest request = ParseNewProjectRequest(context, settings.record, settings.limits);
    // A standard sets the level window the build, the check and the automatic design work to; a limit
    // given with --set still wins.
    SignalQuality quality;
    ApplyQualityOptions(context, quality);
    ApplyStandardLimits(context, request.limits);
    for (const std::string& assignment : context.OptionValues("--set")) {
        (void)ApplyLimitOverride(request.limits, assignment);
    }
    for (const Testructuranivel& limit : request.limits) {
        if (limit.minimum > limit.maximum) {
            throw UsageError("--standard with --set: the " + limit.name + " limits are reversed");
        }
    }
    for (const std::string& note : request.notes) {
        context.err << kProgramName << ": note: " << note << "\n";
    }
    const std::optional<std::string> sheet = context.Option("--export");
    if (sheet) {
        CheckSheetExport(context, *sheet);
    }
    const CatalogueStore catalogue(context.Options().catalogueDirectory);
    for (const auto& [key, family] : FamiliesSet(context, request.settings)) {
        if (catalogue.Store().ElementsOfFamily(family).empty()) {
            throw UsageError("--set " + key + "=" + std::to_string(family) +
                             ": the catalogue has no family " + std::to_string(family) +
                             " (see 'ixo-cli catalogue families')");
        }
    }
    CheckSettingsModels(request.settings, context.OptionValues("--set"), settings, catalogue.Store(),
                        context.err);
    TerminalProgress progress(context.err);
    NuevoProyecto created = CrearProyectoDesdeAsistente(catalogue.Store(), request.shape, request.settings,
                                                        request.limits, progress);
    const LeftToExit keep(created.Proyecto); // after the editor below is freed
    Tproyecto& project = *created.Proyecto;
    project.Quality() = quality;
    // The editor goes before the project it edits (declared after it).
    std::unique_ptr<NetworkEditor> editor;
    std::optional<DesignResult> design;
    if (context.Option("--auto") && created.Resultado > 0) {
        editor = std::make_unique<NetworkEditor>(project);
        editor->MarkSaved();
        design = DesignAutomatically(*editor, DesignOptions{});
    }
    const ProjectReport report = MakeProjectReport(project, created.Resultado);
    // The summary comes first: a file that cannot be written does not hide what was built. With
    // "--levels -" the levels take standard output and the summary goes to standard error.
    const bool levelsToOutput = request.levelsFile && request.levelsFile->string() == "-";
    std::ostream& summary = levelsToOutput ? context.err : context.out;
    if (request.json) {
        WriteReportJson(summary, report);
    } else {
        if (design) {
            WriteDesignResult(summary, *design);
        }
        WriteReportText(summary, report);
    }
    // The project first: the levels and the sheet of a project that could not be saved would describe
    // no file, so nothing more is written then.
    if (request.outputFile && !SaveProject(project, *request.outputFile)) {
        context.err << kProgramName << ": cannot save " << request.outputFile->string() << ": "
                    << LastFileError() << "\n";
        NotWrittenAfterFailedSave(context.err, request.levelsFile, sheet);
        return kExitCannotWrite;
    }
    bool written = true;
    if (levelsToOutput) {
        context.out << OutletLevelsCsv(project);
    } else if (request.levelsFile && !ReplaceFileContents(*request.levelsFile, OutletLevelsCsv(project))) {
        context.err << kProgramName << ": cannot write " << request.levelsFile->string() << ": "
                    << LastFileError() << "\n";
        written = false;
    }
    if (sheet && ExportProjectSheet(context, project, *sheet) != kExitSuccess) {
        written = false;
    }
    if (!written) {
        return kExitCannotWrite;
    }
    if (created.Resultado <= 0) {
        context.err << kProgramName << ": the installation could not be built (no headend floor?)\n";
        return kExitFailure;
    }
    if (!report.notBuilt.empty()) {
        context.err << kProgramName << ": parts of the installation could not be built (see \"Not built\")\n";
    }
    if (report.outlets == 0) {
        context.err << kProgramName << ": the installation has no outlet: nothing was checked\n";
    }
    return report.Passes() ? kExitSuccess : kExitFailure;
}

} // namespace

void AddNewCommand(CommandRegistry& registry) {
    Command command =
        MakeCommand({"new"},
                    "build a new installation from a building shape, calculate it and check every "
                    "outlet (exit 1 when some outlet is out of limits)",
                    NewProject);
    command.options = NewProjectOptions();
    command.options.push_back(
        {"--export", "SHEET", "export the schematic sheet (.bmp, .jpg, .png, .pdf, .svg)"});
    for (CommandOption& option : SheetExportOptions()) {
        command.options.push_back(std::move(option));
    }
    for (CommandOption& option : QualityOptions()) {
        command.options.push_back(std::move(option));
    }
    registry.Add(std::move(command));
}

} // namespace ixo::cli
