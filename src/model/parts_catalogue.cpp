#include "model/parts_catalogue.h"

namespace ixo {
namespace {

const PartsCatalogue* g_catalogue = nullptr;

} // namespace

void SetPartsCatalogue(const PartsCatalogue* catalogue) {
    g_catalogue = catalogue;
}

const PartsCatalogue* GetPartsCatalogue() {
    return g_catalogue;
}

ScopedPartsCatalogue::ScopedPartsCatalogue(const PartsCatalogue* catalogue) : m_previous(g_catalogue) {
    g_catalogue = catalogue;
}

ScopedPartsCatalogue::~ScopedPartsCatalogue() {
    g_catalogue = m_previous;
}

std::unique_ptr<TConector> MakeConnector(std::int32_t indice) {
    if (g_catalogue != nullptr) {
        if (const TConector* prototype = g_catalogue->ConnectorByIndice(indice)) {
            return CloneAs(*prototype);
        }
    }
    return TConector::WithIndice(indice);
}

std::unique_ptr<TCarga> MakeLoad(std::int32_t indice) {
    if (g_catalogue != nullptr) {
        if (const TCarga* prototype = g_catalogue->LoadByIndice(indice)) {
            return CloneAs(*prototype);
        }
    }
    auto load = TCarga::DefaultLoad();
    load->Indice = indice;
    return load;
}

TTablaCompoScript* DefaultTableOfKind(int kind) {
    return g_catalogue != nullptr ? g_catalogue->TableOfKind(kind) : nullptr;
}

TRECConScript ReadCatalogueRecord(TTablaCompoScript* table, std::int32_t indice) {
    if (g_catalogue != nullptr && table != nullptr) {
        return g_catalogue->RecordByIndice(table, indice);
    }
    TRECConScript record;
    record.Indice = -1;
    return record;
}

} // namespace ixo
