// The waits of the window: New of a building from the wizard's Finish to the painted sheet (build,
// level run, outlet check, schematic, layout and first paint, then freeing the project), and one
// repaint of a zoomed view (the off-screen image of the visible objects).
#include "demo_buildings.h"

#include "building/proyecto.h"
#include "common/paths.h"
#include "ui/app_session.h"
#include "ui/main_window.h"
#include "ui/window_rules.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

ixo::AppSession& Session() {
    static ixo::AppSession* session = [] {
        static int argc = 1;
        static char name[] = "window_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication app(argc, argv);
        auto* created = new ixo::AppSession(std::filesystem::path(IXO_BIN_DIR));
        std::string message;
        if (!created->Load(message)) {
            std::fprintf(stderr, "%s\n", message.c_str());
            std::exit(1);
        }
        return created;
    }();
    return *session;
}

void NewToPaintedSheet(benchmark::State& state, int stairs, int floors, int flats, int outlets) {
    ixo::MainWindow window(Session());
    window.resize(1280, 860);
    window.show();
    QApplication::processEvents();
    const ixo::WizardResults shape = ixo::bench::RegularBuilding(stairs, floors, flats, outlets, 8);
    for (auto _ : state) {
        if (!window.CreateProjectFromWizard(shape)) {
            state.SkipWithError("the building was not made");
            break;
        }
        window.Project()->Modificado = false;
        window.CloseProject();
    }
}

void ZoomedRepaint(benchmark::State& state, int zoomIndex) {
    ixo::MainWindow window(Session());
    window.resize(1280, 860);
    window.show();
    QApplication::processEvents();
    if (!window.CreateProjectFromWizard(ixo::bench::RegularBuilding(8, 100, 4, 4, 8))) {
        state.SkipWithError("the building was not made");
        return;
    }
    window.ChooseZoomStep(zoomIndex);
    for (auto _ : state) {
        window.Repaint();
    }
    window.Project()->Modificado = false;
}

} // namespace

BENCHMARK_CAPTURE(NewToPaintedSheet, demo_2x6x4x3, 2, 6, 4, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NewToPaintedSheet, L_8x100x4x4, 8, 100, 4, 4)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ZoomedRepaint, L_all, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomedRepaint, L_100pc, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomedRepaint, L_800pc, 8)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
