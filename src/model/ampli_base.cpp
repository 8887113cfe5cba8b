#include "model/ampli_base.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/parts_catalogue.h"

#include <algorithm>

namespace ixo {
namespace {

constexpr std::string_view kNoCaption = "Noname";

std::string Numbered(std::string_view key, std::int32_t n) {
    return std::string(key) + std::to_string(n);
}

// A control's gains: empty gives zeros, otherwise exactly 8 numbers (ScriptError when fewer).
LevelVector ControlVector(const std::string& text) {
    return text.empty() ? LevelVector() : TFTransf::ParseRowText(text);
}

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TAmpliBase, TCBFT)

TAmpliBase::TAmpliBase(TPrimerComponente* owner) : TCBFT(owner) {
    Tabla = DefaultTableOfKind(kKind);
}

TAmpliBase::TAmpliBase(TPrimerComponente* owner, const TAmpliBase& prototype)
    : TCBFT(owner, prototype), Exterior(prototype.Exterior), FIncorporada(prototype.FIncorporada),
      SalidaTest(prototype.SalidaTest), Localizacion(prototype.Localizacion), NPP(prototype.NPP),
      NPG(prototype.NPG), NivelSalidaTest(prototype.NivelSalidaTest), ConsumoP(prototype.ConsumoP),
      interiorviv(prototype.interiorviv), modelofuente(prototype.modelofuente),
      MaxModoTer(prototype.MaxModoTer), ModoterActual(prototype.ModoterActual),
      MinModoTer(prototype.MinModoTer), CurvaModoter1(prototype.CurvaModoter1),
      ModoPasivo(prototype.ModoPasivo), m_nivelSignal(prototype.m_nivelSignal),
      m_nivelMax(prototype.m_nivelMax), m_controlsFrom(&prototype) {}

TPrimerComponente* TAmpliBase::Clone(TPrimerComponente* owner) const {
    return Create<TAmpliBase>(owner, *this);
}

// The controls are named after the amplifier, so they are copied once the copy has its name.
void TAmpliBase::AfterConstruction() {
    TCBFT::AfterConstruction();
    const TAmpliBase* prototype = m_controlsFrom;
    m_controlsFrom = nullptr;
    if (prototype == nullptr) {
        return;
    }
    if (NPG > 0) {
        for (const TPotenciometroBase8* control : prototype->m_lpg) {
            m_lpg.push_back(static_cast<TPotenciometroBase8*>(control->Clone(this)));
        }
    }
    if (NPP > 0) {
        for (const TPotenciometroBase8* control : prototype->m_lpp) {
            m_lpp.push_back(static_cast<TPotenciometroBase8*>(control->Clone(this)));
        }
    }
}

void TAmpliBase::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    TCBFT::ReadRecord(record, number, table);
    ConsumoP = ReadDecimalKey("CONSUMO", "0");
    Exterior = ReadBooleanKey("EXTERIOR", "0");
    FIncorporada = ReadBooleanKey("FINCORPORADA", "0");
    Localizacion = ReadIntegerKey("LOCALIZACION", "0");
    NPG = ReadIntegerKey("NPG", "0");
    NPP = ReadIntegerKey("NPP", "0");
    SalidaTest = ReadBooleanKey("SALIDATEST", "0");
    NivelSalidaTest = ReadIntegerKey("NSALIDATEST", "0");
    m_nivelMax = ReadVector(ReadKey("NIVELSAL", "0"), false);
    m_nivelSignal = m_nivelMax;
    NPOTGREALES = ReadIntegerKey("NPOTGREALES", "0");
    NPOTPREALES = ReadIntegerKey("NPOTPREALES", "0");
    interiorviv = ReadIntegerKey("INTERIORVIV", "0") > 0;
    modelofuente = ReadIntegerKey("MODELOFUENTE", "0");
    MaxModoTer = ReadIntegerKey("MAXMODOTER", "0");
    MinModoTer = ReadIntegerKey("MINMODOTER", "0");
    ModoterActual = ReadIntegerKey("MODOTERACT", "0");
    ModoPasivo = ReadIntegerKey("MODOPASIVO", "0");
    CurvaModoter1.clear();
    if (MinModoTer > 0 && MaxModoTer >= MinModoTer) {
        for (std::int32_t n = MinModoTer; n <= MaxModoTer; ++n) {
            CurvaModoter1.push_back(ReadKey(Numbered("CURVAMODOTER", n), "EA/SA"));
        }
    }
}

void TAmpliBase::ReadControls(bool potvisibleFromScript) {
    ReadControlList(false, potvisibleFromScript);
    ReadControlList(true, potvisibleFromScript);
}

