#pragma once

#include "design/effects.h"
#include "design/regulation_rows.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <utility>
#include <vector>

// The automatic regulation's directions and the classes of their coefficients: the rows a direction
// moves, gathered by coefficient, so that the margin along the direction is a function of few terms.
namespace ixo::regulation {

// Settings moved together by one amount, and the merged coefficients of the rows they move: a single
// setting's are its sensitivity's (not copied: on a tall building they run to millions).
// Settings moved by one shift times their amounts (all 1 when amounts is empty).
struct Direction {
    std::vector<std::size_t> members;
    Effects merged;
    const Effects* effects = nullptr; // null while its merged coefficients are not held (mergedSize)
    std::size_t mergedSize = 0;       // how many merged coefficients it has, held or not (or kNotSized)
    std::vector<double> amounts;
    // The slope class of each effect (SlopeClass, in the order the classes are first met) and of its
    // heavy piece (kNoClass for a row of weight 1), found once: the classes depend on the coefficients
    // and the rows' weights alone, not on where the ascent stands.
    // Each effect's pair of classes (plain, heavy) is one of few: held as an index into pairs, in 8
    // bits where there are at most 256 pairs, else 16; a direction of more is classed at every step.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    std::vector<std::uint8_t> pairOf8;
    std::vector<std::uint16_t> pairOf16;
    std::vector<double> classSlopes;
    bool classified = false;
    bool tooManyClasses = false;

    explicit Direction(std::vector<std::size_t> settings, std::vector<double> by = {})
        : members(std::move(settings)), amounts(std::move(by)) {}
    double Amount(std::size_t k) const { return amounts.empty() ? 1.0 : amounts[k]; }
};
inline constexpr std::uint32_t kNoClass = std::numeric_limits<std::uint32_t>::max();
inline constexpr std::size_t kNotSized = std::numeric_limits<std::size_t>::max(); // not merged yet

// The rows a direction moves, gathered by their coefficient: all rows with one coefficient shift alike,
// so the margin along the direction needs only their smallest slacks (exact minimum) and their sums of
// exponentials (smooth minimum).
struct SlopeClass {
    double slope = 0.0;
    double lowSlack = kInfinity;
    double highSlack = kInfinity;
    double lowSum = 0.0; // sum of exp(-(slack - reference) / T), then its logarithm
    double highSum = 0.0;
};

// The slope classes of the direction being moved along, in the order they are first met (the order the
// objective sums them in), and each direction's classes found once (Classify).
class SlopeClasses {
public:
    std::vector<SlopeClass> classes;

    // The classes of a direction's effects and of their heavy pieces, in the order Step meets them;
    // false (and never tried again) when their pairs are too many to be held in 16 bits. rows: the rows
    // the effects name (their weights).
    bool Classify(Direction& direction, const Effects& effects, const std::vector<Row>& rows);
    // Slopes are unique among the classes, and effects of one slope come in runs: the last class met is
    // tried first.
    std::uint32_t Index(double slope) {
        if (m_last < classes.size() && classes[m_last].slope == slope) {
            return m_last;
        }
        m_last = static_cast<std::uint32_t>(&Of(slope) - classes.data());
        return m_last;
    }

private:
    SlopeClass& Of(double slope);

    std::vector<std::uint32_t> m_pairOf;  // scratch of Classify
    std::vector<std::uint32_t> m_heavyOf; // scratch of Classify: the heavy class of each class
    std::uint32_t m_last = 0;             // the class Index found last
    std::unordered_map<double, std::size_t> m_index;
};

// The maximum over [low, high] of a concave function, to a hundredth (values are rounded to that).
template <typename F> double MaximiseConcave(const F& f, double low, double high) {
    // Golden-section search: one evaluation per step.
    constexpr double kRatio = 0.6180339887498949;
    const double lowest = low;
    const double highest = high;
    double a = high - kRatio * (high - low);
    double b = low + kRatio * (high - low);
    double fa = f(a);
    double fb = f(b);
    while (high - low > 0.005) {
        if (fa < fb) {
            low = a;
            a = b;
            fa = fb;
            b = low + kRatio * (high - low);
            fb = f(b);
        } else {
            high = b;
            b = a;
            fb = fa;
            a = high - kRatio * (high - low);
            fa = f(a);
        }
    }
    return std::clamp(std::round((low + high) / 2.0 * 100.0) / 100.0, lowest, highest);
}

} // namespace ixo::regulation
