#pragma once

// Integer drawing geometry: points, rectangles, quarter-turn orientations and the rounding every scaled
// length uses. Design units are pixels at scale 1.0, x to the right and y downward.
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ixo {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle with left <= right and top <= bottom when normalised; an empty rectangle has right <= left
// or bottom <= top.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const Rect&) const = default;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// round(v) with halves to even, the rounding of every scaled length.
inline std::int32_t RoundEven(double v) {
    return static_cast<std::int32_t>(std::nearbyint(v));
}

// Quarter-turn table: cos and sin of 90 degrees times o, exact.
inline int CosQ(int o) {
    static constexpr int kCos[4] = {1, 0, -1, 0};
    return kCos[((o % 4) + 4) % 4];
}
inline int SinQ(int o) {
    static constexpr int kSin[4] = {0, 1, 0, -1};
    return kSin[((o % 4) + 4) % 4];
}

// A local offset turned by orientation o: (cos dx + sin dy, cos dy - sin dx).
inline Point Turn(int o, std::int32_t dx, std::int32_t dy) {
    return {CosQ(o) * dx + SinQ(o) * dy, CosQ(o) * dy - SinQ(o) * dx};
}

inline Rect Normalised(Rect r) {
    if (r.left > r.right) {
        std::swap(r.left, r.right);
    }
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
    }
    return r;
}

// The union of two rectangles; an empty one contributes nothing.
inline Rect Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) {
        return b;
    }
    if (b.IsEmpty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// True when the rectangles share area (touching edges do not count), as the platform's IntersectRect.
inline bool Intersects(const Rect& a, const Rect& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// Integer division rounding toward zero (C++ semantics), named for the arithmetic of the layout.
inline std::int32_t Div(std::int32_t a, std::int32_t b) {
    return a / b;
}
inline std::int32_t CeilHalf(std::int32_t n) {
    return n / 2 + n % 2;
}

} // namespace ixo
