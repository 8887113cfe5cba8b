#include "design/effects.h"

#include <algorithm>

namespace ixo::regulation {
Effects::Effects(std::initializer_list<Effect> effects) {
    reserve(effects.size());
    for (const Effect& effect : effects) {
        emplace_back(effect.first, effect.second);
    }
}

std::size_t Effects::SlotOf(double slope) {
    if (m_lastSlot < m_slopes.size() && SameBits(m_slopes[m_lastSlot], slope)) {
        return m_lastSlot;
    }
    for (std::size_t slot = 0; slot < m_slopes.size(); ++slot) {
        if (SameBits(m_slopes[slot], slope)) {
            m_lastSlot = slot;
            return slot;
        }
    }
    if (m_slopes.size() == kMostSlopes) {
        return kMostSlopes;
    }
    m_slopes.push_back(slope);
    m_lastSlot = m_slopes.size() - 1;
    return m_lastSlot;
}

void Effects::Add(std::size_t row, double slope) {
    if (!m_wide) {
        const std::size_t slot = row <= kRowMask ? SlotOf(slope) : kMostSlopes;
        if (slot < kMostSlopes) {
            m_packed.push_back(static_cast<std::uint32_t>(row) |
                               static_cast<std::uint32_t>(slot << kRowBits));
            return;
        }
        Widen();
    }
    m_effects.emplace_back(row, slope);
}

void Effects::Widen() {
    m_effects.reserve(std::max(m_reserved, m_packed.size() + 1));
    for (std::size_t k = 0; k < m_packed.size(); ++k) {
        m_effects.push_back((*this)[k]);
    }
    m_wide = true;
    m_packed = {};
    m_slopes = {};
}

void Effects::reserve(std::size_t count) {
    if (m_wide) {
        m_effects.reserve(count);
    } else {
        m_packed.reserve(count);
        m_reserved = count;
    }
}

void Effects::shrink_to_fit() {
    m_packed.shrink_to_fit();
    m_effects.shrink_to_fit();
    m_reserved = 0;
}

void Effects::clear() {
    m_packed.clear();
    m_slopes.clear();
    m_effects.clear();
    m_wide = false;
    m_lastSlot = 0;
    m_reserved = 0;
}

void Effects::ClearWide() {
    clear();
    m_packed = {};
    m_wide = true;
}

} // namespace ixo::regulation
