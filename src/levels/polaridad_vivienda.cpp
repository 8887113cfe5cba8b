#include "levels/polaridad_vivienda.h"

#include "building/vivienda.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/multiswitch.h"
#include "model/pin.h"

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

} // namespace ixo
