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

std::size_t PublishedPropertyTable::NameHash::operator()(std::string_view name) const {
    std::size_t hash = 14695981039346656037ULL; // FNV-1a over the upper-cased bytes
    for (char c : name) {
        hash = (hash ^ static_cast<unsigned char>(UpperAscii(c))) * 1099511628211ULL;
    }
    return hash;
}

bool PublishedPropertyTable::NameEqual::operator()(std::string_view a, std::string_view b) const {
    return EqualsIgnoringAsciiCase(a, b);
}

namespace {

// The properties of cls with those of its bases first, in declaration order.
std::vector<const PublishedProperty*>
CollectInOrder(const std::map<const ComponentClass*, std::vector<PublishedProperty>>& own,
               const ComponentClass& cls) {
    std::vector<const ComponentClass*> chain;
    for (const ComponentClass* c = &cls; c != nullptr; c = c->parent) {
        chain.push_back(c);
    }
    std::vector<const PublishedProperty*> properties;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        auto found = own.find(*it);
        if (found == own.end()) {
            continue;
        }
        for (const PublishedProperty& property : found->second) {
            properties.push_back(&property);
        }
    }
    return properties;
}

} // namespace

const std::vector<const PublishedProperty*>&
PublishedPropertyTable::PropertiesOf(const ComponentClass& cls) const {
    if (auto found = m_inOrder.find(&cls); found != m_inOrder.end()) {
        return found->second;
    }
    static const std::vector<const PublishedProperty*> none;
    return none;
}

void PublishedPropertyTable::IndexNames() {
    for (const auto& [cls, own] : m_own) {
        m_inOrder[cls] = CollectInOrder(m_own, *cls);
        auto& index = m_byName[cls];
        for (const ComponentClass* c = cls; c != nullptr; c = c->parent) {
            auto found = m_own.find(c);
            if (found == m_own.end()) {
                continue;
            }
            for (const PublishedProperty& property : found->second) {
                index.emplace(property.name, &property);
            }
        }
        std::vector<bool>& foundByName = m_foundByName[cls];
        for (const PublishedProperty* property : m_inOrder[cls]) {
            foundByName.push_back(index.find(property->name)->second == property);
        }
    }
}

const std::vector<bool>& PublishedPropertyTable::FoundByNameOf(const ComponentClass& cls) const {
    if (auto found = m_foundByName.find(&cls); found != m_foundByName.end()) {
        return found->second;
    }
    static const std::vector<bool> none;
    return none;
}

const PublishedProperty* PublishedPropertyTable::Find(const ComponentClass& cls,
                                                      std::string_view name) const {
    if (auto indexed = m_byName.find(&cls); indexed != m_byName.end()) {
        auto found = indexed->second.find(name);
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
