#pragma once

#include "model/ampli_base.h"

namespace ixo {

// A headend amplifier: one channel per input (input i feeds output i), its gains given wholly by its
// controls, its output clipped band by band to the maximum output level.
//
// At every computation the row of each controlled channel is rewritten from the controls, so the table
// always shows the positions. A channel EA -> SA of an amplifier in a terrestrial mode takes the mode's
// curve plus the controls (none in the passive mode); when the curve's 47 MHz band is not 0 that band of
// the controls is replaced by the curve's, so the row carries the curve's value there twice. The mode
// rows are catalogue curves and stay as read: the mode channel's row is computed, not stored, since a
// stored row would be read back as the curve and gather the control gains again at every computation.
class TAmpliHeader : public TAmpliBase {
    IXO_COMPONENT_CLASS(TAmpliHeader)
public:
    explicit TAmpliHeader(TPrimerComponente* owner) : TAmpliBase(owner) {}
    TAmpliHeader(TPrimerComponente* owner, const TAmpliHeader& prototype) : TAmpliBase(owner, prototype) {}

    // Sets the row of the key pair to the sum of the values of every gain and slope control.
    bool SetRowFromAllControls(std::string_view inKey, std::string_view outKey);
    // The row of channel i in the current mode and positions.
    LevelVector ChannelRow(std::size_t i, const TPin& in, const TPin& out);

    void ReceiveLevel(const LevelVector& level, TPin* pin) override;
    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) override;
};

// The terrestrial mode channel: input key EA to output key SA while a mode is set.
bool IsModeChannel(const TAmpliBase& amplifier, const TPin& in, const TPin& out);
// The row of a mode channel: the curve plus the controls' gains (none in the passive mode), the
// curve's 47 MHz band replacing the controls' there when it is not 0.
LevelVector ModeRow(const TAmpliBase& amplifier, const LevelVector& controls);

} // namespace ixo
