#include "model/componente_base.h"

#include "model/cable_tv.h"
#include "model/parts_catalogue.h"
#include "model/script_numbers.h"

#include <algorithm>
#include <string>

namespace ixo {
namespace {

// At most this many pin letters are taken from a TIPO... key.
constexpr std::size_t kMaxPinLetters = 64;
constexpr std::int32_t kDefaultConnector = 1;

struct PinKeys {
    PinKind kind;
    std::string_view letters;
    std::string_view connectors;
    std::string_view dcPass;
    std::string_view bands;
};

constexpr PinKeys kInputKeys{PinKind::Input, "TIPOENTRADA", "TIPOCENT", "ENTRADASPDC", "BANDAENT"};
constexpr PinKeys kOutputKeys{PinKind::Output, "TIPOSALIDA", "TIPOCSAL", "SALIDASPDC", "BANDASAL"};
constexpr PinKeys kTapKeys{PinKind::Tap, "TIPODERIVACION", "TIPOCDER", "DERIVACIONESPDC", "BANDADER"};

const PinKeys& KeysOf(PinKind kind) {
    return kind == PinKind::Input ? kInputKeys : kind == PinKind::Tap ? kTapKeys : kOutputKeys;
}

// The ";"-separated fields of text; an empty text has none.
std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    if (text.empty()) {
        return fields;
    }
    while (true) {
        fields.push_back(FirstField(text));
        if (!DropFirstField(text)) {
            return fields;
        }
    }
}

void RequireFields(const std::vector<std::string_view>& fields, std::size_t needed, std::string_view key) {
    if (fields.size() < needed) {
        throw ScriptError(std::string(key) + " gives " + std::to_string(fields.size()) + " values where " +
                          std::to_string(needed) + " are needed");
    }
}

bool IsFree(const TPin* pin) {
    return pin != nullptr && !pin->IsConnected();
}

// index kFirstFreePin: the first pin matching; kLastFreePin: the last; n >= 0: the n-th pin counted among
// those accepted.
template <typename Accept> TPin* FindFree(const PinList& pins, int index, Accept accept) {
    if (index == kLastFreePin) {
        for (auto pin = pins.rbegin(); pin != pins.rend(); ++pin) {
            if (accept(*pin) && IsFree(*pin)) {
                return *pin;
            }
        }
        return nullptr;
    }
    int counted = 0;
    for (TPin* pin : pins) {
        if (!accept(pin)) {
            continue;
        }
        if (index == kFirstFreePin) {
            if (IsFree(pin)) {
                return pin;
            }
        } else if (counted++ == index) {
            return IsFree(pin) ? pin : nullptr;
        }
    }
    return nullptr;
}

const TComponenteBase* ElementOf(const TPin* pin) {
    return pin != nullptr ? dynamic_cast<const TComponenteBase*>(pin->Owner()) : nullptr;
}

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TComponenteBase, TPCLectorFichero)

TComponenteBase::TComponenteBase(TPrimerComponente* owner) : TPCLectorFichero(owner) {}

TComponenteBase::TComponenteBase(TPrimerComponente* owner, const TComponenteBase& prototype)
    : TPCLectorFichero(owner), m_copyOf(&prototype) {
    CopyIdentityFrom(prototype);
}

TComponenteBase::~TComponenteBase() {
    // Unlink first, so that no peer keeps pointing at a pin of this element; then free the pins. The
    // lists are emptied before the pins go (their destruction notifies this element).
    for (PinList* list : {&m_inputs, &m_taps, &m_outputs}) {
        for (TPin* pin : *list) {
            UnlinkPin(*pin);
        }
    }
    std::vector<TPin*> pins;
    for (PinList* list : {&m_inputs, &m_taps, &m_outputs}) {
        pins.insert(pins.end(), list->begin(), list->end());
        list->clear();
    }
    for (TPin* pin : pins) {
        Destroy(pin);
    }
    ClearScript();
}

void TComponenteBase::AfterConstruction() {
    TPCLectorFichero::AfterConstruction();
    if (m_copyOf != nullptr) {
        CopyPinsFrom(*m_copyOf);
        m_copyOf = nullptr;
    }
}

void TComponenteBase::Notification(TPrimerComponente* removed) {
    TPCLectorFichero::Notification(removed);
    for (PinList* list : {&m_inputs, &m_taps, &m_outputs}) {
        std::erase(*list, removed);
    }
}

void TComponenteBase::SetStoredPinNames(PinKind kind, std::vector<std::string> names) {
    StoredNames& stored = StoredNamesOf(kind);
    stored.Set(std::move(names));
}

bool TComponenteBase::AttachStoredPin(TPin& pin) {
    if (pin.Owner() != this) {
        return false;
    }
    const PinKind kind = pin.Kind();
    const StoredNames& stored = StoredNamesOf(kind);
    PinList& list = MutablePinsOf(kind);
    if (std::find(list.begin(), list.end(), &pin) != list.end()) {
        return false;
    }
    const auto position = stored.PositionIn(
        list, pin.NombrePinExterno, [](const TPin* p) -> const std::string& { return p->NombrePinExterno; });
    if (!position) {
        return false;
    }
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(*position), &pin);
    return true;
}

