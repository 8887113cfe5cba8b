#pragma once

#include <cstddef>
#include <cstdint>

namespace ixo {

class BinaryReader;
class BinaryWriter;

// The DC pass data of a pin or a cable as the catalogue gives it. It is stored, copied and streamed;
// no calculation reads it. Stream layout (21 bytes): flag byte, first value (double), code (int32),
// second value (double).
struct TPasocorriente {
    std::uint8_t Flag = 0;
    double Valor1 = 0.0;
    std::int32_t Codigo = 0;
    double Valor2 = 4000.0;

    static constexpr std::size_t kStreamSize = 21;

    bool operator==(const TPasocorriente&) const = default;
};

void WritePasocorriente(BinaryWriter& writer, const TPasocorriente& data);
TPasocorriente ReadPasocorriente(BinaryReader& reader);

} // namespace ixo
