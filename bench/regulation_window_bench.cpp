// A slider move in the regulation window as the user waits for it, on the L building (8 stairs x 100
// floors x 4 flats x 4 outlets, 16 polarities, 12,800 outlets): the control moved, the level run and the
// outlet check of the project, the sliders and the chart redrawn, and the status bar's count of
// outlets out of limits (the last case: through the main window, whose whole status bar follows). The
// amplifier regulated is the first one of the headend floor (all the building hangs from it), else of the
// network; a second case regulates a line amplifier inserted in front of a floor multiswitch. Moves alternate
// between two positions, both below the maximum line.
#include "builder/nuevo_proyecto.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "common/progress.h"
#include "editing/network_editor.h"
#include "editing/network_edits.h"
#include "model/ampli_base.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "ui/main/app_session.h"
#include "ui/main/main_window.h"
#include "ui/regulation/regulation_window.h"
#include "ui/results/result_windows.h"

#include "demo_buildings.h"

#include <QApplication>
#include <QSlider>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace ixo;

void EnsureApplication() {
    static QApplication* application = [] {
        static int argc = 1;
        static char name[] = "regulation_window_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv); // kept to the end of the program (see window_bench)
    }();
    (void)application;
}

struct LBuilding {
    NuevoProyecto created;
    std::unique_ptr<NetworkEditor> editor;
};

LBuilding& L() {
    static LBuilding* building = [] {
        TalmacenElementos* store = bench::DemoStore();
        if (store == nullptr) {
            std::fprintf(stderr, "the demo catalogue is missing: build the project first\n");
            std::exit(1);
        }
        auto* made =
            new LBuilding{CrearProyectoDesdeAsistente(*store, bench::RegularBuilding(8, 100, 4, 4, 16),
                                                      DefaultSettings(), DefaultLevelLimits(), NoProgress()),
                          nullptr};
        made->editor = std::make_unique<NetworkEditor>(*made->created.Proyecto);
        return made;
    }();
    return *building;
}

TAmpliBase* HeadendAmplifier(Tproyecto& project) {
    TAmpliBase* any = nullptr;
    for (TPrimerComponente* child : project.RedTV().Components()) {
        auto* amp = TPrimerComponente::AsOrNull<TAmpliBase>(child);
        if (amp == nullptr || !Regulation::Regulable(*amp)) {
            continue;
        }
        auto* floor = TPrimerComponente::AsOrNull<tplanta>(amp->Container());
        if (floor != nullptr && floor->HeaderPl) {
            return amp;
        }
        any = any != nullptr ? any : amp;
    }
    return any;
}

TLinAmp* InsertedLineAmplifier(Tproyecto& project, NetworkEditor& editor) {
    for (TPrimerComponente* child : project.RedTV().Components()) {
        auto* ms = TPrimerComponente::AsOrNull<TMultiswitch>(child);
        auto* floor = ms != nullptr ? TPrimerComponente::AsOrNull<tplanta>(ms->Container()) : nullptr;
        if (floor == nullptr || floor->HeaderPl || ms->DoublePartner() != nullptr) {
            continue;
        }
        constexpr std::int32_t kAL17 = 1000; // 16 polarities and terrestrial
        if (!editor.Apply([&](EditJournal& j) { return InsertLineAmplifier(project, *ms, kAL17, j); })) {
            return nullptr;
        }
        for (TPrimerComponente* element : project.RedTV().Components()) {
            if (auto* amp = TPrimerComponente::AsOrNull<TLinAmp>(element)) {
                return amp;
            }
        }
    }
    return nullptr;
}

