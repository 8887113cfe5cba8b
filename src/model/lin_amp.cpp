#include "model/lin_amp.h"

#include "model/ampli_header.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TLinAmp, TAmpliBase)

void TLinAmp::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    TAmpliBase::ReadRecord(record, number, table);
    ReadControls(true);
}

LevelVector TLinAmp::ControlGainsForInput(const TPin& in) const {
    return in.Numeracion >= 1 ? ControlGains(static_cast<std::size_t>(in.Numeracion - 1)) : LevelVector();
}

LevelVector TLinAmp::ChannelRow(const TPin& in, const TPin& out) const {
    if (IsModeChannel(*this, in, out)) {
        return ModeRow(*this, ControlGainsForInput(in));
    }
    return Sum(ControlGainsForInput(in), RowOf(in.PinKey(), out.PinKey()));
}

void TLinAmp::ReceiveLevel(const LevelVector& level, TPin* pin) {
    if (pin == nullptr || !StoreInput(level, *pin)) {
        return;
    }
    ComputingScope computing(*this);
    ComputeChannels([this](std::size_t, const TPin& in, const TPin& out) { return ChannelRow(in, out); },
                    false);
}

TPrimerComponente* TLinAmp::Clone(TPrimerComponente* owner) const {
    return Create<TLinAmp>(owner, *this);
}

} // namespace ixo
