#pragma once

#include "model/cbft.h"

namespace ixo {

// A DiSEqC switch: in front of a flat it picks the satellite the receiver asks for. Each input comes
// from a multiswitch tap of one satellite; the polarity requested at the first output (set by the level
// check) chooses the input, and the switch asks that input's multiswitch for the polarity within the
// LNB's group of four. It waits, like a multiswitch, until every connected input has a level.
//
// The polarities 0 to 3 take the first input and every polarity from 4 up takes the last input, so on a
// three-input switch the middle input is never chosen.
class TDISECQ : public TCBFT {
    IXO_COMPONENT_CLASS(TDISECQ)
public:
    static constexpr int kKind = 6; // the multiswitch table (family 5500)

    explicit TDISECQ(TPrimerComponente* owner);
    TDISECQ(TPrimerComponente* owner, const TDISECQ& prototype) : TCBFT(owner, prototype) {}

    // Stores the level at pin (cable loss included) and marks it calculated; once every connected input
    // is calculated the switch computes (see PolarityChanged). A level that reaches the switch while it
    // computes (its own push brought back by the chosen multiswitch, or a cable loop) is stored and used
    // by the computation in progress.
    void ReceiveLevel(const LevelVector& level, TPin* pin) override;
    // Re-evaluates the switch after the polarity requested at its first output changed; nothing until
    // every connected input is calculated.
    void PolarityChanged();

    // The input chosen for polarity r: input k carries polarities 4k to 4k + 3 (the satellite of the k-th
    // multiswitch), polarities beyond the last input take the last and negative ones the first; null
    // without inputs.
    TPin* InputForPolarity(std::int32_t r) const;
    // The polarity the switch asks of the input it chose for polarity r: r's place within its
    // satellite's group of four.
    [[nodiscard]] static std::int32_t PolarityAtInput(std::int32_t r) { return r & 3; }

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    int DefaultKind() const override { return kKind; }

private:
    void Compute();
    // The polarity the switch asks of s's peer: when it changes, a multiswitch there recomputes its pin.
    static void RequestPolarity(TPin& s);

    bool m_computing = false;
};

} // namespace ixo
