#include "design/level_sample.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "design/network_elements.h"
#include "design/rated_maxima.h"
#include "levels/polaridad_vivienda.h"
#include "model/level_vector.h"
#include "model/pin.h"
#include "model/toma_tv.h"

#include <algorithm>

namespace ixo {

double MarginOf(double level, const LevelBound& bound) {
    return std::min(level - bound.minimum, bound.maximum - level);
}

double WeighedMargin(double level, const LevelBound& bound, bool outlet) {
    const double margin = MarginOf(level, bound);
    if (outlet) {
        return margin;
    }
    const double guarded = margin - kMaximumGuard;
    return guarded >= 0.0 ? guarded : guarded * kMaximumWeight;
}

void LevelSample::Take(Tproyecto& project) {
    levels.clear();
    bounds.clear();
    flats.clear();
    outlets.clear();
    elements.clear();
    bands.clear();
    polarities.clear();
    pins.clear();
    const TpreferenciasProyecto& preferences = project.Preferencias();
    m_terrestrial = {preferences.Minimo(0), preferences.Maximo(0)};
    m_satellite = {preferences.Minimo(1), preferences.Maximo(1)};
    m_withTerrestrial = preferences.HD_ICTERR;
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object != nullptr) {
            TakeFlat(*flat.Object, preferences.Npolaridades);
        }
    }
    for (TCBFT* element : NetworkElements(project)) {
        TakeElement(*element);
    }
}

void LevelSample::Reserve(std::size_t count) {
    levels.reserve(count);
    bounds.reserve(count);
    flats.reserve(count);
    outlets.reserve(count);
    elements.reserve(count);
    bands.reserve(count);
    polarities.reserve(count);
    pins.reserve(count);
}

double LevelSample::Worst() const {
    double worst = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        worst = std::min(worst, MarginOf(levels[i], bounds[i]));
    }
    return worst;
}

void LevelSample::Add(double level, LevelBound bound, const Tvivienda* flat, const TTomaTV* outlet,
                      const TCBFT* element, const TPin* pin, std::size_t band, int polarity) {
    levels.push_back(level);
    bounds.push_back(bound);
    flats.push_back(flat);
    outlets.push_back(outlet);
    elements.push_back(element);
    bands.push_back(static_cast<std::uint8_t>(band));
    polarities.push_back(static_cast<std::int16_t>(polarity));
    pins.push_back(pin);
}

void LevelSample::TakeOutlets(const Tvivienda& flat, const std::vector<const TTomaTV*>& flatOutlets,
                              int polarity) {
    for (const TTomaTV* outlet : flatOutlets) {
        const TPin* tap = outlet->PinesDERIVACION().front();
        const LevelVector& level = tap->Levels();
        for (std::size_t band = m_withTerrestrial ? 1 : kFirstSatelliteBand; band < kBandCount; ++band) {
            Add(level[band], band < kFirstSatelliteBand ? m_terrestrial : m_satellite, &flat, outlet, nullptr,
                tap, band, polarity);
        }
    }
}

void LevelSample::TakeFlat(Tvivienda& flat, int polarityCount) {
    std::vector<const TTomaTV*> flatOutlets;
    for (const auto& entry : flat.ETV()) {
        const auto* outlet = dynamic_cast<const TTomaTV*>(entry.Object);
        if (outlet != nullptr && !outlet->PinesDERIVACION().empty()) {
            flatOutlets.push_back(outlet);
        }
    }
    TPin* entryInput = EntradaDeVivienda(flat);
    if (flatOutlets.empty()) {
        return;
    }
    if (entryInput == nullptr) {
        TakeOutlets(flat, flatOutlets, 0);
        return;
    }
    // As the outlet check: every polarity, the flat's own last so that the network is left as it was.
    const std::int32_t own = entryInput->polaridad;
    for (std::int32_t v = 0; v < polarityCount; ++v) {
        if (v != own) {
            SeleccionarPolaridad(*entryInput, v);
            TakeOutlets(flat, flatOutlets, v);
        }
    }
    SeleccionarPolaridad(*entryInput, own);
    TakeOutlets(flat, flatOutlets, own);
}

void LevelSample::TakeElement(TCBFT& element) {
    ForEachRatedMaximum(element, [&](const TPin& pin, std::size_t band, double level, double maximum) {
        Add(level, {-std::numeric_limits<double>::infinity(), maximum}, nullptr, nullptr, &element, &pin,
            band, -1);
    });
}

double LevelSample::Score() const {
    double score = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        score = std::min(score, WeighedMargin(levels[i], bounds[i], outlets[i] != nullptr));
    }
    return score;
}

} // namespace ixo
