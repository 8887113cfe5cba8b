#pragma once

#include "common/ascii_case.h"
#include "model/primer_componente.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ixo {

// An ordered list of (component name, component) entries: the lists of the building model (stairs of a
// project, floors of a stair, flats and elements of a floor, elements of a flat). Only the names are
// stored in a project file; the objects are attached again when it is read.
//
// A list may have a watcher: the component that holds it. Every object added is then watched by it
// (FreeNotification), and the watcher's Notification calls RemoveObject, so that freeing an element
// anywhere takes it out of every list that names it. The list never owns its objects.
template <typename T> class NamedList {
public:
    struct Entry {
        std::string Name;
        T* Object = nullptr;
        const TPrimerComponente* Component = nullptr; // Object as a component, kept for comparisons
    };

    explicit NamedList(TPrimerComponente* watcher = nullptr) : m_watcher(watcher) {}

    std::size_t Count() const { return m_entries.size(); }
    bool Empty() const { return m_entries.empty(); }
    const Entry& operator[](std::size_t i) const { return m_entries[i]; }
    T* Object(std::size_t i) const { return m_entries[i].Object; }
    const std::string& Name(std::size_t i) const { return m_entries[i].Name; }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

    // Appends object under its component name.
    void Add(T* object) { Insert(m_entries.size(), object); }
    void Add(std::string name, T* object) { Insert(m_entries.size(), std::move(name), object); }
    void Insert(std::size_t index, T* object) {
        Insert(index, object != nullptr ? Base(object)->Name() : std::string(), object);
    }
    void Insert(std::size_t index, std::string name, T* object) {
        Watch(object);
        m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_entries.size())),
                         Entry{std::move(name), object, Base(object)});
    }
    // Replaces the object of entry i (the name stays).
    void SetObject(std::size_t i, T* object) {
        Watch(object);
        m_entries[i].Object = object;
        m_entries[i].Component = Base(object);
    }

    // The first entry with that name (letter case ignored), or -1.
    int IndexOf(std::string_view name) const {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (EqualsIgnoringAsciiCase(m_entries[i].Name, name)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // The first entry holding that object, or -1.
    int IndexOfObject(const TPrimerComponente* object) const {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].Component != nullptr && m_entries[i].Component == object) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    void Delete(std::size_t i) { m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i)); }
    // Removes every entry holding object; true when there was one.
    bool RemoveObject(const TPrimerComponente* object) {
        return std::erase_if(m_entries, [object](const Entry& entry) {
                   return entry.Component != nullptr && entry.Component == object;
               }) > 0;
    }
    // Removes the first entry with that name; true when there was one.
    bool RemoveName(std::string_view name) {
        int index = IndexOf(name);
        if (index < 0) {
            return false;
        }
        Delete(static_cast<std::size_t>(index));
        return true;
    }
    void Clear() { m_entries.clear(); }
    // Empties the list and hands back what it held (to free the objects without the list changing
    // under the loop).
    std::vector<Entry> TakeAll() { return std::exchange(m_entries, {}); }

    // Replaces the entries by a copy of other's (objects are watched by this list's watcher).
    void Assign(const NamedList& other) {
        m_entries.clear();
        for (const Entry& entry : other.m_entries) {
            Add(entry.Name, entry.Object);
        }
    }

private:
    static const TPrimerComponente* Base(const T* object) { return object; }
    void Watch(T* object) {
        if (m_watcher != nullptr && object != nullptr) {
            m_watcher->FreeNotification(object);
        }
    }

    TPrimerComponente* m_watcher;
    std::vector<Entry> m_entries;
};

} // namespace ixo
