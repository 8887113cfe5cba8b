#pragma once

#include "model/cbft.h"
#include "model/level_vector.h"
#include "model/polarity_source.h"
#include "model/potenciometro.h"
#include "model/stored_names.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// A multiswitch: one input per satellite polarity (pins of letter B) and a terrestrial input (any other
// letter), and taps each delivering the polarity the receiver behind it selects, mixed with the
// terrestrial signal. A cascadable model (outputs and taps) also passes every input through to the
// output of the same polarity, unmixed, to feed the next multiswitch of a cascade; a terminal model has
// taps only.
//
// Polarities: the inputs are numbered in list order, each B input taking the next number 0, 1, 2, ...
// and every other input -1 (terrestrial); the outputs of a cascadable model the same way. Taps carry
// whatever polarity the level check selects on them.
//
// Gain controls: each control of LPG serves one polarity (PotPol): -1 when its caption contains "TER",
// else the next number in list order. New-type models (tiponuevo) find a polarity's control by PotPol,
// old-type ones by position.
//
// Binary data "NivelSignalENT" (only while TieneMaxnivelentrada is set): the maximum input level, 8
// doubles.
class TMultiswitch : public TCBFT, public GainControlHost, public PolaritySource {
    IXO_COMPONENT_CLASS(TMultiswitch)
public:
    static constexpr int kKind = 6; // the multiswitch table
    // 20 log10 4: the regulation window allows a quarter of the level on the satellite bands.
    static constexpr double kSatelliteInputMargin = 12.041199826559248;

    // An entry of LPG: the control's name and the control (owned by the multiswitch).
    struct ControlEntry {
        std::string name;
        TPotenciometro* control = nullptr;
    };

    explicit TMultiswitch(TPrimerComponente* owner);
    TMultiswitch(TPrimerComponente* owner, const TMultiswitch& prototype);

    std::int32_t ATMedia = 0; // mean attenuation figure; the builder grades cascade models by it
    bool Activo = false;
    bool Conpot = false;
    bool Igualando = false;
    bool PotJuntos = false;
    std::int32_t NPOTGREALES = 0;
    std::int32_t NPG = 0;
    bool Conpletina = false;
    std::string MODELOPLETINA;
    bool TieneMaxnivelentrada = false;
    bool tiponuevo = false;
    bool TieneAttTer = false;
    std::int32_t AttenuarTer = 1; // 0 attenuated, otherwise active
    std::string CURVAATTTER = "EA/SA";
    std::int32_t MAXValueAttTer = 1;
    bool CascadeableCabecera = false;

    const std::vector<ControlEntry>& LPG() const { return m_controls; }
    // Lists control (which must be owned by this multiswitch) at the end of LPG under its name.
    void AppendControl(TPotenciometro& control);
    // Reading a project file: the control names stored for LPG, then each control read (owned by this
    // multiswitch) put into LPG at the place of its name.
    void SetStoredControlNames(std::vector<std::string> names) { m_storedControls.Set(std::move(names)); }
    bool AttachStoredControl(TPotenciometro& control);

    // Per band, dBuV; zeros when the model gives none.
    const LevelVector& MaxInputLevel() const { return m_maxInput; }
    void SetMaxInputLevel(const LevelVector& level) { m_maxInput = level; }
    // Bands 0 to 3 the maximum input level; bands 4 to 7 that level less kSatelliteInputMargin.
    LevelVector MaxInputForRegulation() const;

    // Outputs and taps: cascadable; taps only: terminal.
    bool IsCascadable() const { return !PinesSALIDA().empty() && !PinesDERIVACION().empty(); }
    // The first input of that polarity (-1: the terrestrial input), or null.
    TPin* InputOfPolarity(std::int32_t polarity) const;
    // The index in LPG of the first control serving that polarity, or -1.
    int ControlOfPolarity(std::int32_t polarity) const;

    // The level of output or tap pin out from the input of its polarity, its row, its control and (taps
    // and terminal outputs) the terrestrial mix. False, with out untouched, when out is null or no input
    // has its polarity.
    bool EvaluateOutput(const TPin* out, LevelVector& level) const;
    // The controls EvaluateOutput reads for out at its polarity (null where none): the one serving the
    // polarity, and the terrestrial input's where out mixes that input in. No other control moves it.
    struct OutputControls {
        const TPotenciometroBase8* gain = nullptr;
        const TPotenciometroBase8* terrestrial = nullptr;
    };
    OutputControls ControlsOfOutput(const TPin& out) const;
    // The gains from the input of polarity (-1: the terrestrial input) to out (an output or tap of this
    // multiswitch), its row and its control as they stand: the through or tap loss of the model on that
    // path. False, with gains untouched, when no input has that polarity.
    bool PathGains(std::int32_t polarity, const TPin& out, LevelVector& gains) const;
    // EvaluateOutput, then the pin takes the level and passes it on to the element cabled there.
    bool ComputeOutput(TPin* out) override;

    // The pin takes the level (cable loss included) and is marked calculated; once every connected input
    // is calculated, every output and then every tap is computed in list order. A level that comes back
    // into the multiswitch while it is computing (a cable loop) is stored and goes no further.
    void ReceiveLevel(const LevelVector& level, TPin* pin) override;

    bool MovesControlsTogether() const override { return PotJuntos; }
    bool Equalising() const override { return Igualando; }
    void SetEqualising(bool equalising) override { Igualando = equalising; }
    // Every control of LPG (a multiswitch has no separate slope list).
    const ControlList& ListMovingWith(const TPotenciometroBase8& control) const override;

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

protected:
    int DefaultKind() const override { return kKind; }
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) override;
    void AfterConstruction() override;
    void Notification(TPrimerComponente* removed) override;

private:
    void DestroyControls();
    void ReadControls();
    TPotenciometro& ReadControl(int k);
    void NumberPolarities();
    // PotPol of a new control: -1 for a terrestrial caption, else the next satellite number.
    static std::int32_t NextPotPol(const TPotenciometroBase8& control, std::int32_t& nextSatellite);
    // The gains of the row inKey/outKey; -1 dB in every band when the function has none.
    LevelVector Row(std::string_view inKey, std::string_view outKey) const;
    LevelVector TerrestrialRow(const TPin& terrestrial, const TPin& out) const;
    LevelVector ControlGains(std::int32_t polarity) const;

    std::vector<ControlEntry> m_controls;
    StoredNames m_storedControls;

    mutable ControlList m_controlList; // LPG as plain pointers, rebuilt for ListMovingWith
    LevelVector m_maxInput;
    const TMultiswitch* m_controlsFrom = nullptr; // the prototype whose controls the copy takes once named
    bool m_computing = false;                     // set while the outputs are being computed
};

} // namespace ixo
