#include "cli/report_command.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/signal_quality.h"
#include "cli/catalogue_store.h"
#include "cli/cli_app.h"
#include "cli/left_to_exit.h"
#include "cli/project_commands.h"
#include "cli/project_report.h"
#include "cli/quality_commands.h"
#include "common/ascii_case.h"
#include "common/file_replace.h"
#include "design/design_verdict.h"
#include "model/level_vector.h"
#include "persistence/project_file.h"
#include "render/headless_gui.h"
#include "render/report_export.h"
#include "render/text_document_writer.h"
#include "reports/compliance_report.h"
#include "reports/informe.h"
#include "reports/niveles_tomas_informe.h"
#include "reports/quote.h"
#include "reports/report_csv.h"
#include "reports/report_progress.h"
#include "settings/standard_presets.h"

#include <fstream>
#include <iterator>
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

// The documents beyond the two reports of the report chooser.
constexpr int kComplianceReport = 100;
constexpr int kQuoteReport = 101;

int ChosenReport(const CommandContext& context) {
    const bool materials = context.Option("--materials").has_value();
    const bool levels = context.Option("--levels").has_value();
    const bool compliance = context.Option("--compliance").has_value();
    const bool quote = context.Option("--quote").has_value();
    if (int(materials) + int(levels) + int(compliance) + int(quote) != 1) {
        throw UsageError(
            "report: choose one report, --materials, --levels, --compliance or --quote PRICES.csv");
    }
    return materials    ? kInformeMateriales
           : levels     ? kInformeNiveles
           : compliance ? kComplianceReport
                        : kQuoteReport;
}

std::filesystem::path DefaultTarget(const Tproyecto& project, int report, std::string_view extension) {
    if (report != kComplianceReport && report != kQuoteReport) {
        return FicheroInforme(project, report, extension);
    }
    const std::filesystem::path projectFile(project.NombreFichero);
    return projectFile.parent_path() /
           (projectFile.stem().string() + (report == kComplianceReport ? "_Compliance" : "_Quote") +
            std::string(extension));
}

PriceList PricesOf(const CommandContext& context) {
    const std::filesystem::path file = *context.Option("--quote");
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw UsageError("--quote: cannot read " + file.string());
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        return ReadPriceList(text);
    } catch (const PriceListError& error) {
        throw UsageError(file.string() + ": " + error.what());
    }
}

// The quote of the project; a line the price list makes too large is bad input naming its line.
Quote QuoteOf(const CommandContext& context, Tproyecto& project) {
    const PriceList prices = PricesOf(context);
    const auto lines = ListaMateriales(project, ArticlesOf(project), NoReportProgress());
    const ProjectReport summary = MakeProjectReport(project, 1);
    try {
        return MakeQuote(lines.value_or(std::vector<TElementoRec>{}), prices, summary.outlets, summary.flats);
    } catch (const PriceListError& error) {
        throw UsageError(*context.Option("--quote") + ": " + error.what());
    }
}

ComplianceFindings FindingsOf(const CommandContext& context, Tproyecto& project) {
    ApplyQualityOptions(context, project.Quality());
    const std::string name = project.Quality().standard.empty() ? "Custom" : project.Quality().standard;
    const StandardPreset* preset = FindStandardPreset(name);
    if (preset == nullptr) {
        throw UsageError("the project's standard '" + name + "' is unknown (known: " + StandardPresetNames() +
                         ")");
    }
    ComplianceFindings findings;
    findings.standardTitle = preset->title;
    findings.standardNote = preset->note;
    findings.limits = LimitsOf(*preset, project.Preferencias());
    // The verdict of `check` against the standard this report states (Custom: the project's limits).
    project.Quality().standard = preset->name;
    const DesignVerdict verdict = JudgeDesign(project);
    for (const PowerProblem& problem : verdict.powering) {
        findings.powering.push_back(problem.Text());
    }
    for (const OverdriveProblem& problem : verdict.overdrive) {
        findings.overdrive.push_back(problem.Text());
    }
    findings.verdictReasons = verdict.Reasons();
    for (const BuildOmission& omission : project.Omissions()) {
        findings.notBuilt.push_back(omission.description +
                                    (omission.where.empty() ? "" : " (" + omission.where + ")"));
    }
    return findings;
}

std::string CsvOf(const CommandContext& context, Tproyecto& project, int report) {
    std::ostringstream out;
    if (report == kComplianceReport) {
        throw UsageError("report --compliance: the compliance report is a document (html, odt or pdf)");
    }
    if (report == kQuoteReport) {
        WriteQuoteCsv(out, QuoteOf(context, project));
        return out.str();
    }
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
                                             : DefaultTarget(project, report, form.extension);
    if (!form.document) {
        if (!ReplaceFileContents(target, CsvOf(context, project, report))) {
            return CannotWrite(context, target);
        }
        context.out << target.string() << "\n";
        return kExitSuccess;
    }

    const HeadlessGui gui;
    auto written = std::make_unique<TextDocumentWriter>();
    const LeftToExit keepWritten(written); // a long report's documents are not freed one by one
    TextDocumentWriter& writer = *written;
    // A PDF only prints the report: its pages are written as documents apart, not cut out of one.
    writer.SetPartsApart(*form.document == ReportFormat::Pdf);
    std::optional<bool> complies;
    const std::string projectName = path.filename().string();
    if (report == kComplianceReport) {
        complies = EscribirInformeConformidad(writer, project, FindingsOf(context, project)).complies;
    } else if (report == kQuoteReport) {
        EscribirPresupuesto(writer, QuoteOf(context, project), projectName);
    } else if (GenerarInforme(report, project, writer, NoReportProgress()) != ReportOutcome::Written) {
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
    if (complies) {
        context.out << (*complies ? "The design complies.\n"
                                  : "The design does not comply (see the report).\n");
        // The document is written either way; the status tells a script whether it may be handed in.
        return *complies ? kExitSuccess : kExitFailure;
    }
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
        {"--compliance", "",
         "the compliance report: the standard (the project's, or --standard; else the project's own "
         "limits), the headend, every outlet's levels and C/N with pass or fail, powering and overdrive"},
        {"--quote", "PRICES.csv",
         "the costed quote: the list of materials priced from PRICES.csv (code,description,unit "
         "price,currency[,labour quantity]); materials without a price are listed, never guessed"},
        {"-o", "FILE", "write to FILE (default: beside the project, <project>_<report name>.<format>)"},
        {"--format", "FORMAT", "html, odt, pdf or csv (default: from FILE's extension, else html)"},
    };
    for (CommandOption& option : QualityOptions()) {
        command.options.push_back(std::move(option));
    }
    registry.Add(std::move(command));
}

} // namespace ixo::cli
