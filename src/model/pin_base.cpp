#include "model/pin_base.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/parts_catalogue.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace ixo {
namespace {

template <typename T> void WriteOptional(BinaryWriter& writer, const T* object) {
    writer.WriteUInt8(object != nullptr ? 1 : 0);
    if (object != nullptr) {
        object->WriteToStream(writer);
    }
}

// Connectors and loads read from a project file are shared the way those of a build are: one object per
// distinct stored value (a building holds a handful), not one per pin. A value depends only on its bytes
// (reading starts from a fresh object), so the bytes are the key. Distinct values of a damaged or odd
// file are bounded: past kMaxReadShares the shares start again.
constexpr std::size_t kMaxReadShares = 256;

struct BytesHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>{}(bytes); }
};

template <typename T>
using ReadShares = std::unordered_map<std::string, std::shared_ptr<const T>, BytesHash, std::equal_to<>>;

template <typename T> ReadShares<T>& SharesOf() {
    static ReadShares<T> shares;
    return shares;
}

// The share whose stored bytes come next, if it is the one found last: reading is decided by the bytes
// alone, so bytes equal to a value already read would be read as that value, ending where it ended. Pins
// of a project mostly repeat the value of the pin before, and this skips parsing them.
template <typename T> struct LastShare {
    const std::string* bytes = nullptr;
    std::shared_ptr<const T> value;
};

template <typename T> LastShare<T>& LastShareOf() {
    static LastShare<T> last;
    return last;
}

template <typename T> std::shared_ptr<const T> TakeIfNextIsLast(BinaryReader& reader) {
    LastShare<T>& last = LastShareOf<T>();
    if (last.bytes == nullptr) {
        return nullptr;
    }
    const std::span<const std::uint8_t> ahead = reader.Ahead(last.bytes->size());
    if (ahead.size() != last.bytes->size() ||
        std::memcmp(ahead.data(), last.bytes->data(), ahead.size()) != 0) {
        return nullptr;
    }
    static_cast<void>(reader.ReadBytes(ahead.size()));
    return last.value;
}

// Reads the presence byte and, when set, the object's data. Absent gives null.
template <typename T> std::shared_ptr<const T> ReadOptional(BinaryReader& reader) {
    const std::size_t at = reader.Position();
    const std::uint8_t present = reader.ReadUInt8();
    if (present > 1) {
        throw StreamError("presence byte " + std::to_string(present) + " at offset " + std::to_string(at) +
                          " is neither 0 nor 1");
    }
    if (present == 0) {
        return nullptr;
    }
    if (std::shared_ptr<const T> repeated = TakeIfNextIsLast<T>(reader)) {
        return repeated;
    }
    BinaryReader start = reader;
    T object;
    object.ReadFromStream(reader);
    const std::span<const std::uint8_t> bytes = start.ReadBytes(reader.Position() - start.Position());
    const std::string_view key(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ReadShares<T>& shares = SharesOf<T>();
    LastShare<T>& last = LastShareOf<T>();
    auto found = shares.find(key);
    if (found == shares.end()) {
        if (shares.size() >= kMaxReadShares) {
            last = {};
            shares.clear();
        }
        found = shares.emplace(std::string(key), std::make_shared<const T>(std::move(object))).first;
    }
    // Keys of an unordered_map stay where they are until their element is erased (only by the clear above).
    last = {&found->first, found->second};
    return found->second;
}

std::string StreamingName(const TPrimerComponente* owner) {
    return owner != nullptr ? owner->Name() + "EA" : std::string();
}

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TPinbase, TPrimerComponente)

TPinbase::TPinbase(TPrimerComponente* owner)
    : TPrimerComponente(owner), NombrePinExterno(StreamingName(owner)), m_load(SharedDefaultLoad()) {}

TPinbase::TPinbase(TPrimerComponente* owner, std::int32_t numeracion, char tipodePin, char prefijo,
                   std::int32_t connectorNumber, const TPasocorriente& pasoCorriente)
    : TPrimerComponente(owner), Prefijo(prefijo), TipodePin(tipodePin), Numeracion(numeracion),
      NombrePinExterno(CatalogueName(numeracion, tipodePin, prefijo)), m_load(SharedDefaultLoad()),
      m_pinConnector(SharedConnector(connectorNumber)), m_pasoCorriente(pasoCorriente) {}

TPinbase::TPinbase(TPrimerComponente* owner, const TPinbase& prototype)
    : TPrimerComponente(owner), Prefijo(prototype.Prefijo), TipodePin(prototype.TipodePin),
      Numeracion(prototype.Numeracion),
      NombrePinExterno(CatalogueName(prototype.Numeracion, prototype.TipodePin, prototype.Prefijo)),
      polaridad(prototype.polaridad), m_load(prototype.m_load), m_pinConnector(prototype.m_pinConnector),
      m_pasoCorriente(prototype.m_pasoCorriente) {}

TPinbase::~TPinbase() = default;

std::string TPinbase::CatalogueName(std::int32_t numeracion, char tipodePin, char prefijo) {
    return "Pin" + std::to_string(numeracion) + tipodePin + prefijo;
}

void TPinbase::SetCable(TCableTV* cable) {
    if (cable == m_cable) {
        return;
    }
    if (m_cable != nullptr) {
        RemoveFreeNotification(m_cable);
    }
    m_cable = cable;
    if (m_cable != nullptr) {
        FreeNotification(m_cable);
    }
}

void TPinbase::Notification(TPrimerComponente* removed) {
    TPrimerComponente::Notification(removed);
    if (removed != nullptr && removed == m_cable) {
        m_cable = nullptr;
    }
}

void TPinbase::WriteDatosPinbase(BinaryWriter& writer) const {
    WritePasocorriente(writer, m_pasoCorriente);
    WriteOptional(writer, m_fittedConnector.get());
    WriteOptional(writer, m_pinConnector.get());
    WriteOptional(writer, m_load.get());
}

void TPinbase::ReadDatosPinbase(BinaryReader& reader) {
    TPasocorriente pasoCorriente = ReadPasocorriente(reader);
    std::shared_ptr<const TConector> fitted = ReadOptional<TConector>(reader);
    std::shared_ptr<const TConector> pinConnector = ReadOptional<TConector>(reader);
    std::shared_ptr<const TCarga> load = ReadOptional<TCarga>(reader);
    m_pasoCorriente = pasoCorriente;
    m_fittedConnector = std::move(fitted);
    m_pinConnector = std::move(pinConnector);
    m_load = std::move(load);
}

TPrimerComponente* TPinbase::Clone(TPrimerComponente* owner) const {
    return Create<TPinbase>(owner, *this);
}

void TPinbase::DefineProperties(BinaryPropertyFiler& filer) {
    TPrimerComponente::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "DatosPinbase", [this](BinaryReader& reader) { ReadDatosPinbase(reader); },
        [this](BinaryWriter& writer) { WriteDatosPinbase(writer); }, true);
}

bool TPinbase::RenewFittedConnector() {
    if (m_cable == nullptr || m_fittedConnector == nullptr ||
        m_fittedConnector->Indice == m_cable->Tipoconector) {
        return false;
    }
    m_fittedConnector = SharedConnector(m_cable->Tipoconector);
    return true;
}

} // namespace ixo
