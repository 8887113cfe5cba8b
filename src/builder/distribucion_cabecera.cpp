#include "builder/distribucion_cabecera.h"

#include "builder/cabecera.h"
#include "builder/elementos_red.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/vivienda.h"
#include "model/especial.h"
#include "model/multiswitch.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace ixo {

namespace {

constexpr double kMetrosReserva = 10.0; // slack from the riser to the flat entry

struct Acometida {
    Tvivienda* flat = nullptr;
    double metres = 0.0;
};

struct Grupos {
    std::vector<Acometida> a; // top floor first, each floor's flats in their order
    std::vector<Acometida> b; // in creation order
};

Grupos AgruparViviendas(const Tproyecto& project, TEscalera& stair, double horizontal) {
    const double floorHeight = project.Preferencias().DistanciaPlantas;
    const int floors = static_cast<int>(stair.ListaPlantas().Count());
    const int b = stair.PlantaCabecera() != nullptr ? 1 : 0;
    Grupos groups;
    for (int e = 0; e < floors; ++e) {
        const tplanta* floor = stair.ListaPlantas().Object(static_cast<std::size_t>(e));
        if (floor == nullptr || floor->HeaderPl) {
            continue;
        }
        const double metres = floorHeight * (floors - e - 1 - b) + horizontal + kMetrosReserva;
        const std::size_t n = floor->LViviendas().Count();
        const std::size_t half = (n + 1) / 2;
        std::vector<Acometida> floorA;
        for (std::size_t i = 0; i < n; ++i) {
            Tvivienda* flat = floor->LViviendas().Object(i);
            if (flat == nullptr) {
                continue;
            }
            (i < half ? floorA : groups.b).push_back({flat, metres});
        }
        groups.a.insert(groups.a.begin(), floorA.begin(), floorA.end());
    }
    std::stable_sort(groups.b.begin(), groups.b.end(), [](const Acometida& x, const Acometida& y) {
        return x.flat->Numero_Interno() < y.flat->Numero_Interno();
    });
    return groups;
}

std::vector<TMultiswitch*> MultiswitchesDe(const tplanta& floor) {
    std::vector<TMultiswitch*> found;
    for (const auto& entry : floor.ETV()) {
        if (entry.Object != nullptr && entry.Object->Is<TMultiswitch>()) {
            found.push_back(static_cast<TMultiswitch*>(entry.Object));
        }
    }
    return found;
}

void AlimentarEscaleraDesdeCabecera(Tproyecto& project, const tplanta& headend, TEscalera& stair,
                                    const std::vector<TMultiswitch*>& multiswitches) {
    const TEscalera* headendStair = headend.Escalera();
    const double horizontal = headendStair != nullptr ? DistanciaHorizontal(project, stair, *headendStair)
                                                      : DistanciaHorizontal(project, stair, stair);
    const Grupos groups = AgruparViviendas(project, stair, horizontal);
    auto current = std::find_if(multiswitches.begin(), multiswitches.end(), [](const TMultiswitch* ms) {
        return ms->FindFreePin(PinKind::Output, kFirstFreePin) != nullptr;
    });
    if (current == multiswitches.end()) {
        return;
    }
    TCableTV* cable = CableDe(project, TpreferenciasProyecto::kCablePlanta);
    auto feed = [&](const Acometida& drop) {
        TComponenteBase* entry = drop.flat->Entrada();
        if (entry == nullptr || ConectarSalida(**current, -1, *entry, drop.metres, cable)) {
            return;
        }
        if (std::next(current) != multiswitches.end()) {
            ++current;
            ConectarSalida(**current, -1, *entry, drop.metres, cable);
        }
    };
    std::for_each(groups.a.begin(), groups.a.end(), feed);
    std::for_each(groups.b.begin(), groups.b.end(), feed);
}

} // namespace

int DistribuirDesdeCabecera(Tproyecto& project, tplanta& headendFloor, Progress& progress) {
    const std::vector<TMultiswitch*> multiswitches = MultiswitchesDe(headendFloor);
    for (const auto& entry : project.Escaleras()) {
        if (entry.Object != nullptr) {
            AlimentarEscaleraDesdeCabecera(project, headendFloor, *entry.Object, multiswitches);
        }
        progress.Step();
        if (progress.CancelRequested()) {
            return 0;
        }
    }
    return 1;
}

} // namespace ixo
