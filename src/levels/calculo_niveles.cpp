#include "levels/calculo_niveles.h"

#include "levels/comprobacion_tomas.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/especial.h"
#include "model/padre_tv.h"
#include "model/pin.h"

namespace ixo {
namespace {

// Terrestrial seed: the headend's input level in the 47 MHz and terrestrial bands, nothing in the IF
// bands; satellite seed: the LNB level in the IF bands only.
LevelVector TerrestrialSeed(double level) {
    LevelVector seed;
    for (std::size_t band = 0; band < kFirstSatelliteBand; ++band) {
        seed[band] = level;
    }
    return seed;
}

LevelVector SatelliteSeed(double level) {
    LevelVector seed;
    for (std::size_t band = kFirstSatelliteBand; band < kBandCount; ++band) {
        seed[band] = level;
    }
    return seed;
}

void RenewConnectorsOf(const TComponenteBase& element) {
    for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
        for (TPin* pin : element.PinsOf(kind)) {
            pin->RenewFittedConnector();
        }
    }
}

} // namespace

void PropagarNiveles(Tproyecto& project, tplanta& headendFloor, bool seed) {
    const TpreferenciasProyecto& preferences = project.Preferencias();
    // Every pin starts at zero, as in a network just read from a file: a pin that no source reaches
    // (an element cut off by an edit, a flat behind it) shows no level rather than one of an earlier run.
    // Elements inside the flats are not owned by the network container and keep their flags: every
    // level that reaches a flat comes through its entry, which recomputes what follows.
    for (TPrimerComponente* component : project.RedTV().Components()) {
        if (auto* element = TPrimerComponente::AsOrNull<TCBFT>(component)) {
            element->ClearCalculated();
            element->ClearLevels();
        }
    }
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object != nullptr && flat.Object->Contenedor() != nullptr) {
            for (TPrimerComponente* component : flat.Object->Contenedor()->Components()) {
                if (auto* element = TPrimerComponente::AsOrNull<TComponenteBase>(component)) {
                    element->ClearLevels();
                }
            }
        }
    }
    std::vector<TCBFT*> sources;
    for (const auto& entry : headendFloor.ETV()) {
        if (TPrimerComponente::AsOrNull<Tantena>(entry.Object) != nullptr ||
            TPrimerComponente::AsOrNull<TCabeceraTerrestre>(entry.Object) != nullptr) {
            sources.push_back(static_cast<TCBFT*>(entry.Object));
        }
    }
    if (seed) {
        for (TCBFT* source : sources) {
            if (auto* dish = source->As<Tantena>()) {
                dish->SetInputLevels(SatelliteSeed(preferences.LV_FI));
            } else {
                static_cast<TCabeceraTerrestre*>(source)->SetNivelTerr(TerrestrialSeed(preferences.LV_TERR));
            }
        }
    }
    for (TCBFT* source : sources) {
        if (auto* dish = source->As<Tantena>()) {
            dish->StartPush();
        } else {
            source->ReceiveLevel(LevelVector(), nullptr);
        }
    }
}

void CalcularNiveles(Tproyecto& project, tplanta& headendFloor, bool seed) {
    PropagarNiveles(project, headendFloor, seed);
    ComprobarErrores(project);
}

void Recalcular(Tproyecto& project) {
    if (tplanta* headend = project.PlantaCabecera()) {
        CalcularNiveles(project, *headend, false);
    }
}

void RenovarConectores(Tproyecto& project) {
    for (TPrimerComponente* component : project.RedTV().Components()) {
        if (auto* element = TPrimerComponente::AsOrNull<TComponenteBase>(component)) {
            RenewConnectorsOf(*element);
        }
    }
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object == nullptr) {
            continue;
        }
        if (flat.Object->Entrada() != nullptr) {
            RenewConnectorsOf(*flat.Object->Entrada());
        }
        for (const auto& entry : flat.Object->ETV()) {
            if (entry.Object != nullptr) {
                RenewConnectorsOf(*entry.Object);
            }
        }
    }
}

} // namespace ixo
