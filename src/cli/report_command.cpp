#include "cli/report_command.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "cli/catalogue_store.h"
#include "cli/cli_app.h"
#include "cli/left_to_exit.h"
#include "cli/project_commands.h"
#include "common/ascii_case.h"
#include "common/file_replace.h"
#include "model/level_vector.h"
#include "persistence/project_file.h"
#include "render/headless_gui.h"
#include "render/report_export.h"
#include "render/text_document_writer.h"
#include "reports/informe.h"
#include "reports/niveles_tomas_informe.h"
#include "reports/report_csv.h"
#include "reports/report_progress.h"

#include <ostream>
#include <sstream>

namespace ixo::cli {
namespace {

// What the command writes: a document format or CSV.
struct OutputForm {
    std::optional<ReportFormat> document; // none: CSV
    std::string_view extension;
};

OutputForm FormNamed(std::string_view name) {
    if (EqualsIgnoringAsciiCase(name, "csv")) {
        return {std::nullopt, ".csv"};
    }
    if (const auto format = ReportFormatNamed(name)) {
        return {format, ExtensionOf(*format)};
    }
    throw UsageError("--format: unknown format \"" + std::string(name) + "\" (html, odt, pdf or csv)");
}

// --format, else the output file's extension, else HTML.
OutputForm ChosenForm(const CommandContext& context) {
    if (const auto format = context.Option("--format")) {
        return FormNamed(*format);
    }
    if (const auto output = context.Option("-o")) {
        std::string extension = LowerAscii(std::filesystem::path(*output).extension().string());
        if (extension == ".htm") {
            extension = ".html";
        }
        for (std::string_view name : {"html", "odt", "pdf", "csv"}) {
            if (extension.size() > 1 && extension.substr(1) == name) {
                return FormNamed(name);
            }
        }
    }
    return FormNamed("html");
}

int ChosenReport(const CommandContext& context) {
    const bool materials = context.Option("--materials").has_value();
    const bool levels = context.Option("--levels").has_value();
    if (materials == levels) {
        throw UsageError("report: choose one report, --materials or --levels");
    }
    return materials ? kInformeMateriales : kInformeNiveles;
}

std::string CsvOf(Tproyecto& project, int report) {
    std::ostringstream out;
    const bool terrestrial = project.Preferencias().HD_ICTERR;
    if (report == kInformeMateriales) {
        const auto lines = ListaMateriales(project, ArticlesOf(project), NoReportProgress());
        WriteMaterialsCsv(out, lines.value_or(std::vector<TElementoRec>{}), terrestrial);
    } else {
        WriteOutletLevelsCsv(out, NivelesTomasPolaridadCero(project), terrestrial ? 1 : kFirstSatelliteBand);
    }
    return out.str();
}

int CannotWrite(const CommandContext& context, const std::filesystem::path& target) {
    context.err << kProgramName << ": cannot write " << target.string() << ": " << LastFileError() << "\n";
    return kExitCannotWrite;
}

int Report(const CommandContext& context) {
    const int report = ChosenReport(context);
    const OutputForm form = ChosenForm(context);
    const std::filesystem::path path = context.Arguments().front();
    const CatalogueStore catalogue(context.Options().catalogueDirectory);
    OpenedProject opened = OpenForCommand(path, catalogue);
    const LeftToExit keep(opened.project);
    Tproyecto& project = *opened.project;
    project.NombreFichero = path.string();
    const std::filesystem::path target = context.Option("-o")
                                             ? std::filesystem::path(*context.Option("-o"))
                                             : FicheroInforme(project, report, form.extension);
    if (!form.document) {
        if (!ReplaceFileContents(target, CsvOf(project, report))) {
            return CannotWrite(context, target);
        }
        context.out << target.string() << "\n";
        return kExitSuccess;
    }

    const HeadlessGui gui;
    TextDocumentWriter writer;
    if (GenerarInforme(report, project, writer, NoReportProgress()) != ReportOutcome::Written) {
        context.err << kProgramName << ": " << ReportFailure() << "\n";
        return kExitFailure;
    }
    int pages = 0;
    if (!ExportReport(writer, target, *form.document, &pages)) {
        return CannotWrite(context, target);
    }
    context.out << target.string();
    if (*form.document == ReportFormat::Pdf) {
        context.out << " (" << pages << (pages == 1 ? " page)" : " pages)");
    }
    context.out << "\n";
    return kExitSuccess;
}

} // namespace

void AddReportCommand(CommandRegistry& registry) {
    Command command = MakeCommand(
        {"report"},
        "write the list of materials or the outlet levels of a project as HTML, ODF text, PDF or CSV "
        "(beside the project unless -o is given)",
        Report);
    command.argumentsSyntax = "FILE.XPJ";
    command.minArguments = command.maxArguments = 1;
    command.options = {
        {"--materials", "", "the list of materials: every element, cable metre, connector and load"},
        {"--levels", "", "the outlet levels: every outlet at polarity 1, the headend and the amplifiers"},
        {"-o", "FILE", "write to FILE (default: beside the project, <project>_<report name>.<format>)"},
        {"--format", "FORMAT", "html, odt, pdf or csv (default: from FILE's extension, else html)"},
    };
    registry.Add(std::move(command));
}

} // namespace ixo::cli
