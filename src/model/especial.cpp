#include "model/especial.h"

#include "model/parts_catalogue.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(Tespecial, TCBFT)
IXO_DEFINE_COMPONENT_CLASS(Tentradaviv, Tespecial)
IXO_DEFINE_COMPONENT_CLASS(TIFT, TCBFT)

TPrimerComponente* Tespecial::Clone(TPrimerComponente* owner) const {
    return Create<Tespecial>(owner, *this);
}

Tentradaviv::Tentradaviv(TPrimerComponente* owner) : Tespecial(owner) {
    Tabla = DefaultTableOfKind(kKind);
}

TPrimerComponente* Tentradaviv::Clone(TPrimerComponente* owner) const {
    return Create<Tentradaviv>(owner, *this);
}

TIFT::TIFT(TPrimerComponente* owner) : TCBFT(owner) {
    Tabla = DefaultTableOfKind(kKind);
}

TPrimerComponente* TIFT::Clone(TPrimerComponente* owner) const {
    return Create<TIFT>(owner, *this);
}

} // namespace ixo
