#include "model/potenciometro.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"

namespace ixo {
namespace {

// Clears the owner's matching flag when the matching ends, also when it is left by an error.
class MatchingScope {
public:
    explicit MatchingScope(ControlGroupOwner& owner) : m_owner(owner) {
        m_owner.SetControlsBeingMatched(true);
    }
    ~MatchingScope() { m_owner.SetControlsBeingMatched(false); }
    MatchingScope(const MatchingScope&) = delete;
    MatchingScope& operator=(const MatchingScope&) = delete;

private:
    ControlGroupOwner& m_owner;
};

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TPotenciometroBase8, TPrimerComponente)
IXO_DEFINE_COMPONENT_CLASS(TPotenciometro, TPotenciometroBase8)

TPotenciometroBase8::TPotenciometroBase8(TPrimerComponente* owner) : TPrimerComponente(owner) {}

TPotenciometroBase8::TPotenciometroBase8(TPrimerComponente* owner, const TPotenciometroBase8& prototype)
    : TPrimerComponente(owner), Tipo(prototype.Tipo), Ajuste(prototype.Ajuste),
      GainsAtMax(prototype.GainsAtMax), GainsAtMin(prototype.GainsAtMin), Regulacion(prototype.Regulacion),
      Caption(prototype.Caption), Tipo2(prototype.Tipo2), Potvisible(prototype.Potvisible),
      PotPol(prototype.PotPol) {}

LevelVector TPotenciometroBase8::Value() const {
    LevelVector value;
    for (std::size_t i = 0; i < kBandCount; ++i) {
        value[i] = GainsAtMin[i] + (GainsAtMax[i] - GainsAtMin[i]) * Ajuste / 100.0;
    }
    return value;
}

void TPotenciometroBase8::SetAjuste(double position) {
    Ajuste = position;
    auto* owner = dynamic_cast<ControlGroupOwner*>(Owner());
    if (owner == nullptr || !owner->ControlsMoveTogether() || owner->ControlsBeingMatched()) {
        return;
    }
    MatchingScope matching(*owner);
    for (TPotenciometroBase8* other : owner->ControlsListedWith(*this)) {
        if (other != this && other->Caption == Caption) {
            other->SetAjuste(position);
        }
    }
}

void TPotenciometroBase8::SetCaption(std::string_view caption) {
    Caption = std::string(caption.substr(0, kMaxCaptionLength));
}

TPrimerComponente* TPotenciometroBase8::Clone(TPrimerComponente* owner) const {
    return Create<TPotenciometroBase8>(owner, *this);
}

void TPotenciometroBase8::DefineProperties(BinaryPropertyFiler& filer) {
    TPrimerComponente::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "DatosP",
        [this](BinaryReader& reader) {
            LevelVector atMax = ReadLevelVector(reader);
            LevelVector atMin = ReadLevelVector(reader);
            GainsAtMax = atMax;
            GainsAtMin = atMin;
        },
        [this](BinaryWriter& writer) {
            WriteLevelVector(writer, GainsAtMax);
            WriteLevelVector(writer, GainsAtMin);
        },
        true);
}

TPrimerComponente* TPotenciometro::Clone(TPrimerComponente* owner) const {
    return Create<TPotenciometro>(owner, *this);
}

} // namespace ixo