void TAmpliBase::ReadControlList(bool slope, bool potvisibleFromScript) {
    ControlList& list = slope ? m_lpp : m_lpg;
    const std::int32_t count = slope ? NPP : NPG;
    const char* suffix = slope ? "P" : "G";
    for (std::int32_t k = 0; k < count; ++k) {
        auto* control = Create<TPotenciometro>(this);
        try {
            std::string caption = ReadKey(Numbered(slope ? "LP" : "LG", k), kNoCaption);
            caption.resize(std::min(caption.size(), TPotenciometroBase8::kMaxCaption));
            control->Caption = caption;
            control->Tipo = slope ? TPotenciometroBase8::kSlope : TPotenciometroBase8::kGain;
            const LevelVector at0 = ControlVector(ReadKey(Numbered(slope ? "PMIN" : "GMIN", k), ""));
            const LevelVector at100 = ControlVector(ReadKey(Numbered(slope ? "PMAX" : "GMAX", k), ""));
            control->SetGains(at0, at100);
            control->Ajuste = ReadDecimalKey(Numbered(std::string("AJUSTE") + suffix, k), "0");
            control->Regulacion = ReadIntegerKey(Numbered(std::string("REGULACION") + suffix, k), "0");
            if (potvisibleFromScript) {
                control->Potvisible =
                    ReadIntegerKey(Numbered(std::string("POTVISIBLE") + suffix, k), "1") > 0;
            }
        } catch (...) {
            Destroy(control);
            throw;
        }
        list.push_back(control);
    }
    const std::int32_t real = slope ? NPOTPREALES : NPOTGREALES;
    while (!list.empty() && static_cast<std::int32_t>(list.size()) < real) {
        list.push_back(static_cast<TPotenciometroBase8*>(list.back()->Clone(this)));
    }
}

void TAmpliBase::AddControl(TPotenciometroBase8* control) {
    if (control == nullptr) {
        return;
    }
    ControlList& list = control->Tipo == TPotenciometroBase8::kSlope ? m_lpp : m_lpg;
    if (std::find(list.begin(), list.end(), control) == list.end()) {
        list.push_back(control);
    }
}

void TAmpliBase::SetStoredControlNames(bool slope, std::vector<std::string> names) {
    (slope ? m_storedLpp : m_storedLpg).Set(std::move(names));
}

bool TAmpliBase::AttachStoredControl(TPotenciometroBase8& control) {
    if (control.Owner() != this || std::find(m_lpg.begin(), m_lpg.end(), &control) != m_lpg.end() ||
        std::find(m_lpp.begin(), m_lpp.end(), &control) != m_lpp.end()) {
        return false;
    }
    auto nameOf = [](const TPotenciometroBase8* c) { return c->Name(); };
    for (auto [stored, list] : {std::pair{&m_storedLpg, &m_lpg}, std::pair{&m_storedLpp, &m_lpp}}) {
        if (const auto position = stored->PositionIn(*list, control.Name(), nameOf)) {
            list->insert(list->begin() + static_cast<std::ptrdiff_t>(*position), &control);
            return true;
        }
    }
    return false;
}

void TAmpliBase::Notification(TPrimerComponente* removed) {
    TCBFT::Notification(removed);
    std::erase(m_lpg, removed);
    std::erase(m_lpp, removed);
}

const ControlList& TAmpliBase::ListMovingWith(const TPotenciometroBase8& control) const {
    return control.Tipo == TPotenciometroBase8::kSlope ? m_lpp : m_lpg;
}

bool TAmpliBase::Tieneterrestre() const {
    return CountPinsWithLetter(PinKind::Input, 'A') > 0;
}

bool TAmpliBase::TieneterrestreConectada() const {
    return FindPinByLetter(PinKind::Input, 'A', true, 0) != nullptr;
}

LevelVector TAmpliBase::ControlGains(std::size_t i) const {
    LevelVector gains;
    if (i < m_lpg.size()) {
        gains = Sum(gains, m_lpg[i]->Value());
    }
    if (i < m_lpp.size()) {
        gains = Sum(gains, m_lpp[i]->Value());
    }
    return gains;
}

LevelVector TAmpliBase::ModeCurve(std::int32_t mode) const {
    LevelVector curve;
    const std::int32_t first = std::max<std::int32_t>(MinModoTer, 1);
    if (mode < first || mode - first >= static_cast<std::int32_t>(CurvaModoter1.size())) {
        return curve;
    }
    const std::string_view text = CurvaModoter1[static_cast<std::size_t>(mode - first)];
    const std::string_view inKey = text.substr(0, 2);
    const std::string_view outKey = text.size() > 3 ? text.substr(3, 2) : std::string_view();
    Transfer().Lookup(inKey, outKey, curve);
    return curve;
}

LevelVector TAmpliBase::RowOf(std::string_view inKey, std::string_view outKey) const {
    LevelVector row;
    if (Transfer().Lookup(inKey, outKey, row) == TFTransf::LookupResult::NoTable) {
        row = LevelVector::Filled(-1.0);
    }
    return row;
}

bool TAmpliBase::StoreInput(const LevelVector& level, TPin& pin) {
    const LevelVector in = pin.AfterCable(level);
    pin.SetLevels(in);
    pin.SetCalculated(true);
    return !m_computing && AllInputsCalculated();
}

void TAmpliBase::PushFrom(TPin& out, const LevelVector& level) {
    if (TPin* peer = out.Peer()) {
        if (auto* next = AsOrNull<TCBFT>(peer->Owner())) {
            next->ReceiveLevel(level, peer);
        }
    }
}

void TAmpliBase::DefineProperties(BinaryPropertyFiler& filer) {
    TCBFT::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "NivelSignal", [this](BinaryReader& reader) { m_nivelSignal = ReadLevelVector(reader); },
        [this](BinaryWriter& writer) { WriteLevelVector(writer, m_nivelSignal); }, true);
    filer.DefineBinaryProperty(
        "NivelmaxSignal", [this](BinaryReader& reader) { m_nivelMax = ReadLevelVector(reader); },
        [this](BinaryWriter& writer) { WriteLevelVector(writer, m_nivelMax); }, true);
}

} // namespace ixo
