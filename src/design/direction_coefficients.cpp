#include "design/direction_coefficients.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace ixo::regulation {
namespace {

// Up to this many members, their runs of rows (each in row order) are merged; more are sorted.
constexpr std::size_t kMergedRuns = 8;

} // namespace

DirectionCoefficients::DirectionCoefficients(std::size_t rows, double noEffect)
    : m_merged(rows, 0.0), m_noEffect(noEffect) {}

void DirectionCoefficients::Merge(Direction& direction, const std::vector<const Effects*>& memberEffects) {
    m_touched.clear();
    m_runs.clear();
    for (std::size_t k = 0; k < memberEffects.size(); ++k) {
        m_runs.push_back(m_touched.size()); // each member adds a run of rows in row order
        const double amount = direction.Amount(k);
        for (const auto& effect : *memberEffects[k]) {
            const std::size_t i = effect.first;
            const double slope = effect.second;
            if (m_merged[i] == 0.0) {
                m_touched.push_back(i);
            }
            m_merged[i] += amount * slope;
            if (m_merged[i] == 0.0) {
                m_merged[i] = std::numeric_limits<double>::min(); // still listed as touched
            }
        }
    }
    // In row order: sorted when few rows are touched, a scan of all rows when many are (a class of
    // every multiswitch of a tall building touches nearly every row).
    const auto take = [&](std::size_t i) {
        if (std::abs(m_merged[i]) > m_noEffect) {
            direction.merged.emplace_back(i, m_merged[i]);
        }
        m_merged[i] = 0.0;
    };
    if (m_touched.size() * 16 < m_merged.size()) {
        if (m_runs.size() <= kMergedRuns) {
            for (std::size_t r = 1; r < m_runs.size(); ++r) {
                std::inplace_merge(
                    m_touched.begin(), m_touched.begin() + static_cast<std::ptrdiff_t>(m_runs[r]),
                    r + 1 < m_runs.size() ? m_touched.begin() + static_cast<std::ptrdiff_t>(m_runs[r + 1])
                                          : m_touched.end());
            }
        } else {
            std::sort(m_touched.begin(), m_touched.end());
        }
        for (std::size_t i : m_touched) {
            take(i);
        }
    } else {
        for (std::size_t i = 0; i < m_merged.size(); ++i) {
            take(i);
        }
    }
    direction.merged.shrink_to_fit();
}

} // namespace ixo::regulation
