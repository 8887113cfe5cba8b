#include "model/potenciometro.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"

namespace ixo {
namespace {

// Marks the host as equalising for the length of a scope, also when the scope is left by an exception.
class EqualisingScope {
public:
    explicit EqualisingScope(GainControlHost& host) : m_host(host) { m_host.SetEqualising(true); }
    ~EqualisingScope() { m_host.SetEqualising(false); }
    EqualisingScope(const EqualisingScope&) = delete;
    EqualisingScope& operator=(const EqualisingScope&) = delete;

private:
    GainControlHost& m_host;
};

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TPotenciometroBase8, TPrimerComponente)
IXO_DEFINE_COMPONENT_CLASS(TPotenciometro, TPotenciometroBase8)

TPotenciometroBase8::TPotenciometroBase8(TPrimerComponente* owner, const TPotenciometroBase8& prototype)
    : TPrimerComponente(owner), Tipo(prototype.Tipo), Ajuste(prototype.Ajuste),
      Regulacion(prototype.Regulacion), Caption(prototype.Caption), Tipo2(prototype.Tipo2),
      Potvisible(prototype.Potvisible), PotPol(prototype.PotPol), m_at100(prototype.m_at100),
      m_at0(prototype.m_at0) {}

LevelVector TPotenciometroBase8::Value() const {
    LevelVector value;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        value[band] = m_at0[band] + (m_at100[band] - m_at0[band]) * Ajuste / 100.0;
    }
    return value;
}

void TPotenciometroBase8::SetAjuste(double position) {
    Ajuste = position;
    auto* host = dynamic_cast<GainControlHost*>(Owner());
    if (host == nullptr || !host->MovesControlsTogether() || host->Equalising()) {
        return;
    }
    EqualisingScope equalising(*host);
    // A copy: moving a control never changes the list, but the list is the host's to keep.
    const ControlList fellows = host->ListMovingWith(*this);
    for (TPotenciometroBase8* other : fellows) {
        if (other != this && other->Caption == Caption) {
            other->SetAjuste(position);
        }
    }
}

TPrimerComponente* TPotenciometroBase8::Clone(TPrimerComponente* owner) const {
    return Create<TPotenciometroBase8>(owner, *this);
}

void TPotenciometroBase8::DefineProperties(BinaryPropertyFiler& filer) {
    TPrimerComponente::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "DatosP",
        [this](BinaryReader& reader) {
            LevelVector at100 = ReadLevelVector(reader);
            LevelVector at0 = ReadLevelVector(reader);
            SetGains(at0, at100);
        },
        [this](BinaryWriter& writer) {
            WriteLevelVector(writer, m_at100);
            WriteLevelVector(writer, m_at0);
        },
        true);
}

TPrimerComponente* TPotenciometro::Clone(TPrimerComponente* owner) const {
    return Create<TPotenciometro>(owner, *this);
}

} // namespace ixo
