#include "model/repartidor.h"

#include "model/parts_catalogue.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TRepartidor, TCBFT)

TRepartidor::TRepartidor(TPrimerComponente* owner) : TCBFT(owner) {
    Tabla = DefaultTableOfKind(kKind);
    FamiliaHermana = kSisterFamily;
}

TPrimerComponente* TRepartidor::Clone(TPrimerComponente* owner) const {
    return Create<TRepartidor>(owner, *this);
}

} // namespace ixo
