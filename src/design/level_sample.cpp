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

LevelSample::LevelSample(const LevelSample& other)
    : levels(other.levels), bands(other.bands), polarities(other.polarities), m_boundOf(other.m_boundOf),
      m_siteOf(other.m_siteOf), m_bounds(other.m_bounds), m_sites(other.m_sites),
      m_withTerrestrial(other.m_withTerrestrial) {}

LevelSample::LevelSample(LevelSample&& other) noexcept
    : levels(std::move(other.levels)), bands(std::move(other.bands)), polarities(std::move(other.polarities)),
      m_boundOf(std::move(other.m_boundOf)), m_siteOf(std::move(other.m_siteOf)),
      m_bounds(std::move(other.m_bounds)), m_sites(std::move(other.m_sites)),
      m_withTerrestrial(other.m_withTerrestrial) {}

LevelSample& LevelSample::operator=(const LevelSample& other) {
    if (this != &other) {
        LevelSample copy(other);
        *this = std::move(copy);
    }
    return *this;
}

LevelSample& LevelSample::operator=(LevelSample&& other) noexcept {
    levels = std::move(other.levels);
    bands = std::move(other.bands);
    polarities = std::move(other.polarities);
    m_boundOf = std::move(other.m_boundOf);
    m_siteOf = std::move(other.m_siteOf);
    m_bounds = std::move(other.m_bounds);
    m_sites = std::move(other.m_sites);
    m_withTerrestrial = other.m_withTerrestrial;
    return *this;
}

void LevelSample::Take(Tproyecto& project) {
    levels.clear();
    bands.clear();
    polarities.clear();
    m_boundOf.clear();
    m_siteOf.clear();
    m_bounds.clear();
    m_sites.clear();
    const TpreferenciasProyecto& preferences = project.Preferencias();
    m_bounds.push_back({preferences.Minimo(0), preferences.Maximo(0)}); // 0: terrestrial
    m_bounds.push_back({preferences.Minimo(1), preferences.Maximo(1)}); // 1: satellite
    m_withTerrestrial = preferences.HD_ICTERR;
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object != nullptr) {
            TakeFlat(*flat.Object, preferences.Npolaridades);
        }
    }
    for (TCBFT* element : NetworkElements(project)) {
        TakeElement(*element);
    }
    // The columns grew by doubling: a first sample of a tall building would keep up to twice its
    // levels' room for as long as the design holds it.
    if (levels.capacity() > levels.size() + levels.size() / 8) {
        ShrinkToFit();
    }
}

void LevelSample::ShrinkToFit() {
    levels.shrink_to_fit();
    bands.shrink_to_fit();
    polarities.shrink_to_fit();
    m_boundOf.shrink_to_fit();
    m_siteOf.shrink_to_fit();
    m_sites.shrink_to_fit();
}

void LevelSample::Reserve(std::size_t count) {
    levels.reserve(count);
    bands.reserve(count);
    polarities.reserve(count);
    m_boundOf.reserve(count);
    m_siteOf.reserve(count);
}

double LevelSample::Worst() const {
    double worst = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        worst = std::min(worst, MarginOf(levels[i], m_bounds[m_boundOf[i]]));
    }
    return worst;
}

void LevelSample::Add(double level, std::uint32_t bound, std::uint32_t site, std::size_t band, int polarity) {
    levels.push_back(level);
    m_boundOf.push_back(bound);
    m_siteOf.push_back(site);
    bands.push_back(static_cast<std::uint8_t>(band));
    polarities.push_back(static_cast<std::int16_t>(polarity));
}

std::uint32_t LevelSample::AddSite(const Tvivienda* flat, const TTomaTV* outlet, const TCBFT* element,
                                   const TPin* pin) {
    m_sites.push_back({flat, outlet, element, pin});
    return static_cast<std::uint32_t>(m_sites.size() - 1);
}

std::uint32_t LevelSample::BoundIndex(const LevelBound& bound) {
    // Few distinct maxima (one per rated band of each model): the newest first, where the last one met
    // usually is.
    for (std::size_t k = m_bounds.size(); k-- > 0;) {
        if (m_bounds[k].minimum == bound.minimum && m_bounds[k].maximum == bound.maximum) {
            return static_cast<std::uint32_t>(k);
        }
    }
    m_bounds.push_back(bound);
    return static_cast<std::uint32_t>(m_bounds.size() - 1);
}

void LevelSample::TakeOutlets(const std::vector<const TTomaTV*>& flatOutlets, std::uint32_t firstSite,
                              int polarity) {
    for (std::size_t k = 0; k < flatOutlets.size(); ++k) {
        const std::uint32_t site = firstSite + static_cast<std::uint32_t>(k);
        const LevelVector& level = m_sites[site].pin->Levels();
        for (std::size_t band = m_withTerrestrial ? 1 : kFirstSatelliteBand; band < kBandCount; ++band) {
            Add(level[band], band < kFirstSatelliteBand ? 0 : 1, site, band, polarity);
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
    // One site per outlet, shared by its bands and polarities.
    const auto firstSite = static_cast<std::uint32_t>(m_sites.size());
    for (const TTomaTV* outlet : flatOutlets) {
        AddSite(&flat, outlet, nullptr, outlet->PinesDERIVACION().front());
    }
    if (entryInput == nullptr) {
        TakeOutlets(flatOutlets, firstSite, 0);
        return;
    }
    // As the outlet check: every polarity, the flat's own last so that the network is left as it was.
    const std::int32_t own = entryInput->polaridad;
    for (std::int32_t v = 0; v < polarityCount; ++v) {
        if (v != own) {
            SeleccionarPolaridad(*entryInput, v);
            TakeOutlets(flatOutlets, firstSite, v);
        }
    }
    SeleccionarPolaridad(*entryInput, own);
    TakeOutlets(flatOutlets, firstSite, own);
}

void LevelSample::TakeElement(TCBFT& element) {
    const TPin* lastPin = nullptr;
    std::uint32_t site = 0;
    ForEachRatedMaximum(element, [&](const TPin& pin, std::size_t band, double level, double maximum) {
        if (&pin != lastPin || m_sites.empty()) {
            site = AddSite(nullptr, nullptr, &element, &pin);
            lastPin = &pin;
        }
        Add(level, BoundIndex({-std::numeric_limits<double>::infinity(), maximum}), site, band, -1);
    });
}

double LevelSample::Score() const {
    double score = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < levels.size(); ++i) {
        score = std::min(
            score, WeighedMargin(levels[i], m_bounds[m_boundOf[i]], m_sites[m_siteOf[i]].outlet != nullptr));
    }
    return score;
}

} // namespace ixo
