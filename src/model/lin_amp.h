#pragma once

#include "model/ampli_base.h"

namespace ixo {

// A line amplifier: one channel per input (input i feeds output i), the controls of an input adding to
// the catalogue gains of its row; no output limit. The table is never changed by a computation.
//
// The controls of an input are those of its position (Numeracion - 1). In a terrestrial mode the
// channel EA -> SA takes the row of the mode (see ModeRow) instead of the catalogue row; a mode without
// curve text has a zero curve.
class TLinAmp : public TAmpliBase {
    IXO_COMPONENT_CLASS(TLinAmp)
public:
    explicit TLinAmp(TPrimerComponente* owner) : TAmpliBase(owner) {}
    TLinAmp(TPrimerComponente* owner, const TLinAmp& prototype) : TAmpliBase(owner, prototype) {}

    LevelVector ControlGainsForInput(const TPin& in) const;
    LevelVector ChannelRow(const TPin& in, const TPin& out) const;

    void ReceiveLevel(const LevelVector& level, TPin* pin) override;
    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) override;
};

} // namespace ixo