void TComponenteBase::CopyPinsFrom(const TComponenteBase& prototype) {
    for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
        PinList& list = MutablePinsOf(kind);
        for (const TPin* pin : prototype.PinsOf(kind)) {
            list.push_back(Create<TPin>(this, *pin));
        }
    }
    Nentradas = static_cast<std::int32_t>(m_inputs.size());
    Nsalidas = static_cast<std::int32_t>(m_outputs.size());
    Nderivaciones = static_cast<std::int32_t>(m_taps.size());
}

TPrimerComponente* TComponenteBase::Clone(TPrimerComponente* owner) const {
    return Create<TComponenteBase>(owner, *this);
}

void TComponenteBase::ReadCatalogue(std::int32_t number, TTablaCompoScript* table) {
    if (table == nullptr) {
        table = DefaultTableOfKind(DefaultKind());
    }
    ReadRecord(ReadCatalogueRecord(table, number), number, table);
}

void TComponenteBase::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    Tabla = table;
    LoadRecord(record);
    if (record.Indice == number) {
        CleanScript();
        Nentradas = ReadIntegerKey("NENTRADAS", "0");
        Nderivaciones = ReadIntegerKey("NDERIVACIONES", "0");
        Nsalidas = ReadIntegerKey("NSALIDAS", "0");
        ReadObsoleto();
    }
    CreatePins();
}

void TComponenteBase::CreatePins() {
    CreatePinsOfKind(PinKind::Input, Nentradas);
    CreatePinsOfKind(PinKind::Output, Nsalidas);
    CreatePinsOfKind(PinKind::Tap, Nderivaciones);
}

// The pins of one kind: letters, connector numbers and DC pass groups from the script, one pin each.
void TComponenteBase::CreatePinsOfKind(PinKind kind, std::int32_t count) {
    if (count <= 0) {
        return;
    }
    const PinKeys& keys = KeysOf(kind);
    std::string letters = ReadKey(keys.letters, std::string(static_cast<std::size_t>(count), 'A'));
    if (letters.size() > kMaxPinLetters) {
        letters.resize(kMaxPinLetters);
    }
    if (letters.size() < static_cast<std::size_t>(count)) {
        throw ScriptError(std::string(keys.letters) + " gives " + std::to_string(letters.size()) +
                          " letters for " + std::to_string(count) + " pins");
    }
    std::size_t m = letters.size();
    std::string connectorText = ReadKey(keys.connectors, "");
    std::vector<std::string_view> connectors = Fields(connectorText);
    RequireFields(connectors, m, keys.connectors);
    std::string dcText = ReadKey(keys.dcPass, "");
    std::vector<std::string_view> dc = Fields(dcText);
    RequireFields(dc, 4 * m, keys.dcPass);
    ReadKey(keys.bands, ""); // frequency ranges of the pins: not kept

    PinList& list = MutablePinsOf(kind);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        TPasocorriente pasoCorriente;
        pasoCorriente.Flag = static_cast<std::uint8_t>(ParseScriptInteger(dc[4 * i], keys.dcPass));
        pasoCorriente.Codigo = ParseScriptInteger(dc[4 * i + 1], keys.dcPass);
        pasoCorriente.Valor2 = ParseScriptDecimal(dc[4 * i + 2], keys.dcPass);
        pasoCorriente.Valor1 = ParseScriptInteger(dc[4 * i + 3], keys.dcPass);
        std::int32_t connector = ParseScriptInteger(connectors[i], keys.connectors);
        auto numeracion = static_cast<std::int32_t>(list.size() + 1);
        list.push_back(Create<TPin>(this, numeracion, PinLetter(kind), letters[i], connector, pasoCorriente));
    }
}

StoredNames& TComponenteBase::StoredNamesOf(PinKind kind) {
    return kind == PinKind::Input ? m_storedInputs : kind == PinKind::Tap ? m_storedTaps : m_storedOutputs;
}

const PinList& TComponenteBase::PinsOf(PinKind kind) const {
    return kind == PinKind::Input ? m_inputs : kind == PinKind::Tap ? m_taps : m_outputs;
}

PinList& TComponenteBase::MutablePinsOf(PinKind kind) {
    return kind == PinKind::Input ? m_inputs : kind == PinKind::Tap ? m_taps : m_outputs;
}

TPin* TComponenteBase::FindFreePin(PinKind kind, int index) const {
    return FindFree(PinsOf(kind), index, [](const TPin*) { return true; });
}

TPin* TComponenteBase::FindFreePinWithLetter(PinKind kind, char letter, int index) const {
    return FindFree(PinsOf(kind), index, [letter](const TPin* pin) { return pin->Prefijo == letter; });
}

TPin* TComponenteBase::FindPinByLetter(PinKind kind, char letter, bool connectedOnly, int start) const {
    const PinList& pins = PinsOf(kind);
    for (std::size_t i = static_cast<std::size_t>(std::max(start, 0)); i < pins.size(); ++i) {
        if (pins[i]->Prefijo == letter && (!connectedOnly || pins[i]->IsConnected())) {
            return pins[i];
        }
    }
    return nullptr;
}

