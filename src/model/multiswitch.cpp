#include "model/multiswitch.h"

#include "common/binary_stream.h"
#include "common/flag_scope.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/parts_catalogue.h"
#include "model/script_numbers.h"

#include <algorithm>
#include <array>
#include <string>

namespace ixo {
namespace {

// Families whose controls are always shown in the regulation window, whatever the catalogue says.
constexpr std::array<std::int32_t, 4> kAlwaysVisibleControlFamilies = {5010, 5011, 5020, 5021};
constexpr char kPolarityLetter = 'B';
constexpr std::string_view kTerrestrialCaption = "TER";
// No model has more controls than this (one per polarity of 16 and a terrestrial one, with room to
// spare); a larger count is a catalogue error, refused rather than filled.
constexpr std::int32_t kMaxControls = 64;

void RequireControlCount(std::int32_t count, std::string_view key) {
    if (count > kMaxControls) {
        throw ScriptError(std::string(key) + " asks for " + std::to_string(count) + " controls; at most " +
                          std::to_string(kMaxControls) + " are accepted");
    }
}

// A pin's two-character table key held in place, so that evaluating an output copies no string.
struct PinKeyChars {
    char key[2];
    operator std::string_view() const { return std::string_view(key, sizeof key); }
};

PinKeyChars KeyOf(const TPin& pin) {
    return {{pin.TipodePin, pin.Prefijo}};
}

// A gain vector text of a control: empty gives zeros, otherwise 8 numbers.
LevelVector GainsFromText(const std::string& text) {
    return text.empty() ? LevelVector() : TFTransf::ParseRowText(text);
}

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TMultiswitch, TCBFT)

TMultiswitch::TMultiswitch(TPrimerComponente* owner) : TCBFT(owner) {
    Tabla = DefaultTableOfKind(kKind);
}

TMultiswitch::TMultiswitch(TPrimerComponente* owner, const TMultiswitch& prototype)
    : TCBFT(owner, prototype), ATMedia(prototype.ATMedia), Activo(prototype.Activo), Conpot(prototype.Conpot),
      Igualando(prototype.Igualando), PotJuntos(prototype.PotJuntos), NPOTGREALES(prototype.NPOTGREALES),
      NPG(prototype.NPG), Conpletina(prototype.Conpletina), MODELOPLETINA(prototype.MODELOPLETINA),
      TieneMaxnivelentrada(prototype.TieneMaxnivelentrada), tiponuevo(prototype.tiponuevo),
      TieneAttTer(prototype.TieneAttTer), AttenuarTer(prototype.AttenuarTer),
      CURVAATTTER(prototype.CURVAATTTER), MAXValueAttTer(prototype.MAXValueAttTer),
      CascadeableCabecera(prototype.CascadeableCabecera), m_maxInput(prototype.m_maxInput),
      m_controlsFrom(&prototype) {}

// The controls of a copy are made once the copy is named, so that their names derive from its name.
void TMultiswitch::AfterConstruction() {
    TCBFT::AfterConstruction();
    if (m_controlsFrom != nullptr) {
        DestroyControls();
        for (const ControlEntry& entry : m_controlsFrom->m_controls) {
            AppendControl(*Create<TPotenciometro>(this, *entry.control));
        }
        m_controlsFrom = nullptr;
    }
}

TPrimerComponente* TMultiswitch::Clone(TPrimerComponente* owner) const {
    return Create<TMultiswitch>(owner, *this);
}

void TMultiswitch::AppendControl(TPotenciometro& control) {
    m_controls.push_back({control.Name(), &control});
}

bool TMultiswitch::AttachStoredControl(TPotenciometro& control) {
    if (control.Owner() != this ||
        std::any_of(m_controls.begin(), m_controls.end(),
                    [&](const ControlEntry& e) { return e.control == &control; })) {
        return false;
    }
    const auto position = m_storedControls.PositionIn(
        m_controls, control.Name(), [](const ControlEntry& e) -> const std::string& { return e.name; });
    if (!position) {
        return false;
    }
    m_controls.insert(m_controls.begin() + static_cast<std::ptrdiff_t>(*position),
                      {control.Name(), &control});
    return true;
}

void TMultiswitch::DestroyControls() {
    std::vector<ControlEntry> controls;
    controls.swap(m_controls);
    for (const ControlEntry& entry : controls) {
        Destroy(entry.control);
    }
}

void TMultiswitch::Notification(TPrimerComponente* removed) {
    TCBFT::Notification(removed);
    std::erase_if(m_controls, [removed](const ControlEntry& entry) { return entry.control == removed; });
}

void TMultiswitch::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    TCBFT::ReadRecord(record, number, table);
    ATMedia = ReadIntegerKey("ATMEDIA", "0");
    Activo = ReadIntegerKey("ACTIVO", "0") > 0;
    Conpot = ReadIntegerKey("CONPOT", "0") > 0;
    NPG = ReadIntegerKey("NPG", "0");
    NPOTGREALES = ReadIntegerKey("NREALPOT", "0");
    tiponuevo = ReadIntegerKey("TIPOPOTNUEVO", "0") > 0;
    TieneAttTer = ReadIntegerKey("ATENUARTER", "0") > 0;
    CURVAATTTER = ReadKey("CURVAATTTER", "EA/SA");
    AttenuarTer = 1;
    MAXValueAttTer = 1;
    DestroyControls();
    if (Conpot) {
        ReadControls();
    }
    NumberPolarities();
    Conpletina = ReadIntegerKey("CONPLETINA", "0") > 0;
    MODELOPLETINA = ReadKey("MODELOPLETINA", "");
    CascadeableCabecera = ReadIntegerKey("CABECERA", "0") > 0;
    PotJuntos = false;
    Igualando = false;
    std::string maxInput = ReadKey("MAXNIVELENT", "");
    TieneMaxnivelentrada = !maxInput.empty();
    m_maxInput = TieneMaxnivelentrada ? ReadVector(maxInput, false) : LevelVector();
    ClearScript();
}

