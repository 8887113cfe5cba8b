#include "catalogue/element_list.h"

#include <algorithm>

namespace ixo {

CatalogueObject ElementList::FindIndice(std::int32_t indice) const {
    auto found = m_firstByIndice.find(indice);
    return found == m_firstByIndice.end() ? CatalogueObject() : m_items[found->second].Object;
}

void ElementList::Append(CatalogueObject object, std::unique_ptr<TsegundoObjeto> owned) {
    m_firstByIndice.emplace(object.Indice(), m_items.size());
    m_items.push_back({object.Modelo(), object});
    if (owned != nullptr) {
        m_owned.push_back(std::move(owned));
    }
}

bool ElementList::Forget(const TPrimerComponente* component) {
    auto listed = std::find_if(m_items.begin(), m_items.end(), [component](const ElementListItem& item) {
        return item.Object.Component() != nullptr && item.Object.Component() == component;
    });
    if (listed == m_items.end()) {
        return false;
    }
    m_items.erase(listed);
    Reindex();
    return true;
}

void ElementList::Reindex() {
    m_firstByIndice.clear();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        m_firstByIndice.emplace(m_items[i].Object.Indice(), i);
    }
}

} // namespace ixo
