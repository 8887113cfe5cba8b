#pragma once

#include "model/cbft.h"

namespace ixo {

// Base of the special elements of the catalogue.
class Tespecial : public TCBFT {
    IXO_COMPONENT_CLASS(Tespecial)
public:
    explicit Tespecial(TPrimerComponente* owner) : TCBFT(owner) {}
    Tespecial(TPrimerComponente* owner, const Tespecial& prototype) : TCBFT(owner, prototype) {}

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
};

// The entry point of a flat (special elements, family 100000).
class Tentradaviv : public Tespecial {
    IXO_COMPONENT_CLASS(Tentradaviv)
public:
    static constexpr int kKind = 5;

    explicit Tentradaviv(TPrimerComponente* owner);
    Tentradaviv(TPrimerComponente* owner, const Tentradaviv& prototype) : Tespecial(owner, prototype) {}

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    int DefaultKind() const override { return kKind; }
};

// A TV/SAT diplexer (special elements, family 10001, kind 10).
class TIFT : public TCBFT {
    IXO_COMPONENT_CLASS(TIFT)
public:
    static constexpr int kKind = 10;

    explicit TIFT(TPrimerComponente* owner);
    TIFT(TPrimerComponente* owner, const TIFT& prototype) : TCBFT(owner, prototype) {}

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    int DefaultKind() const override { return kKind; }
};

} // namespace ixo
