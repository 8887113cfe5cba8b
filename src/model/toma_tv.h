#pragma once

#include "model/cbft.h"

namespace ixo {

// An outlet: an input, a through output on cascade models and a tap that gives the outlet level.
class TTomaBase : public TCBFT {
    IXO_COMPONENT_CLASS(TTomaBase)
public:
    static constexpr int kKind = 8; // the outlet table

    explicit TTomaBase(TPrimerComponente* owner);
    TTomaBase(TPrimerComponente* owner, const TTomaBase& prototype);

    std::int32_t NPolaridades = 0;
    std::int32_t OrdenCascada = 0; // position in a cascade of outlets
    std::int32_t NConectores = 0;  // 3 selects the symbol with three connectors
    std::int32_t cascadeable = 1;

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    int DefaultKind() const override { return kKind; }
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) override;
};

// The outlet class of every outlet the system makes.
class TTomaTV : public TTomaBase {
    IXO_COMPONENT_CLASS(TTomaTV)
public:
    explicit TTomaTV(TPrimerComponente* owner) : TTomaBase(owner) {}
    TTomaTV(TPrimerComponente* owner, const TTomaTV& prototype) : TTomaBase(owner, prototype) {}

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
};

} // namespace ixo
