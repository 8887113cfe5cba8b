// Saving and opening project files of built installations on the demo catalogue: the file content
// written from the component tree, and the open (header, tree, attach, reconnection of every pin and the
// recalculation that opening runs; Recalculate in builder_bench times that run alone). Sizes: S 1 stair
// x 5 floors x 4 flats x 2 outlets, M 4 x 20 x 4 x 4, L 8 x 100 x 4 x 4 (12,800 outlets). The
// counters give the file size and the cost per outlet.
#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "common/progress.h"
#include "persistence/project_file.h"

#include "demo_buildings.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace ixo;
using bench::DemoStore;
using bench::RegularBuilding;

void SetCounters(benchmark::State& state, const WizardResults& shape, std::size_t fileBytes) {
    const double outlets = static_cast<double>(shape.Nviv) * shape.NoutletViv;
    state.counters["outlets"] = outlets;
    state.counters["file_KiB"] = static_cast<double>(fileBytes) / 1024.0;
    state.counters["per_outlet"] = benchmark::Counter(outlets, benchmark::Counter::kIsIterationInvariantRate |
                                                                   benchmark::Counter::kInvert);
}

void Save(benchmark::State& state, const WizardResults& shape) {
    TalmacenElementos* store = DemoStore();
    if (store == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    NuevoProyecto created =
        CrearProyectoDesdeAsistente(*store, shape, DefaultSettings(), DefaultLevelLimits(), NoProgress());
    std::size_t size = 0;
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes = ProjectFileBytes(*created.Proyecto);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    SetCounters(state, shape, size);
}

void Open(benchmark::State& state, const WizardResults& shape) {
    TalmacenElementos* store = DemoStore();
    if (store == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    NuevoProyecto created =
        CrearProyectoDesdeAsistente(*store, shape, DefaultSettings(), DefaultLevelLimits(), NoProgress());
    const std::vector<std::uint8_t> bytes = ProjectFileBytes(*created.Proyecto);
    for (auto _ : state) {
        OpenedProject opened = ReadProjectBytes(bytes, "bench.XPJ", store);
        if (opened.result != OpenResult::Ok) {
            state.SkipWithError("the project did not open");
            return;
        }
        opened.project.reset();
    }
    SetCounters(state, shape, bytes.size());
}

BENCHMARK_CAPTURE(Save, S, RegularBuilding(1, 5, 4, 2, 4))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, M, RegularBuilding(4, 20, 4, 4, 4))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, L, RegularBuilding(8, 100, 4, 4, 4))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Open, S, RegularBuilding(1, 5, 4, 2, 4))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, M, RegularBuilding(4, 20, 4, 4, 4))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, L, RegularBuilding(8, 100, 4, 4, 4))->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
