#include "catalogue/catalogo.h"

#include "catalogue/element_kinds.h"
#include "common/ascii_case.h"
#include "common/paths.h"

namespace ixo {
namespace {

constexpr std::array<CatalogueTableInfo, kCatalogueTableCount> kTables = {{
    {"TRepartidores", "Repartidores.bd", 1},
    {"TCables", "Cables.bd", 2},
    {"TConector", "Conector.bd", 4},
    {"Tcargas", "Cargas.bd", 8},
    {"TTomas", "Tomas.bd", 16},
    {"Tamplificadores", "Amplificadores.bd", 32},
    {"TMs", "Ms.bd", 64},
    {"Tantenas", "Antenas.bd", 128},
    {"TaEspecial", "Especiales.bd", 256},
    {"TaFuentes", "Fuentes.bd", 1024},
    {"TaFamilia", "Familias.bd", 512},
    {"TaPrecios", "Precios.bd", 2048},
}};

constexpr int kElementTableCount = static_cast<int>(CatalogueTable::Familias);

template <typename T> TComumTabla* CreateTable(TCatalogo* owner, const CatalogueTableInfo& info) {
    T* table = TPrimerComponente::Create<T>(owner);
    table->SetName(std::string(info.componentName));
    return table;
}

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TCatalogo, TPrimerComponente)

const CatalogueTableInfo& InfoOf(CatalogueTable table) {
    return kTables[static_cast<int>(table)];
}

TCatalogo::TCatalogo(TPrimerComponente* owner, std::filesystem::path directory)
    : TPrimerComponente(owner), m_directory(std::move(directory)) {
    for (int i = 0; i < kCatalogueTableCount; ++i) {
        const CatalogueTableInfo& info = kTables[i];
        auto id = static_cast<CatalogueTable>(i);
        TComumTabla* table = id == CatalogueTable::Familias  ? CreateTable<TTablaFamilia>(this, info)
                             : id == CatalogueTable::Precios ? CreateTable<TTablaPrecios>(this, info)
                                                             : CreateTable<TTablaCompoScript>(this, info);
        table->SetFileName(m_directory / std::string(info.fileName));
        m_tables[i] = table;
    }
}

void TCatalogo::Notification(TPrimerComponente* removed) {
    TPrimerComponente::Notification(removed);
    for (TComumTabla*& table : m_tables) {
        if (static_cast<TPrimerComponente*>(table) == removed) {
            table = nullptr;
        }
    }
}

TTablaCompoScript* TCatalogo::ElementTable(CatalogueTable table) const {
    int i = static_cast<int>(table);
    return i >= 0 && i < kElementTableCount ? static_cast<TTablaCompoScript*>(m_tables[i]) : nullptr;
}

TTablaCompoScript* TCatalogo::TableOfKind(int kind) const {
    std::string_view name = KindTableName(kind);
    for (int i = 0; i < kElementTableCount; ++i) {
        if (kTables[i].componentName == name) {
            return ElementTable(static_cast<CatalogueTable>(i));
        }
    }
    return nullptr;
}

TTablaFamilia* TCatalogo::Familias() const {
    return static_cast<TTablaFamilia*>(m_tables[static_cast<int>(CatalogueTable::Familias)]);
}

TTablaPrecios* TCatalogo::Precios() const {
    return static_cast<TTablaPrecios*>(m_tables[static_cast<int>(CatalogueTable::Precios)]);
}

std::filesystem::path DefaultCatalogueDirectory() {
    return ExecutableDirectory() / "BD";
}

OpenedCatalogue OpenCatalogue(TPrimerComponente* owner, const std::filesystem::path& directory) {
    OpenedCatalogue opened;
    opened.Tables = TPrimerComponente::Create<TCatalogo>(owner, directory);
    opened.Check = CheckCatalogue(*opened.Tables);
    return opened;
}

CatalogueCheck CheckCatalogue(TCatalogo& catalogue) {
    CatalogueCheck check;
    for (int i = 0; i < kCatalogueTableCount; ++i) {
        TComumTabla* table = catalogue.Table(static_cast<CatalogueTable>(i));
        if (table == nullptr || !table->IsReadable()) {
            check.ErrorCode += kTables[i].errorValue;
            if (table != nullptr) {
                std::error_code error;
                const bool indexThere = std::filesystem::exists(table->IndexFilePath(), error);
                auto* elements = dynamic_cast<TTablaCompoScript*>(table);
                const bool scriptThere =
                    elements == nullptr || std::filesystem::exists(elements->ScriptFilePath(), error);
                if (!indexThere) {
                    check.UnreadableFiles.push_back(table->FileName() + " (missing)");
                }
                if (!scriptThere) {
                    check.UnreadableFiles.push_back(elements->ScriptFileName() + " (missing)");
                }
                if (indexThere && scriptThere) {
                    check.UnreadableFiles.push_back(table->FileName() + " (unreadable)");
                }
            }
        }
    }
    int precios = InfoOf(CatalogueTable::Precios).errorValue;
    check.Passed = (check.ErrorCode & ~precios) == 0;
    return check;
}

void FreeCatalogue(TCatalogo* catalogue) {
    TPrimerComponente::Destroy(catalogue);
}

TTablaCompoScript* TableByName(const TCatalogo& catalogue, std::string_view name) {
    std::string wanted = UpperAscii(name) + ".BD";
    for (int i = 0; i < kElementTableCount; ++i) {
        TTablaCompoScript* table = catalogue.ElementTable(static_cast<CatalogueTable>(i));
        if (table != nullptr && UpperAscii(table->FileName()) == wanted) {
            return table;
        }
    }
    return nullptr;
}

std::string CatalogueErrorMessage(const std::filesystem::path& directory, const CatalogueCheck& check) {
    std::string message = CatalogueErrorMessage(directory, check.ErrorCode);
    for (std::size_t i = 0; i < check.UnreadableFiles.size(); ++i) {
        message += (i == 0 ? "\n" : ", ") + check.UnreadableFiles[i];
    }
    return message;
}

std::string CatalogueErrorMessage(const std::filesystem::path& directory, int errorCode) {
    std::string shown = (directory / "").string();
    return "Unable to find database files in " + shown + "\n\r\n\r" +
           "Error code:" + std::to_string(errorCode);
}

} // namespace ixo
