#include "catalogue/tabla_precios.h"

#include "common/byte_io.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TTablaPrecios, TComumTabla)

void TTablaPrecios::Open() {
    if (!Active()) {
        OpenIndex();
    }
}

std::int32_t TTablaPrecios::ReadRecord() {
    return ReadRecordInto([this](std::span<const std::uint8_t> bytes) {
        m_buffer = DecodeArticleRecord(bytes.first<kArticleRecordSize>());
    });
}

std::int32_t TTablaPrecios::FindByKey(std::int32_t claveArticulo) {
    return FindRecord([claveArticulo](std::span<const std::uint8_t> bytes) {
        return ReadInt32LE(bytes, 0) == claveArticulo;
    });
}

std::int32_t TTablaPrecios::FindByModel(std::string_view modelo) {
    return FindRecord([modelo](std::span<const std::uint8_t> bytes) {
        return DecodeArticleRecord(bytes.first<kArticleRecordSize>()).Modelo == modelo;
    });
}

} // namespace ixo
