#pragma once

#include "common/pointer_set.h"
#include "model/component_class.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ixo {

class BinaryPropertyFiler;

// The root of every named model object. A component has an owner (or none) and owns the components
// created with it as owner, in creation order; it finds them by name through an index. Destroying a
// component destroys what it owns and tells every component that asked for a free notification.
//
// Components are created with Create<T>(owner, ...): the new object names itself from its class and
// its owner (class name without its first letter + the owner's first two characters + a number one
// above the highest Numero_Interno of the owner's components of that class or a class derived from
// it, at most 30 characters) and the owner takes it over. Destroy() frees a component.
class TPrimerComponente {
public:
    using DeclaredClass = TPrimerComponente;
    static const ComponentClass& StaticClass();
    virtual const ComponentClass& ClassInfo() const { return StaticClass(); }
    std::string_view ClassName() const { return ClassInfo().name; }
    bool InheritsFrom(const ComponentClass& cls) const { return ClassInfo().InheritsFrom(cls); }
    template <typename T> bool Is() const {
        static_assert(std::is_same_v<typename T::DeclaredClass, T>,
                      "T declares no class information of its own");
        return InheritsFrom(T::StaticClass());
    }
    // The component as a T when its class is T or derives from it, else null: a walk up the class
    // chain, much cheaper than a dynamic_cast (the project reader and the level run ask it of every
    // component they meet).
    template <typename T> T* As() { return Is<T>() ? static_cast<T*>(this) : nullptr; }
    template <typename T> const T* As() const { return Is<T>() ? static_cast<const T*>(this) : nullptr; }
    // As, for a pointer that may be null (a pin's owner while it is being made or freed).
    template <typename T> static T* AsOrNull(TPrimerComponente* component) {
        return component != nullptr ? component->As<T>() : nullptr;
    }
    template <typename T> static const T* AsOrNull(const TPrimerComponente* component) {
        return component != nullptr ? component->As<T>() : nullptr;
    }

    TPrimerComponente(const TPrimerComponente&) = delete;
    TPrimerComponente& operator=(const TPrimerComponente&) = delete;
    virtual ~TPrimerComponente();

    // Creates a component owned by owner (which may be null: the caller then owns it through the
    // returned pointer and must Destroy it).
    template <typename T, typename... Args> static T* Create(TPrimerComponente* owner, Args&&... args) {
        T* created = new T(owner, std::forward<Args>(args)...);
        static_cast<TPrimerComponente*>(created)->AfterConstruction();
        return created;
    }
    // Frees a component and everything it owns.
    static void Destroy(TPrimerComponente* component) { delete component; }
    // A component made for a stored record, named name at once: no name is made for it first, and
    // classes that make parts of their own leave those the record holds to the reader (see Reading).
    // The reader calls Loaded once the record and those of its components are read.
    template <typename T> static T* CreateForReading(TPrimerComponente* owner, std::string name) {
        T* created = new T(owner);
        TPrimerComponente* component = created;
        component->m_reading = true;
        component->m_name = std::move(name);
        component->AfterConstruction();
        return created;
    }
    // A component without owner, held by a unique_ptr (catalogue owners, tests, the reader's roots).
    template <typename T, typename... Args> static std::unique_ptr<T> CreateRoot(Args&&... args) {
        return std::unique_ptr<T>(Create<T>(nullptr, std::forward<Args>(args)...));
    }

    TPrimerComponente* Owner() const { return m_owner; }
    const std::string& Name() const { return m_name; }
    void SetName(std::string name);
    std::int32_t Numero_Interno() const { return m_numeroInterno; }
    void SetNumero_Interno(std::int32_t number);

    // Owned components in creation order.
    std::size_t ComponentCount() const { return m_componentCount; }
    class ComponentRange;
    ComponentRange Components() const;
    // The owned component with that name (case-insensitive), or null.
    TPrimerComponente* FindComponent(std::string_view name) const;

    // A new component of the same most specific class, owned by owner, copying what that class copies
    // from a prototype. Every persisted class overrides it (the class registry checks this).
    virtual TPrimerComponente* Clone(TPrimerComponente* owner) const;
    // True for the component at which object paths start (the project): see ComponentPath.
    virtual bool IsPathRoot() const { return false; }
    // Announces the custom binary data the class adds to its stored form (none here).
    virtual void DefineProperties(BinaryPropertyFiler& filer);

