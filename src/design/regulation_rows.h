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
    double Minimum() const { return m_tree.size() > 1 ? m_tree[1] : kInfinity; }

private:
    std::size_t m_size = 1;
    std::vector<double> m_tree;
};

} // namespace ixo::regulation
