#include "model/primer_objeto.h"

#include "common/binary_stream.h"
#include "model/stream_text.h"

namespace ixo {

void TsegundoObjeto::WriteIdentity(BinaryWriter& writer) const {
    writer.WriteInt32(Indice);
    writer.WriteInt32(Familia);
    WriteSizedShortText16(writer, Descripcion);
    WriteSizedShortText16(writer, Modelo);
}

void TsegundoObjeto::ReadIdentity(BinaryReader& reader, TsegundoObjeto& target) {
    target.Indice = reader.ReadInt32();
    target.Familia = reader.ReadInt32();
    target.Descripcion = ReadSizedShortText16(reader);
    target.Modelo = ReadSizedShortText16(reader);
}

void TsegundoObjeto::WriteToStream(BinaryWriter& writer) const {
    WriteIdentity(writer);
}

void TsegundoObjeto::ReadFromStream(BinaryReader& reader) {
    TsegundoObjeto read;
    ReadIdentity(reader, read);
    *this = std::move(read);
}

} // namespace ixo
