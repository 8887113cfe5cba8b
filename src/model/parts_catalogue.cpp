#include "model/parts_catalogue.h"

#include <unordered_map>

namespace ixo {
namespace {

const PartsCatalogue* g_catalogue = nullptr;

// The connectors handed out shared, per number, for the installed catalogue.
std::unordered_map<std::int32_t, std::shared_ptr<const TConector>>& SharedConnectors() {
    static std::unordered_map<std::int32_t, std::shared_ptr<const TConector>> connectors;
    return connectors;
}

void Install(const PartsCatalogue* catalogue) {
    if (catalogue != g_catalogue) {
        SharedConnectors().clear();
    }
    g_catalogue = catalogue;
}

} // namespace

void SetPartsCatalogue(const PartsCatalogue* catalogue) {
    Install(catalogue);
}

const PartsCatalogue* GetPartsCatalogue() {
    return g_catalogue;
}

ScopedPartsCatalogue::ScopedPartsCatalogue(const PartsCatalogue* catalogue) : m_previous(g_catalogue) {
    Install(catalogue);
}

ScopedPartsCatalogue::~ScopedPartsCatalogue() {
    Install(m_previous);
}

std::shared_ptr<const TConector> SharedConnector(std::int32_t indice) {
    std::shared_ptr<const TConector>& shared = SharedConnectors()[indice];
    if (!shared) {
        shared = MakeConnector(indice);
    }
    return shared;
}

std::shared_ptr<const TCarga> SharedDefaultLoad() {
    static const std::shared_ptr<const TCarga> load = TCarga::DefaultLoad();
    return load;
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
