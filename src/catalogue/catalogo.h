#pragma once

#include "catalogue/tabla_compo_script.h"
#include "catalogue/tabla_familia.h"
#include "catalogue/tabla_precios.h"
#include "model/primer_componente.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace ixo {

// The twelve catalogue tables, in the order in which they are created.
enum class CatalogueTable : int {
    Repartidores,
    Cables,
    Conector,
    Cargas,
    Tomas,
    Amplificadores,
    Ms,
    Antenas,
    Especiales,
    Fuentes,
    Familias,
    Precios,
};
inline constexpr int kCatalogueTableCount = 12;

struct CatalogueTableInfo {
    std::string_view componentName; // "TRepartidores", ...
    std::string_view fileName;      // "Repartidores.bd", ...
    int errorValue;                 // its value in the error code of the start-up check
};
const CatalogueTableInfo& InfoOf(CatalogueTable table);

// The unnamed owner of the catalogue tables. It creates the twelve tables, named as their components
// ("TRepartidores", ..., "TaPrecios"), each set to its file in the catalogue directory. A table that
// is destroyed on its own is forgotten (its accessor then answers null).
class TCatalogo : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TCatalogo)
public:
    TCatalogo(TPrimerComponente* owner, std::filesystem::path directory);

    const std::filesystem::path& Directory() const { return m_directory; }
    TComumTabla* Table(CatalogueTable table) const { return m_tables[static_cast<int>(table)]; }
    // The element table, or null for Familias and Precios.
    TTablaCompoScript* ElementTable(CatalogueTable table) const;
    // The table of an element kind (0..10; kinds 5 and 10 share Especiales), or null.
    TTablaCompoScript* TableOfKind(int kind) const;
    TTablaFamilia* Familias() const;
    TTablaPrecios* Precios() const;

protected:
    // The owner of the tables stays unnamed.
    void AfterConstruction() override {}
    void Notification(TPrimerComponente* removed) override;

private:
    std::filesystem::path m_directory;
    std::array<TComumTabla*, kCatalogueTableCount> m_tables{};
};

// The catalogue directory beside the executable: ExecutableDirectory() / "BD".
std::filesystem::path DefaultCatalogueDirectory();

struct CatalogueCheck {
    bool Passed = false;
    // The sum of the values of the tables that cannot be read (see InfoOf). The article table counts
    // too, but a missing article table alone does not fail the check (the reports then show empty
    // article codes).
    int ErrorCode = 0;
    // The files of the tables that cannot be read: missing ones first by name, then unreadable ones.
    std::vector<std::string> UnreadableFiles;
};

struct OpenedCatalogue {
    TCatalogo* Tables = nullptr; // owned by the owner given to OpenCatalogue (by the caller when null)
    CatalogueCheck Check;
};

// Creates the owner of the tables under owner, the twelve tables for the files in directory, and runs
// CheckCatalogue. Every table is closed afterwards.
OpenedCatalogue OpenCatalogue(TPrimerComponente* owner, const std::filesystem::path& directory);
// Checks that every table can be read (IsReadable); each table is closed after its check.
CatalogueCheck CheckCatalogue(TCatalogo& catalogue);
// Frees the tables and their owner.
void FreeCatalogue(TCatalogo* catalogue);
// The element table whose file name, upper-cased, equals the upper-cased name + ".BD", or null.
TTablaCompoScript* TableByName(const TCatalogo& catalogue, std::string_view name);

// The text shown when the check fails: "Unable to find database files in <directory>/", then LF CR LF
// CR, "Error code:" and the code.
std::string CatalogueErrorMessage(const std::filesystem::path& directory, int errorCode);
// The same, followed by a line naming the files that are missing or unreadable.
std::string CatalogueErrorMessage(const std::filesystem::path& directory, const CatalogueCheck& check);

} // namespace ixo
