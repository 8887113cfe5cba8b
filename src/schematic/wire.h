#pragma once

// A wire: the orthogonal polyline of one cable (or of a bundle of parallel cables) between two graphic
// pins, with its label (count prefix, length and cable model) and its drawing layer.
#include "schematic/graphic_object.h"

#include <vector>

namespace ixo {

class TCableTV;

class Tgraflinea : public TBaseGrafMS {
public:
    // CreateWire: targetPin/sourcePin are the element pins at the receiving and feeding ends (may be
    // null for power lines and DiSEqC feeds), targetGraf/sourceGraf the graphic pins (connected when
    // both are given), points the route in design units.
    Tgraflinea(TPin* targetPin, TPin* sourcePin, Tpinesgraf* targetGraf, Tpinesgraf* sourceGraf,
               std::vector<Point> points);
    ~Tgraflinea() override;
    void Initialise() override;

    std::int32_t PenUnits() const { return m_penUnits; }
    std::int32_t LabelMode() const { return m_labelMode; }
    void SetLabelMode(std::int32_t mode) { m_labelMode = mode; }
    bool ShowLabel() const { return m_showLabel; }
    void SetShowLabel(bool show) { m_showLabel = show; }
    std::int32_t CableCount() const { return m_cableCount; }
    void SetCableCount(std::int32_t count);
    std::int32_t LineKind() const { return m_lineKind; }
    void SetLineKind(std::int32_t kind) { m_lineKind = kind; }
    TPin* SourcePin() const { return m_sourcePin; }
    TPin* TargetPin() const { return m_targetPin; }
    Tpinesgraf* SourceGraf() const { return m_sourceGraf; }
    Tpinesgraf* TargetGraf() const { return m_targetGraf; }
    const std::vector<Point>& Points() const { return m_points; }
    const std::vector<Point>& DesignPoints() const { return m_designPoints; }
    // Replaces the route (design units) and places it at the current scale.
    void SetDesignPoints(std::vector<Point> points);
    const std::vector<Point>& BasePoints() const { return m_basePoints; }
    const Rect& ClipRect() const { return m_clipRect; }

    // How far (design units) the label is moved from where its mode puts it, so that it lies clear of
    // other labels and symbols (set after the layout).
    Point LabelShift;

    // Recomputes Caption, Hint and Element from the source pin's cable and length.
    void RefreshLabel();
    // Line width in design units from a cable's outer diameter in mm.
    static std::int32_t PenUnitsForDiameter(double diameter);

    void ResetSize() override;
    void Rescale(double s) override;
    void ShiftRel(std::int32_t dx, std::int32_t dy) override;
    void MoveBy(std::int32_t dx, std::int32_t dy) override;
    Rect GetBounds() const override;
    bool HitsRegion(const Rect& region) const override;
    bool HitsRect(const Rect& r) override;
    void Draw(Canvas& canvas) override;

private:
    void DrawLabel(Canvas& canvas);
    TCableTV* SourceCable() const;

    std::int32_t m_penUnits = 1;
    std::int32_t m_labelMode = 0;
    TPin* m_sourcePin = nullptr;        // not owned
    TPin* m_targetPin = nullptr;        // not owned
    Tpinesgraf* m_targetGraf = nullptr; // not owned
    Tpinesgraf* m_sourceGraf = nullptr; // not owned
    std::vector<Point> m_points;
    std::vector<Point> m_designPoints;
    Rect m_clipRect;
    bool m_showLabel = false;
    std::int32_t m_cableCount = 0;
    std::vector<Point> m_basePoints;
    std::int32_t m_lineKind = 1;
    // What Caption and Hint were made from: every paint refreshes the label, and it is made again only
    // when one of these changed (formatting it costs more than drawing the wire).
    struct LabelSource {
        const TCableTV* cable = nullptr;
        double metres = 0.0;
        std::string model;
        std::int32_t count = -1;
    };
    LabelSource m_labelSource;
};

} // namespace ixo
