#include "builder/distribucion_troncal.h"

#include "builder/alimentacion_escalera.h"
#include "builder/colocacion_ms.h"
#include "builder/skipped_parts.h"
#include "builder/tabla_ms.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "model/cabecera_terrestre.h"
#include "model/repartidor.h"

#include <algorithm>

namespace ixo {

namespace {

bool PotenciasDeLinea(int polarities) {
    return polarities > 12 || polarities == 8;
}

bool AlimentadoPorTerrestre(const TRepartidor* splitter) {
    for (const TPin* input : splitter->PinesENTRADA()) {
        if (input->Peer() != nullptr && input->Peer()->Owner() != nullptr &&
            input->Peer()->Owner()->Is<TCabeceraTerrestre>()) {
            return true;
        }
    }
    return false;
}

TMatMs TablaDeModelos(Tproyecto& project) {
    const TalmacenElementos* store = project.Almacen();
    if (store == nullptr) {
        return {};
    }
    const TpreferenciasProyecto& prefs = project.Preferencias();
    const MsFamilyChoice choice = ChooseFloorMsFamily(prefs.Npolaridades, prefs.DIS_FAMILIAMS8POL,
                                                      prefs.DIS_FAMILIAMS16POL, prefs.Dis_FAMMSCAS);
    TMatMs table = ConstruirTablaMs(*store, choice.Familia, choice.Key);
    if (table.empty()) {
        RecordMissingElement(project, "no floor multiswitch of family " + std::to_string(choice.Familia) +
                                          " in the catalogue: the flats are not fed");
    }
    return table;
}

} // namespace

int NumeroLineasTroncales(int polarities, bool terrestrial) {
    const int t = terrestrial ? 1 : 0;
    return PotenciasDeLinea(polarities) ? t + polarities : t * (polarities / 4) + polarities;
}

std::vector<TRepartidor*> LineasTroncales(const Tproyecto& project, const tplanta& headendFloor) {
    const TpreferenciasProyecto& prefs = project.Preferencias();
    const auto count = static_cast<std::size_t>(NumeroLineasTroncales(prefs.Npolaridades, prefs.HD_ICTERR));
    std::vector<TRepartidor*> splitters;
    for (const auto& entry : headendFloor.ETV()) {
        if (entry.Object != nullptr && entry.Object->Is<TRepartidor>()) {
            splitters.push_back(static_cast<TRepartidor*>(entry.Object));
        }
    }
    if (count == 0 || splitters.size() < count) {
        return {};
    }
    return {splitters.end() - static_cast<std::ptrdiff_t>(count), splitters.end()};
}

void PonerLineaTerrestrePrimero(std::vector<TRepartidor*>& lines) {
    const auto terrestrial = std::find_if(lines.begin(), lines.end(), AlimentadoPorTerrestre);
    if (terrestrial != lines.end()) {
        std::rotate(lines.begin(), terrestrial, terrestrial + 1);
    }
}

int DistribuirTroncal(Tproyecto& project, tplanta& headendFloor, Progress& progress) {
    const int polarities = project.Preferencias().Npolaridades;
    const TMatMs table = TablaDeModelos(project);
    std::vector<TRepartidor*> lines = LineasTroncales(project, headendFloor);
    if (PotenciasDeLinea(polarities)) {
        PonerLineaTerrestrePrimero(lines);
    }
    const int stairs = static_cast<int>(project.Escaleras().Count());
    for (const auto& entry : project.Escaleras()) {
        TEscalera* stair = entry.Object;
        if (stair != nullptr && stair->UltimaPlantaConViviendas() != nullptr) {
            if (PotenciasDeLinea(polarities)) {
                ColocarMs816(project, *stair, stairs, table);
            } else {
                ColocarCascada(project, *stair, table);
            }
            if (lines.empty()) {
                AlimentarEscaleraDirecta(project, headendFloor, *stair);
            } else {
                AlimentarEscalera(project, headendFloor, *stair, lines);
            }
        }
        progress.Step();
        if (progress.CancelRequested()) {
            return 0;
        }
    }
    return 1;
}

} // namespace ixo
