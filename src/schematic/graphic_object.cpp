#include "schematic/graphic_object.h"

namespace ixo {

TBaseGrafMS::TBaseGrafMS(TPrimerComponente* element) : m_element(element) {}

void TBaseGrafMS::Initialise() {
    SetRelX(0);
    SetRelY(0);
    ResetSize();
}

void TBaseGrafMS::SetBaseX(std::int32_t v) {
    m_baseX = v;
    m_x = v;
}

void TBaseGrafMS::SetBaseY(std::int32_t v) {
    m_baseY = v;
    m_y = v;
}

Point TBaseGrafMS::PlacedPosition() const {
    const std::int32_t px = Scaled(m_relX);
    const std::int32_t py = Scaled(m_relY);
    if (m_parentGraf == nullptr) {
        return {px, py};
    }
    const Point turned = Turn(m_orientation, px, py);
    return {m_parentGraf->BaseX() + turned.x, m_parentGraf->BaseY() + turned.y};
}

void TBaseGrafMS::SetRelX(std::int32_t v) {
    m_relX = v;
    SetBaseX(PlacedPosition().x);
}

void TBaseGrafMS::SetRelY(std::int32_t v) {
    m_relY = v;
    SetBaseY(PlacedPosition().y);
}

void TBaseGrafMS::SetOrientation(int o) {
    m_orientation = m_rotatable ? ((o % 4) + 4) % 4 : 0;
}

void TBaseGrafMS::Rescale(double s) {
    ResetSize();
    SetScaleRaw(s);
    SetHalfWidth(RoundEven(s * m_halfWidth));
    SetHalfHeight(RoundEven(s * m_halfHeight));
    const Point placed = PlacedPosition();
    SetBaseX(placed.x);
    SetBaseY(placed.y);
}

Rect TBaseGrafMS::GetBounds() const {
    const int c = CosQ(m_orientation);
    const int s = SinQ(m_orientation);
    return Normalised({m_x - c * m_halfWidth - s * m_halfHeight, m_y - c * m_halfHeight - s * m_halfWidth,
                       m_x + c * m_halfWidth + s * m_halfHeight, m_y + c * m_halfHeight + s * m_halfWidth});
}

bool TBaseGrafMS::HitsRegion(const Rect& region) const {
    return Intersects(GetBounds(), region);
}

bool TBaseGrafMS::HitsRect(const Rect& r) {
    return Intersects(GetBounds(), r);
}

void TBaseGrafMS::ShiftRel(std::int32_t dx, std::int32_t dy) {
    SetRelX(m_relX + dx);
    SetRelY(m_relY + dy);
}

void TBaseGrafMS::MoveBy(std::int32_t dx, std::int32_t dy) {
    m_x = m_baseX + dx;
    m_y = m_baseY + dy;
}

ThijobaseMS::ThijobaseMS(TBaseGrafMS* parent, Point offset, TPrimerComponente* element)
    : TBaseGrafMS(element), m_offset(offset) {
    SetParentGraf(parent);
}

void ThijobaseMS::Initialise() {
    TBaseGrafMS::Initialise();
    SetRelX(m_offset.x);
    SetRelY(m_offset.y);
}

void ThijobaseMS::SetOrientation(int o) {
    TBaseGrafMS::SetOrientation(o);
    const Point placed = PlacedPosition();
    SetBaseX(placed.x);
    SetBaseY(placed.y);
}

Tpinesgraf::Tpinesgraf(TBaseGrafMS* symbol, Point offset, int side)
    : ThijobaseMS(symbol, offset, nullptr), m_side(side) {}

Tpinesgraf::~Tpinesgraf() {
    Disconnect();
}

void Tpinesgraf::Connect(Tpinesgraf* other) {
    if (other == m_linkedPin) {
        return;
    }
    Disconnect();
    m_linkedPin = other;
    if (other != nullptr) {
        if (other->m_linkedPin != this) {
            other->Connect(this);
        }
        m_otherOwner = other->Symbol();
        other->m_otherOwner = Symbol();
    }
}

void Tpinesgraf::Disconnect() {
    if (m_linkedPin != nullptr) {
        Tpinesgraf* other = m_linkedPin;
        m_linkedPin = nullptr;
        m_otherOwner = nullptr;
        if (other->m_linkedPin == this) {
            other->m_linkedPin = nullptr;
            other->m_otherOwner = nullptr;
        }
    }
}

void Tpinesgraf::Draw(Canvas& canvas) {
    if (!Visible || !IsFree()) {
        return;
    }
    canvas.SetPen({kBlack, Scaled(1), PenStyle::Solid});
    const std::int32_t length = 2 * Scaled(8);
    const std::int32_t tick = 2 * Scaled(2);
    // The side's direction (dx, dy) and its perpendicular (px, py).
    static constexpr int kDx[4] = {1, 0, -1, 0};
    static constexpr int kDy[4] = {0, -1, 0, 1};
    const int side = DrawnSide();
    const Point start{X(), Y()};
    const Point end{X() + kDx[side] * length, Y() + kDy[side] * length};
    canvas.Line(start, end);
    const int px = kDy[side] != 0 ? 1 : 0;
    const int py = kDx[side] != 0 ? 1 : 0;
    canvas.Line({end.x + px * (1 - tick), end.y + py * (1 - tick)}, {end.x + px * tick, end.y + py * tick});
}

TobjetoPostexto::TobjetoPostexto(Point offset, std::string text) : TBaseGrafMS(nullptr), m_offset(offset) {
    Caption = std::move(text);
}

void TobjetoPostexto::Initialise() {
    TBaseGrafMS::Initialise();
    SetRelX(m_offset.x);
    SetRelY(m_offset.y);
}

} // namespace ixo
