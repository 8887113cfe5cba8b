#pragma once

#include "catalogue/records.h"

#include <string>

namespace ixo {

// A copy of one family record, as listed by the store and the catalogue explorer.
struct TSelFamilia : FamilyRecord {
    TSelFamilia() = default;
    explicit TSelFamilia(const FamilyRecord& record) : FamilyRecord(record) {}

    // "OBS" anywhere in the attribute text marks an obsolete family.
    bool Obsoleta() const { return Atributos.find("OBS") != std::string::npos; }
};

} // namespace ixo
