#include "levels/carrier_noise.h"

#include "levels/flat_walk.h"
#include "levels/polaridad_vivienda.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/signal_quality.h"
#include "building/vivienda.h"
#include "model/ampli_base.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/disecq.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/parts_catalogue.h"
#include "model/pc_lector_fichero.h"
#include "model/pin.h"
#include "model/toma_tv.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ixo {
namespace {

constexpr double kBoltzmann = 1.380649e-23; // J/K
constexpr double kReferenceTemperature = 290.0;
constexpr double kImpedance = 75.0;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// A path longer than this is a loop (a network has far fewer elements in a row).
constexpr int kMaximumPathLength = 4096;

// Defaults by kind: a terrestrial headend 9 dB, line and flat amplifiers 7 dB terrestrial and 9 dB on
// the IF, IF amplifiers 9 dB, active multiswitches 10 dB on the IF with a passive terrestrial path.
LevelVector Split(double terrestrial, double satellite) {
    LevelVector figure;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        figure[band] = band < kFirstSatelliteBand ? terrestrial : satellite;
    }
    return figure;
}

bool IsActive(const TCBFT& element) {
    if (dynamic_cast<const TAmpliBase*>(&element) != nullptr) {
        return true;
    }
    const auto* multiswitch = dynamic_cast<const TMultiswitch*>(&element);
    return multiswitch != nullptr && multiswitch->Activo;
}

// The value of key in a script text (lines "KEY=value"), without regard to the key's case.
std::optional<std::string> ScriptValue(const std::string& script, std::string_view key) {
    for (const std::string& line : SplitScriptLines(script)) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && equals == key.size() &&
            std::equal(key.begin(), key.end(), line.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) ==
                       std::toupper(static_cast<unsigned char>(b));
            })) {
            return line.substr(equals + 1);
        }
    }
    return std::nullopt;
}

double GainOf(const TCBFT& element, const TPin& in, const TPin& out, std::size_t band) {
    LevelVector gains;
    if (element.Transfer().Lookup(in.PinKey(), out.PinKey(), gains) != TFTransf::LookupResult::Found) {
        return -1.0; // as the level push counts a missing row
    }
    return gains[band];
}

int IndexOf(const PinList& pins, const TPin* pin) {
    const auto found = std::ranges::find(pins, pin);
    return found == pins.end() ? -1 : static_cast<int>(found - pins.begin());
}

// Of the candidates, the input whose level through the element is highest at band: the path that sets
// the output's level there.
const TPin* Dominant(const TCBFT& element, const TPin& out, std::size_t band,
                     std::initializer_list<const TPin*> candidates) {
    const TPin* best = nullptr;
    double bestLevel = -kInfinity;
    for (const TPin* in : candidates) {
        if (in == nullptr) {
            continue;
        }
        const double level = in->Levels()[band] + GainOf(element, *in, out, band);
        if (best == nullptr || level > bestLevel) {
            best = in;
            bestLevel = level;
        }
    }
    return best;
}

// The input of element that carries band's level to out, or null.
const TPin* InputFeeding(const TCBFT& element, const TPin& out, std::size_t band) {
    const PinList& inputs = element.PinesENTRADA();
    if (inputs.empty()) {
        return nullptr;
    }
    if (const auto* multiswitch = dynamic_cast<const TMultiswitch*>(&element)) {
        const TPin* satellite = multiswitch->InputOfPolarity(out.polaridad);
        const bool mixed = !multiswitch->IsCascadable() || out.TipodePin == 'D';
        const TPin* terrestrial = mixed ? multiswitch->InputOfPolarity(-1) : nullptr;
        return Dominant(element, out, band, {satellite, terrestrial});
    }
    if (const auto* diseqc = dynamic_cast<const TDISECQ*>(&element)) {
        return diseqc->InputForPolarity(out.polaridad);
    }
    if (dynamic_cast<const TAmpliBase*>(&element) != nullptr) {
        // Amplifier lines: input i feeds output i.
        const int index = IndexOf(element.PinsOf(out.Kind()), &out);
        if (index >= 0 && static_cast<std::size_t>(index) < inputs.size()) {
            return inputs[static_cast<std::size_t>(index)];
        }
        return inputs.front();
    }
    if (inputs.size() == 1) {
        return inputs.front(); // splitters, outlets, flat entries: one way in
    }
    const TPin* best = nullptr;
    double bestLevel = -kInfinity;
    for (const TPin* in : inputs) {
        if (in->Peer() == nullptr) {
            continue;
        }
        const double level = in->Levels()[band] + GainOf(element, *in, out, band);
        if (best == nullptr || level > bestLevel) {
            best = in;
            bestLevel = level;
        }
    }
    return best;
}

