#include "model/paso_corriente.h"

#include "common/binary_stream.h"

namespace ixo {

void WritePasocorriente(BinaryWriter& writer, const TPasocorriente& data) {
    writer.WriteUInt8(data.Flag);
    writer.WriteDouble(data.Valor1);
    writer.WriteInt32(data.Codigo);
    writer.WriteDouble(data.Valor2);
}

TPasocorriente ReadPasocorriente(BinaryReader& reader) {
    TPasocorriente data;
    data.Flag = reader.ReadUInt8();
    data.Valor1 = reader.ReadDouble();
    data.Codigo = reader.ReadInt32();
    data.Valor2 = reader.ReadDouble();
    return data;
}

} // namespace ixo
