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
    if (Eof() || m_state != State::Browsing) {
        return -1;
    }
    m_recNo = m_index.Position();
    auto bytes = m_index.ReadNext();
    if (!bytes.has_value()) {
        return 0;
    }
    m_buffer = DecodeFamilyRecord(bytes->first<kFamilyRecordSize>());
    return 1;
}

std::int32_t TTablaFamilia::FindByKey(std::int32_t familia) {
    return FindRecord(
        [familia](std::span<const std::uint8_t> bytes) { return ReadInt32LE(bytes, 0) == familia; });
}

} // namespace ixo
