#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

namespace ixo {

// A set of pointers with O(1) insert, erase and membership, and a deterministic order (insertion order,
// the last element taking the place of an erased one). Small sets are a plain vector; from
// kIndexThreshold elements on, a position index keeps every operation constant time, so that a cable
// kind that thousands of pins watch stays cheap to subscribe to and to leave.
template <typename T> class PointerSet {
public:
    static constexpr std::size_t kIndexThreshold = 16;

    bool Empty() const { return m_items.empty(); }
    std::size_t Size() const { return m_items.size(); }
    const std::vector<T*>& Items() const { return m_items; }

    bool Contains(T* item) const { return Find(item) != kNone; }

    // Adds item unless present; true when added.
    bool Insert(T* item) {
        if (Contains(item)) {
            return false;
        }
        m_items.push_back(item);
        if (m_index) {
            m_index->emplace(item, m_items.size() - 1);
        } else if (m_items.size() >= kIndexThreshold) {
            BuildIndex();
        }
        return true;
    }

    // Removes item when present; true when removed.
    bool Erase(T* item) {
        const std::size_t at = Find(item);
        if (at == kNone) {
            return false;
        }
        T* last = m_items.back();
        m_items[at] = last;
        m_items.pop_back();
        if (m_index) {
            m_index->erase(item);
            if (last != item) {
                (*m_index)[last] = at;
            }
        }
        return true;
    }

    // Empties the set and gives its items in order.
    std::vector<T*> TakeAll() {
        m_index.reset();
        return std::move(m_items);
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::size_t Find(T* item) const {
        if (m_index) {
            auto found = m_index->find(item);
            return found == m_index->end() ? kNone : found->second;
        }
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i] == item) {
                return i;
            }
        }
        return kNone;
    }

    void BuildIndex() {
        m_index = std::make_unique<std::unordered_map<T*, std::size_t>>();
        m_index->reserve(m_items.size() * 2);
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            m_index->emplace(m_items[i], i);
        }
    }

    std::vector<T*> m_items;
    std::unique_ptr<std::unordered_map<T*, std::size_t>> m_index; // only for large sets
};

} // namespace ixo
