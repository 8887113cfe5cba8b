#include "model/cbft.h"

#include "common/binary_stream.h"
#include "common/flag_scope.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TCBFT, TComponenteBase)

TCBFT::TCBFT(TPrimerComponente* owner) : TComponenteBase(owner) {}

TCBFT::TCBFT(TPrimerComponente* owner, const TCBFT& prototype)
    : TComponenteBase(owner, prototype), Nocontabilizardoble(prototype.Nocontabilizardoble),
      Consumolin(prototype.Consumolin), FamiliaHermana(prototype.FamiliaHermana),
      ConsumoPasivo(prototype.ConsumoPasivo), ConsumoActivo(prototype.ConsumoActivo),
      CorrienteMaxima(prototype.CorrienteMaxima) {
    m_transfer->CopyFrom(*prototype.m_transfer);
}

TCBFT::~TCBFT() {
    SetDoublePartner(nullptr);
    SetTriplePartner(nullptr);
    if (TCBFT* feeder = m_feeder) {
        SetFeeder(nullptr);
        feeder->ForgetFed(this);
    }
}

TPrimerComponente* TCBFT::Clone(TPrimerComponente* owner) const {
    return Create<TCBFT>(owner, *this);
}

void TCBFT::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    TComponenteBase::ReadRecord(record, number, table);
    m_output = LevelVector();
    m_transfer = std::make_unique<TFTransf>();
    m_transfer->FillFromKeyList(KeyList());
    Consumolin = ReadDecimalKey("CONSUMO", "0");
    Nocontabilizardoble = ReadBooleanKey("NOCONTABILZADOBLE", "0");
    SetDoublePartner(nullptr);
    SetTriplePartner(nullptr);
    SetFeeder(nullptr);
    FamiliaHermana = ReadIntegerKey("FAMILIAHERMANA", "0");
    CorrienteMaxima = ReadIntegerKey("MAXPOWERTER", "0");
    ConsumoActivo = ReadIntegerKey("CONSUMOTERACTIVO", "0");
    ConsumoPasivo = ReadIntegerKey("CONSUMOTERPASIVO", "0");
}

void TCBFT::ReceiveLevel(const LevelVector& level, TPin* pin) {
    if (pin == nullptr) {
        return;
    }
    const LevelVector in = pin->AfterCable(level);
    pin->SetLevels(in);
    if (m_pushing) {
        return; // a loop brought the push back into this element: it ends here
    }
    FlagScope pushing(m_pushing);
    const char inKey[] = {pin->TipodePin, pin->Prefijo};
    std::string_view key(inKey, sizeof inKey);
    PushThrough(PinesSALIDA(), in, key);
    PushThrough(PinesDERIVACION(), in, key);
}

void TCBFT::PushThrough(const PinList& list, const LevelVector& in, std::string_view inKey) {
    for (TPin* out : list) {
        const char outKey[] = {out->TipodePin, out->Prefijo};
        LevelVector gains;
        if (m_transfer->Lookup(inKey, std::string_view(outKey, sizeof outKey), gains) ==
            TFTransf::LookupResult::NoTable) {
            gains = LevelVector::Filled(-1.0);
        }
        m_output = Sum(in, gains);
        out->SetLevels(m_output);
        if (TPin* peer = out->Peer()) {
            if (auto* next = AsOrNull<TCBFT>(peer->Owner())) {
                next->ReceiveLevel(m_output, peer);
            }
        }
    }
}

void TCBFT::SetDoublePartner(TCBFT* other) {
    SetPartner(PartnerKind::Double, other);
}

void TCBFT::SetTriplePartner(TCBFT* other) {
    SetPartner(PartnerKind::Triple, other);
}

void TCBFT::SetPartner(PartnerKind kind, TCBFT* other) {
    Unpartner(kind);
    if (other == nullptr || other == this) {
        return;
    }
    other->Unpartner(kind);
    PartnerRef(kind) = other;
    PartnerName(kind) = other->Name();
    other->PartnerRef(kind) = this;
    other->PartnerName(kind) = Name();
    Watch(other);
}

// Clears both sides of the link of that kind.
void TCBFT::Unpartner(PartnerKind kind) {
    TCBFT* other = PartnerRef(kind);
    PartnerRef(kind) = nullptr;
    PartnerName(kind).clear();
    if (other == nullptr) {
        return;
    }
    if (other->PartnerRef(kind) == this) {
        other->PartnerRef(kind) = nullptr;
        other->PartnerName(kind).clear();
    }
    Unwatch(other);
}

void TCBFT::SetFeeder(TCBFT* feeder) {
    TCBFT* before = m_feeder;
    m_feeder = feeder;
    if (before != nullptr && before != feeder) {
        Unwatch(before);
    }
    if (feeder != nullptr) {
        Watch(feeder);
    }
}

void TCBFT::Watch(TCBFT* other) {
    FreeNotification(other);
}

void TCBFT::Unwatch(TCBFT* other) {
    if (other != m_double && other != m_triple && other != m_feeder &&
        (other->m_double != this && other->m_triple != this && other->m_feeder != this)) {
        RemoveFreeNotification(other);
    }
}

void TCBFT::Notification(TPrimerComponente* removed) {
    TComponenteBase::Notification(removed);
    if (removed == nullptr) {
        return;
    }
    if (removed == m_double) {
        m_double = nullptr;
        m_doubleName.clear();
    }
    if (removed == m_triple) {
        m_triple = nullptr;
        m_tripleName.clear();
    }
    if (removed == m_feeder) {
        m_feeder = nullptr;
    }
}

void TCBFT::DefineProperties(BinaryPropertyFiler& filer) {
    TComponenteBase::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "DCBFT", [this](BinaryReader& reader) { m_transfer->ReadFromStream(reader); },
        [this](BinaryWriter& writer) { m_transfer->WriteToStream(writer); }, m_transfer != nullptr);
}

} // namespace ixo
