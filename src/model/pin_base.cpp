#include "model/pin_base.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/parts_catalogue.h"

namespace ixo {
namespace {

template <typename T> void WriteOptional(BinaryWriter& writer, const T* object) {
    writer.WriteUInt8(object != nullptr ? 1 : 0);
    if (object != nullptr) {
        object->WriteToStream(writer);
    }
}

// Reads the presence byte and, when set, the object's data into a copy of current (or a new object
// when there is none). Absent gives null.
template <typename T> std::unique_ptr<T> ReadOptional(BinaryReader& reader, const T* current) {
    std::size_t at = reader.Position();
    std::uint8_t present = reader.ReadUInt8();
    if (present > 1) {
        throw StreamError("presence byte " + std::to_string(present) + " at offset " + std::to_string(at) +
                          " is neither 0 nor 1");
    }
    if (present == 0) {
        return nullptr;
    }
    std::unique_ptr<T> object = current != nullptr ? CloneAs(*current) : std::make_unique<T>();
    object->ReadFromStream(reader);
    return object;
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
    std::shared_ptr<const TConector> fitted = ReadOptional(reader, m_fittedConnector.get());
    std::shared_ptr<const TConector> pinConnector = ReadOptional(reader, m_pinConnector.get());
    std::shared_ptr<const TCarga> load = ReadOptional(reader, m_load.get());
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
