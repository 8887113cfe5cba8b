// One edit as the user waits for it on the demo catalogue: a line amplifier inserted in front of a
// floor multiswitch (with its partners and their supplies), then the level run and the outlet check;
// and the undo of that edit with its own level run and check. Sizes: M 4 stairs x 20 floors x 4 flats x
// 4 outlets x 16 polarities, L 8 x 100 x 4 x 4 x 16 (12,800 outlets).
#include "builder/nuevo_proyecto.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "common/progress.h"
#include "editing/network_editor.h"
#include "editing/network_edits.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"

#include "demo_buildings.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ixo;
using bench::DemoStore;
using bench::RegularBuilding;

constexpr std::int32_t kAL17 = 1000; // line amplifier for 17 lines (16 polarities + terrestrial)

// A floor multiswitch half-way up the first stair.
TMultiswitch* MiddleMultiswitch(Tproyecto& project) {
    std::vector<TMultiswitch*> found;
    for (TPrimerComponente* child : project.RedTV().Components()) {
        auto* ms = dynamic_cast<TMultiswitch*>(child);
        auto* floor = ms != nullptr ? dynamic_cast<tplanta*>(ms->Container()) : nullptr;
        if (floor != nullptr && !floor->HeaderPl && ms->DoublePartner() == nullptr) {
            found.push_back(ms);
        }
    }
    return found.empty() ? nullptr : found[found.size() / 16];
}

void EditAndUndo(benchmark::State& state, const WizardResults& shape, bool timeUndo) {
    TalmacenElementos* store = DemoStore();
    if (store == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    NuevoProyecto created =
        CrearProyectoDesdeAsistente(*store, shape, DefaultSettings(), DefaultLevelLimits(), NoProgress());
    Tproyecto& project = *created.Proyecto;
    TMultiswitch* ms = MiddleMultiswitch(project);
    if (ms == nullptr) {
        state.SkipWithError("no floor multiswitch");
        return;
    }
    NetworkEditor editor(project);
    const NetworkEditor::Edit edit = [&](EditJournal& journal) {
        return InsertLineAmplifier(project, *ms, kAL17, journal);
    };
    for (auto _ : state) {
        if (timeUndo) {
            state.PauseTiming();
            if (!editor.Apply(edit)) {
                state.SkipWithError("the amplifier was refused");
                break;
            }
            state.ResumeTiming();
            editor.Undo();
        } else {
            if (!editor.Apply(edit)) {
                state.SkipWithError("the amplifier was refused");
                break;
            }
            state.PauseTiming();
            editor.Undo();
            state.ResumeTiming();
        }
    }
    state.counters["outlets"] = static_cast<double>(shape.Nviv) * shape.NoutletViv;
}

void BM_EditM(benchmark::State& state) {
    EditAndUndo(state, RegularBuilding(4, 20, 4, 4, 16), false);
}
void BM_UndoM(benchmark::State& state) {
    EditAndUndo(state, RegularBuilding(4, 20, 4, 4, 16), true);
}
void BM_EditL(benchmark::State& state) {
    EditAndUndo(state, RegularBuilding(8, 100, 4, 4, 16), false);
}
void BM_UndoL(benchmark::State& state) {
    EditAndUndo(state, RegularBuilding(8, 100, 4, 4, 16), true);
}

BENCHMARK(BM_EditM)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoM)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditL)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_UndoL)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
