#include "schematic/wire.h"

#include "model/cable_tv.h"
#include "model/pin.h"

#include <algorithm>
#include <cstdio>

namespace ixo {

Tgraflinea::Tgraflinea(TPin* targetPin, TPin* sourcePin, Tpinesgraf* targetGraf, Tpinesgraf* sourceGraf,
                       std::vector<Point> points)
    : TBaseGrafMS(nullptr), m_sourcePin(sourcePin), m_targetPin(targetPin), m_targetGraf(targetGraf),
      m_sourceGraf(sourceGraf), m_points(points), m_designPoints(points), m_basePoints(std::move(points)) {
    SetRotatable(false);
}

Tgraflinea::~Tgraflinea() = default;

void Tgraflinea::Initialise() {
    TBaseGrafMS::Initialise();
    if (m_targetGraf != nullptr && m_sourceGraf != nullptr) {
        m_targetGraf->Connect(m_sourceGraf);
    }
    RefreshLabel();
    m_showLabel = SourceCable() != nullptr;
    const TCableTV* cable = SourceCable();
    m_penUnits = cable != nullptr ? PenUnitsForDiameter(cable->Diametro) : 1;
    m_labelMode = 0;
    m_cableCount = 0;
    TextColour = kBlack;
    FontSize = 20;
    m_lineKind = 1;
}

TCableTV* Tgraflinea::SourceCable() const {
    return m_sourcePin != nullptr ? m_sourcePin->Cable() : nullptr;
}

std::int32_t Tgraflinea::PenUnitsForDiameter(double diameter) {
    if (diameter < 7.0) {
        return 1;
    }
    if (diameter < 9.0) {
        return 2;
    }
    if (diameter < 11.0) {
        return 3;
    }
    return 4;
}

void Tgraflinea::SetCableCount(std::int32_t count) {
    m_cableCount = count;
    RefreshLabel();
}

void Tgraflinea::RefreshLabel() {
    TCableTV* cable = SourceCable();
    if (cable == nullptr) {
        Caption.clear();
        Hint.clear();
        SetElement(nullptr);
        m_labelSource = LabelSource{};
        return;
    }
    if (cable == m_labelSource.cable && Element() == cable &&
        m_sourcePin->MetrosCable == m_labelSource.metres && m_cableCount == m_labelSource.count &&
        cable->Modelo == m_labelSource.model) {
        return;
    }
    m_labelSource = LabelSource{cable, m_sourcePin->MetrosCable, cable->Modelo, m_cableCount};
    char metres[64];
    std::snprintf(metres, sizeof metres, "%.1f", m_sourcePin->MetrosCable);
    Hint = std::string(metres) + " m " + cable->Modelo;
    Caption = (m_cableCount > 0 ? std::to_string(m_cableCount) + "x " : std::string()) + Hint;
    SetElement(cable);
}

void Tgraflinea::ResetSize() {
    m_basePoints = m_designPoints;
    m_points = m_designPoints;
}

void Tgraflinea::Rescale(double s) {
    ResetSize();
    SetScaleRaw(s);
    for (std::size_t i = 0; i < m_designPoints.size(); ++i) {
        m_basePoints[i] = {RoundEven(s * m_designPoints[i].x), RoundEven(s * m_designPoints[i].y)};
    }
    m_points = m_basePoints;
}

void Tgraflinea::SetDesignPoints(std::vector<Point> points) {
    m_designPoints = std::move(points);
    Rescale(Scale());
}

void Tgraflinea::ShiftRel(std::int32_t dx, std::int32_t dy) {
    for (std::size_t i = 0; i < m_designPoints.size(); ++i) {
        m_designPoints[i] = {m_basePoints[i].x + dx, m_basePoints[i].y + dy};
    }
}

void Tgraflinea::MoveBy(std::int32_t dx, std::int32_t dy) {
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        m_points[i] = {m_basePoints[i].x + dx, m_basePoints[i].y + dy};
    }
}

Rect Tgraflinea::GetBounds() const {
    if (m_points.empty()) {
        return {};
    }
    Rect bounds{m_points[0].x, m_points[0].y, m_points[0].x, m_points[0].y};
    for (const Point& p : m_points) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    return bounds;
}

bool Tgraflinea::HitsRegion(const Rect& region) const {
    for (std::size_t i = 1; i < m_points.size(); ++i) {
        Rect segment = Normalised({m_points[i - 1].x, m_points[i - 1].y, m_points[i].x, m_points[i].y});
        segment = {segment.left - 2, segment.top - 2, segment.right + 2, segment.bottom + 2};
        if (Intersects(segment, region)) {
            return true;
        }
    }
    return false;
}

bool Tgraflinea::HitsRect(const Rect& r) {
    m_clipRect = r;
    return true;
}

void Tgraflinea::Draw(Canvas& canvas) {
    canvas.SetPen({kBlack, Scaled(m_penUnits), PenStyle::Solid});
    canvas.Polyline(m_points);
    RefreshLabel();
    if (m_showLabel && !Caption.empty() && m_points.size() >= 2) {
        DrawLabel(canvas);
    }
}

void Tgraflinea::DrawLabel(Canvas& canvas) {
    Font font;
    font.height = std::max(1, Scaled(FontSize));
    font.colour = TextColour;
    canvas.SetFont(font);
    const std::int32_t u = m_penUnits;
    const Point p0 = m_points[0];
    const Point p1 = m_points[1];
    const Point pn1 = m_points[m_points.size() - 2];
    const Point pn = m_points.back();
    const Point shift{Scaled(LabelShift.x), Scaled(LabelShift.y)};
    auto draw = [&](std::int32_t left, std::int32_t bottom, const std::string& text) {
        left += shift.x;
        bottom += shift.y;
        const TextSize size = canvas.TextExtent(text);
        const Rect box{left, bottom - size.height, left + size.width, bottom};
        if (Intersects(box, m_clipRect)) {
            canvas.Text(left, box.top, text);
        }
    };
    const TextSize size = canvas.TextExtent(Caption);
    switch (m_labelMode) {
    case 1:
    case 4: {
        Rect r = Normalised({pn1.x, pn1.y, pn.x, pn.y});
        r.bottom -= Scaled(u);
        const std::int32_t left = pn1.x < pn.x ? r.right - Scaled(5) - size.width : r.left + Scaled(10);
        draw(left, r.bottom, Caption);
        break;
    }
    case 2:
        draw(p0.x + u, p0.y + (p1.y - p0.y) / 2, Caption);
        break;
    case 3:
        draw(pn.x + u, pn.y - Scaled(2), Caption);
        break;
    case 5: {
        const std::size_t split = Caption.find("m ");
        if (split == std::string::npos) {
            draw(pn.x + u, pn.y - Scaled(2), Caption);
            break;
        }
        draw(pn.x + u, pn.y - Scaled(2), Caption.substr(split + 2));
        draw(pn.x + u, pn.y - Scaled(2) - size.height, Caption.substr(0, split + 1));
        break;
    }
    case 6:
        draw(pn.x + u, pn.y - Scaled(2) - size.height, Caption);
        break;
    default:
        break;
    }
}

} // namespace ixo