void TMultiswitch::ReadControls() {
    RequireControlCount(NPG, "NPG");
    if (NPG > 0) {
        RequireControlCount(NPOTGREALES, "NREALPOT");
    }
    std::int32_t nextSatellite = 0;
    for (int k = 0; k < NPG; ++k) {
        TPotenciometro& control = ReadControl(k);
        control.PotPol = NextPotPol(control, nextSatellite);
        AppendControl(control);
    }
    while (!m_controls.empty() && static_cast<std::int64_t>(m_controls.size()) < NPOTGREALES) {
        auto& copy = *Create<TPotenciometro>(this, *m_controls.back().control);
        copy.PotPol = NextPotPol(copy, nextSatellite);
        AppendControl(copy);
    }
}

TPotenciometro& TMultiswitch::ReadControl(int k) {
    const std::string n = std::to_string(k);
    auto& control = *Create<TPotenciometro>(this);
    try {
        control.Caption = ReadKey("LG" + n, "Noname").substr(0, TPotenciometroBase8::kMaxCaption);
        control.Tipo = 0;
        const LevelVector atMin = GainsFromText(ReadKey("GMIN" + n, ""));
        control.SetGains(atMin, GainsFromText(ReadKey("GMAX" + n, "")));
        control.Ajuste = ReadDecimalKey("AJUSTEG" + n, "0");
        control.Regulacion = ReadIntegerKey("REGULACIONG" + n, "0");
        control.Potvisible = std::ranges::find(kAlwaysVisibleControlFamilies, Familia) !=
                                 kAlwaysVisibleControlFamilies.end() ||
                             ReadIntegerKey("POTVISIBLEG" + n, "0") > 0;
    } catch (...) {
        Destroy(&control);
        throw;
    }
    return control;
}

std::int32_t TMultiswitch::NextPotPol(const TPotenciometroBase8& control, std::int32_t& nextSatellite) {
    return control.Caption.find(kTerrestrialCaption) != std::string::npos ? -1 : nextSatellite++;
}

void TMultiswitch::NumberPolarities() {
    auto number = [](const PinList& pins) {
        std::int32_t next = 0;
        for (TPin* pin : pins) {
            pin->polaridad = pin->Prefijo == kPolarityLetter ? next++ : -1;
        }
    };
    number(PinesENTRADA());
    if (IsCascadable()) {
        number(PinesSALIDA());
    }
}

LevelVector TMultiswitch::MaxInputForRegulation() const {
    LevelVector level = m_maxInput;
    for (std::size_t band = kFirstSatelliteBand; band < kBandCount; ++band) {
        level[band] -= kSatelliteInputMargin;
    }
    return level;
}

TPin* TMultiswitch::InputOfPolarity(std::int32_t polarity) const {
    const PinList& inputs = PinesENTRADA();
    auto found =
        std::ranges::find_if(inputs, [polarity](const TPin* pin) { return pin->polaridad == polarity; });
    return found != inputs.end() ? *found : nullptr;
}

int TMultiswitch::ControlOfPolarity(std::int32_t polarity) const {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i].control->PotPol == polarity) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const ControlList& TMultiswitch::ListMovingWith(const TPotenciometroBase8& /*control*/) const {
    m_controlList.clear();
    for (const ControlEntry& entry : m_controls) {
        m_controlList.push_back(entry.control);
    }
    return m_controlList;
}

LevelVector TMultiswitch::Row(std::string_view inKey, std::string_view outKey) const {
    LevelVector gains;
    if (Transfer().Lookup(inKey, outKey, gains) == TFTransf::LookupResult::NoTable) {
        gains = LevelVector::Filled(-1.0);
    }
    return gains;
}

// The control serving the polarity of out: new type by PotPol (only once there is a control for every
// polarity input), old type by position.
LevelVector TMultiswitch::ControlGains(std::int32_t p) const {
    if (p == -1 || m_controls.empty()) {
        return LevelVector();
    }
    if (tiponuevo) {
        const std::size_t inputs = PinesENTRADA().size();
        int a = ControlOfPolarity(p);
        if (m_controls.size() + 1 >= inputs && a >= 0) {
            return m_controls[static_cast<std::size_t>(a)].control->Value();
        }
        return LevelVector();
    }
    if (p >= 0 && static_cast<std::size_t>(p) < m_controls.size()) {
        return m_controls[static_cast<std::size_t>(p)].control->Value();
    }
    return LevelVector();
}

