// Building a whole installation from a building shape on the demo catalogue: structure, headend, stair
// feeding, level run and outlet check, as the New command does it; and the recalculation alone, which
// runs after every edit. Each cycle frees the project too, as a user waits for it. Sizes: S 1 stair x 5 floors x 4 flats x 2 outlets, M 4 x 20 x 4 x 4,
// L 8 x 100 x 4 x 4 (12,800 outlets) with 16 and with 4 polarities. The counters give the cost per
// outlet and the peak resident memory of the process.
#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "common/progress.h"
#include "levels/calculo_niveles.h"

#include "demo_buildings.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>

namespace {

using namespace ixo;
using bench::DemoStore;
using bench::RegularBuilding;

double PeakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void SetCounters(benchmark::State& state, const WizardResults& shape) {
    const double outlets = static_cast<double>(shape.Nviv) * shape.NoutletViv;
    state.counters["outlets"] = outlets;
    state.counters["per_outlet"] = benchmark::Counter(outlets, benchmark::Counter::kIsIterationInvariantRate |
                                                                   benchmark::Counter::kInvert);
    state.counters["peak_MiB"] = PeakResidentMiB();
}

void BuildRunCheck(benchmark::State& state, const WizardResults& shape) {
    TalmacenElementos* store = DemoStore();
    if (store == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    for (auto _ : state) {
        NuevoProyecto created =
            CrearProyectoDesdeAsistente(*store, shape, DefaultSettings(), DefaultLevelLimits(), NoProgress());
        benchmark::DoNotOptimize(created.Resultado);
        created.Proyecto.reset();
    }
    SetCounters(state, shape);
}

void Recalculate(benchmark::State& state, const WizardResults& shape) {
    TalmacenElementos* store = DemoStore();
    if (store == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    NuevoProyecto created =
        CrearProyectoDesdeAsistente(*store, shape, DefaultSettings(), DefaultLevelLimits(), NoProgress());
    for (auto _ : state) {
        Recalcular(*created.Proyecto);
    }
    SetCounters(state, shape);
}

BENCHMARK_CAPTURE(BuildRunCheck, S_4pol, RegularBuilding(1, 5, 4, 2, 4))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildRunCheck, M_4pol, RegularBuilding(4, 20, 4, 4, 4))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildRunCheck, L_16pol, RegularBuilding(8, 100, 4, 4, 16))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BuildRunCheck, L_4pol, RegularBuilding(8, 100, 4, 4, 4))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Recalculate, L_16pol, RegularBuilding(8, 100, 4, 4, 16))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Recalculate, L_4pol, RegularBuilding(8, 100, 4, 4, 4))->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
