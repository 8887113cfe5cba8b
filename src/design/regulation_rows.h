#pragma once

#include "design/level_sample.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <vector>

// The automatic regulation's view of the levels: rows of levels moved alike, and the running minimum of
// their margins.
namespace ixo::regulation {

inline constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Of a row in the ascent's smooth phases: exp(-(slack - reference) / T) of its low and high slacks, with
// its weight beside them (the tangent bound of every direction reads the three of each row it moves).
struct SmoothTerms {
    double low = 0.0;
    double high = 0.0;
    double weight = 1.0;
};

// A group of levels that every setting moves alike (the outlets behind one multiswitch tap at one
// polarity and band, the polarities of one riser line): only its lowest and highest level matter to the
// worst margin, so the optimisation keeps those two.
//
// A row of an element's maximum weighs kMaximumWeight beyond it: its slack s counts as min(s, weight s),
// the minimum of two affine functions (so the worst margin stays concave), and the maximum is in effect
// a hard constraint while a row within it weighs as an outlet's (the same rule as WeighedMargin).
struct Row {
    double low = kInfinity;
    double high = -kInfinity;
    LevelBound bound;
    double weight = 1.0;

    double Weigh(double slack) const { return slack >= 0.0 ? slack : slack * weight; }
    double RawLowSlack() const { return low - bound.minimum; }
    double RawHighSlack() const { return bound.maximum - high; }
    double LowSlack() const { return Weigh(RawLowSlack()); }
    double HighSlack() const { return Weigh(RawHighSlack()); }
    double Margin() const { return std::min(LowSlack(), HighSlack()); }
    void Take(double level) {
        low = std::min(low, level);
        high = std::max(high, level);
    }
};

// Narrows the shifts [low, high] of a direction that moves row by slope per unit so that the row's
// slacks that hold stay held. The smooth phases keep every element maximum that holds this way: the
// exponential of a maximum's heavy piece rounds to zero a few tenths of a dB inside it, so that the
// smooth minimum would not see the wall until the move had passed it.
inline void KeepWithin(const Row& row, double slope, double& low, double& high) {
    const double lowSlack = row.RawLowSlack();
    const double highSlack = row.RawHighSlack();
    if (slope > 0.0) {
        high = highSlack >= 0.0 ? std::min(high, highSlack / slope) : high;
        low = lowSlack >= 0.0 ? std::max(low, -lowSlack / slope) : low;
    } else if (slope < 0.0) {
        low = highSlack >= 0.0 ? std::max(low, highSlack / slope) : low;
        high = lowSlack >= 0.0 ? std::min(high, -lowSlack / slope) : high;
    }
}

// The minimum of a changing array of margins, and that minimum with some entries left out: a segment
// tree (leaves set to infinity while left out).
class MinimumTree {
public:
    void Reset(const std::vector<Row>& rows) {
        m_size = 1;
        while (m_size < rows.size()) {
            m_size *= 2;
        }
        m_tree.assign(2 * m_size, kInfinity);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            m_tree[m_size + i] = rows[i].Margin();
        }
        for (std::size_t i = m_size; i-- > 1;) {
            m_tree[i] = std::min(m_tree[2 * i], m_tree[2 * i + 1]);
        }
    }
    void Update(std::size_t i, double value) {
        std::size_t at = m_size + i;
        m_tree[at] = value;
        for (at /= 2; at >= 1; at /= 2) {
            m_tree[at] = std::min(m_tree[2 * at], m_tree[2 * at + 1]);
        }
    }
    // Update of many entries at once (entries: Effects, their rows the indexes, best in ascending
    // order): each leaf set to value(index), then each ancestor of them recomputed once, level by level,
    // instead of a walk to the root per entry.
    template <typename Entries, typename Value> void UpdateAll(const Entries& entries, const Value& value) {
        m_parents.clear();
        entries.ForEach([&](std::size_t, std::size_t row, double) {
            const std::size_t at = m_size + row;
            m_tree[at] = value(row);
            if (m_parents.empty() || m_parents.back() != at / 2) {
                m_parents.push_back(at / 2);
            }
        });
        while (!m_parents.empty() && m_parents.front() >= 1) {
            std::size_t kept = 0;
            for (std::size_t k = 0; k < m_parents.size(); ++k) {
                const std::size_t at = m_parents[k];
                m_tree[at] = std::min(m_tree[2 * at], m_tree[2 * at + 1]);
                if (kept == 0 || m_parents[kept - 1] != at / 2) {
                    m_parents[kept++] = at / 2;
                }
            }
            m_parents.resize(kept);
            if (m_parents.front() == 0) {
                break; // the root was recomputed
            }
        }
    }
    double Minimum() const { return m_tree.size() > 1 ? m_tree[1] : kInfinity; }
    // An entry whose margin is the minimum (the first, in index order, of those that are).
    std::size_t ArgMinimum() const {
        std::size_t at = 1;
        while (at < m_size) {
            at = m_tree[2 * at] == m_tree[at] ? 2 * at : 2 * at + 1;
        }
        return at - m_size;
    }

private:
    std::size_t m_size = 1;
    std::vector<double> m_tree;
    std::vector<std::size_t> m_parents; // scratch of UpdateAll
};

} // namespace ixo::regulation
