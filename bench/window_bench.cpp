// The waits of the window: New of a building from the wizard's Finish to the painted sheet (build,
// level run, outlet check, schematic, layout and first paint, then freeing the project), and the L
// sheet's repaints through the real window offscreen: a full repaint at "All", 100 % and 800 %, choosing a
// zoom step (the stand-in shown, then until the view is sharp, and painted at once), and pan steps (the view
// put together from painted tiles, new ones painted); opening the error level list, and an edit by a tool
// to the repainted sheet.
#include "demo_buildings.h"

#include "building/proyecto.h"
#include "common/paths.h"
#include "model/cable_tv.h"
#include "model/pin.h"
#include "schematic/schematic.h"
#include "schematic/wire.h"
#include "ui/dialogs/length_dialog.h"
#include "ui/errors/error_list_window.h"
#include "ui/main/app_session.h"
#include "ui/main/main_window.h"
#include "ui/main/window_rules.h"
#include "ui/sheet/sheet_view.h"
#include "ui/tools/sheet_tools.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include <benchmark/benchmark.h>

namespace {

ixo::AppSession& Session() {
    static ixo::AppSession* session = [] {
        static int argc = 1;
        static char name[] = "window_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Kept to the end of the program and never destroyed: destroyed among the exit handlers, after
        // the platform's statics, it crashed in Qt's input devices and the bench ended with a signal.
        new QApplication(argc, argv);
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

// The L building of the window's speed goals: 8 stairs x 100 floors x 4 flats x 4 outlets, 16 polarities,
// made once and shown in a window of the first run's size.
ixo::MainWindow& LWindow() {
    // Made after the application (Session) and so freed before it when the program ends.
    static std::unique_ptr<ixo::MainWindow> window = [] {
        auto made = std::make_unique<ixo::MainWindow>(Session());
        made->resize(1280, 860);
        made->show();
        QApplication::processEvents();
        if (!made->CreateProjectFromWizard(ixo::bench::RegularBuilding(8, 100, 4, 4, 16))) {
            std::fprintf(stderr, "the L building was not made\n");
            std::exit(1);
        }
        made->Project()->Modificado = false;
        return made;
    }();
    return *window;
}

// A repaint that paints the whole view anew: what choosing a zoom step, resizing or an edit costs.
void FullRepaint(benchmark::State& state, int zoomIndex) {
    ixo::MainWindow& window = LWindow();
    window.ChooseZoomStep(zoomIndex);
    window.FinishRefining();
    for (auto _ : state) {
        window.Repaint();
    }
    state.counters["tiles"] = static_cast<double>(window.TilesPaintedLastTime());
}

// Choosing a zoom step, from the sharp view at step from to step to: what the user waits for before the
// view shows the new zoom (layout and the previous picture scaled; the sharp tiles follow while idle).
// Going back to from between two steps is not timed.
void ChooseZoomStep(benchmark::State& state, int from, int to) {
    ixo::MainWindow& window = LWindow();
    double worst = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        window.ChooseZoomStep(from);
        window.FinishRefining();
        state.ResumeTiming();
        window.ChooseZoomStep(to);
        worst = std::max(worst, window.LastRepaintMs());
    }
    state.counters["worst_ms"] = worst;
}

// The same step until every tile of the view is sharp: the step, then the event loop until the window
// has painted the view's last tile (each pass paints one, about a tile's paint between two user events).
void ZoomStepUntilSharp(benchmark::State& state, int from, int to) {
    ixo::MainWindow& window = LWindow();
    std::size_t passes = 0;
    std::size_t steps = 0;
    double worstPass = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        window.ChooseZoomStep(from);
        window.FinishRefining();
        state.ResumeTiming();
        window.ChooseZoomStep(to);
        while (!window.ViewSharp()) {
            QElapsedTimer pass;
            pass.start();
            QApplication::processEvents();
            worstPass = std::max(worstPass, static_cast<double>(pass.nsecsElapsed()) / 1e6);
            ++passes;
        }
        ++steps;
    }
    state.counters["passes"] = steps > 0 ? static_cast<double>(passes) / static_cast<double>(steps) : 0;
    // The longest pass of the event loop: how long a click or key may wait while the view sharpens.
    state.counters["worst_pass_ms"] = worstPass;
}

// The step painted at once, as the window did before it showed a stand-in: layout, rescaling and every
// tile of the view in one pass.
void ZoomStepPaintedAtOnce(benchmark::State& state, int from, int to) {
    ixo::MainWindow& window = LWindow();
    for (auto _ : state) {
        state.PauseTiming();
        window.ChooseZoomStep(from);
        window.FinishRefining();
        state.ResumeTiming();
        window.ChooseZoomStep(to);
        window.FinishRefining();
    }
}

// Panning with the mouse: the view moves by step pixels per mouse move across the sheet and back, through
// the horizontal scroll bar as the pan does; new tiles are painted as they come into view.
void PanStep(benchmark::State& state, int zoomIndex, int step, bool idle) {
    ixo::MainWindow& window = LWindow();
    window.ChooseZoomStep(zoomIndex);
    window.FinishRefining(); // pans of a sharp view, painting the tiles that come into it
    QScrollBar* bar = window.View()->Horizontal();
    int direction = 1;
    std::size_t painted = 0;
    std::size_t moves = 0;
    double worst = 0.0;
    for (auto _ : state) {
        int next = bar->value() + direction * step;
        if (next > bar->maximum() || next < bar->minimum()) {
            direction = -direction;
            next = bar->value() + direction * step;
        }
        bar->setValue(next);
        painted += window.TilesPaintedLastTime();
        worst = std::max(worst, window.LastRepaintMs());
        ++moves;
        if (idle) {
            // The event loop between two mouse moves: the window paints a tile ahead (not a wait the
            // user sees, so not timed).
            state.PauseTiming();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    state.counters["tiles_per_move"] =
        moves > 0 ? static_cast<double>(painted) / static_cast<double>(moves) : 0;
    state.counters["worst_ms"] = worst;
}

} // namespace

// View > List of error levels on L: the rows of every failing outlet, the powering and overdrive findings,
// the table shown and painted.
void OpenErrorList(benchmark::State& state) {
    ixo::MainWindow& window = LWindow();
    window.ChooseZoomStep(0);
    window.FinishRefining();
    std::size_t rows = 0;
    for (auto _ : state) {
        window.ShowErrorList();
        window.ErrorList()->repaint();
        QApplication::processEvents();
        rows = window.ErrorList()->Rows().Count();
        state.PauseTiming();
        window.ErrorList()->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
}

// Change length on a riser cable of L, from the dialog's OK to the repainted sheet: the edit as a step of
// the history, the level run and outlet check, the schematic made again, laid out and painted, the status.
void ToolEditToRepaintedSheet(benchmark::State& state) {
    ixo::MainWindow& window = LWindow();
    window.ChooseZoomStep(0);
    window.FinishRefining();
    ixo::Tgraflinea* wire = nullptr;
    const ixo::TpadreGraficosMS& schematic = *window.Schematic();
    for (std::size_t i = 0; i < schematic.ObjectCount() && wire == nullptr; ++i) {
        auto* candidate = dynamic_cast<ixo::Tgraflinea*>(schematic.Object(i));
        if (candidate != nullptr && candidate->TargetPin() != nullptr &&
            dynamic_cast<ixo::TCableTV*>(candidate->Element()) != nullptr) {
            wire = candidate;
        }
    }
    if (wire == nullptr) {
        state.SkipWithError("no cable on the sheet");
        return;
    }
    ixo::TPin* pin = wire->TargetPin();
    double metres = pin->MetrosCable;
    for (auto _ : state) {
        metres += 1.0;
        const double length = metres;
        QTimer::singleShot(0, &window, [&window, length] {
            for (auto* dialog : window.findChildren<ixo::LengthDialog*>()) {
                dialog->Edit()->setText(QString::number(length));
                dialog->accept();
            }
        });
        // The wire is made again by every edit: the tool is given the one on the sheet now.
        ixo::Tgraflinea* current = nullptr;
        for (std::size_t i = 0; i < window.Schematic()->ObjectCount() && current == nullptr; ++i) {
            auto* candidate = dynamic_cast<ixo::Tgraflinea*>(window.Schematic()->Object(i));
            if (candidate != nullptr && candidate->TargetPin() == pin) {
                current = candidate;
            }
        }
        if (current == nullptr) {
            state.SkipWithError("the cable's wire was not made again");
            break;
        }
        window.Tools().ChangeLengthAt(ixo::HitResult{true, current, nullptr, {}});
        QApplication::processEvents();
    }
    state.counters["repaint_ms"] = window.LastRepaintMs();
}

BENCHMARK(OpenErrorList)->Unit(benchmark::kMillisecond);
BENCHMARK(ToolEditToRepaintedSheet)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(NewToPaintedSheet, demo_2x6x4x3, 2, 6, 4, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NewToPaintedSheet, L_8x100x4x4, 8, 100, 4, 4)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(FullRepaint, L_all, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRepaint, L_100pc, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRepaint, L_800pc, 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChooseZoomStep, L_100pc_to_all, 5, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChooseZoomStep, L_all_to_100pc, 0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChooseZoomStep, L_400pc_to_800pc, 7, 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChooseZoomStep, L_800pc_to_400pc, 8, 7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomStepUntilSharp, L_100pc_to_all, 5, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomStepUntilSharp, L_all_to_100pc, 0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomStepUntilSharp, L_400pc_to_800pc, 7, 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomStepUntilSharp, L_800pc_to_400pc, 8, 7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomStepPaintedAtOnce, L_100pc_to_all, 5, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomStepPaintedAtOnce, L_all_to_100pc, 0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomStepPaintedAtOnce, L_400pc_to_800pc, 7, 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ZoomStepPaintedAtOnce, L_800pc_to_400pc, 8, 7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanStep, L_200pc_32px, 6, 32, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanStep, L_800pc_32px, 8, 32, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanStep, L_800pc_256px, 8, 256, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanStep, L_800pc_32px_idle_between, 8, 32, true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
