#pragma once

#include "model/cbft.h"
#include "model/potenciometro.h"
#include "model/stored_names.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// The base of the amplifiers: catalogue data, limits, the gain and slope controls the user moves and
// the terrestrial operating modes. Controls are owned components of the amplifier; LPG and LPP list
// them in order (gain control i and slope control i act on channel i).
//
// A terrestrial amplifier may have modes MinModoTer..MaxModoTer, each with a gain curve named by a text
// "<in key>/<out key>": the transfer row of that key pair. Mode m uses the m-th curve text counted from
// the first mode the catalogue lists (MinModoTer, or 1 when that is below 1); a mode without curve text
// has a zero curve.
//
// Binary data "NivelSignal" then "NivelmaxSignal" (always written): the output level and the maximum
// output level, 8 doubles each.
class TAmpliBase : public TCBFT, public GainControlHost {
    IXO_COMPONENT_CLASS(TAmpliBase)
public:
    static constexpr int kKind = 0; // the amplifier table

    explicit TAmpliBase(TPrimerComponente* owner);
    TAmpliBase(TPrimerComponente* owner, const TAmpliBase& prototype);

    bool Exterior = false;
    bool FIncorporada = false; // built-in power supply
    bool SalidaTest = false;
    std::int32_t Localizacion = 0;
    std::int32_t NPP = 0; // slope controls described by the catalogue
    std::int32_t NPG = 0; // gain controls described by the catalogue
    std::int32_t NivelSalidaTest = 0;
    double ConsumoP = 0.0;
    bool PotJuntos = false; // controls with equal captions move together
    bool Igualando = false; // set while controls are being moved together
    std::int32_t NPOTPREALES = 0;
    std::int32_t NPOTGREALES = 0;
    bool interiorviv = false;      // model for inside a flat
    std::int32_t modelofuente = 0; // built-in supply's number in the supply table
    std::int32_t MaxModoTer = 0;
    std::int32_t ModoterActual = 0; // 0: no mode
    std::int32_t MinModoTer = 0;
    std::vector<std::string> CurvaModoter1; // one curve text per mode
    std::int32_t ModoPasivo = 0;            // the mode without control gains

    const ControlList& LPP() const { return m_lpp; }
    const ControlList& LPG() const { return m_lpg; }
    // Lists a control owned by the amplifier (the project reader re-attaches controls with it): slope
    // controls go to LPP, the others to LPG.
    void AddControl(TPotenciometroBase8* control);
    // Reading a project file: the control names stored for LPP and LPG, then each control read (owned
    // by this amplifier) put into LPG when its name is stored there, else into LPP, at its stored place.
    void SetStoredControlNames(bool slope, std::vector<std::string> names);
    bool AttachStoredControl(TPotenciometroBase8& control);

    const LevelVector& NivelSignal() const { return m_nivelSignal; }
    const LevelVector& NivelmaxSignal() const { return m_nivelMax; }
    void SetNivelmaxSignal(const LevelVector& level) { m_nivelMax = level; }

    // The amplifier has an input pin with letter A (a terrestrial input); ...Conectada: a connected one.
    bool Tieneterrestre() const;
    bool TieneterrestreConectada() const;
    // The Value of gain control i plus that of slope control i, each when it exists.
    LevelVector ControlGains(std::size_t i) const;
    // The gain curve of a mode (zeros for a mode without curve text).
    LevelVector ModeCurve(std::int32_t mode) const;

    // GainControlHost
    bool MovesControlsTogether() const override { return PotJuntos; }
    bool Equalising() const override { return Igualando; }
    void SetEqualising(bool equalising) override { Igualando = equalising; }
    const ControlList& ListMovingWith(const TPotenciometroBase8& control) const override;

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

protected:
    int DefaultKind() const override { return kKind; }
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) override;
    void AfterConstruction() override;
    void Notification(TPrimerComponente* removed) override;

    // Builds the gain then the slope controls from the script; potvisibleFromScript reads each
    // control's visibility, otherwise every control is visible.
    void ReadControls(bool potvisibleFromScript);
    void ResetOutputLevel() { m_nivelSignal = m_nivelMax; }

    // Stores a level arriving at an input pin: cable loss applied, calculated flag set. True when every
    // connected input has its level and the amplifier is not already computing (a cable loop brings
    // the push back at most once).
    bool StoreInput(const LevelVector& level, TPin& pin);
    bool Computing() const { return m_computing; }
    // Computes channel by channel (input i feeds output i) with rowOf giving the gains of a channel,
    // then clips to the maximum output level when asked, and pushes each output on to its peer.
    template <typename RowOf> void ComputeChannels(RowOf rowOf, bool clip);
    // Passes level on from output pin out to the element cabled there.
    static void PushFrom(TPin& out, const LevelVector& level);
    // Lookup of a key pair; -1 dB in every band when the function has no table for the input key.
    LevelVector RowOf(std::string_view inKey, std::string_view outKey) const;

    // Marks the amplifier as computing for the length of a scope, also when it is left by an exception.
    class ComputingScope {
    public:
        explicit ComputingScope(TAmpliBase& amplifier) : m_flag(amplifier.m_computing) { m_flag = true; }
        ~ComputingScope() { m_flag = false; }
        ComputingScope(const ComputingScope&) = delete;
        ComputingScope& operator=(const ComputingScope&) = delete;

    private:
        bool& m_flag;
    };

private:
    void ReadControlList(bool slope, bool potvisibleFromScript);

    bool m_computing = false;
    ControlList m_lpp;
    ControlList m_lpg;
    LevelVector m_nivelSignal;
    LevelVector m_nivelMax;
    StoredNames m_storedLpp;
    StoredNames m_storedLpg;
    const TAmpliBase* m_controlsFrom = nullptr; // the prototype whose controls a copy takes once named
};

template <typename RowOfChannel> void TAmpliBase::ComputeChannels(RowOfChannel rowOf, bool clip) {
    const PinList& outputs = PinesSALIDA();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        TPin* in = PinAt(PinKind::Input, static_cast<int>(i));
        if (in == nullptr) {
            continue; // an output without its input (a catalogue fault) is left alone
        }
        TPin& out = *outputs[i];
        LevelVector buffer = Sum(in->Levels(), rowOf(i, *in, out));
        if (clip) {
            buffer = Clip(buffer, m_nivelMax);
        }
        out.SetLevels(buffer);
        PushFrom(out, buffer);
    }
}

} // namespace ixo
