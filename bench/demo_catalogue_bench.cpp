// Start-up cost of the catalogue: open and check the twelve tables of the demo catalogue built beside
// the programs, then build the element store (one prototype per record).
#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace ixo;

const std::filesystem::path kDemoCatalogue = std::filesystem::path(IXO_BIN_DIR) / "BD";

void BM_OpenAndCheckDemoCatalogue(benchmark::State& state) {
    for (auto _ : state) {
        auto owner = TPrimerComponente::CreateRoot<TPrimerComponente>();
        OpenedCatalogue opened = OpenCatalogue(owner.get(), kDemoCatalogue);
        if (!opened.Check.Passed) {
            state.SkipWithError("the demo catalogue is missing: build the project first");
            return;
        }
        benchmark::DoNotOptimize(opened.Tables);
    }
}
BENCHMARK(BM_OpenAndCheckDemoCatalogue)->Unit(benchmark::kMillisecond);

void BM_LoadDemoStore(benchmark::State& state) {
    InitialiseElementModel(); // prototypes of every element class, as the programs load them
    for (auto _ : state) {
        auto owner = TPrimerComponente::CreateRoot<TPrimerComponente>();
        OpenedCatalogue opened = OpenCatalogue(owner.get(), kDemoCatalogue);
        if (!opened.Check.Passed) {
            state.SkipWithError("the demo catalogue is missing: build the project first");
            return;
        }
        auto* store = TPrimerComponente::Create<TalmacenElementos>(owner.get(), *opened.Tables);
        benchmark::DoNotOptimize(store);
    }
}
BENCHMARK(BM_LoadDemoStore)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