// The gains from the terrestrial input to out. With the attenuator fitted and set to 0 a new-type model
// uses the row CURVAATTTER names (characters 1-2 input key, 4-5 output key) and ignores its TER control.
LevelVector TMultiswitch::TerrestrialRow(const TPin& terrestrial, const TPin& out) const {
    if (!tiponuevo) {
        return Row(KeyOf(terrestrial), KeyOf(out));
    }
    if (!TieneAttTer || AttenuarTer != 0) {
        LevelVector r = Row(KeyOf(terrestrial), KeyOf(out));
        int a = ControlOfPolarity(-1);
        if (!m_controls.empty() && a >= 0) {
            r = Sum(m_controls[static_cast<std::size_t>(a)].control->Value(), r);
        }
        return r;
    }
    std::string_view curve = CURVAATTTER;
    std::string_view inKey = curve.substr(0, std::min<std::size_t>(2, curve.size()));
    std::string_view outKey = curve.size() > 3 ? curve.substr(3, 2) : std::string_view();
    return Row(inKey, outKey);
}

bool TMultiswitch::EvaluateOutput(const TPin* out, LevelVector& level) const {
    if (out == nullptr) {
        return false;
    }
    const TPin* in = InputOfPolarity(out->polaridad);
    if (in == nullptr) {
        return false;
    }
    LevelVector s = Sum(in->Levels(), Row(KeyOf(*in), KeyOf(*out)));
    s = Sum(s, ControlGains(out->polaridad));
    if (!IsCascadable() || out->TipodePin == 'D') {
        if (const TPin* terrestrial = InputOfPolarity(-1)) {
            s = Maximum(s, Sum(terrestrial->Levels(), TerrestrialRow(*terrestrial, *out)));
        }
    }
    level = s;
    return true;
}

TMultiswitch::OutputControls TMultiswitch::ControlsOfOutput(const TPin& out) const {
    // As ControlGains and TerrestrialRow choose them.
    OutputControls controls;
    const std::int32_t p = out.polaridad;
    if (p != -1 && !m_controls.empty()) {
        if (tiponuevo) {
            const int a = ControlOfPolarity(p);
            if (m_controls.size() + 1 >= PinesENTRADA().size() && a >= 0) {
                controls.gain = m_controls[static_cast<std::size_t>(a)].control;
            }
        } else if (p >= 0 && static_cast<std::size_t>(p) < m_controls.size()) {
            controls.gain = m_controls[static_cast<std::size_t>(p)].control;
        }
    }
    if ((!IsCascadable() || out.TipodePin == 'D') && InputOfPolarity(-1) != nullptr && tiponuevo &&
        (!TieneAttTer || AttenuarTer != 0) && !m_controls.empty()) {
        const int a = ControlOfPolarity(-1);
        if (a >= 0) {
            controls.terrestrial = m_controls[static_cast<std::size_t>(a)].control;
        }
    }
    return controls;
}

bool TMultiswitch::PathGains(std::int32_t polarity, const TPin& out, LevelVector& gains) const {
    const TPin* in = InputOfPolarity(polarity);
    if (in == nullptr) {
        return false;
    }
    if (polarity == -1 && (!IsCascadable() || out.TipodePin == 'D')) {
        gains = TerrestrialRow(*in, out);
    } else {
        gains = Sum(Row(KeyOf(*in), KeyOf(out)), ControlGains(polarity));
    }
    return true;
}

bool TMultiswitch::ComputeOutput(TPin* out) {
    LevelVector level;
    if (!EvaluateOutput(out, level)) {
        return false;
    }
    out->SetLevels(level);
    if (TPin* peer = out->Peer()) {
        if (auto* next = AsOrNull<TCBFT>(peer->Owner())) {
            next->ReceiveLevel(level, peer);
        }
    }
    return true;
}

void TMultiswitch::ReceiveLevel(const LevelVector& level, TPin* pin) {
    if (pin == nullptr) {
        return;
    }
    const LevelVector in = pin->AfterCable(level);
    pin->SetLevels(in);
    pin->SetCalculated(true);
    if (m_computing || !AllInputsCalculated()) {
        return; // a loop brought the push back into this multiswitch, or inputs are still missing
    }
    FlagScope computing(m_computing);
    for (TPin* out : PinesSALIDA()) {
        ComputeOutput(out);
    }
    for (TPin* tap : PinesDERIVACION()) {
        ComputeOutput(tap);
    }
}

void TMultiswitch::DefineProperties(BinaryPropertyFiler& filer) {
    TCBFT::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "NivelSignalENT", [this](BinaryReader& reader) { m_maxInput = ReadLevelVector(reader); },
        [this](BinaryWriter& writer) { WriteLevelVector(writer, m_maxInput); }, TieneMaxnivelentrada);
}

} // namespace ixo
