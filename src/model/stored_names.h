#pragma once

#include "common/ascii_case.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ixo {

// A list read from a project file arrives as names first (a published string list) and its objects
// later (the owned components, read one by one). The names are kept here; each object read then goes
// into the list at the place its name has among them, so the list ends in the stored order whatever
// order the objects come in.
class StoredNames {
public:
    void Set(std::vector<std::string> names) {
        m_names = std::move(names);
        m_appended = {};
        m_rankOf.clear();
        if (m_names.size() > kIndexedFrom) {
            m_rankOf.reserve(m_names.size());
            for (std::size_t i = 0; i < m_names.size(); ++i) {
                m_rankOf.emplace(m_names[i], i); // the first of equal names keeps its rank
            }
        }
    }
    const std::vector<std::string>& Names() const { return m_names; }

    // The index in list before which an object named `name` goes (before the first item whose name is
    // stored later), or none when the name is not stored.
    template <typename Item, typename NameOf>
    std::optional<std::size_t> PositionIn(const std::vector<Item>& list, std::string_view name,
                                          NameOf nameOf) const {
        const std::optional<std::size_t> rank = Rank(name);
        if (!rank) {
            return std::nullopt;
        }
        if (!list.empty() && m_appended.count == list.size() && *rank >= m_appended.rank &&
            Rank(nameOf(list.back())) == m_appended.rank) {
            m_appended = {list.size() + 1, *rank};
            return list.size();
        }
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::optional<std::size_t> other = Rank(nameOf(list[i]));
            if (other && *other > *rank) {
                m_appended = {};
                return i;
            }
        }
        m_appended = {list.size() + 1, *rank};
        return list.size();
    }

private:
    // Long lists (a multiswitch's pins and controls) are looked up through an index: each object read
    // ranks every object before it, so a scan would make reading an element cubic in its pins.
    static constexpr std::size_t kIndexedFrom = 8;

    std::optional<std::size_t> Rank(std::string_view name) const {
        if (!m_rankOf.empty()) {
            const auto found = m_rankOf.find(name);
            return found != m_rankOf.end() ? std::optional<std::size_t>(found->second) : std::nullopt;
        }
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            if (EqualsIgnoringAsciiCase(m_names[i], name)) {
                return i;
            }
        }
        return std::nullopt;
    }

    // Objects mostly arrive in the stored order, each going to the end. When the last answer was the end
    // (no object then ranked later) and the list has since grown by that one object, still last, every
    // object in it ranks at most as that one: a later rank goes to the end without ranking them all again.
    struct Appended {
        std::size_t count = 0; // the list's size once the object is appended; 0: nothing known
        std::size_t rank = 0;
    };
    mutable Appended m_appended;

    std::vector<std::string> m_names;
    // Name (compared without regard to ASCII case) to rank, for long lists.
    std::unordered_map<std::string, std::size_t, AsciiCaseInsensitiveHash, AsciiCaseInsensitiveEqual>
        m_rankOf;
};

} // namespace ixo
