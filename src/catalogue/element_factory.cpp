#include "catalogue/element_factory.h"

namespace ixo {

void ElementFactory::Register(std::string className, ElementCreator creator) {
    m_creators[std::move(className)] = std::move(creator);
}

bool ElementFactory::IsRegistered(std::string_view className) const {
    return m_creators.contains(std::string(className));
}

CreatedElement ElementFactory::Create(std::string_view className, TalmacenElementos& store,
                                      const TRECConScript& record) const {
    auto found = m_creators.find(std::string(className));
    if (found == m_creators.end() || !found->second) {
        return {};
    }
    return found->second(store, record);
}

int ElementFactory::PinCount(const CatalogueObject& element, PinKind pinKind) const {
    return m_pinCounter && element ? m_pinCounter(element, pinKind) : 0;
}

ElementFactory& ElementFactory::Global() {
    static ElementFactory factory;
    return factory;
}

} // namespace ixo
