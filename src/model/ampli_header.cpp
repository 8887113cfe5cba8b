#include "model/ampli_header.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TAmpliHeader, TAmpliBase)

bool IsModeChannel(const TAmpliBase& amplifier, const TPin& in, const TPin& out) {
    return amplifier.ModoterActual > 0 && in.PinKey() == "EA" && out.PinKey() == "SA";
}

LevelVector ModeRow(const TAmpliBase& amplifier, const LevelVector& controls) {
    LevelVector gains;
    if (amplifier.ModoterActual != amplifier.ModoPasivo) {
        gains = controls;
    }
    const LevelVector curve = amplifier.ModeCurve(amplifier.ModoterActual);
    if (curve[0] != 0.0) {
        gains[0] = curve[0];
    }
    return Sum(gains, curve);
}

void TAmpliHeader::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    TAmpliBase::ReadRecord(record, number, table);
    ReadControls(false);
}

bool TAmpliHeader::SetRowFromAllControls(std::string_view inKey, std::string_view outKey) {
    LevelVector gains;
    for (const ControlList* list : {&LPG(), &LPP()}) {
        for (const TPotenciometroBase8* control : *list) {
            gains = Sum(gains, control->Value());
        }
    }
    return Transfer().SetRow(inKey, outKey, gains);
}

LevelVector TAmpliHeader::ChannelRow(std::size_t i, const TPin& in, const TPin& out) {
    if (IsModeChannel(*this, in, out)) {
        return ModeRow(*this, ControlGains(i));
    }
    if (i < LPG().size() || i < LPP().size()) {
        Transfer().SetRow(in.PinKey(), out.PinKey(), ControlGains(i));
    }
    return RowOf(in.PinKey(), out.PinKey());
}

void TAmpliHeader::ReceiveLevel(const LevelVector& level, TPin* pin) {
    if (pin == nullptr || !StoreInput(level, *pin)) {
        return;
    }
    ComputingScope computing(*this);
    ResetOutputLevel();
    ComputeChannels([this](std::size_t i, const TPin& in, const TPin& out) { return ChannelRow(i, in, out); },
                    true);
}

TPrimerComponente* TAmpliHeader::Clone(TPrimerComponente* owner) const {
    return Create<TAmpliHeader>(owner, *this);
}

} // namespace ixo
