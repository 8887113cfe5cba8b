#pragma once

#include "catalogue/catalogue_object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace ixo {

// One entry of an element list: the element's model name and the prototype.
struct ElementListItem {
    std::string Name;
    CatalogueObject Object;
};

// The prototypes of one element kind in the order of the table file. The list owns its value objects;
// its components are owned by the store (their owner), which frees them with the list.
class ElementList {
public:
    std::size_t Count() const { return m_items.size(); }
    bool Empty() const { return m_items.empty(); }
    const ElementListItem& operator[](std::size_t i) const { return m_items[i]; }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    // The first prototype with that Indice, or none.
    CatalogueObject FindIndice(std::int32_t indice) const;

private:
    friend class TalmacenElementos;

    void Append(CatalogueObject object, std::unique_ptr<TsegundoObjeto> owned);
    // Forgets a component destroyed elsewhere; true when it was listed.
    bool Forget(const TPrimerComponente* component);
    void Reindex();

    std::vector<ElementListItem> m_items;
    std::vector<std::unique_ptr<TsegundoObjeto>> m_owned;
    std::unordered_map<std::int32_t, std::size_t> m_firstByIndice;
};

} // namespace ixo
