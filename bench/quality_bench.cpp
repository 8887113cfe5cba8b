// Checking a built installation against a standard: every outlet's levels and C/N at every polarity its
// flat selects (the measurement switches the flats' polarities as the outlet check does), then the
// compliance report through the recording document writer. What the user waits for after "check
// --standard" or "report --compliance", minus opening the file. Sizes: M 4 stairs x 20 floors x 4 flats x
// 4 outlets with 4 polarities; L 8 x 20 x 8 x 4 with 16 polarities (5,120 outlets).
#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "common/progress.h"
#include "catalogue/almacen_elementos.h"
#include "levels/quality_check.h"
#include "reports/compliance_report.h"
#include "reports/recording_writer.h"
#include "settings/standard_presets.h"

#include "demo_buildings.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ixo;
using bench::DemoStore;
using bench::RegularBuilding;

void Quality(benchmark::State& state, bool report, const WizardResults& shape) {
    TalmacenElementos* store = DemoStore();
    if (store == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    NuevoProyecto created =
        CrearProyectoDesdeAsistente(*store, shape, DefaultSettings(), DefaultLevelLimits(), NoProgress());
    Tproyecto& project = *created.Proyecto;
    const QualityLimits limits = LimitsOf(*FindStandardPreset("EN60728-1"), project.Preferencias());
    for (auto _ : state) {
        if (report) {
            auto writer = std::make_unique<RecordingWriter>();
            ComplianceFindings findings;
            findings.standardTitle = "EN 60728-1";
            findings.limits = limits;
            benchmark::DoNotOptimize(EscribirInformeConformidad(*writer, project, findings));
            writer.reset();
        } else {
            benchmark::DoNotOptimize(CheckQuality(project, limits));
        }
    }
    state.counters["outlets"] = static_cast<double>(shape.Nviv) * shape.NoutletViv;
}

BENCHMARK_CAPTURE(Quality, Check_M, false, RegularBuilding(4, 20, 4, 4, 4))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Quality, Check_L16, false, RegularBuilding(8, 20, 8, 4, 16))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Quality, Compliance_M, true, RegularBuilding(4, 20, 4, 4, 4))
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
