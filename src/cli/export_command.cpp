#include "cli/export_command.h"

#include "cli/project_commands.h"

#include "building/proyecto.h"
#include "cli/catalogue_store.h"
#include "cli/cli_app.h"
#include "common/progress.h"
#include "persistence/project_file.h"
#include "render/gui_session.h"
#include "render/sheet_export.h"
#include "schematic/layout.h"
#include "schematic/schematic.h"

#include <charconv>
#include <ostream>

namespace ixo::cli {
namespace {

int ParseInt(const std::string& option, const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw UsageError(option + ": '" + text + "' is not a whole number");
    }
    return value;
}

enum class PageChoice { Readable, Single, PerStair };

struct SheetRequest {
    ExportOptions options;
    bool titleBlock = true;
    bool errorColours = true;
    PageChoice pages = PageChoice::Readable;
    bool everyFloor = false;
};

SheetRequest ParseSheetRequest(const CommandContext& context, const std::filesystem::path& path) {
    SheetRequest request;
    const std::optional<SheetFormat> format = SheetFormatOf(path);
    if (!format) {
        throw UsageError(path.string() +
                         ": the sheet's file name must end in .bmp, .jpg, .png, .pdf or .svg");
    }
    request.options.format = *format;
    if (const auto paper = context.Option("--paper")) {
        if (*paper == "A4" || *paper == "a4") {
            request.options.paper = Paper::A4;
        } else if (*paper == "A3" || *paper == "a3") {
            request.options.paper = Paper::A3;
        } else if (*paper == "A2" || *paper == "a2") {
            request.options.paper = Paper::A2;
        } else {
            throw UsageError("--paper: '" + *paper + "' is not A4, A3 or A2");
        }
    }
    if (const auto dpi = context.Option("--dpi")) {
        request.options.dpi = ParseInt("--dpi", *dpi);
        if (request.options.dpi != 150 && request.options.dpi != 300) {
            throw UsageError("--dpi: " + *dpi + " is not 150 or 300");
        }
    }
    if (const auto orientation = context.Option("--orientation")) {
        if (*orientation == "horizontal") {
            request.options.orientation = PaperOrientation::Horizontal;
        } else if (*orientation == "vertical") {
            request.options.orientation = PaperOrientation::Vertical;
        } else {
            throw UsageError("--orientation: '" + *orientation + "' is not horizontal or vertical");
        }
    }
    if (const auto quality = context.Option("--quality")) {
        request.options.quality = ParseInt("--quality", *quality);
        if (request.options.quality < 1 || request.options.quality > 100) {
            throw UsageError("--quality: " + *quality + " is not between 1 and 100");
        }
    }
    if (const auto pages = context.Option("--pages")) {
        if (*pages == "single") {
            request.pages = PageChoice::Single;
        } else if (*pages == "per-stair") {
            request.pages = PageChoice::PerStair;
        } else {
            throw UsageError("--pages: '" + *pages + "' is not per-stair or single");
        }
    }
    request.everyFloor = context.Option("--every-floor").has_value();
    request.titleBlock = !context.Option("--no-title-block").has_value();
    request.errorColours = !context.Option("--no-error-colours").has_value();
    return request;
}

int ExportCommand(const CommandContext& context) {
    const std::filesystem::path projectPath = context.Arguments().front();
    const std::optional<std::string> output = context.Option("-o");
    if (!output || output->empty()) {
        throw UsageError("export: the sheet's file is missing (-o SHEET.png)");
    }
    CheckSheetExport(context, *output);
    const CatalogueStore catalogue(context.Options().catalogueDirectory);
    OpenedProject opened = OpenForCommand(projectPath, catalogue);
    return ExportProjectSheet(context, *opened.project, *output, true);
}

} // namespace

std::vector<CommandOption> SheetExportOptions() {
    return {
        {"--paper", "A4|A3|A2", "paper of the exported sheet; default A4"},
        {"--dpi", "150|300", "resolution of the exported sheet; default 150"},
        {"--orientation", "horizontal|vertical", "orientation of the exported sheet; default horizontal"},
        {"--quality", "N", "JPEG quality 1 to 100; default 75"},
        {"--no-title-block", "", "leave the title block off the sheet"},
        {"--no-error-colours", "", "draw outlets out of limits like the others (no legend)"},
        {"--pages", "per-stair|single",
         "a drawing set (headend, then pages per stair; a PDF holds every page, other formats write NAME-01 "
         "and on) or one sheet; default: one sheet where its texts can be read on paper, else the set"},
        {"--every-floor", "", "in a drawing set, draw every floor instead of floors drawn alike once"},
    };
}

void CheckSheetExport(const CommandContext& context, const std::filesystem::path& path) {
    (void)ParseSheetRequest(context, path);
}

int ExportProjectSheet(const CommandContext& context, Tproyecto& project, const std::filesystem::path& path,
                       bool tellPages) {
    const SheetRequest request = ParseSheetRequest(context, path);
    EnsureGuiApplication();
    auto root = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    TpadreGraficosMS& schematic = *root;
    if (!BuildSchematic(project, schematic, NoProgress())) {
        context.err << kProgramName << ": the schematic could not be drawn\n";
        return kExitFailure;
    }
    SheetContent content;
    content.showTitleBlock = request.titleBlock && project.cajetinvisible;
    content.texts = project.Datosproyecto();
    content.titleBlockWidthMm = project.AnchoCajetin;
    content.titleBlockHeightMm = project.Altocajetin;
    content.showLegend = request.errorColours && MarkOutletErrors(project, schematic) > 0;
    const DrawingSetOptions setOptions = DrawingSetOptionsFor(request.options, content, request.everyFloor);
    const bool set = request.pages == PageChoice::PerStair ||
                     (request.pages == PageChoice::Readable && !SingleSheetReadable(schematic, setOptions));
    if (set) {
        const DrawingSet planned = PlanDrawingSet(project, schematic, setOptions);
        const DrawingSetResult written =
            ExportDrawingSet(path, schematic, planned, setOptions, content, request.options, NoProgress());
        if (!written.ok) {
            context.err << kProgramName << ": " << written.error << "\n";
            return kExitCannotWrite;
        }
        if (tellPages) {
            context.out << "Drawing set: " << written.pages << " pages in " << written.files.size()
                        << (written.files.size() == 1 ? " file, " : " files, from ")
                        << written.files.front().string() << "\n";
        }
        return kExitSuccess;
    }
    const ExportResult result = ExportSchematic(path, schematic, content, request.options, NoProgress());
    if (!result.ok) {
        context.err << kProgramName << ": " << result.error << "\n";
        return kExitCannotWrite;
    }
    return kExitSuccess;
}

void AddExportCommand(CommandRegistry& registry) {
    Command command =
        MakeCommand({"export"}, "open a project and export its schematic sheet as BMP, JPEG, PNG, PDF or SVG",
                    ExportCommand);
    command.argumentsSyntax = "FILE.XPJ";
    command.minArguments = command.maxArguments = 1;
    command.options = SheetExportOptions();
    command.options.insert(command.options.begin(),
                           {"-o", "SHEET", "the sheet's file (.bmp, .jpg, .png, .pdf, .svg)"});
    registry.Add(std::move(command));
}

} // namespace ixo::cli
