#include "catalogue/catalogue_lookups.h"

#include "catalogue/table_open_scope.h"
#include "common/ascii_case.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>

namespace ixo {
namespace {

constexpr std::array<std::int32_t, 9> kSpecialFamilies = {4103, 5001, 5005,  5100, 5110,
                                                          5200, 5210, 41000, 41100};

std::optional<FamilyRecord> FamilyRecordOf(const TCatalogo& catalogue, std::int32_t family) {
    TTablaFamilia* table = catalogue.Familias();
    TableOpenScope open(table);
    if (!open.Active()) {
        return std::nullopt;
    }
    std::int32_t n = table->FindByKey(family);
    if (n < 0) {
        return std::nullopt;
    }
    table->Seek(n);
    if (table->ReadRecord() <= 0) {
        return std::nullopt;
    }
    return table->Buffer();
}

TTablaCompoScript* TableOfFamily(const TCatalogo& catalogue, std::int32_t family) {
    return TableByName(catalogue, FamilyTable(catalogue, family));
}

// The OBSOLETO value of a script: the first line whose key (the text before "=") is OBSOLETO without
// regard to case; 0 when there is none, its value is empty or not a whole number.
bool ObsoleteScript(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::size_t separator = line.find('=');
        if (separator == std::string::npos ||
            !EqualsIgnoringAsciiCase(std::string_view(line).substr(0, separator), "OBSOLETO")) {
            continue;
        }
        std::int64_t value = 0;
        const char* first = line.data() + separator + 1;
        const char* last = line.data() + line.size();
        auto [end, error] = std::from_chars(first, last, value);
        return error == std::errc() && end == last && value != 0;
    }
    return false;
}

} // namespace

TRECConScript RecordByIndice(TTablaCompoScript& table, std::int32_t indice) {
    TRECConScript record;
    record.Indice = -1;
    if (table.HasRecord() && table.Buffer().Indice == indice) {
        table.GetRecord(record);
        return record;
    }
    if (LocateIndice(table, indice)) {
        table.GetRecord(record);
    }
    return record;
}

bool LocateIndice(TTablaCompoScript& table, std::int32_t indice) {
    TableOpenScope open(&table);
    std::int32_t n = table.FindByKey(indice);
    if (n < 0) {
        return false;
    }
    table.Seek(n);
    return table.ReadRecord() > 0;
}

std::string FamilyName(const TCatalogo& catalogue, std::int32_t family) {
    auto record = FamilyRecordOf(catalogue, family);
    return record ? record->NombreFamilia : std::string();
}

std::string FamilyTable(const TCatalogo& catalogue, std::int32_t family) {
    auto record = FamilyRecordOf(catalogue, family);
    return record ? record->Tabla : std::string();
}

std::int32_t FamilyGroup(const TCatalogo& catalogue, std::int32_t family) {
    auto record = FamilyRecordOf(catalogue, family);
    return record ? record->Grupo : 0;
}

std::string ModelName(const TCatalogo& catalogue, std::int32_t indice, std::int32_t family) {
    TTablaCompoScript* table = TableOfFamily(catalogue, family);
    if (table == nullptr) {
        return {};
    }
    TRECConScript record = RecordByIndice(*table, indice);
    return record.Indice == indice ? record.Modelo : std::string();
}

std::int32_t FirstIndiceOfFamily(const TCatalogo& catalogue, std::int32_t family) {
    TTablaCompoScript* table = TableOfFamily(catalogue, family);
    TableOpenScope open(table);
    if (!open.Active()) {
        return -1;
    }
    table->First();
    while (!table->Eof() && table->ReadRecord() > 0) {
        if (table->Buffer().Familia == family) {
            return table->Buffer().Indice;
        }
    }
    return -1;
}

bool IsSpecialFamily(std::int32_t family) {
    return std::find(kSpecialFamilies.begin(), kSpecialFamilies.end(), family) != kSpecialFamilies.end();
}

std::pair<std::int32_t, std::int32_t> FamilyBlockOf(std::int32_t family) {
    std::int32_t low = family / 500 * 500;
    std::int32_t high = low > std::numeric_limits<std::int32_t>::max() - 499
                            ? std::numeric_limits<std::int32_t>::max()
                            : low + 499;
    return {low, high};
}

std::vector<TSelFamilia> FamiliesOfBlock(const TCatalogo& catalogue, std::int32_t family, std::int32_t group,
                                         bool exact, bool showObsolete) {
    std::vector<TSelFamilia> families;
    auto [low, high] = exact && IsSpecialFamily(family) ? std::pair{family, family} : FamilyBlockOf(family);
    TTablaFamilia* table = catalogue.Familias();
    TableOpenScope open(table);
    if (!open.Active()) {
        return families;
    }
    table->First();
    while (!table->Eof() && table->ReadRecord() > 0) {
        TSelFamilia candidate(table->Buffer());
        if (candidate.Familia > high) {
            break; // the file is in ascending order of family number
        }
        if (candidate.Familia < low) {
            continue;
        }
        bool wanted = candidate.Familia == family ||
                      ((group == 0 || group == candidate.Grupo) && (showObsolete || !candidate.Obsoleta()));
        if (wanted) {
            families.push_back(std::move(candidate));
        }
    }
    return families;
}

std::vector<TselElemento> ModelsOfFamily(const TCatalogo& catalogue, std::int32_t family, bool showObsolete) {
    std::vector<TselElemento> models;
    TTablaCompoScript* table = TableOfFamily(catalogue, family);
    TableOpenScope open(table);
    if (!open.Active()) {
        return models;
    }
    table->First();
    while (!table->Eof() && table->ReadRecord() > 0) {
        if (table->Buffer().Familia != family) {
            continue;
        }
        const bool obsolete = ObsoleteScript(table->ScriptLines());
        if (!obsolete || showObsolete) {
            models.emplace_back(table->Buffer(), obsolete);
        }
    }
    return models;
}

ArticleInfo ArticleOf(const TCatalogo& catalogue, std::string_view model) {
    TTablaPrecios* table = catalogue.Precios();
    TableOpenScope open(table);
    if (!open.Active()) {
        return {};
    }
    std::int32_t n = table->FindByModel(model);
    if (n < 0) {
        return {};
    }
    table->Seek(n);
    if (table->ReadRecord() <= 0) {
        return {};
    }
    return {table->Buffer().Descripcion, table->Buffer().Codigo};
}

} // namespace ixo
