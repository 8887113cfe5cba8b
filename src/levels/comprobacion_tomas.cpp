#include "levels/comprobacion_tomas.h"

#include "levels/polaridad_vivienda.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "common/decimal_text.h"
#include "model/pin.h"
#include "model/toma_tv.h"

#include <vector>

namespace ixo {
namespace {

constexpr std::uint16_t kAboveMaximum = 1;
constexpr std::uint16_t kBelowMinimum = 2;
constexpr std::size_t kFirstTerrestrialBand = 1;

struct LimitsPart {
    std::uint32_t& flags;
    double& highest;
    double& lowest;
    std::uint8_t& highestBand;
    std::uint8_t& lowestBand;
};

std::uint16_t CompareBands(const LevelVector& level, std::size_t first, std::size_t last, double minimum,
                           double maximum, LimitsPart part) {
    std::uint16_t flags = 0;
    for (std::size_t band = first; band <= last; ++band) {
        const double value = level[band];
        if (minimum > value) {
            flags |= kBelowMinimum;
            if ((part.flags & kBelowMinimum) == 0 || value < part.lowest) {
                part.lowest = value;
                part.lowestBand = static_cast<std::uint8_t>(band);
            }
            part.flags |= kBelowMinimum;
        } else if (maximum < value) {
            flags |= kAboveMaximum;
            if ((part.flags & kAboveMaximum) == 0 || value > part.highest) {
                part.highest = value;
                part.highestBand = static_cast<std::uint8_t>(band);
            }
            part.flags |= kAboveMaximum;
        }
    }
    return flags;
}

// The limits an outlet is held to: entry 0 terrestrial, entry 1 satellite. Without a project there are
// no limits: they read as -1.0 like a missing limits entry.
struct OutletLimits {
    double minimum[2] = {-1.0, -1.0};
    double maximum[2] = {-1.0, -1.0};
};

OutletLimits LimitsOf(const TTomaTV& outlet) {
    OutletLimits limits;
    if (const Tproyecto* project = ProyectoDe(&outlet)) {
        for (int entry = 0; entry < 2; ++entry) {
            limits.minimum[entry] = project->Preferencias().Minimo(entry);
            limits.maximum[entry] = project->Preferencias().Maximo(entry);
        }
    }
    return limits;
}

// The comparison of ComprobarToma with the outlet's limits already found (the check of a flat finds
// them once per outlet, not once per polarity). The outlet has a tap.
std::uint16_t CompareWithLimits(const TTomaTV& outlet, const OutletLimits& limits, bool conTerrestre,
                                TNodoInfo& record) {
    const LevelVector& level = outlet.PinesDERIVACION().front()->Levels();
    std::uint16_t flags = 0;
    if (conTerrestre) {
        flags |= CompareBands(level, kFirstTerrestrialBand, kFirstSatelliteBand - 1, limits.minimum[0],
                              limits.maximum[0],
                              {record.FlagsTerrestre, record.MaximoTerrestre, record.MinimoTerrestre,
                               record.BandMaximoTerrestre, record.BandMinimoTerrestre});
    }
    flags |= CompareBands(level, kFirstSatelliteBand, kBandCount - 1, limits.minimum[1], limits.maximum[1],
                          {record.FlagsSatelite, record.MaximoSatelite, record.MinimoSatelite,
                           record.BandMaximoSatelite, record.BandMinimoSatelite});
    return flags;
}

// Every outlet of the flat is compared at every polarity the flat can select, the entry's own last so
// that the network is left as it was. The polarities are the outer loop: one recalculation of the
// flat's feed serves all its outlets, and each outlet's record sees the polarities in the same order as
// if it were checked alone.
void CheckFlat(Tvivienda& flat, TCompruebaErrores& errors, int polarities) {
    struct OutletRecord {
        TTomaTV* outlet;
        TNodoInfo record;
        std::uint16_t result;
        OutletLimits limits;
        bool hasTap;
    };
    std::vector<OutletRecord> outlets;
    for (const auto& entry : flat.ETV()) {
        if (auto* outlet = TPrimerComponente::AsOrNull<TTomaTV>(entry.Object)) {
            const bool hasTap = !outlet->PinesDERIVACION().empty();
            outlets.push_back({outlet, TNodoInfo{}, 0, hasTap ? LimitsOf(*outlet) : OutletLimits{}, hasTap});
        }
    }
    if (outlets.empty()) {
        return;
    }
    const auto compareAll = [&]() {
        for (OutletRecord& item : outlets) {
            if (item.hasTap) {
                item.result |= CompareWithLimits(*item.outlet, item.limits, errors.ConTerrestre, item.record);
            }
        }
    };
    if (TPin* entryInput = EntradaDeVivienda(flat)) {
        const std::int32_t own = entryInput->polaridad;
        for (std::int32_t v = 0; v < polarities; ++v) {
            if (v != own) {
                SeleccionarPolaridad(*entryInput, v);
                compareAll();
            }
        }
        SeleccionarPolaridad(*entryInput, own);
    }
    compareAll();
    for (OutletRecord& item : outlets) {
        if (item.result != 0) {
            item.record.Estado = item.result;
            item.record.Vivienda = &flat;
            item.record.Toma = item.outlet;
            errors.Add(item.record);
        }
    }
}

std::string PartsText(const char* head, std::uint16_t bit, const TNodoInfo& record, bool highest) {
    const bool terrestrial = (record.FlagsTerrestre & bit) != 0;
    const bool satellite = (record.FlagsSatelite & bit) != 0;
    std::string text(head);
    text += '(';
    if (terrestrial) {
        text += "TER:";
        text += OneDecimalText(highest ? record.MaximoTerrestre : record.MinimoTerrestre);
    }
    if (terrestrial && satellite) {
        text += ' ';
    }
    if (satellite) {
        text += "SAT:";
        text += OneDecimalText(highest ? record.MaximoSatelite : record.MinimoSatelite);
    }
    text += ')';
    return text;
}

} // namespace

std::uint16_t ComprobarToma(const TTomaTV& outlet, bool conTerrestre, TNodoInfo& record) {
    if (outlet.PinesDERIVACION().empty()) {
        return 0;
    }
    return CompareWithLimits(outlet, LimitsOf(outlet), conTerrestre, record);
}

std::string TextoError(const TNodoInfo& record) {
    std::string text;
    if ((record.Estado & kAboveMaximum) != 0) {
        text += PartsText(">MAX", kAboveMaximum, record, true);
    }
    if ((record.Estado & kBelowMinimum) != 0) {
        if (!text.empty()) {
            text += ' ';
        }
        text += PartsText("<MIN", kBelowMinimum, record, false);
    }
    return text;
}

bool ComprobarErrores(TEscalera& stair) {
    TCompruebaErrores& errors = stair.ErroresEscalera();
    errors.Clear();
    Tproyecto* project = ProyectoDe(&stair);
    if (project == nullptr || !project->finalizadocalculoTV) {
        return false;
    }
    errors.Proyecto = project;
    errors.ConTerrestre = project->Preferencias().HD_ICTERR;
    const int polarities = project->Preferencias().Npolaridades;
    for (const auto& floor : stair.ListaPlantas()) {
        if (floor.Object == nullptr) {
            continue;
        }
        for (const auto& flat : floor.Object->LViviendas()) {
            if (flat.Object != nullptr) {
                CheckFlat(*flat.Object, errors, polarities);
            }
        }
    }
    return !errors.Empty();
}

bool ComprobarErrores(Tproyecto& project) {
    bool result = false;
    for (const auto& entry : project.Escaleras()) {
        if (entry.Object != nullptr) {
            ComprobarErrores(*entry.Object);
            result = result || !entry.Object->ErroresEscalera().Empty();
        }
    }
    project.ConErrores = result && project.finalizadocalculoTV;
    return result;
}

} // namespace ixo
