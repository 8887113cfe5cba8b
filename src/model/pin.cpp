#include "model/pin.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/component_path.h"
#include "model/parts_catalogue.h"
#include "model/stream_text.h"

namespace ixo {
namespace {

constexpr std::int32_t kUnlinkedConnector = 1;
constexpr std::int32_t kUnlinkedLoad = 1;

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TPin, TPinbase)

TPin::TPin(TPrimerComponente* owner) : TPinbase(owner) {}

TPin::TPin(TPrimerComponente* owner, std::int32_t numeracion, char tipodePin, char prefijo,
           std::int32_t connectorNumber, const TPasocorriente& pasoCorriente)
    : TPinbase(owner, numeracion, tipodePin, prefijo, connectorNumber, pasoCorriente) {}

TPin::TPin(TPrimerComponente* owner, const TPin& prototype) : TPinbase(owner, prototype) {}

TPin::~TPin() {
    // The peer goes back to the unconnected state; this pin's own parts go with it. A peer freed with
    // this pin (the project closing) only forgets it: an unconnected state nobody will see costs a load
    // and a connector per connection.
    if (TPin* q = m_peer) {
        m_peer = nullptr;
        if (q->GoingWithOwner()) {
            q->m_peer = nullptr;
        } else {
            q->Disconnect();
        }
    }
}

bool TPin::LinkPins(TPin& a, TPin& b, TCableTV* cable, double metres, std::int32_t connectorNumber) {
    if (&a == &b) {
        return false;
    }
    for (TPin* pin : {&a, &b}) {
        if (pin->m_peer != nullptr && pin->m_peer != &a && pin->m_peer != &b) {
            UnlinkPin(*pin);
        }
    }
    for (TPin* pin : {&a, &b}) {
        pin->SetLoad(nullptr);
        pin->SetCable(cable);
        pin->MetrosCable = metres;
        pin->SetFittedConnector(SharedConnector(connectorNumber));
    }
    a.m_peer = &b;
    b.m_peer = &a;
    return true;
}

bool TPin::LinkPins(TPin& a, TPin& b, TCableTV& cable, double metres) {
    return LinkPins(a, b, &cable, metres, cable.Tipoconector);
}

void TPin::UnlinkPin(TPin& p) {
    TPin* q = p.m_peer;
    if (q == nullptr) {
        return;
    }
    q->Disconnect();
    p.Disconnect();
}

TPin::LinkState TPin::SaveLinkState() const {
    return LinkState{
        m_peer, Cable(), MetrosCable, SharedLoad(), SharedFittedConnector(), SharedPinConnector()};
}

void TPin::RestoreLinkState(const LinkState& state) {
    m_peer = state.peer;
    SetCable(state.cable);
    MetrosCable = state.metres;
    SetLoad(state.load);
    SetFittedConnector(state.fittedConnector);
    SetPinConnector(state.pinConnector);
}

void TPin::Disconnect() {
    SetLoad(MakeLoad(kUnlinkedLoad));
    SetFittedConnector(nullptr);
    SetCable(nullptr);
    m_peer = nullptr;
    SetPinConnector(SharedConnector(kUnlinkedConnector));
    m_levels = LevelVector();
}

void TPin::WriteConexionPin(BinaryWriter& writer) const {
    WriteCountedText(writer, ComponentPath(m_peer));
    WriteCountedText(writer, ComponentPath(Cable()));
}

void TPin::ReadConexionPin(BinaryReader& reader) {
    std::string peerPath = ReadCountedText(reader);
    std::string cablePath = ReadCountedText(reader);
    m_storedPeerPath = std::move(peerPath);
    m_storedCablePath = std::move(cablePath);
}

TPrimerComponente* TPin::Clone(TPrimerComponente* owner) const {
    return Create<TPin>(owner, *this);
}

void TPin::DefineProperties(BinaryPropertyFiler& filer) {
    TPinbase::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "ConexionPin", [this](BinaryReader& reader) { ReadConexionPin(reader); },
        [this](BinaryWriter& writer) { WriteConexionPin(writer); }, m_peer != nullptr);
}

LevelVector TPin::AfterCable(const LevelVector& level) const {
    const TCableTV* cable = Cable();
    return cable != nullptr ? Sum(level, cable->Attenuation(MetrosCable)) : level;
}

} // namespace ixo
