#pragma once

#include "catalogue/comum_tabla.h"
#include "catalogue/records.h"

namespace ixo {

// The family file "Familias.bd": one 224-byte record per family, in ascending order of family number.
class TTablaFamilia : public TComumTabla {
    IXO_COMPONENT_CLASS(TTablaFamilia)
public:
    explicit TTablaFamilia(TPrimerComponente* owner) : TComumTabla(owner, kFamilyRecordSize) {}

    void Open() override;
    std::int32_t ReadRecord() override;

    // The number of the record of that family, or -1 (see TComumTabla::FindRecord).
    std::int32_t FindByKey(std::int32_t familia);

    // The record read last.
    const FamilyRecord& Buffer() const { return m_buffer; }

private:
    FamilyRecord m_buffer;
};

} // namespace ixo
