#pragma once

#include "model/level_vector.h"
#include "model/primer_componente.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ixo {

class TPotenciometroBase8;

// The controls of one kind held by an element, in order.
using ControlList = std::vector<TPotenciometroBase8*>;

// An element that owns gain or slope controls (amplifiers, multiswitches). Its controls with equal
// captions can be made to move together: moving one then moves the others of the same list.
class GainControlHost {
public:
    virtual ~GainControlHost() = default;
    // Controls with equal captions move together.
    virtual bool MovesControlsTogether() const = 0;
    // Set while one control's position is being copied to its fellows.
    virtual bool Equalising() const = 0;
    virtual void SetEqualising(bool equalising) = 0;
    // The list whose controls move together with control.
    virtual const ControlList& ListMovingWith(const TPotenciometroBase8& control) const = 0;
};

// A gain or slope control: a position from 0 to 100 % and the gains it gives at both ends; between them
// the gains change linearly with the position.
//
// Binary data "DatosP" (always written): the gains at 100 % then the gains at 0 %, 8 doubles each.
class TPotenciometroBase8 : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TPotenciometroBase8)
public:
    static constexpr std::uint8_t kGain = 0;
    static constexpr std::uint8_t kSlope = 1;
    static constexpr std::size_t kMaxCaption = 30;

    explicit TPotenciometroBase8(TPrimerComponente* owner) : TPrimerComponente(owner) {}
    TPotenciometroBase8(TPrimerComponente* owner, const TPotenciometroBase8& prototype);

    std::uint8_t Tipo = kGain;
    double Ajuste = 0.0;         // position, percent
    std::int32_t Regulacion = 0; // regulation setting from the catalogue
    std::string Caption;         // the label; controls with equal captions can move together
    std::uint8_t Tipo2 = 0;      // copied only
    bool Potvisible = true;      // shown in the regulation window
    std::int32_t PotPol = 0;     // polarity served by a multiswitch control; 0 on amplifiers

    const LevelVector& GainsAt100() const { return m_at100; }
    const LevelVector& GainsAt0() const { return m_at0; }
    // The least and the most gain the control gives at a band, whichever end of its travel that is.
    double LeastGain(std::size_t band) const { return std::min(m_at0[band], m_at100[band]); }
    double MostGain(std::size_t band) const { return std::max(m_at0[band], m_at100[band]); }
    void SetGains(const LevelVector& at0, const LevelVector& at100) {
        m_at0 = at0;
        m_at100 = at100;
    }
    // Per band: gains at 0 % + (gains at 100 % - gains at 0 %) x Ajuste / 100.
    LevelVector Value() const;
    // Sets the position; when the owner moves equal captions together, the fellows of this control in
    // the owner's list get the same position.
    void SetAjuste(double position);

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

private:
    LevelVector m_at100;
    LevelVector m_at0;
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
