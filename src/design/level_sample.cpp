#include "design/level_sample.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "design/network_elements.h"
#include "levels/polaridad_vivienda.h"
#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/level_vector.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/toma_tv.h"

#include <algorithm>

namespace ixo {

double MarginOf(double level, const LevelBound& bound) {
    return std::min(level - bound.minimum, bound.maximum - level);
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
    if (auto* amplifier = dynamic_cast<TAmpliBase*>(&element)) {
        if (dynamic_cast<TCabeceraTerrestre*>(amplifier) != nullptr) {
            return;
        }
        auto* headend = dynamic_cast<TAmpliHeader*>(amplifier);
        const PinList& outputs = amplifier->PinesSALIDA();
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            TPin& out = *outputs[i];
            const TPin* in = amplifier->PinAt(PinKind::Input, static_cast<int>(i));
            if (!out.IsConnected() || in == nullptr || !in->IsConnected()) {
                continue;
            }
            // A headend amplifier clips at its maximum: what it is driven to is its input plus its gains.
            const LevelVector level =
                headend != nullptr ? Sum(in->Levels(), headend->ChannelRow(i, *in, out)) : out.Levels();
            TakeMaximum(element, out, level.band.data(), amplifier->NivelmaxSignal().band.data());
        }
    } else if (auto* multiswitch = dynamic_cast<TMultiswitch*>(&element)) {
        if (!multiswitch->TieneMaxnivelentrada) {
            return;
        }
        for (const TPin* in : multiswitch->PinesENTRADA()) {
            if (in->IsConnected()) {
                TakeMaximum(element, *in, in->Levels().band.data(), multiswitch->MaxInputLevel().band.data());
            }
        }
    }
}

void LevelSample::TakeMaximum(const TCBFT& element, const TPin& pin, const double* level,
                              const double* maximum) {
    // Band 0 is not checked at the outlets either; a maximum of 0 means the model gives none.
    for (std::size_t band = 1; band < kBandCount; ++band) {
        if (maximum[band] > 0.0) {
            Add(level[band], {-std::numeric_limits<double>::infinity(), maximum[band]}, nullptr, nullptr,
                &element, &pin, band, -1);
        }
    }
}

} // namespace ixo
