#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ixo {

// A set of pointers with O(1) insert, erase and membership, and a deterministic order (insertion order,
// the last element taking the place of an erased one). Small sets are a plain vector; from
// kIndexThreshold elements on, a position index keeps every operation constant time, so that a cable
// kind that thousands of pins watch stays cheap to subscribe to and to leave. The index is one flat
// open-addressing table (linear probing, at most half full), not a heap node per element: a cable
// kind of a large building is watched by a hundred thousand pins.
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
        if (Indexed()) {
            IndexInsert(item, m_items.size() - 1);
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
        if (Indexed()) {
            IndexErase(item);
            if (last != item) {
                m_slots[Probe(last)].position = at;
            }
        }
        return true;
    }

    // Empties the set and gives its items in order.
    std::vector<T*> TakeAll() {
        std::vector<Slot>().swap(m_slots);
        return std::move(m_items);
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    struct Slot {
        T* item = nullptr; // null: empty
        std::size_t position = 0;
    };

    bool Indexed() const { return !m_slots.empty(); }
    std::size_t Mask() const { return m_slots.size() - 1; }

    // The home slot of a pointer: its bits mixed so that aligned addresses spread over the table.
    std::size_t Home(T* item) const {
        auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(item));
        bits ^= bits >> 33;
        bits *= 0xFF51AFD7ED558CCDULL;
        bits ^= bits >> 33;
        return static_cast<std::size_t>(bits) & Mask();
    }

    // The slot that holds item, or the empty slot where the search for it ends.
    std::size_t Probe(T* item) const {
        std::size_t i = Home(item);
        while (m_slots[i].item != nullptr && m_slots[i].item != item) {
            i = (i + 1) & Mask();
        }
        return i;
    }

    std::size_t Find(T* item) const {
        if (Indexed()) {
            const Slot& slot = m_slots[Probe(item)];
            return slot.item != nullptr ? slot.position : kNone;
        }
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i] == item) {
                return i;
            }
        }
        return kNone;
    }

    void IndexInsert(T* item, std::size_t position) {
        if (2 * m_items.size() > m_slots.size()) {
            Resize(2 * m_slots.size());
        }
        m_slots[Probe(item)] = Slot{item, position};
    }

    // Empties item's slot and moves later entries of its probe run back, so that every entry stays
    // reachable from its home without markers for removed entries.
    void IndexErase(T* item) {
        std::size_t hole = Probe(item);
        std::size_t next = hole;
        while (true) {
            next = (next + 1) & Mask();
            if (m_slots[next].item == nullptr) {
                break;
            }
            const std::size_t home = Home(m_slots[next].item);
            // The entry at next may fill the hole unless its home lies cyclically in (hole, next].
            const bool homeAfterHole =
                hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
            if (!homeAfterHole) {
                m_slots[hole] = m_slots[next];
                hole = next;
            }
        }
        m_slots[hole] = Slot{};
    }

    void Resize(std::size_t capacity) {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(capacity, Slot{});
        for (const Slot& slot : old) {
            if (slot.item != nullptr) {
                m_slots[Probe(slot.item)] = slot;
            }
        }
    }

    void BuildIndex() {
        std::size_t capacity = 4 * kIndexThreshold;
        while (capacity < 4 * m_items.size()) {
            capacity *= 2;
        }
        m_slots.assign(capacity, Slot{});
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            m_slots[Probe(m_items[i])] = Slot{m_items[i], i};
        }
    }

    std::vector<T*> m_items;
    std::vector<Slot> m_slots; // the position index of large sets; a power of two long, else empty
};

} // namespace ixo
