#include "model/pin_base.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/parts_catalogue.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace ixo {
namespace {

// The stored bytes of the shared values written last. A shared connector or load never changes (it is
// const and replaced, not edited), and holding it keeps its address from being reused by another value,
// so its bytes are made once and copied for every pin that shares it.
template <typename T> struct WrittenShare {
    std::shared_ptr<const T> value;
    std::vector<std::uint8_t> bytes;
};

template <typename T> const std::vector<std::uint8_t>& StoredBytesOf(const std::shared_ptr<const T>& object) {
    static std::array<WrittenShare<T>, 4> written;
    static std::size_t next = 0;
    for (const WrittenShare<T>& share : written) {
        if (share.value == object) {
            return share.bytes;
        }
    }
    WrittenShare<T>& share = written[next];
    next = (next + 1) % written.size();
    BinaryWriter bytes;
    object->WriteToStream(bytes);
    share = {object, bytes.TakeBytes()};
    return share.bytes;
}

template <typename T> void WriteOptional(BinaryWriter& writer, const std::shared_ptr<const T>& object) {
    writer.WriteUInt8(object != nullptr ? 1 : 0);
    if (object != nullptr) {
        writer.WriteBytes(std::span<const std::uint8_t>(StoredBytesOf(object)));
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

// The shares found last, most recent first. Reading is decided by the bytes alone, so bytes equal to a
// value already read would be read as that value, ending where it ended. A pin's fitted and pin
// connectors alternate and pins mostly repeat the values of the pin before, so the next record is
// nearly always one of these and is taken without parsing.
constexpr std::size_t kRecentShares = 4;

template <typename T> struct RecentShare {
    const std::string* bytes = nullptr;
    std::shared_ptr<const T> value;
};

template <typename T> std::array<RecentShare<T>, kRecentShares>& RecentSharesOf() {
    static std::array<RecentShare<T>, kRecentShares> recent;
    return recent;
}

template <typename T> void MarkRecent(const std::string* bytes, const std::shared_ptr<const T>& value) {
    auto& recent = RecentSharesOf<T>();
    std::size_t at = 0;
    while (at + 1 < recent.size() && recent[at].bytes != bytes) {
        ++at;
    }
    std::move_backward(recent.begin(), recent.begin() + static_cast<std::ptrdiff_t>(at),
                       recent.begin() + static_cast<std::ptrdiff_t>(at) + 1);
    recent[0] = {bytes, value};
}

template <typename T> std::shared_ptr<const T> TakeIfNextIsRecent(BinaryReader& reader) {
    for (const RecentShare<T>& share : RecentSharesOf<T>()) {
        if (share.bytes == nullptr) {
            break;
        }
        const std::span<const std::uint8_t> ahead = reader.Ahead(share.bytes->size());
        if (ahead.size() == share.bytes->size() &&
            std::memcmp(ahead.data(), share.bytes->data(), ahead.size()) == 0) {
            static_cast<void>(reader.ReadBytes(ahead.size()));
            std::shared_ptr<const T> value = share.value;
            MarkRecent<T>(share.bytes, value);
            return value;
        }
    }
    return nullptr;
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
    if (std::shared_ptr<const T> repeated = TakeIfNextIsRecent<T>(reader)) {
        return repeated;
    }
    BinaryReader start = reader;
    T object;
    object.ReadFromStream(reader);
    const std::span<const std::uint8_t> bytes = start.ReadBytes(reader.Position() - start.Position());
    const std::string_view key(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ReadShares<T>& shares = SharesOf<T>();
    auto found = shares.find(key);
    if (found == shares.end()) {
        if (shares.size() >= kMaxReadShares) {
            RecentSharesOf<T>() = {};
            shares.clear();
        }
        found = shares.emplace(std::string(key), std::make_shared<const T>(std::move(object))).first;
    }
    // Keys of an unordered_map stay where they are until their element is erased (only by the clear above).
    MarkRecent<T>(&found->first, found->second);
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
    WriteOptional(writer, m_fittedConnector);
    WriteOptional(writer, m_pinConnector);
    WriteOptional(writer, m_load);
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
