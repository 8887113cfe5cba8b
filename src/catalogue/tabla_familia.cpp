#include "catalogue/tabla_familia.h"

#include "common/byte_io.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TTablaFamilia, TComumTabla)

void TTablaFamilia::Open() {
    if (!Active()) {
        OpenIndex();
    }
}

std::int32_t TTablaFamilia::ReadRecord() {
    return ReadRecordInto([this](std::span<const std::uint8_t> bytes) {
        m_buffer = DecodeFamilyRecord(bytes.first<kFamilyRecordSize>());
    });
}

std::int32_t TTablaFamilia::FindByKey(std::int32_t familia) {
    return FindRecord(
        [familia](std::span<const std::uint8_t> bytes) { return ReadInt32LE(bytes, 0) == familia; });
}

} // namespace ixo
