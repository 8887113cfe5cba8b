// The automatic design as the user waits for it on the demo catalogue (`ixo-cli new --auto` without the
// build, which is timed by the builder bench): regulation, line amplifiers where needed, regulation
// again, and the freeing of the project and its history. Sizes: M 4 stairs x 20 floors x 4 flats x 4
// outlets x 4 polarities, L 8 x 100 x 4 x 4 x 4.
#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "common/progress.h"
#include "design/auto_design.h"
#include "editing/network_editor.h"

#include "demo_buildings.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace ixo;
using bench::DemoStore;
using bench::RegularBuilding;

void Design(benchmark::State& state, const WizardResults& shape) {
    TalmacenElementos* store = DemoStore();
    if (store == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    double margin = 0.0;
    std::size_t amplifiers = 0;
    for (auto _ : state) {
        state.PauseTiming();
        NuevoProyecto created =
            CrearProyectoDesdeAsistente(*store, shape, DefaultSettings(), DefaultLevelLimits(), NoProgress());
        auto editor = std::make_unique<NetworkEditor>(*created.Proyecto);
        state.ResumeTiming();
        const DesignResult result = DesignAutomatically(*editor, DesignOptions{});
        margin = result.marginAfter;
        amplifiers = result.amplifiers.size();
        editor.reset();
        created.Proyecto.reset();
    }
    state.counters["worst_margin_dB"] = margin;
    state.counters["amplifiers"] = static_cast<double>(amplifiers);
}

void BM_DesignM(benchmark::State& state) {
    Design(state, RegularBuilding(4, 20, 4, 4, 4));
}
void BM_DesignL(benchmark::State& state) {
    Design(state, RegularBuilding(8, 100, 4, 4, 4));
}

BENCHMARK(BM_DesignM)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DesignL)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
