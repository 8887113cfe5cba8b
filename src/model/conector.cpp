#include "model/conector.h"

#include "common/binary_stream.h"

namespace ixo {

std::unique_ptr<TConector> TConector::WithIndice(std::int32_t indice) {
    auto connector = std::make_unique<TConector>();
    connector->Indice = indice;
    return connector;
}

void TConector::WriteToStream(BinaryWriter& writer) const {
    WriteIdentity(writer);
    writer.WriteUInt8(static_cast<std::uint8_t>(Sexo));
    writer.WriteUInt8(static_cast<std::uint8_t>(Tipo));
}

void TConector::ReadFromStream(BinaryReader& reader) {
    TConector read;
    ReadIdentity(reader, read);
    read.Sexo = static_cast<char>(reader.ReadUInt8());
    read.Tipo = static_cast<char>(reader.ReadUInt8());
    *this = std::move(read);
}

} // namespace ixo
