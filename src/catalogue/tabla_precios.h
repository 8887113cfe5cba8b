#pragma once

#include "catalogue/comum_tabla.h"
#include "catalogue/records.h"

#include <string_view>

namespace ixo {

// The article file "Precios.bd": one 216-byte record per article, in ascending order of ClaveArticulo.
class TTablaPrecios : public TComumTabla {
    IXO_COMPONENT_CLASS(TTablaPrecios)
public:
    explicit TTablaPrecios(TPrimerComponente* owner) : TComumTabla(owner, kArticleRecordSize) {}

    void Open() override;
    std::int32_t ReadRecord() override;

    // The number of the record with that ClaveArticulo, or -1 (see TComumTabla::FindRecord).
    std::int32_t FindByKey(std::int32_t claveArticulo);
    // The number of the first record whose Modelo equals modelo exactly (case matters), or -1.
    std::int32_t FindByModel(std::string_view modelo);

    // The record read last.
    const ArticleRecord& Buffer() const { return m_buffer; }

private:
    ArticleRecord m_buffer;
};

} // namespace ixo
