#include "catalogue/catalogue_validation.h"

#include "catalogue/catalogo.h"
#include "catalogue/records.h"
#include "catalogue/tabla_compo_script.h"
#include "catalogue/tabla_familia.h"

#include <set>

namespace ixo {
namespace {

constexpr CatalogueTable kElementTables[] = {CatalogueTable::Repartidores, CatalogueTable::Cables,
                                             CatalogueTable::Conector,     CatalogueTable::Cargas,
                                             CatalogueTable::Tomas,        CatalogueTable::Amplificadores,
                                             CatalogueTable::Ms,           CatalogueTable::Antenas,
                                             CatalogueTable::Especiales,   CatalogueTable::Fuentes};

bool HasControlCharacter(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            return true;
        }
    }
    return false;
}

// The family numbers of "Familias.bd", checking its records on the way.
std::set<std::int32_t> CheckFamilies(TTablaFamilia& table, std::vector<CatalogueProblem>& problems) {
    std::set<std::int32_t> families;
    table.Open();
    if (!table.Active()) {
        return families;
    }
    table.First();
    int number = 0;
    while (!table.Eof() && table.ReadRecord() == 1) {
        ++number;
        const FamilyRecord& record = table.Buffer();
        if (!families.insert(record.Familia).second) {
            problems.push_back(
                {table.FileName(), number, "family " + std::to_string(record.Familia) + " is listed twice"});
        }
        if (record.Tabla.empty() || HasControlCharacter(record.Tabla)) {
            problems.push_back(
                {table.FileName(), number, "family " + std::to_string(record.Familia) + " names no table"});
        }
    }
    if (number == 0) {
        problems.push_back({table.FileName(), 0, "the file holds no family"});
    }
    table.Close();
    return families;
}

void CheckElements(TTablaCompoScript& table, const std::set<std::int32_t>& families,
                   std::vector<CatalogueProblem>& problems) {
    table.Open();
    if (!table.Active()) {
        return;
    }
    std::set<std::int32_t> indices;
    table.First();
    int number = 0;
    const auto problem = [&](const std::string& text) {
        problems.push_back({table.FileName(), number, text});
    };
    while (!table.Eof() && table.ReadRecord() == 1) {
        ++number;
        TRECConScript record;
        table.GetRecord(record);
        if (record.Indice < 0) {
            problem("Indice " + std::to_string(record.Indice) + " is below 0");
        } else if (!indices.insert(record.Indice).second) {
            problem("Indice " + std::to_string(record.Indice) + " is given twice");
        }
        if (!families.contains(record.Familia)) {
            problem("family " + std::to_string(record.Familia) + " is not listed in Familias.bd");
        }
        if (record.Modelo.empty() || HasControlCharacter(record.Modelo)) {
            problem("the model name is empty or unreadable");
        }
        if (record.ClaveScript != ScriptKeyOf(record.Indice)) {
            problem("the script key is not " + ScriptKeyOf(record.Indice));
        } else if (record.Script.empty()) {
            problem("the script file " + table.ScriptFileName() + " holds no script for it");
        }
    }
    if (number == 0) {
        problems.push_back({table.FileName(), 0, "the file holds no record"});
    }
    table.Close();
}

} // namespace

std::vector<CatalogueProblem> ValidateCatalogue(TCatalogo& catalogue) {
    std::vector<CatalogueProblem> problems;
    std::set<std::int32_t> families;
    if (TTablaFamilia* table = catalogue.Familias()) {
        families = CheckFamilies(*table, problems);
    }
    for (CatalogueTable kind : kElementTables) {
        if (TTablaCompoScript* table = catalogue.ElementTable(kind)) {
            CheckElements(*table, families, problems);
        }
    }
    return problems;
}

std::string ProblemText(const CatalogueProblem& problem) {
    return problem.file + (problem.record > 0 ? " record " + std::to_string(problem.record) : std::string()) +
           ": " + problem.text;
}

} // namespace ixo
