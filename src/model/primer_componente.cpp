#include "model/primer_componente.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <cctype>

namespace ixo {
namespace {

constexpr std::size_t kMaxNameLength = 30;

} // namespace

const ComponentClass& TPrimerComponente::StaticClass() {
    static const ComponentClass info{"TPrimerComponente", nullptr};
    return info;
}

TPrimerComponente::TPrimerComponente(TPrimerComponente* owner) : m_owner(owner) {
    if (m_owner != nullptr) {
        m_owner->InsertComponent(this);
    }
}

TPrimerComponente::~TPrimerComponente() {
    // Tell every component that asked about this one, then forget the subscriptions both ways.
    auto notifies = std::move(m_freeNotifies);
    for (TPrimerComponente* other : notifies) {
        auto& back = other->m_freeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this);
    }
    DestroyOwnedComponents();
    if (m_owner != nullptr) {
        m_owner->Notification(this);
        m_owner->RemoveComponent(this);
    }
}

void TPrimerComponente::DestroyOwnedComponents() {
    // The newest first, so that later components, which may refer to earlier ones, go before them.
    while (m_lastChild != nullptr) {
        delete m_lastChild;
    }
}

void TPrimerComponente::AfterConstruction() {
    if (m_owner == nullptr) {
        return;
    }
    std::int32_t number = m_owner->HighestNumber(ClassInfo()) + 1;
    m_numeroInterno = number;
    SetName(MakeName(ClassInfo(), m_owner, number));
}

std::string TPrimerComponente::MakeName(const ComponentClass& cls, const TPrimerComponente* owner,
                                        std::int32_t number) {
    std::string name(cls.name.empty() ? cls.name : cls.name.substr(1));
    if (owner != nullptr) {
        name += owner->Name().substr(0, 2);
    }
    name += std::to_string(number);
    if (name.size() > kMaxNameLength) {
        name.resize(kMaxNameLength);
    }
    return name;
}

void TPrimerComponente::SetName(std::string name) {
    if (name == m_name) {
        return;
    }
    if (m_owner != nullptr) {
        m_owner->UnindexName(this);
        m_owner->CountNumber(this, -1);
    }
    m_name = std::move(name);
    if (m_owner != nullptr) {
        m_owner->IndexName(this);
        m_owner->CountNumber(this, +1);
    }
}

void TPrimerComponente::SetNumero_Interno(std::int32_t number) {
    if (m_owner != nullptr) {
        m_owner->CountNumber(this, -1);
    }
    m_numeroInterno = number;
    if (m_owner != nullptr) {
        m_owner->CountNumber(this, +1);
    }
}

TPrimerComponente* TPrimerComponente::FindComponent(std::string_view name) const {
    if (name.empty()) {
        return nullptr;
    }
    auto found = m_nameIndex.find(UpperAscii(name));
    return found == m_nameIndex.end() ? nullptr : found->second;
}

void TPrimerComponente::FreeNotification(TPrimerComponente* other) {
    if (other == nullptr || other == this) {
        return;
    }
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), other) == m_freeNotifies.end()) {
        m_freeNotifies.push_back(other);
    }
    if (std::find(other->m_freeNotifies.begin(), other->m_freeNotifies.end(), this) ==
        other->m_freeNotifies.end()) {
        other->m_freeNotifies.push_back(this);
    }
}

void TPrimerComponente::RemoveFreeNotification(TPrimerComponente* other) {
    if (other == nullptr) {
        return;
    }
    std::erase(m_freeNotifies, other);
    std::erase(other->m_freeNotifies, this);
}

void TPrimerComponente::Notification(TPrimerComponente* /*removed*/) {}

TPrimerComponente* TPrimerComponente::Clone(TPrimerComponente* owner) const {
    return Create<TPrimerComponente>(owner);
}

void TPrimerComponente::DefineProperties(BinaryPropertyFiler& /*filer*/) {}

void TPrimerComponente::InsertComponent(TPrimerComponente* child) {
    child->m_prevSibling = m_lastChild;
    child->m_nextSibling = nullptr;
    if (m_lastChild != nullptr) {
        m_lastChild->m_nextSibling = child;
    } else {
        m_firstChild = child;
    }
    m_lastChild = child;
    ++m_componentCount;
}

void TPrimerComponente::RemoveComponent(TPrimerComponente* child) {
    UnindexName(child);
    CountNumber(child, -1);
    (child->m_prevSibling != nullptr ? child->m_prevSibling->m_nextSibling : m_firstChild) =
        child->m_nextSibling;
    (child->m_nextSibling != nullptr ? child->m_nextSibling->m_prevSibling : m_lastChild) =
        child->m_prevSibling;
    child->m_prevSibling = child->m_nextSibling = nullptr;
    child->m_owner = nullptr;
    --m_componentCount;
}

void TPrimerComponente::IndexName(TPrimerComponente* child) {
    if (!child->m_name.empty()) {
        m_nameIndex.emplace(UpperAscii(child->m_name), child);
    }
}

void TPrimerComponente::UnindexName(TPrimerComponente* child) {
    if (child->m_name.empty()) {
        return;
    }
    auto found = m_nameIndex.find(UpperAscii(child->m_name));
    if (found != m_nameIndex.end() && found->second == child) {
        m_nameIndex.erase(found);
    }
}

// Keeps, per class, how many owned components of that class or of a derived class carry each
// Numero_Interno, so that the next number is found without scanning the owner's components.
void TPrimerComponente::CountNumber(TPrimerComponente* child, int delta) {
    if (delta > 0) {
        if (child->m_name.empty() || child->m_countedAs != nullptr) {
            return;
        }
        child->m_countedAs = &child->ClassInfo();
    } else if (child->m_countedAs == nullptr) {
        return;
    }
    // The class is remembered at counting time: in a destructor ClassInfo() no longer names it.
    for (const ComponentClass* cls = child->m_countedAs; cls != nullptr; cls = cls->parent) {
        auto& numbers = m_numbers[cls];
        auto& count = numbers[child->m_numeroInterno];
        count += delta;
        if (count <= 0) {
            numbers.erase(child->m_numeroInterno);
        }
    }
    if (delta < 0) {
        child->m_countedAs = nullptr;
    }
}

std::int32_t TPrimerComponente::HighestNumber(const ComponentClass& cls) const {
    auto found = m_numbers.find(&cls);
    if (found == m_numbers.end() || found->second.empty()) {
        return 0;
    }
    return std::max<std::int32_t>(0, found->second.rbegin()->first);
}

} // namespace ixo