// The terrestrial line of an amplifier in its passive mode (the mode path EA -> SA with the current mode
// the passive one): the signal passes through the mode's curve alone, no amplifier stage, so it adds no
// noise there.
bool PassesPassively(const TCBFT& element, const TPin& in, const TPin& out, std::size_t band) {
    const auto* amplifier = dynamic_cast<const TAmpliBase*>(&element);
    return amplifier != nullptr && band < kFirstSatelliteBand && amplifier->ModoterActual > 0 &&
           amplifier->ModoterActual == amplifier->ModoPasivo && in.TipodePin == 'E' && in.Prefijo == 'A' &&
           out.TipodePin == 'S' && out.Prefijo == 'A';
}

double Contribution(double inputLevel, double noiseFigure, std::size_t band) {
    return inputLevel - noiseFigure - ThermalNoiseOfBand(band);
}

double Linear(double ratioDb) {
    return std::pow(10.0, -ratioDb / 10.0);
}

} // namespace

double ThermalNoiseDbuV(double bandwidthHz) {
    return 10.0 * std::log10(kBoltzmann * kReferenceTemperature * bandwidthHz * kImpedance) + 120.0;
}

double ThermalNoiseOfBand(std::size_t band) {
    static const double terrestrial = ThermalNoiseDbuV(kTerrestrialNoiseBandwidthHz);
    static const double satellite = ThermalNoiseDbuV(kSatelliteNoiseBandwidthHz);
    return band < kFirstSatelliteBand ? terrestrial : satellite;
}

LevelVector DefaultNoiseFigure(const TCBFT& element) {
    if (dynamic_cast<const TCabeceraTerrestre*>(&element) != nullptr) {
        return Split(9.0, 0.0);
    }
    if (dynamic_cast<const TLinAmp*>(&element) != nullptr) {
        return Split(7.0, 9.0);
    }
    if (dynamic_cast<const TAmpliBase*>(&element) != nullptr) {
        return Split(9.0, 9.0);
    }
    if (const auto* multiswitch = dynamic_cast<const TMultiswitch*>(&element);
        multiswitch && multiswitch->Activo) {
        return Split(0.0, 10.0);
    }
    return LevelVector();
}

std::optional<LevelVector> NoiseFigures::Of(const TCBFT& element) {
    if (!IsActive(element) && dynamic_cast<const TCabeceraTerrestre*>(&element) == nullptr) {
        return std::nullopt;
    }
    const auto key = std::make_pair(static_cast<const TTablaCompoScript*>(element.Tabla), element.Indice);
    if (const auto found = m_byModel.find(key); found != m_byModel.end()) {
        return found->second;
    }
    LevelVector figure = DefaultNoiseFigure(element);
    if (element.Tabla != nullptr) {
        const TRECConScript record = ReadCatalogueRecord(element.Tabla, element.Indice);
        if (const std::optional<std::string> value = ScriptValue(record.Script, kNoiseFigureKey);
            value && !value->empty()) {
            figure = TPCLectorFichero::ReadVector(*value, false);
        }
    }
    m_byModel.emplace(key, figure);
    return figure;
}

double CombineCarrierToNoise(const std::vector<double>& ratiosDb) {
    double noise = 0.0;
    for (double ratio : ratiosDb) {
        noise += std::pow(10.0, -ratio / 10.0);
    }
    return noise == 0.0 ? kInfinity : -10.0 * std::log10(noise);
}

CarrierNoiseWalk::CarrierNoiseWalk(const SignalQuality& quality, NoiseFigures& figures,
                                   const TPrimerComponente* sharedNetwork)
    : m_quality(quality), m_figures(figures), m_sharedNetwork(sharedNetwork) {}

CarrierNoiseWalk::Sum CarrierNoiseWalk::SourceSum(const TCBFT& element, std::size_t band) {
    Sum sum;
    if (dynamic_cast<const Tantena*>(&element) != nullptr) {
        // A dish carries no terrestrial signal.
        if (band >= kFirstSatelliteBand) {
            sum.reached = true;
            sum.noise = Linear(m_quality.satelliteLnbCn[band - kFirstSatelliteBand]);
        }
        return sum;
    }
    if (band >= kFirstSatelliteBand) {
        return sum;
    }
    sum.reached = true;
    if (const std::optional<LevelVector> figure = m_figures.Of(element); figure && (*figure)[band] > 0) {
        sum.noise += Linear(Contribution(m_quality.terrestrialAntennaLevel, (*figure)[band], band));
    }
    if (m_quality.terrestrialAntennaCn) {
        sum.noise += Linear(*m_quality.terrestrialAntennaCn);
    }
    return sum;
}

