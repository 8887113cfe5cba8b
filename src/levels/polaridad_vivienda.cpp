#include "levels/polaridad_vivienda.h"

#include "building/vivienda.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/toma_tv.h"

namespace ixo {

void SeleccionarPolaridad(TPin& entryInput, std::int32_t polarity) {
    entryInput.polaridad = polarity;
    TPin* peer = entryInput.Peer();
    if (peer == nullptr) {
        return;
    }
    peer->polaridad = polarity;
    TPrimerComponente* owner = peer->Owner();
    if (auto* diseqc = TPrimerComponente::AsOrNull<TDISECQ>(owner)) {
        diseqc->PolarityChanged();
    } else if (auto* multiswitch = TPrimerComponente::AsOrNull<TMultiswitch>(owner)) {
        multiswitch->ComputeOutput(peer);
    }
}

TPin* EntradaDeVivienda(const Tvivienda& flat) {
    if (flat.Entrada() == nullptr || flat.Entrada()->PinesENTRADA().empty()) {
        return nullptr;
    }
    return flat.Entrada()->PinesENTRADA().front();
}

TPin* PinDePolaridad(const TPin& outletPin) {
    const auto* outlet = TPrimerComponente::AsOrNull<TTomaTV>(outletPin.Owner());
    if (outlet == nullptr) {
        return nullptr;
    }
    if (const auto* flat = TPrimerComponente::AsOrNull<Tvivienda>(outlet->Container())) {
        return EntradaDeVivienda(*flat);
    }
    const TPin* peer = outletPin.Peer();
    const auto* entry = peer != nullptr ? TPrimerComponente::AsOrNull<Tentradaviv>(peer->Owner()) : nullptr;
    if (entry == nullptr || entry->PinesENTRADA().empty()) {
        return nullptr;
    }
    return entry->PinesENTRADA().front();
}

} // namespace ixo
