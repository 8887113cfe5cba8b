// The connection steps of the floor multiswitches: flats to taps, positions of a floor one after the
// other, and floor to floor down the stair.
#include "builder/colocacion_ms.h"

#include "builder/elementos_planta.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/cable_tv.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/multiswitch.h"

#include <deque>

namespace ixo {

namespace {

constexpr double kMetrosVivienda = 10.0; // floor cable from a tap to a flat's entry
constexpr double kMetrosPosicion = 0.5;  // between two positions of one floor
constexpr std::int32_t kFamiliaDiseqc = 5500;
constexpr std::int32_t kDiseqcDos = 1000;  // two inputs
constexpr std::int32_t kDiseqcTres = 1001; // three inputs

TCableTV* CablePlanta(const Tproyecto& project) {
    return project.Preferencias().Cable(TpreferenciasProyecto::kCablePlanta);
}

// The flat's entry when it can still take a feed.
Tentradaviv* EntradaLibre(const Tvivienda& flat) {
    Tentradaviv* entry = flat.Entrada();
    return entry != nullptr && entry->HasFreeInput() ? entry : nullptr;
}

// A flat fed straight from a tap of one multiswitch.
bool ConectarDirecta(Tproyecto& project, TMultiswitch& multiswitch, Tentradaviv& entry) {
    return multiswitch.ConnectPin(kFirstFreePin, PinKind::Tap, kMetrosVivienda, CablePlanta(project),
                                  kFirstFreePin, PinKind::Input, entry);
}

// A flat fed through a DiSEqC switch from one tap of each multiswitch of the position
// members[0..g-1]. A switch whose taps cannot all be connected is taken away again, so that no flat is
// left on a switch missing a satellite.
bool ConectarConDiseqc(Tproyecto& project, tplanta& floor, const std::vector<TMultiswitch*>& members,
                       Tentradaviv& entry) {
    if (members.front()->PinesDERIVACION().empty() || !members.front()->HasFreeTap()) {
        return false;
    }
    TCBFT* created =
        NuevoElementoCatalogo(project, kFamiliaDiseqc, members.size() == 2 ? kDiseqcDos : kDiseqcTres);
    auto* diseqc = dynamic_cast<TDISECQ*>(created);
    if (diseqc == nullptr) {
        if (created != nullptr) {
            TPrimerComponente::Destroy(created);
        }
        return false;
    }
    TCableTV* cable = CablePlanta(project);
    for (TMultiswitch* member : members) {
        if (!member->ConnectPin(kFirstFreePin, PinKind::Tap, 0.0, cable, kFirstFreePin, PinKind::Input,
                                *diseqc)) {
            TPrimerComponente::Destroy(diseqc);
            return false;
        }
    }
    floor.AgregarElemento(diseqc);
    diseqc->ConnectPin(kFirstFreePin, PinKind::Output, kMetrosVivienda, cable, kFirstFreePin, PinKind::Input,
                       entry);
    return true;
}

// The flats of one floor to the taps of its multiswitches, from the last position of ETV backwards.
void ConectarViviendasPlanta(Tproyecto& project, tplanta& floor) {
    const int g = TamanoGrupo(floor);
    const std::vector<TMultiswitch*> multiswitches = MultiswitchesDe(floor);
    std::deque<Tvivienda*> pending;
    for (const auto& entry : floor.LViviendas()) {
        if (entry.Object != nullptr) {
            pending.push_back(entry.Object);
        }
    }
    int i = static_cast<int>(multiswitches.size()) - 1;
    while (i >= 0 && !pending.empty()) {
        Tentradaviv* entry = EntradaLibre(*pending.front());
        if (entry == nullptr) {
            pending.pop_front(); // nothing can feed this flat: it stays as it is
            continue;
        }
        bool connected = false;
        if (g == 1) {
            connected = ConectarDirecta(project, *multiswitches[static_cast<std::size_t>(i)], *entry);
        } else if (i - g + 1 >= 0) {
            std::vector<TMultiswitch*> members(multiswitches.begin() + (i - g + 1),
                                               multiswitches.begin() + (i + 1));
            connected = ConectarConDiseqc(project, floor, members, *entry);
        }
        if (connected) {
            pending.pop_front();
        } else {
            i -= g;
        }
    }
}

bool EsCabeceraOVacia(const tplanta* floor) {
    return floor == nullptr || floor->HeaderPl || floor->ETV().Empty();
}

} // namespace

void ConectarViviendas(Tproyecto& project, TEscalera& stair) {
    const auto& floors = stair.ListaPlantas();
    for (std::size_t f = 0; f < floors.Count(); ++f) {
        tplanta* floor = floors.Object(f);
        if (EsCabeceraOVacia(floor)) {
            continue;
        }
        ConectarViviendasPlanta(project, *floor);
        EncadenarPlanta(project, *floor, static_cast<int>(MultiswitchesDe(*floor).size()));
    }
}

void EncadenarPlanta(Tproyecto& project, tplanta& floor, int count) {
    const std::size_t g = static_cast<std::size_t>(TamanoGrupo(floor));
    std::vector<TMultiswitch*> multiswitches = MultiswitchesDe(floor);
    if (count < 0) {
        return;
    }
    if (multiswitches.size() > static_cast<std::size_t>(count)) {
        multiswitches.resize(static_cast<std::size_t>(count));
    }
    for (std::size_t s = 0; s + 1 < multiswitches.size(); s += g) {
        for (std::size_t j = 0; j < g && s + g + j < multiswitches.size(); ++j) {
            ConectarMs(project, multiswitches[s + j], multiswitches[s + g + j], kMetrosPosicion);
        }
    }
}

void EncadenarPlantas(Tproyecto& project, TEscalera& stair) {
    const double length = project.Preferencias().DistanciaPlantas;
    const auto& floors = stair.ListaPlantas();
    const tplanta* upper = nullptr;
    for (std::size_t f = floors.Count(); f-- > 0;) {
        const tplanta* lower = floors.Object(f);
        if (EsCabeceraOVacia(lower)) {
            continue;
        }
        if (upper != nullptr) {
            const std::vector<TMultiswitch*> from = MultiswitchesDe(*upper);
            const std::vector<TMultiswitch*> to = MultiswitchesDe(*lower);
            const std::size_t g = static_cast<std::size_t>(TamanoGrupo(*upper));
            for (std::size_t j = 0; j < g && j < to.size() && g <= from.size(); ++j) {
                ConectarMs(project, from[from.size() - g + j], to[j], length);
            }
        }
        upper = lower;
    }
}

void ConectarMs(Tproyecto& project, TComponenteBase* upper, TComponenteBase* lower, double length) {
    if (upper == nullptr || lower == nullptr || lower->Is<TDISECQ>()) {
        return;
    }
    const TpreferenciasProyecto& preferences = project.Preferencias();
    TCableTV* cable = preferences.Cable(length > kMetrosPosicion ? TpreferenciasProyecto::kCableVertical
                                                                 : TpreferenciasProyecto::kCablePlanta);
    const int outputs = static_cast<int>(upper->PinesSALIDA().size());
    for (int i = 0; i < outputs; ++i) {
        const TPin* input = lower->PinAt(PinKind::Input, i);
        if (preferences.HD_ICTERR || input == nullptr || input->Prefijo != 'A') {
            upper->ConnectPin(i, PinKind::Output, length, cable, i, PinKind::Input, *lower);
        }
    }
}

} // namespace ixo
