#include "model/disecq.h"

#include "common/flag_scope.h"
#include "model/cable_tv.h"
#include "model/parts_catalogue.h"
#include "model/polarity_source.h"

namespace ixo {
namespace {

// The polarities of one satellite (one LNB, one input of the switch).
constexpr std::int32_t kPolaritiesPerInput = 4;

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TDISECQ, TCBFT)

TDISECQ::TDISECQ(TPrimerComponente* owner) : TCBFT(owner) {
    Tabla = DefaultTableOfKind(kKind);
}

TPrimerComponente* TDISECQ::Clone(TPrimerComponente* owner) const {
    return Create<TDISECQ>(owner, *this);
}

void TDISECQ::ReceiveLevel(const LevelVector& level, TPin* pin) {
    if (pin == nullptr) {
        return;
    }
    const LevelVector in = pin->AfterCable(level);
    pin->SetLevels(in);
    pin->SetCalculated(true);
    if (AllInputsCalculated()) {
        Compute();
    }
}

void TDISECQ::PolarityChanged() {
    if (AllInputsCalculated()) {
        Compute();
    }
}

TPin* TDISECQ::InputForPolarity(std::int32_t r) const {
    const PinList& inputs = PinesENTRADA();
    if (inputs.empty()) {
        return nullptr;
    }
    if (r < 0) {
        return inputs.front();
    }
    // Input k carries the polarities 4k .. 4k + 3; beyond the last input, the last.
    const auto k = static_cast<std::size_t>(r / kPolaritiesPerInput);
    return k < inputs.size() ? inputs[k] : inputs.back();
}

void TDISECQ::Compute() {
    if (m_computing) {
        return; // the level is already stored; the computation in progress goes on with it
    }
    FlagScope computing(m_computing);
    const TPin* requested = PinAt(PinKind::Output, 0);
    const std::int32_t r = requested != nullptr ? requested->polaridad : 0;
    TPin* s = InputForPolarity(r);
    if (s == nullptr) {
        return;
    }
    s->polaridad = PolarityAtInput(r);
    RequestPolarity(*s);
    const std::string inKey = s->PinKey();
    const LevelVector in = s->Levels(); // a copy: pushing may bring a new level to s
    PushThrough(PinesSALIDA(), in, inKey);
    PushThrough(PinesDERIVACION(), in, inKey);
}

void TDISECQ::RequestPolarity(TPin& s) {
    TPin* peer = s.Peer();
    if (peer == nullptr || peer->polaridad == s.polaridad) {
        return;
    }
    peer->polaridad = s.polaridad;
    if (auto* source = dynamic_cast<PolaritySource*>(peer->Owner())) {
        source->ComputeOutput(peer);
    }
}

} // namespace ixo
