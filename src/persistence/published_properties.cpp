#include "persistence/published_properties.h"

#include "common/ascii_case.h"
#include "model/primer_componente.h"

namespace ixo {

const PublishedPropertyTable& PublishedPropertyTable::Instance() {
    static const PublishedPropertyTable table = [] {
        PublishedPropertyTable built;
        DeclareModelProperties(built);
        DeclareBuildingProperties(built);
        built.IndexNames();
        return built;
    }();
    return table;
}

std::vector<const PublishedProperty*> PublishedPropertyTable::PropertiesOf(const ComponentClass& cls) const {
    std::vector<const ComponentClass*> chain;
    for (const ComponentClass* c = &cls; c != nullptr; c = c->parent) {
        chain.push_back(c);
    }
    std::vector<const PublishedProperty*> properties;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        auto found = m_own.find(*it);
        if (found == m_own.end()) {
            continue;
        }
        for (const PublishedProperty& property : found->second) {
            properties.push_back(&property);
        }
    }
    return properties;
}

void PublishedPropertyTable::IndexNames() {
    for (const auto& [cls, own] : m_own) {
        auto& index = m_byName[cls];
        for (const ComponentClass* c = cls; c != nullptr; c = c->parent) {
            auto found = m_own.find(c);
            if (found == m_own.end()) {
                continue;
            }
            for (const PublishedProperty& property : found->second) {
                index.emplace(UpperAscii(property.name), &property);
            }
        }
    }
}

const PublishedProperty* PublishedPropertyTable::Find(const ComponentClass& cls,
                                                      std::string_view name) const {
    if (auto indexed = m_byName.find(&cls); indexed != m_byName.end()) {
        auto found = indexed->second.find(UpperAscii(name));
        return found == indexed->second.end() ? nullptr : found->second;
    }
    for (const ComponentClass* c = &cls; c != nullptr; c = c->parent) {
        auto found = m_own.find(c);
        if (found == m_own.end()) {
            continue;
        }
        for (const PublishedProperty& property : found->second) {
            if (EqualsIgnoringAsciiCase(property.name, name)) {
                return &property;
            }
        }
    }
    return nullptr;
}

std::string ReferenceIdentifier(const TPrimerComponente* referenced) {
    return referenced != nullptr && !referenced->Name().empty() ? referenced->Name() + ".Owner"
                                                                : std::string();
}

} // namespace ixo
