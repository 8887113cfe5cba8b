#include "model/primer_componente.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace ixo {
namespace {

constexpr std::size_t kMaxNameLength = 30;

} // namespace

// How many owned components of one exact class carry each Numero_Interno, sorted by number: the highest
// is the last. Components are numbered upwards as they are made, so a count nearly always goes at the
// end; a sorted vector holds them without a heap node each.
struct TPrimerComponente::ClassNumbers {
    std::vector<std::pair<std::int32_t, std::size_t>> counts;

    void Add(std::int32_t number) {
        if (counts.empty() || counts.back().first < number) {
            counts.emplace_back(number, 1);
            return;
        }
        auto at = Find(number);
        if (at != counts.end() && at->first == number) {
            ++at->second;
        } else {
            counts.insert(at, {number, 1});
        }
    }
    void Remove(std::int32_t number) {
        auto at = Find(number);
        if (at != counts.end() && at->first == number && --at->second == 0) {
            counts.erase(at);
        }
    }
    std::int32_t Highest() const { return counts.back().first; }

private:
    std::vector<std::pair<std::int32_t, std::size_t>>::iterator Find(std::int32_t number) {
        return std::lower_bound(counts.begin(), counts.end(), number,
                                [](const auto& entry, std::int32_t n) { return entry.first < n; });
    }
};

struct TPrimerComponente::ChildIndex {
    std::unordered_map<std::string_view, TPrimerComponente*, AsciiCaseInsensitiveHash,
                       AsciiCaseInsensitiveEqual>
        names;
    // By the exact class a component was counted as: a handful of classes per owner, so asking for a
    // class and every class derived from it looks at each.
    std::unordered_map<const ComponentClass*, ClassNumbers> numbers;
};

TPrimerComponente::ChildIndex& TPrimerComponente::Children() {
    if (!m_children) {
        m_children = std::make_unique<ChildIndex>();
    }
    return *m_children;
}

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
    for (TPrimerComponente* other : m_freeNotifies.TakeAll()) {
        other->m_freeNotifies.Erase(this);
        other->Notification(this);
    }
    DestroyOwnedComponents();
    if (m_owner != nullptr) {
        m_owner->Notification(this);
        m_owner->RemoveComponent(this);
    }
}

bool TPrimerComponente::GoingWithOwner() const {
    for (const TPrimerComponente* owner = m_owner; owner != nullptr; owner = owner->m_owner) {
        if (owner->m_freeingChildren) {
            return true;
        }
    }
    return false;
}

void TPrimerComponente::DestroyOwnedComponents() {
    // The owner goes too: its index is dropped at once (nothing finds a child being freed) and the
    // children leave only the list, so freeing n components costs n.
    m_freeingChildren = true;
    m_children.reset();
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
    if (m_reading) {
        // The stored name arrived in m_name, not yet known to the owner.
        std::string stored = std::exchange(m_name, std::string());
        SetName(std::move(stored));
        return;
    }
    SetName(MakeName(ClassInfo(), m_owner, number));
}

void TPrimerComponente::Loaded() {
    m_reading = false;
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
    // A component read from a file is numbered as it was made, which is nearly always what its record
    // stores: nothing changes then, and the owner's counts are left alone.
    if (number == m_numeroInterno) {
        return;
    }
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
    if (!m_children) {
        return nullptr;
    }
    auto found = m_children->names.find(name);
    return found == m_children->names.end() ? nullptr : found->second;
}

void TPrimerComponente::FreeNotification(TPrimerComponente* other) {
    if (other == nullptr || other == this) {
        return;
    }
    m_freeNotifies.Insert(other);
    other->m_freeNotifies.Insert(this);
}

void TPrimerComponente::RemoveFreeNotification(TPrimerComponente* other) {
    if (other == nullptr) {
        return;
    }
    m_freeNotifies.Erase(other);
    other->m_freeNotifies.Erase(this);
}

TPrimerComponente* TPrimerComponente::DetachFromOwner() {
    if (m_owner == nullptr) {
        return nullptr;
    }
    TPrimerComponente* before = m_nextSibling;
    m_owner->RemoveComponent(this);
    return before;
}

void TPrimerComponente::ReattachToOwner(TPrimerComponente* owner, TPrimerComponente* before) {
    if (owner == nullptr || m_owner != nullptr || (before != nullptr && before->m_owner != owner)) {
        return;
    }
    m_owner = owner;
    if (before == nullptr) {
        owner->InsertComponent(this);
    } else {
        m_prevSibling = before->m_prevSibling;
        m_nextSibling = before;
        (m_prevSibling != nullptr ? m_prevSibling->m_nextSibling : owner->m_firstChild) = this;
        before->m_prevSibling = this;
        ++owner->m_componentCount;
    }
    owner->IndexName(this);
    owner->CountNumber(this, +1);
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
    if (!m_freeingChildren) {
        UnindexName(child);
        CountNumber(child, -1);
    }
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
        Children().names.emplace(child->m_name, child);
    }
}

void TPrimerComponente::UnindexName(TPrimerComponente* child) {
    if (child->m_name.empty() || !m_children) {
        return;
    }
    auto found = m_children->names.find(child->m_name);
    if (found != m_children->names.end() && found->second == child) {
        m_children->names.erase(found);
    }
}

// Keeps, per exact class, how many owned components carry each Numero_Interno, so that the next number
// is found without scanning the owner's components.
void TPrimerComponente::CountNumber(TPrimerComponente* child, int delta) {
    if (delta > 0) {
        if (child->m_name.empty() || child->m_countedAs != nullptr) {
            return;
        }
        // The class is remembered at counting time: in a destructor ClassInfo() no longer names it.
        child->m_countedAs = &child->ClassInfo();
        Children().numbers[child->m_countedAs].Add(child->m_numeroInterno);
        return;
    }
    if (child->m_countedAs == nullptr) {
        return;
    }
    const ComponentClass* cls = std::exchange(child->m_countedAs, nullptr);
    if (!m_children) {
        return;
    }
    auto found = m_children->numbers.find(cls);
    if (found == m_children->numbers.end()) {
        return;
    }
    found->second.Remove(child->m_numeroInterno);
    if (found->second.counts.empty()) {
        m_children->numbers.erase(found);
    }
}

std::int32_t TPrimerComponente::HighestNumber(const ComponentClass& cls) const {
    if (!m_children) {
        return 0;
    }
    std::int32_t highest = 0;
    for (const auto& [counted, numbers] : m_children->numbers) {
        if (!numbers.counts.empty() && counted->InheritsFrom(cls)) {
            highest = std::max(highest, numbers.Highest());
        }
    }
    return highest;
}

} // namespace ixo
