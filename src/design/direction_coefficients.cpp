#include "design/direction_coefficients.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace ixo::regulation {
namespace {

// Up to this many members touching few rows, their runs of rows (each in row order) are merged.
constexpr std::size_t kMergedRuns = 8;

} // namespace

DirectionCoefficients::DirectionCoefficients(std::size_t rows, double noEffect)
    : m_merged(rows, 0.0), m_marks((rows + 63) / 64, 0), m_noEffect(noEffect) {}

void DirectionCoefficients::Prepare(std::vector<Direction>& directions,
                                    const std::vector<const Effects*>& bySetting, std::size_t held) {
    m_held = held;
    m_holding = 0;
    m_againOf = nullptr;
    for (Direction& direction : directions) {
        direction.merged = {};
        if (direction.members.size() == 1) {
            direction.effects = bySetting[direction.members.front()];
            direction.mergedSize = direction.effects->size();
        } else {
            direction.effects = nullptr;
            direction.mergedSize = kNotSized;
        }
    }
}

std::size_t DirectionCoefficients::Size(Direction& direction, const std::vector<const Effects*>& bySetting) {
    if (direction.mergedSize != kNotSized) {
        return direction.mergedSize;
    }
    MergeAgain(direction, bySetting);
    direction.mergedSize = m_again.size();
    if (m_holding + direction.mergedSize <= m_held) {
        m_holding += direction.mergedSize;
        direction.merged = m_again; // a copy holds no room to spare
        direction.effects = &direction.merged;
    }
    return direction.mergedSize;
}

const Effects& DirectionCoefficients::Of(const Direction& direction,
                                         const std::vector<const Effects*>& bySetting) {
    if (direction.effects != nullptr) {
        return *direction.effects;
    }
    if (m_againOf != &direction) {
        MergeAgain(direction, bySetting);
    }
    return m_again;
}

void DirectionCoefficients::MergeAgain(const Direction& direction,
                                       const std::vector<const Effects*>& bySetting) {
    m_members.clear();
    for (std::size_t member : direction.members) {
        m_members.push_back(bySetting[member]);
    }
    m_again.ClearWide();
    Merge(direction, m_members, m_again);
    m_againOf = &direction;
}

void DirectionCoefficients::Merge(const Direction& direction,
                                  const std::vector<const Effects*>& memberEffects, Effects& into) {
    m_touched.clear();
    m_runs.clear();
    for (std::size_t k = 0; k < memberEffects.size(); ++k) {
        m_runs.push_back(m_touched.size()); // each member adds a run of rows in row order
        const double amount = direction.Amount(k);
        memberEffects[k]->ForEach([&](std::size_t, std::size_t i, double slope) {
            if (m_merged[i] == 0.0) {
                m_touched.push_back(i);
            }
            m_merged[i] += amount * slope;
            if (m_merged[i] == 0.0) {
                m_merged[i] = std::numeric_limits<double>::min(); // still listed as touched
            }
        });
    }
    // In row order: the members' runs merged when they are few and touch few rows, else the rows'
    // marks read word by word (a class of every multiswitch of a tall building has hundreds of
    // members and touches nearly every row).
    const auto take = [&](std::size_t i) {
        if (std::abs(m_merged[i]) > m_noEffect) {
            into.emplace_back(i, m_merged[i]);
        }
        m_merged[i] = 0.0;
    };
    if (m_runs.size() <= kMergedRuns && m_touched.size() * 16 < m_merged.size()) {
        for (std::size_t r = 1; r < m_runs.size(); ++r) {
            std::inplace_merge(m_touched.begin(), m_touched.begin() + static_cast<std::ptrdiff_t>(m_runs[r]),
                               r + 1 < m_runs.size()
                                   ? m_touched.begin() + static_cast<std::ptrdiff_t>(m_runs[r + 1])
                                   : m_touched.end());
        }
        for (std::size_t i : m_touched) {
            take(i);
        }
        return;
    }
    for (std::size_t i : m_touched) {
        m_marks[i / 64] |= std::uint64_t{1} << (i % 64);
    }
    for (std::size_t word = 0; word < m_marks.size(); ++word) {
        for (std::uint64_t bits = m_marks[word]; bits != 0; bits &= bits - 1) {
            take(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
        }
        m_marks[word] = 0;
    }
}

} // namespace ixo::regulation
