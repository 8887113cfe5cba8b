#include "design/rated_maxima.h"

#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/level_vector.h"
#include "model/multiswitch.h"
#include "model/pin.h"

namespace ixo {
namespace {

void VisitBands(const TPin& pin, const LevelVector& level, const LevelVector& maximum,
                const RatedMaximumVisitor& visit) {
    for (std::size_t band = 0; band < kBandCount; ++band) {
        if (maximum[band] > 0.0) {
            visit(pin, band, level[band], maximum[band]);
        }
    }
}

void VisitAmplifier(TAmpliBase& amplifier, const RatedMaximumVisitor& visit) {
    auto* headend = amplifier.As<TAmpliHeader>();
    const PinList& outputs = amplifier.PinesSALIDA();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const TPin& out = *outputs[i];
        const TPin* in = amplifier.PinAt(PinKind::Input, static_cast<int>(i));
        if (headend != nullptr ? in == nullptr || !in->IsConnected() : !out.IsConnected()) {
            continue;
        }
        const LevelVector level =
            headend != nullptr ? Sum(in->Levels(), headend->ChannelRow(i, *in, out)) : out.Levels();
        VisitBands(out, level, amplifier.NivelmaxSignal(), visit);
    }
}

} // namespace

void ForEachRatedMaximum(TCBFT& element, const RatedMaximumVisitor& visit) {
    if (auto* amplifier = TPrimerComponente::AsOrNull<TAmpliBase>(&element)) {
        if (!amplifier->Is<TCabeceraTerrestre>()) {
            VisitAmplifier(*amplifier, visit);
        }
    } else if (const auto* multiswitch = TPrimerComponente::AsOrNull<TMultiswitch>(&element)) {
        if (!multiswitch->TieneMaxnivelentrada) {
            return;
        }
        for (const TPin* in : multiswitch->PinesENTRADA()) {
            if (in->IsConnected()) {
                VisitBands(*in, in->Levels(), multiswitch->MaxInputLevel(), visit);
            }
        }
    }
}

} // namespace ixo
