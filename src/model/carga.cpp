#include "model/carga.h"

#include "common/binary_stream.h"

namespace ixo {

std::unique_ptr<TCarga> TCarga::DefaultLoad() {
    auto load = std::make_unique<TCarga>();
    load->Indice = kDefaultIndice;
    load->Modelo = std::string(kDefaultModelo);
    return load;
}

void TCarga::WriteToStream(BinaryWriter& writer) const {
    WriteIdentity(writer);
    writer.WriteInt32(Impedancia);
    writer.WriteUInt8(Flag);
}

void TCarga::ReadFromStream(BinaryReader& reader) {
    TCarga read;
    ReadIdentity(reader, read);
    read.Impedancia = reader.ReadInt32();
    read.Flag = reader.ReadUInt8();
    *this = std::move(read);
}

} // namespace ixo
