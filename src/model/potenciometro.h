#pragma once

#include "model/level_vector.h"
#include "model/primer_componente.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ixo {

class TPotenciometroBase8;

// The element a control belongs to, as far as the controls need it: whether controls with equal
// captions move together, the flag set while they are being moved, and the list a control shares with
// the others it may move.
class ControlGroupOwner {
public:
    virtual bool ControlsMoveTogether() const = 0;
    virtual bool ControlsBeingMatched() const = 0;
    virtual void SetControlsBeingMatched(bool matching) = 0;
    // The controls of the list that holds control (control itself included).
    virtual std::vector<TPotenciometroBase8*>
    ControlsListedWith(const TPotenciometroBase8& control) const = 0;

protected:
    ~ControlGroupOwner() = default;
};

// A gain (or slope) control: a position from 0 to 100 % between two gain vectors, the gains at 0 %
// and the gains at 100 %, interpolated band by band.
//
// Binary data "DatosP" (always written): the gains at 100 % then the gains at 0 % (8 doubles each).
class TPotenciometroBase8 : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TPotenciometroBase8)
public:
    static constexpr std::size_t kMaxCaptionLength = 30;

    explicit TPotenciometroBase8(TPrimerComponente* owner);
    TPotenciometroBase8(TPrimerComponente* owner, const TPotenciometroBase8& prototype);

    std::uint8_t Tipo = 0;  // 0 gain control, 1 slope control
    double Ajuste = 0.0;    // position, percent
    LevelVector GainsAtMax; // gains at 100 %
    LevelVector GainsAtMin; // gains at 0 %
    std::int32_t Regulacion = 0;
    std::string Caption; // at most kMaxCaptionLength characters
    std::uint8_t Tipo2 = 0;
    bool Potvisible = true;
    std::int32_t PotPol = 0; // polarity served by a multiswitch control; -1 terrestrial

    // Per band: gains at 0 % + (gains at 100 % - gains at 0 %) x Ajuste / 100.
    LevelVector Value() const;
    // Sets the position; when the owner moves equal captions together, every other control of the
    // same list whose caption is equal byte for byte takes the same position.
    void SetAjuste(double position);
    // Caption cut to kMaxCaptionLength characters.
    void SetCaption(std::string_view caption);

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;
};

// The class of every control the system makes.
class TPotenciometro : public TPotenciometroBase8 {
    IXO_COMPONENT_CLASS(TPotenciometro)
public:
    explicit TPotenciometro(TPrimerComponente* owner) : TPotenciometroBase8(owner) {}
    TPotenciometro(TPrimerComponente* owner, const TPotenciometroBase8& prototype)
        : TPotenciometroBase8(owner, prototype) {}

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
};

} // namespace ixo
