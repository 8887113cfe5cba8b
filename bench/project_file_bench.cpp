// Saving and opening the largest building (8 stairs x 100 floors x 4 flats x 4 outlets, 12,800 outlets)
// as the desktop program does: the save writes the whole component tree through a temporary file and
// a backup; the open reads it, re-attaches every list and pin and recalculates the levels.
#include "builder/nuevo_proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "common/progress.h"
#include "project/project_file.h"
#include "project/proyecto.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

namespace {

using namespace ixo;

struct Fixture {
    Fixture() {
        InitialiseElementModel();
        root->SetName("MainForm");
        OpenedCatalogue opened = OpenCatalogue(root.get(), std::filesystem::path(IXO_BIN_DIR) / "BD");
        if (!opened.Check.Passed) {
            return;
        }
        store = TPrimerComponente::Create<TalmacenElementos>(root.get(), *opened.Tables);
        WizardResults shape;
        shape.Nverticales = 8;
        shape.Nplantas = 100;
        shape.NoutletViv = 4;
        shape.Npolaridades = 4;
        shape.DisViv.assign(8, std::vector<std::int32_t>(100, 4));
        shape.Nviv = 3200;
        project =
            CrearProyectoDesdeAsistente(*store, shape, DefaultSettings(), DefaultLevelLimits(), NoProgress())
                .Proyecto;
        directory = std::filesystem::temp_directory_path() / ("ixo-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(directory);
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }
    std::unique_ptr<TPrimerComponente> root = TPrimerComponente::CreateRoot<TPrimerComponente>();
    TalmacenElementos* store = nullptr;
    std::unique_ptr<Tproyecto> project;
    std::filesystem::path directory;
};

Fixture& Large() {
    static Fixture fixture;
    return fixture;
}

void BM_SaveLarge(benchmark::State& state) {
    Fixture& large = Large();
    if (large.project == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    const std::filesystem::path path = large.directory / "large.XPJ";
    for (auto _ : state) {
        if (!SaveProject(*large.project, path)) {
            state.SkipWithError("the save failed");
            return;
        }
    }
    state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_SaveLarge)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenLarge(benchmark::State& state) {
    Fixture& large = Large();
    if (large.project == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    const std::filesystem::path path = large.directory / "open.XPJ";
    SaveProject(*large.project, path);
    for (auto _ : state) {
        OpenedProject opened = OpenProject(path, large.store);
        if (opened.result != kOpenOk) {
            state.SkipWithError("the open failed");
            return;
        }
        state.PauseTiming(); // freeing the project is not part of opening it
        opened.project.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLarge)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
