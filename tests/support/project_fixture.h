#pragma once

#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "settings/level_limits.h"
#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace ixo::test {

// The shape of a building as the new-project wizard enters it.
struct BuildingShape {
    int stairs = 1;        // Nverticales
    int floors = 1;        // Nplantas (without the headend floor)
    int flatsPerFloor = 1; // used for every floor when `flats` is empty
    // Flats per floor in the preferences' layout (DisViv): row 0 is the LAST stair, column 0 its TOP
    // floor. Leave empty to use flatsPerFloor everywhere.
    std::vector<std::vector<std::int32_t>> flats;
    int outlets = 2;             // NoutletViv
    int topology = 0;            // TipoDistribucionViv: 0 star, 1 cascade
    int polarities = 4;          // Npolaridades
    int headendStair = 1;        // VertHeader: 1-based stair of the headend floor, 0 none
    int headendDistribution = 0; // TipoDistribucionCab
};

// The element store of the demo catalogue beside the programs, opened once for the whole test program
// (with the system's element creators and model classes registered).
TalmacenElementos& DemoStore();

// The DisViv table of a shape (the explicit table, or flatsPerFloor in every cell).
std::vector<std::vector<std::int32_t>> FlatsTableOf(const BuildingShape& shape);

// A new project on the demo store, made the way the New command makes one: the default settings record,
// the default level limits, the building shape and its flats table, then IniciarProyecto (title block,
// cable list, stairs, floors and flats with their distributions). Nothing of the network outside the
// flats is built. The caller owns the project.
std::unique_ptr<Tproyecto> MakeProject(const BuildingShape& shape,
                                       const SettingsRecord& settings = DefaultSettings(),
                                       const TMatestructuranivel& limits = DefaultLevelLimits());

// A GoogleTest fixture holding one such project.
class ProjectFixture : public ::testing::Test {
protected:
    Tproyecto& Build(const BuildingShape& shape, const SettingsRecord& settings = DefaultSettings()) {
        project = MakeProject(shape, settings);
        return *project;
    }
    TalmacenElementos& Store() { return DemoStore(); }

    std::unique_ptr<Tproyecto> project;
};

} // namespace ixo::test
