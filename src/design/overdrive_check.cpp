#include "design/overdrive_check.h"

#include "building/proyecto.h"
#include "design/network_elements.h"
#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/level_vector.h"
#include "model/multiswitch.h"
#include "model/pin.h"

#include <cstdio>

namespace ixo {
namespace {

// The band of level furthest beyond maximum (bands whose maximum is 0 are unrated); -1 when none is.
int WorstBand(const LevelVector& level, const LevelVector& maximum) {
    int worst = -1;
    for (std::size_t band = 1; band < kBandCount; ++band) {
        if (maximum[band] > 0.0 && level[band] > maximum[band] &&
            (worst < 0 || level[band] - maximum[band] > level[worst] - maximum[worst])) {
            worst = static_cast<int>(band);
        }
    }
    return worst;
}

void CheckAmplifier(TAmpliBase& amplifier, std::vector<OverdriveProblem>& problems) {
    auto* headend = amplifier.As<TAmpliHeader>();
    const PinList& outputs = amplifier.PinesSALIDA();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const TPin& out = *outputs[i];
        LevelVector level = out.Levels();
        const TPin* in = amplifier.PinAt(PinKind::Input, static_cast<int>(i));
        if (headend != nullptr) {
            if (in == nullptr || !in->IsConnected()) {
                continue;
            }
            // A headend amplifier clips its output at the maximum: what it is driven to is the input
            // plus the channel's gains.
            level = Sum(in->Levels(), headend->ChannelRow(i, *in, out));
        } else if (!out.IsConnected()) {
            continue;
        }
        const int band = WorstBand(level, amplifier.NivelmaxSignal());
        if (band >= 0) {
            problems.push_back({OverdriveProblem::Kind::Output, &amplifier, &out, band,
                                level[static_cast<std::size_t>(band)],
                                amplifier.NivelmaxSignal()[static_cast<std::size_t>(band)]});
        }
    }
}

void CheckMultiswitch(const TMultiswitch& multiswitch, std::vector<OverdriveProblem>& problems) {
    if (!multiswitch.TieneMaxnivelentrada) {
        return;
    }
    for (const TPin* in : multiswitch.PinesENTRADA()) {
        if (!in->IsConnected()) {
            continue;
        }
        const int band = WorstBand(in->Levels(), multiswitch.MaxInputLevel());
        if (band >= 0) {
            problems.push_back({OverdriveProblem::Kind::Input, &multiswitch, in, band,
                                in->Levels()[static_cast<std::size_t>(band)],
                                multiswitch.MaxInputLevel()[static_cast<std::size_t>(band)]});
        }
    }
}

} // namespace

std::string OverdriveProblem::Text() const {
    if (element == nullptr || pin == nullptr) {
        return {};
    }
    // The excess in hundredths: a level 0.04 dB past its maximum reads 95.0 against 95.0 in tenths.
    const double excess = level - maximum;
    char figures[160];
    std::snprintf(figures, sizeof figures,
                  excess < 0.005 ? " %d at %.0f MHz: %.1f dBµV, maximum %.1f dBµV (%+.3f dB)"
                                 : " %d at %.0f MHz: %.1f dBµV, maximum %.1f dBµV (%+.2f dB)",
                  pin->Numeracion, kBandFrequenciesMHz[static_cast<std::size_t>(band)], level, maximum,
                  excess);
    return element->Name() + " (" + element->Modelo + ") " + (kind == Kind::Output ? "output" : "input") +
           figures;
}

std::vector<OverdriveProblem> CheckOverdrive(const Tproyecto& project) {
    std::vector<OverdriveProblem> problems;
    if (!project.finalizadocalculoTV) {
        return problems;
    }
    for (TCBFT* element : NetworkElements(project)) {
        if (auto* amplifier = TPrimerComponente::AsOrNull<TAmpliBase>(element)) {
            if (!amplifier->Is<TCabeceraTerrestre>()) {
                CheckAmplifier(*amplifier, problems);
            }
        } else if (const auto* multiswitch = TPrimerComponente::AsOrNull<TMultiswitch>(element)) {
            CheckMultiswitch(*multiswitch, problems);
        }
    }
    return problems;
}

} // namespace ixo
