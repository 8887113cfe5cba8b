// Generating the two reports of a built installation through the recording document writer: the core's
// share of what the user waits for after choosing a report (the list of materials walks every element
// and pin; the outlet levels report recalculates twice and writes every table). Each cycle frees the
// writer's document too. Sizes: M 4 stairs x 20 floors x 4 flats x 4 outlets, L 8 x 100 x 4 x 4 (12,800
// outlets), 4 polarities.
#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "reports/informe.h"
#include "reports/recording_writer.h"
#include "reports/report_progress.h"

#include "demo_buildings.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ixo;
using bench::DemoStore;
using bench::RegularBuilding;

void Report(benchmark::State& state, int index, const WizardResults& shape) {
    TalmacenElementos* store = DemoStore();
    if (store == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    NuevoProyecto created =
        CrearProyectoDesdeAsistente(*store, shape, DefaultSettings(), DefaultLevelLimits(), NoProgress());
    for (auto _ : state) {
        auto writer = std::make_unique<RecordingWriter>();
        const ReportOutcome outcome = GenerarInforme(index, *created.Proyecto, *writer, NoReportProgress());
        if (outcome != ReportOutcome::Written) {
            state.SkipWithError("the report was not written");
            return;
        }
        writer.reset();
    }
    state.counters["outlets"] = static_cast<double>(shape.Nviv) * shape.NoutletViv;
}

BENCHMARK_CAPTURE(Report, Materials_M, kInformeMateriales, RegularBuilding(4, 20, 4, 4, 4))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Report, Materials_L, kInformeMateriales, RegularBuilding(8, 100, 4, 4, 4))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Report, OutletLevels_M, kInformeNiveles, RegularBuilding(4, 20, 4, 4, 4))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Report, OutletLevels_L, kInformeNiveles, RegularBuilding(8, 100, 4, 4, 4))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