TPin* TComponenteBase::PinAt(PinKind kind, int index) const {
    const PinList& pins = PinsOf(kind);
    return index >= 0 && static_cast<std::size_t>(index) < pins.size() ? pins[static_cast<std::size_t>(index)]
                                                                       : nullptr;
}

TPin* TComponenteBase::FirstConnectedPin(PinKind kind) const {
    for (TPin* pin : PinsOf(kind)) {
        if (pin->IsConnected()) {
            return pin;
        }
    }
    return nullptr;
}

int TComponenteBase::CountConnected(PinKind kind) const {
    const PinList& pins = PinsOf(kind);
    return static_cast<int>(
        std::count_if(pins.begin(), pins.end(), [](const TPin* pin) { return pin->IsConnected(); }));
}

int TComponenteBase::CountConnectedOutside(PinKind kind, bool outsideOnly) const {
    if (m_container == nullptr) {
        return 0;
    }
    int count = 0;
    for (const TPin* pin : PinsOf(kind)) {
        if (!pin->IsConnected()) {
            continue;
        }
        const TComponenteBase* other = ElementOf(pin->Peer());
        if (!outsideOnly || other == nullptr || other->Container() != m_container) {
            ++count;
        }
    }
    return count;
}

int TComponenteBase::CountPinsWithLetter(PinKind kind, char letter) const {
    const PinList& pins = PinsOf(kind);
    return static_cast<int>(std::count_if(pins.begin(), pins.end(),
                                          [letter](const TPin* pin) { return pin->Prefijo == letter; }));
}

bool TComponenteBase::HasFreeInput() const {
    return FindFreePin(PinKind::Input, kFirstFreePin) != nullptr;
}

bool TComponenteBase::HasFreeTap() const {
    return FindFreePin(PinKind::Tap, kFirstFreePin) != nullptr;
}

bool TComponenteBase::AllInputsCalculated() const {
    return std::all_of(m_inputs.begin(), m_inputs.end(),
                       [](const TPin* pin) { return !pin->IsConnected() || pin->Calculated(); });
}

void TComponenteBase::ClearCalculated() {
    for (PinList* list : {&m_inputs, &m_taps, &m_outputs}) {
        for (TPin* pin : *list) {
            pin->SetCalculated(false);
        }
    }
}

void TComponenteBase::ClearLevels() {
    for (PinList* list : {&m_inputs, &m_taps, &m_outputs}) {
        for (TPin* pin : *list) {
            pin->SetLevels(LevelVector());
        }
    }
}

bool TComponenteBase::UnlinkPins(PinKind kind, int index) {
    if (index == kAllPins) {
        for (TPin* pin : PinsOf(kind)) {
            UnlinkPin(*pin);
        }
        return true;
    }
    if (TPin* pin = PinAt(kind, index)) {
        UnlinkPin(*pin);
    }
    return false;
}

bool TComponenteBase::ConnectPin(int ownIndex, PinKind ownKind, double metres, TCableTV* cable,
                                 int otherIndex, PinKind otherKind, TComponenteBase& other) {
    if (&other == this) {
        return false;
    }
    TPin* own = FindFreePin(ownKind, ownIndex);
    TPin* theirs = other.FindFreePin(otherKind, otherIndex);
    if (own == nullptr || theirs == nullptr) {
        return false;
    }
    return LinkPins(*own, *theirs, cable, metres, cable != nullptr ? cable->Tipoconector : kDefaultConnector);
}

bool TComponenteBase::ConnectPinWithLetter(int ownIndex, PinKind ownKind, double metres, TCableTV* cable,
                                           int otherIndex, char otherLetter, PinKind otherKind,
                                           TComponenteBase& other, char ownLetter) {
    if (&other == this) {
        return false;
    }
    TPin* own = FindFreePinWithLetter(ownKind, ownLetter, ownIndex);
    TPin* theirs = other.FindFreePinWithLetter(otherKind, otherLetter, otherIndex);
    if (own == nullptr || theirs == nullptr) {
        return false;
    }
    return LinkPins(*own, *theirs, cable, metres, cable != nullptr ? cable->Tipoconector : kDefaultConnector);
}

ConnectCheckResult TComponenteBase::ConnectCheck(int ownIndex, PinKind ownKind, double /*metres*/,
                                                 TCableTV* /*cable*/, int otherIndex, char otherLetter,
                                                 PinKind otherKind, const TComponenteBase& other,
                                                 char ownLetter) const {
    if (&other == this) {
        return ConnectCheckResult::SameElement;
    }
    if (FindFreePinWithLetter(ownKind, ownLetter, ownIndex) != nullptr) {
        return ConnectCheckResult::OwnPinFree;
    }
    return other.FindFreePinWithLetter(otherKind, otherLetter, otherIndex) != nullptr
               ? ConnectCheckResult::OnlyOtherPinFree
               : ConnectCheckResult::NoPinFree;
}

} // namespace ixo
