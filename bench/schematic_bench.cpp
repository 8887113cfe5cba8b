// The schematic of the L building (8 stairs x 100 floors x 4 flats x 4 outlets, 16 polarities): the
// layout as the main window runs it after every change (the previous schematic freed first), painting the
// whole sheet into a 1920 x 1080 image, painting a zoomed-in view, which paints only the objects the
// spatial index finds in the visible area, and the drawing set written as a PDF on A4 and A3 as the export
// makes it (layout, plan, every page; target: 3 s and 400 MB at most).
#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "common/progress.h"
#include "render/gui_session.h"
#include "render/qpainter_canvas.h"
#include "render/sheet_export.h"
#include "schematic/drawing_set.h"
#include "schematic/layout.h"
#include "schematic/schematic.h"
#include "schematic/sheet.h"

#include "demo_buildings.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sys/resource.h>

namespace {

using namespace ixo;

struct LBuilding {
    LBuilding() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        EnsureGuiApplication();
        if (TalmacenElementos* store = bench::DemoStore()) {
            project = CrearProyectoDesdeAsistente(*store, bench::RegularBuilding(8, 100, 4, 4, 16),
                                                  DefaultSettings(), DefaultLevelLimits(), NoProgress())
                          .Proyecto;
            benchmark::DoNotOptimize(BuildSchematic(*project, *schematic, NoProgress()));
        }
    }
    std::unique_ptr<Tproyecto> project;
    std::unique_ptr<TpadreGraficosMS> schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
};

LBuilding& L() {
    static LBuilding building;
    return building;
}

void BM_LayoutL(benchmark::State& state) {
    LBuilding& l = L();
    if (l.project == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildSchematic(*l.project, *l.schematic, NoProgress()));
        benchmark::DoNotOptimize(l.schematic->ObjectCount());
    }
    state.counters["objects"] = static_cast<double>(l.schematic->ObjectCount());
}

// Paints into a fresh white 1920 x 1080 image with the schematic fitted to the sheet.
void PaintView(benchmark::State& state, int zoomPercent) {
    LBuilding& l = L();
    if (l.project == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    ViewRequest request;
    request.imageWidth = 1920;
    request.imageHeight = 1080;
    request.zoomPercent = zoomPercent;
    request.page.width = 59400; // A2 across
    request.page.height = 42000;
    SheetContent content;
    content.texts = l.project->Datosproyecto();
    ScrollBar horizontal;
    ScrollBar vertical;
    const ViewResult view = ComputeView(*l.schematic, request, horizontal, vertical);
    content.outputScale = view.sheetZoom;
    // Zoomed in: the view scrolled to the middle of the sheet.
    const Point scroll{-horizontal.maximum / 2, -vertical.maximum / 2};
    {
        const double s = view.placement.scale;
        const Point offset{scroll.x + view.placement.centring.x + view.placement.area.left,
                           scroll.y + view.placement.centring.y + view.placement.area.top};
        const Rect design{static_cast<std::int32_t>((0 - offset.x) / s),
                          static_cast<std::int32_t>((0 - offset.y) / s),
                          static_cast<std::int32_t>((1920 - offset.x) / s),
                          static_cast<std::int32_t>((1080 - offset.y) / s)};
        state.counters["indexed"] = static_cast<double>(l.schematic->ObjectsMeeting(design).size());
        state.counters["scale"] = s;
    }
    for (auto _ : state) {
        QImage image(1920, 1080, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter, 96);
        canvas.SetMinimumTextHeight(kMinimumBitmapText);
        PaintSheet(canvas, {0, 0, 1920, 1080}, *l.schematic, content, view.printable, view.placement, scroll);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PaintWholeSheetL(benchmark::State& state) {
    PaintView(state, 0);
}

void BM_PaintZoomedViewL(benchmark::State& state) {
    PaintView(state, 3200);
}

// The whole cycle of `ixo-cli export L.XPJ -o SET.pdf --pages per-stair` once the project is open.
void BM_DrawingSetPdfL(benchmark::State& state, Paper paper) {
    LBuilding& l = L();
    if (l.project == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "ixo-bench-set.pdf";
    SheetContent content;
    content.texts = l.project->Datosproyecto();
    ExportOptions options;
    options.format = SheetFormat::Pdf;
    options.paper = paper;
    int pages = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildSchematic(*l.project, *l.schematic, NoProgress()));
        const DrawingSetOptions setOptions = DrawingSetOptionsFor(options, content, false);
        const DrawingSet set = PlanDrawingSet(*l.project, *l.schematic, setOptions);
        const DrawingSetResult result =
            ExportDrawingSet(path, *l.schematic, set, setOptions, content, options, NoProgress());
        if (!result.ok) {
            state.SkipWithError(result.error.c_str());
            break;
        }
        pages = result.pages;
    }
    state.counters["pages"] = pages;
    std::error_code ignored;
    state.counters["pdfMB"] = static_cast<double>(std::filesystem::file_size(path, ignored)) / 1e6;
    std::filesystem::remove(path, ignored);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakRssMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

BENCHMARK_CAPTURE(BM_DrawingSetPdfL, A4, Paper::A4)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_DrawingSetPdfL, A3, Paper::A3)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LayoutL)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PaintWholeSheetL)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PaintZoomedViewL)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