void SliderMove(benchmark::State& state, TAmpliBase* amplifier) {
    LBuilding& building = L();
    Tproyecto& project = *building.created.Proyecto;
    if (amplifier == nullptr) {
        state.SkipWithError("no amplifier to regulate");
        return;
    }
    RegulationWindow window(std::make_unique<RegulationModel>(project, *amplifier), *building.editor,
                            nullptr);
    window.resize(900, 640);
    window.show();
    QApplication::processEvents();
    std::size_t control = window.SliderCount();
    for (std::size_t i = 0; i < window.SliderCount(); ++i) {
        if (window.Model().Sliders()[i].kind == RegulationSlider::Kind::Control) {
            control = i;
            break;
        }
    }
    if (control == window.SliderCount()) {
        state.SkipWithError("the amplifier has no visible control");
        return;
    }
    std::size_t outlets = 0;
    std::string status;
    window.levelsChanged = [&] {
        outlets = window.Model().OutletsOutOfLimits();
        status = std::to_string(outlets) + " outlets out of limits";
    };
    QSlider* slider = window.Slider(control);
    const int low = std::min(slider->value() + 100, slider->maximum());
    const int high = std::max(low - 50, slider->minimum());
    bool down = true;
    for (auto _ : state) {
        slider->setValue(down ? low : high); // down 5 % and back up: never past the maximum line
        down = !down;
    }
    state.counters["outlets_out_of_limits"] = static_cast<double>(outlets);
    state.counters["sliders"] = static_cast<double>(window.SliderCount());
    window.reject();
}

void BM_HeadendAmplifierSliderL(benchmark::State& state) {
    EnsureApplication();
    SliderMove(state, HeadendAmplifier(*L().created.Proyecto));
}

void BM_LineAmplifierSliderL(benchmark::State& state) {
    EnsureApplication();
    static TLinAmp* amplifier = InsertedLineAmplifier(*L().created.Proyecto, *L().editor);
    SliderMove(state, amplifier);
}

// The same move through the main window: the regulation window opened by the window's ResultWindows,
// whose status bar (outlets out of limits, the standard, powering and overdrive) follows every move.
void BM_HeadendAmplifierSliderMainWindowL(benchmark::State& state) {
    EnsureApplication();
    static AppSession* session = [] {
        auto* made = new AppSession(std::filesystem::path(IXO_BIN_DIR));
        std::string message;
        if (!made->Load(message)) {
            std::fprintf(stderr, "%s\n", message.c_str());
            std::exit(1);
        }
        return made;
    }();
    MainWindow window(*session);
    window.resize(1280, 860);
    window.show();
    QApplication::processEvents();
    if (!window.CreateProjectFromWizard(bench::RegularBuilding(8, 100, 4, 4, 16))) {
        state.SkipWithError("the L building was not made");
        return;
    }
    TAmpliBase* amplifier = HeadendAmplifier(*window.Project());
    if (amplifier == nullptr || window.Editor() == nullptr) {
        state.SkipWithError("no amplifier to regulate");
        return;
    }
    window.Results().runRegulation = [&](RegulationWindow& regulation) {
        std::size_t control = 0;
        while (control < regulation.SliderCount() &&
               regulation.Model().Sliders()[control].kind != RegulationSlider::Kind::Control) {
            ++control;
        }
        if (control == regulation.SliderCount()) {
            state.SkipWithError("the amplifier has no visible control");
            return static_cast<int>(QDialog::Rejected);
        }
        QSlider* slider = regulation.Slider(control);
        const int low = std::min(slider->value() + 100, slider->maximum());
        const int high = std::max(low - 50, slider->minimum());
        bool down = true;
        for (auto _ : state) {
            slider->setValue(down ? low : high);
            down = !down;
        }
        state.counters["outlets_out_of_limits"] = static_cast<double>(window.OutletsOutOfLimits());
        regulation.reject();
        return static_cast<int>(QDialog::Rejected);
    };
    window.Results().Regulate(*window.Project(), *window.Editor(), *amplifier);
    window.Project()->Modificado = false;
    window.CloseProject();
}

} // namespace

BENCHMARK(BM_HeadendAmplifierSliderMainWindowL)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HeadendAmplifierSliderL)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_LineAmplifierSliderL)->Unit(benchmark::kMillisecond)->Iterations(20);

BENCHMARK_MAIN();