    // Asks to be told (Notification) when other is destroyed; both sides forget each other when either goes.
    // Subscribing and leaving take constant time, however many components watch other.
    void FreeNotification(TPrimerComponente* other);
    void RemoveFreeNotification(TPrimerComponente* other);

    // An editor keeps freed elements for undo: the component leaves its owner's list, name index and
    // numbering without being freed, and the caller owns it until it is attached again. Answers the
    // sibling it stood before (null when it was the last). Nothing happens without owner.
    TPrimerComponente* DetachFromOwner();
    // Puts a detached component back under owner, before `before` (a component of owner; last when
    // null), with its own name and number.
    void ReattachToOwner(TPrimerComponente* owner, TPrimerComponente* before);
    // True while this component goes with an owner being freed (the whole project closing, say): work
    // that only keeps the component consistent for later use can be skipped then.
    bool GoingWithOwner() const;
    // Called by a reader once the record of a component made by CreateForReading and the records of
    // its components are read; a class completes here what a record may lack.
    virtual void Loaded();

protected:
    explicit TPrimerComponente(TPrimerComponente* owner);
    // Called once the most derived constructor has run: the class is known, so the object names itself.
    virtual void AfterConstruction();
    // True from CreateForReading until Loaded: the stored record gives this component its parts.
    bool Reading() const { return m_reading; }
    // Called on this component when a component it owns or asked about is being destroyed:
    // non-owning links to it must be cleared here.
    virtual void Notification(TPrimerComponente* removed);

    static std::string MakeName(const ComponentClass& cls, const TPrimerComponente* owner,
                                std::int32_t number);

private:
    void InsertComponent(TPrimerComponente* child);
    void RemoveComponent(TPrimerComponente* child);
    void IndexName(TPrimerComponente* child);
    void UnindexName(TPrimerComponente* child);
    void CountNumber(TPrimerComponente* child, int delta);
    std::int32_t HighestNumber(const ComponentClass& cls) const;
    struct ClassNumbers;
    void DestroyOwnedComponents();

    TPrimerComponente* m_owner = nullptr;
    std::string m_name;
    std::int32_t m_numeroInterno = 0;
    const ComponentClass* m_countedAs = nullptr; // class under which the owner counts this component

    // Owned components as an intrusive list in creation order.
    TPrimerComponente* m_firstChild = nullptr;
    TPrimerComponente* m_lastChild = nullptr;
    TPrimerComponente* m_prevSibling = nullptr;
    TPrimerComponente* m_nextSibling = nullptr;
    std::size_t m_componentCount = 0;

    // What only an owner needs, made when the first component is named under it: the name index
    // (keys view the children's own names, compared without regard to ASCII case) and the numbering.
    struct ChildIndex;
    ChildIndex& Children();
    std::unique_ptr<ChildIndex> m_children;
    // Set while the base destructor frees the owned components: the index is gone with the owner, so
    // the children leave only the list.
    bool m_freeingChildren = false;
    bool m_reading = false;
    PointerSet<TPrimerComponente> m_freeNotifies; // both sides of every free-notification subscription
};

class TPrimerComponente::ComponentRange {
public:
    class Iterator {
    public:
        using difference_type = std::ptrdiff_t;
        using value_type = TPrimerComponente*;
        explicit Iterator(TPrimerComponente* at = nullptr) : m_at(at) {}
        TPrimerComponente* operator*() const { return m_at; }
        Iterator& operator++() {
            m_at = m_at->m_nextSibling;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator&) const = default;

    private:
        TPrimerComponente* m_at;
    };
    explicit ComponentRange(TPrimerComponente* first) : m_first(first) {}
    Iterator begin() const { return Iterator(m_first); }
    Iterator end() const { return Iterator(); }

private:
    TPrimerComponente* m_first;
};

inline TPrimerComponente::ComponentRange TPrimerComponente::Components() const {
    return ComponentRange(m_firstChild);
}

} // namespace ixo
