#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <vector>

// The coefficients of the automatic regulation: which rows a setting (or settings moved together) moves
// and by how much.
namespace ixo::regulation {

// One row a setting moves and by how much, dB per unit. Packed to 12 bytes where it is held as it is;
// its slope is not aligned: read it by value (`const double slope = effect.second`), never bind a
// reference to it (a structured binding does).
#pragma pack(push, 4)
struct Effect {
    std::uint32_t first = 0; // the row
    double second = 0.0;     // dB per unit

    Effect(std::size_t row, double slope) : first(static_cast<std::uint32_t>(row)), second(slope) {}
};
#pragma pack(pop)

// The effects of a setting or a direction in row order, read by index or walked (ForEach) by value. A setting
// moves every row below it in the network by one of very few slopes (one per band group its control
// reaches), and the largest buildings hold tens of millions of effects: while a list has few slopes
// and its rows fit in 24 bits, each effect is 4 bytes (its row and which of the list's slopes),
// else 12 (Effect as it is). The values read back are those put in, exactly.
class Effects {
public:
    Effects() = default;
    Effects(std::initializer_list<Effect> effects);

    std::size_t size() const { return m_wide ? m_effects.size() : m_packed.size(); }
    bool empty() const { return size() == 0; }
    Effect operator[](std::size_t k) const {
        if (m_wide) {
            return Effect(m_effects[k].first, m_effects[k].second);
        }
        const std::uint32_t packed = m_packed[k];
        return Effect(packed & kRowMask, m_slopes[packed >> kRowBits]);
    }
    // Calls f(k, row, slope) for each effect k in order, the list's form looked at once rather than at
    // every effect; where f returns bool, false ends the walk.
    template <typename F> void ForEach(F&& f) const {
        if (m_wide) {
            for (std::size_t k = 0; k < m_effects.size(); ++k) {
                // Each field read on its own: a copy of the packed whole would be stored in two pieces
                // and read back in one, which the processor cannot forward.
                if (!Go(f, k, m_effects[k].first, m_effects[k].second)) {
                    return;
                }
            }
            return;
        }
        const double* slopes = m_slopes.data();
        for (std::size_t k = 0; k < m_packed.size(); ++k) {
            const std::uint32_t packed = m_packed[k];
            if (!Go(f, k, packed & kRowMask, slopes[packed >> kRowBits])) {
                return;
            }
        }
    }
    // Whether one of the effects is of row (they are in row order).
    bool HasRow(std::size_t row) const {
        std::size_t low = 0;
        std::size_t high = size();
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            if ((*this)[middle].first < row) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        return low < size() && (*this)[low].first == row;
    }

    void emplace_back(std::size_t row, double slope) {
        if (m_wide) {
            m_effects.emplace_back(row, slope);
            return;
        }
        // Mostly the slope of the effect before: the rows of one band in turn.
        if (row <= kRowMask && m_lastSlot < m_slopes.size() && SameBits(m_slopes[m_lastSlot], slope)) {
            m_packed.push_back(static_cast<std::uint32_t>(row) |
                               static_cast<std::uint32_t>(m_lastSlot << kRowBits));
            return;
        }
        Add(row, slope);
    }
    void reserve(std::size_t count);
    void shrink_to_fit();
    void clear();
    // Empties the list and holds what comes next at 12 bytes an effect (sums of many settings' slopes
    // have many values: they are not looked for among the list's).
    void ClearWide();
    // Whether each effect takes 4 bytes (few slopes, rows within 24 bits) or 12.
    bool Compact() const { return !m_wide; }

private:
    static constexpr unsigned kRowBits = 24;
    static constexpr std::uint32_t kRowMask = (std::uint32_t{1} << kRowBits) - 1;
    // Slopes a compact list holds at most: each new one is looked for among them.
    static constexpr std::size_t kMostSlopes = 8;

    // Slopes are told apart bit for bit: -0.0 is not 0.0.
    static bool SameBits(double a, double b) {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    }
    template <typename F> static bool Go(F& f, std::size_t k, std::uint32_t row, double slope) {
        if constexpr (std::is_same_v<decltype(f(k, std::size_t{row}, slope)), bool>) {
            return f(k, std::size_t{row}, slope);
        } else {
            f(k, std::size_t{row}, slope);
            return true;
        }
    }

    void Add(std::size_t row, double slope);
    // The slot of slope among the list's, or kMostSlopes when it has none and no room for it.
    std::size_t SlotOf(double slope);
    void Widen();

    std::vector<std::uint32_t> m_packed; // the row, and the slot of its slope in the top bits
    std::vector<double> m_slopes;
    std::size_t m_lastSlot = 0;
    std::vector<Effect> m_effects; // when wide
    bool m_wide = false;
    std::size_t m_reserved = 0; // asked for while compact: reserved again if the list widens
};

} // namespace ixo::regulation
