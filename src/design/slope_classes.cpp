#include "design/slope_classes.h"

namespace ixo::regulation {

bool SlopeClasses::Classify(Direction& direction, const Effects& effects, const std::vector<Row>& rows) {
    if (direction.tooManyClasses) {
        return false;
    }
    classes.clear();
    m_pairOf.resize(effects.size());
    // Pair 2c is class c alone, 2c + 1 class c with its heavy piece: every weighed row weighs the
    // same (kMaximumWeight), so the heavy class of a class is one; it is found where it is first
    // needed, which keeps the order in which classes are made.
    m_heavyOf.clear();
    double heavyWeight = 0.0;
    bool classed = true;
    effects.ForEach([&](std::size_t k, std::size_t i, double slope) {
        const double weight = rows[i].weight;
        const std::uint32_t plain = Index(slope);
        if (m_heavyOf.size() < classes.size()) {
            m_heavyOf.resize(classes.size(), kNoClass);
        }
        std::uint32_t pair = 2 * plain;
        if (weight != 1.0) {
            if (m_heavyOf[plain] == kNoClass) {
                if (heavyWeight != 0.0 && weight != heavyWeight) {
                    classed = false; // rows of other weights: classed at every step
                    return false;
                }
                heavyWeight = weight;
                const std::uint32_t heavy = Index(slope * weight);
                m_heavyOf.resize(classes.size(), kNoClass);
                m_heavyOf[plain] = heavy;
            } else if (weight != heavyWeight) {
                classed = false;
                return false;
            }
            pair += 1;
        }
        m_pairOf[k] = pair;
        return true;
    });
    if (!classed) {
        direction.tooManyClasses = true;
        return false;
    }
    direction.pairs.resize(2 * classes.size());
    m_heavyOf.resize(classes.size(), kNoClass);
    for (std::uint32_t c = 0; c < classes.size(); ++c) {
        direction.pairs[2 * c] = {c, kNoClass};
        direction.pairs[2 * c + 1] = {c, m_heavyOf[c]};
    }
    const std::size_t count = direction.pairs.size();
    if (count > std::numeric_limits<std::uint16_t>::max() + std::size_t{1}) {
        direction.tooManyClasses = true;
        direction.pairs = {};
        return false;
    }
    if (count <= std::numeric_limits<std::uint8_t>::max() + std::size_t{1}) {
        direction.pairOf8.assign(m_pairOf.begin(), m_pairOf.end());
    } else {
        direction.pairOf16.assign(m_pairOf.begin(), m_pairOf.end());
    }
    direction.classSlopes.clear();
    for (const SlopeClass& group : classes) {
        direction.classSlopes.push_back(group.slope);
    }
    direction.classified = true;
    return true;
}

// The class of the rows moved by slope: a short list searched in turn (a single setting moves each
// band by one coefficient), indexed once it grows.
SlopeClass& SlopeClasses::Of(double slope) {
    constexpr std::size_t kListed = 16;
    if (classes.size() <= kListed) {
        for (SlopeClass& group : classes) {
            if (group.slope == slope) {
                return group;
            }
        }
        if (classes.size() == kListed) {
            m_index.clear();
            for (std::size_t c = 0; c < classes.size(); ++c) {
                m_index.emplace(classes[c].slope, c);
            }
        }
    }
    if (classes.size() >= kListed) {
        if (const auto found = m_index.find(slope); found != m_index.end()) {
            return classes[found->second];
        }
        m_index.emplace(slope, classes.size());
    }
    classes.push_back({slope});
    return classes.back();
}

} // namespace ixo::regulation
