#pragma once

#include "model/cbft.h"

namespace ixo {

// A splitter: one input pushed through its transfer rows to every output in turn.
class TRepartidor : public TCBFT {
    IXO_COMPONENT_CLASS(TRepartidor)
public:
    static constexpr int kKind = 7;                     // the splitter table
    static constexpr std::int32_t kSisterFamily = 1002; // the streaming default of FamiliaHermana

    explicit TRepartidor(TPrimerComponente* owner);
    TRepartidor(TPrimerComponente* owner, const TRepartidor& prototype) : TCBFT(owner, prototype) {}

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    int DefaultKind() const override { return kKind; }
};

} // namespace ixo
