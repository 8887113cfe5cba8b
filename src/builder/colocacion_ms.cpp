#include "builder/colocacion_ms.h"

#include "builder/cascada_ms.h"
#include "builder/elementos_planta.h"
#include "builder/ms816.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "model/alimentador.h"
#include "model/cbft.h"

#include <algorithm>
#include <optional>

namespace ixo {

namespace {

// The floors of the stair that have flats, bottom up.
std::vector<FloorWithFlats> PlantasConViviendas(const TEscalera& stair) {
    std::vector<FloorWithFlats> floors;
    const auto& plantas = stair.ListaPlantas();
    for (std::size_t i = 0; i < plantas.Count(); ++i) {
        const tplanta* planta = plantas.Object(i);
        if (planta != nullptr && !planta->LViviendas().Empty()) {
            floors.push_back({static_cast<int>(i), static_cast<int>(planta->LViviendas().Count())});
        }
    }
    return floors;
}

// One power supply per multiswitch of a position whose model has no outputs (the end of the cascade,
// where no injector on the line reaches it when the installation is powered by supplies).
std::vector<TCBFT*> FuentesDePosicion(Tproyecto& project, int count) {
    const TpreferenciasProyecto& preferences = project.Preferencias();
    std::vector<TCBFT*> supplies;
    for (int i = 0; i < count; ++i) {
        TCBFT* supply =
            NuevoElementoCatalogo(project, preferences.DIS_FAMILIAFUENTE, preferences.DIS_MODELOFUENTE);
        if (supply == nullptr) {
            break; // the model is missing: no supply for any multiswitch
        }
        supplies.push_back(supply);
    }
    return supplies;
}

// Creates the multiswitches (and their supplies) of one plan position at the front of its floor.
void ColocarPosicion(Tproyecto& project, tplanta& floor, const TCascadaVertical& position) {
    const TpreferenciasProyecto& preferences = project.Preferencias();
    const int members = std::clamp(position.Multiswitches, 1, 3);
    TCBFT* first = NuevoElementoCatalogo(project, preferences.Dis_FAMMSCAS, position.Modelo);
    if (first == nullptr) {
        return;
    }
    std::vector<TCBFT*> supplies;
    if (first->PinesSALIDA().empty() && preferences.ConInyector == 0) {
        supplies = FuentesDePosicion(project, members);
    }
    std::vector<TCBFT*> multiswitches{first};
    for (int i = 1; i < members; ++i) {
        if (TCBFT* partner = NuevoElementoCatalogo(project, preferences.Dis_FAMMSCAS, position.Modelo)) {
            multiswitches.push_back(partner);
        }
    }
    if (!supplies.empty()) {
        EnlazarSocios(supplies);
        for (std::size_t i = 0; i < supplies.size() && i < multiswitches.size(); ++i) {
            if (auto* feeder = dynamic_cast<Talimentador*>(supplies[i])) {
                feeder->AddFed(multiswitches[i]);
            }
        }
        InsertarAlFrente(floor, supplies);
    }
    EnlazarSocios(multiswitches);
    InsertarAlFrente(floor, multiswitches);
}

// The current the headend can give the line of a single-stair installation: the CorrienteMaxima of the
// last element of the headend floor that has some.
std::optional<std::int32_t> CorrienteCabecera(const Tproyecto& project) {
    const tplanta* headend = project.PlantaCabecera();
    if (headend == nullptr) {
        return std::nullopt;
    }
    for (std::size_t i = headend->ETV().Count(); i-- > 0;) {
        const auto* element = dynamic_cast<const TCBFT*>(headend->ETV().Object(i));
        if (element != nullptr && element->CorrienteMaxima > 0) {
            return element->CorrienteMaxima;
        }
    }
    return std::nullopt;
}

} // namespace

int ColocarCascada(Tproyecto& project, TEscalera& stair, const TMatMs& table) {
    const TpreferenciasProyecto& preferences = project.Preferencias();
    const TVectorCascadaVerticales plan = PlanCascada(
        table, PlantasConViviendas(stair), preferences.DIS_Final_CAscada, preferences.Npolaridades);
    for (const TCascadaVertical& position : plan) {
        if (position.Modelo < 0 || position.Planta < 0 ||
            static_cast<std::size_t>(position.Planta) >= stair.ListaPlantas().Count()) {
            continue;
        }
        if (tplanta* floor = stair.ListaPlantas().Object(static_cast<std::size_t>(position.Planta))) {
            ColocarPosicion(project, *floor, position);
        }
    }
    ConectarViviendas(project, stair);
    EncadenarPlantas(project, stair);
    return 1;
}

int ColocarMs816(Tproyecto& project, TEscalera& stair, int stairs, const TMatMs& table) {
    const bool oneStair = stairs == 1;
    MsSupplyState state = InitialSupplyState(oneStair ? CorrienteCabecera(project) : std::nullopt);
    const std::int32_t family = table.empty() ? 0 : table.front().Familia;
    const auto& plantas = stair.ListaPlantas();
    for (std::size_t i = plantas.Count(); i-- > 0;) {
        tplanta* floor = plantas.Object(i);
        if (floor == nullptr || floor->LViviendas().Empty()) {
            continue;
        }
        const int flats = static_cast<int>(floor->LViviendas().Count());
        for (const MsTableCell& cell : PlanMs816Floor(table, flats, state, oneStair, family)) {
            floor->AgregarElemento(NuevoElementoCatalogo(project, cell.Familia, cell.Celda.Indice));
        }
    }
    ConectarViviendas(project, stair);
    EncadenarPlantas(project, stair);
    return 1;
}

} // namespace ixo
