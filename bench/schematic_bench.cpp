// The schematic of the L building (8 stairs x 100 floors x 4 flats x 4 outlets, 16 polarities): the
// layout as the main window runs it after every change (the previous schematic freed first), painting the
// whole sheet into a 1920 x 1080 image, and painting a zoomed-in view, which paints only the objects the
// spatial index finds in the visible area.
#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "common/progress.h"
#include "render/gui_session.h"
#include "render/qpainter_canvas.h"
#include "render/sheet_export.h"
#include "schematic/layout.h"
#include "schematic/schematic.h"
#include "schematic/sheet.h"

#include "demo_buildings.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

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

BENCHMARK(BM_LayoutL)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PaintWholeSheetL)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PaintZoomedViewL)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