CarrierNoiseWalk::Sum CarrierNoiseWalk::At(const TPin& out, std::size_t band, int depth) {
    const auto* element = dynamic_cast<const TCBFT*>(out.Owner());
    if (element == nullptr || depth > kMaximumPathLength) {
        return {}; // not an element, or a loop: no source reached
    }
    if (dynamic_cast<const Tantena*>(element) != nullptr ||
        dynamic_cast<const TCabeceraTerrestre*>(element) != nullptr) {
        return SourceSum(*element, band);
    }
    // Pins of the shared network keep their result while the flats change their polarity: what reaches
    // them depends on nothing inside the flats but the polarity set on the pin itself.
    const bool shared = m_sharedNetwork != nullptr && element->Owner() == m_sharedNetwork;
    const Key key{&out, band, out.polaridad};
    if (shared) {
        if (const auto found = m_memo.find(key); found != m_memo.end()) {
            return found->second;
        }
    }
    Sum sum;
    if (const TPin* in = InputFeeding(*element, out, band); in != nullptr && in->Peer() != nullptr) {
        sum = At(*in->Peer(), band, depth + 1);
        if (sum.reached && IsActive(*element) && !PassesPassively(*element, *in, out, band)) {
            if (const std::optional<LevelVector> figure = m_figures.Of(*element);
                figure && (*figure)[band] > 0) {
                sum.noise += Linear(Contribution(in->Levels()[band], (*figure)[band], band));
            }
        }
    }
    if (shared) {
        m_memo.emplace(key, sum);
    }
    return sum;
}

LevelVector CarrierNoiseWalk::At(const TPin& pin) {
    LevelVector ratio;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        const Sum sum = At(pin, band, 0);
        ratio[band] = !sum.reached || sum.noise == 0.0 ? kInfinity : -10.0 * std::log10(sum.noise);
    }
    return ratio;
}

LevelVector CarrierToNoiseAt(const TPin& pin, const SignalQuality& quality, NoiseFigures& figures) {
    return CarrierNoiseWalk(quality, figures).At(pin);
}

namespace {

void Take(OutletQuality& row, CarrierNoiseWalk& walk, bool first) {
    const TPin& tap = *row.Toma->PinesDERIVACION().front();
    const LevelVector& level = tap.Levels();
    const LevelVector cn = walk.At(tap);
    double lowestSatellite = kInfinity;
    double highestSatellite = -kInfinity;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        row.lowestLevel[band] = first ? level[band] : std::min(row.lowestLevel[band], level[band]);
        row.highestLevel[band] = first ? level[band] : std::max(row.highestLevel[band], level[band]);
        row.worstCn[band] = first ? cn[band] : std::min(row.worstCn[band], cn[band]);
        if (band >= kFirstSatelliteBand) {
            lowestSatellite = std::min(lowestSatellite, level[band]);
            highestSatellite = std::max(highestSatellite, level[band]);
        }
    }
    row.satelliteTilt = std::max(first ? 0.0 : row.satelliteTilt, highestSatellite - lowestSatellite);
    row.cnByPolarity.push_back(cn);
}

void MeasureFlat(const TEscalera& stair, const tplanta& floor, Tvivienda& flat, int polarities,
                 CarrierNoiseWalk& walk, std::vector<OutletQuality>& rows) {
    const std::size_t first = rows.size();
    for (const auto& entry : flat.ETV()) {
        const auto* outlet = dynamic_cast<const TTomaTV*>(entry.Object);
        if (outlet != nullptr && !outlet->PinesDERIVACION().empty()) {
            OutletQuality row;
            row.Escalera = &stair;
            row.Planta = &floor;
            row.Vivienda = &flat;
            row.Toma = outlet;
            rows.push_back(std::move(row));
        }
    }
    if (rows.size() == first) {
        return;
    }
    TPin* entryInput = EntradaDeVivienda(flat);
    if (entryInput == nullptr) {
        for (std::size_t i = first; i < rows.size(); ++i) {
            Take(rows[i], walk, true);
            rows[i].polarities = {-1};
        }
        return;
    }
    // Polarities in order, the flat's own last, as the outlet check tries them.
    const std::int32_t own = entryInput->polaridad;
    std::vector<std::int32_t> order;
    for (std::int32_t v = 0; v < polarities; ++v) {
        if (v != own) {
            order.push_back(v);
        }
    }
    order.push_back(own);
    bool firstTry = true;
    for (std::int32_t v : order) {
        SeleccionarPolaridad(*entryInput, v);
        for (std::size_t i = first; i < rows.size(); ++i) {
            Take(rows[i], walk, firstTry);
        }
        firstTry = false;
    }
    for (std::size_t i = first; i < rows.size(); ++i) {
        rows[i].polarities = order;
    }
}

} // namespace

std::vector<OutletQuality> MeasureOutletQuality(Tproyecto& project) {
    const TpreferenciasProyecto& preferences = project.Preferencias();
    NoiseFigures figures;
    CarrierNoiseWalk walk(project.Quality(), figures, &project.RedTV());
    std::vector<OutletQuality> rows;
    ForEachFlat(project, [&](const TEscalera& stair, const tplanta& floor, Tvivienda& flat) {
        MeasureFlat(stair, floor, flat, preferences.Npolaridades, walk, rows);
    });
    return rows;
}

} // namespace ixo
