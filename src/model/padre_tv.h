#pragma once

#include "model/primer_componente.h"

namespace ixo {

// The container that owns the network elements of a project or of a flat. Elements are created with
// it as owner, so its name prefixes theirs.
class TPadreTV : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TPadreTV)
public:
    explicit TPadreTV(TPrimerComponente* owner) : TPrimerComponente(owner) {}

    // A new, empty container: elements are never copied with it.
    TPrimerComponente* Clone(TPrimerComponente* owner) const override { return Create<TPadreTV>(owner); }
};

} // namespace ixo
