#pragma once

// The graphic object model of the schematic: every object keeps its geometry in design units and at the
// current zoom scale, knows its orientation, draws itself on a canvas, reports its bounds and answers
// hit tests. Objects show model objects (elements, pins, cables, flats) without owning them.
#include "schematic/canvas.h"
#include "schematic/geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace ixo {

class TPrimerComponente;
class TPin;
class Tpinesgraf;

// Side codes: the direction in which a pin stub points away from its symbol.
enum SideCode : int { kSideRight = 0, kSideUp = 1, kSideLeft = 2, kSideDown = 3 };

class TBaseGrafMS {
public:
    explicit TBaseGrafMS(TPrimerComponente* element);
    virtual ~TBaseGrafMS() = default;
    TBaseGrafMS(const TBaseGrafMS&) = delete;
    TBaseGrafMS& operator=(const TBaseGrafMS&) = delete;

    // Second construction phase: what the constructor cannot do through virtual calls (the placement at
    // (0, 0), the class's design size, and for symbols their pins and texts). MakeGraphic calls it.
    virtual void Initialise();

    bool Rotatable() const { return m_rotatable; }
    std::int32_t BaseX() const { return m_baseX; }
    std::int32_t BaseY() const { return m_baseY; }
    std::int32_t X() const { return m_x; }
    std::int32_t Y() const { return m_y; }
    std::int32_t HalfWidth() const { return m_halfWidth; }
    std::int32_t HalfHeight() const { return m_halfHeight; }
    std::int32_t RelX() const { return m_relX; }
    std::int32_t RelY() const { return m_relY; }
    int Orientation() const { return m_orientation; }
    double Scale() const { return m_scale; }
    TBaseGrafMS* ParentGraf() const { return m_parentGraf; }
    TPrimerComponente* Element() const { return m_element; }
    void SetElement(TPrimerComponente* element) { m_element = element; }

    virtual void SetHalfHeight(std::int32_t v) { m_halfHeight = v; }
    virtual void SetHalfWidth(std::int32_t v) { m_halfWidth = v; }
    virtual void SetBaseX(std::int32_t v);
    virtual void SetBaseY(std::int32_t v);
    virtual void SetRotatable(bool rotatable) { m_rotatable = rotatable; }
    virtual void SetX(std::int32_t v) { m_x = v; }
    virtual void SetRelX(std::int32_t v);
    virtual void SetY(std::int32_t v) { m_y = v; }
    virtual void SetRelY(std::int32_t v);
    virtual void SetScaleRaw(double s) { m_scale = s; }
    virtual void SetOrientation(int o);

    virtual void Draw(Canvas& /*canvas*/) {}
    // Sets the class's design half extents.
    virtual void ResetSize() {}
    // Places and sizes the object at scale s from its design values (never accumulates).
    virtual void Rescale(double s);
    virtual bool HitsRegion(const Rect& region) const;
    virtual bool HitsRect(const Rect& r);
    [[nodiscard]] virtual Rect GetBounds() const;
    virtual bool IsLinkedTo(const TPrimerComponente* object) const { return object == m_element; }
    virtual void ShiftRel(std::int32_t dx, std::int32_t dy);
    virtual void MoveBy(std::int32_t dx, std::int32_t dy);
    virtual Tpinesgraf* FindPin(const TPin* /*elementPin*/) const { return nullptr; }

    // round(value x Scale), the rule for every scaled length.
    std::int32_t Scaled(double value) const { return RoundEven(value * m_scale); }

    std::string Hint;
    std::string Caption;
    std::int32_t FontSize = 24;
    Colour TextColour = kWhite;
    bool Selected = false;

protected:
    // The placed position of RelX/RelY at the current scale: turned about the parent's base point when
    // there is a parent, else the scaled offsets themselves.
    Point PlacedPosition() const;
    void SetParentGraf(TBaseGrafMS* parent) { m_parentGraf = parent; }

private:
    bool m_rotatable = true;
    std::int32_t m_baseX = 0;
    std::int32_t m_y = 0;
    std::int32_t m_halfHeight = 0;
    std::int32_t m_baseY = 0;
    std::int32_t m_x = 0;
    std::int32_t m_halfWidth = 0;
    std::int32_t m_relY = 0;
    std::int32_t m_relX = 0;
    int m_orientation = 0;
    TBaseGrafMS* m_parentGraf = nullptr;    // not owned
    TPrimerComponente* m_element = nullptr; // not owned
    double m_scale = 1.0;
};

// Constructs a graphic object and runs its second construction phase.
template <typename T, typename... Args> std::unique_ptr<T> MakeGraphic(Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    object->Initialise();
    return object;
}

// A child object placed relative to its parent's base point, turning with it.
class ThijobaseMS : public TBaseGrafMS {
public:
    ThijobaseMS(TBaseGrafMS* parent, Point offset, TPrimerComponente* element);
    void Initialise() override;
    void SetOrientation(int o) override;

private:
    Point m_offset;
};

// A pin stub of a symbol.
class Tpinesgraf : public ThijobaseMS {
public:
    Tpinesgraf(TBaseGrafMS* symbol, Point offset, int side);
    ~Tpinesgraf() override;

    TBaseGrafMS* Symbol() const { return ParentGraf(); }
    TBaseGrafMS* OtherOwner() const { return m_otherOwner; }
    TPin* ElementPin() const { return m_elementPin; }
    void SetElementPin(TPin* pin) { m_elementPin = pin; }
    Tpinesgraf* LinkedPin() const { return m_linkedPin; }
    int Side() const { return m_side; }
    // The side the stub points to as drawn: (side + orientation) mod 4.
    int DrawnSide() const { return (m_side + Orientation()) % 4; }
    bool Visible = true;

    void Connect(Tpinesgraf* other);
    void Disconnect();
    bool IsFree() const { return m_linkedPin == nullptr; }
    void Draw(Canvas& canvas) override;

private:
    TBaseGrafMS* m_otherOwner = nullptr; // not owned
    TPin* m_elementPin = nullptr;        // not owned
    Tpinesgraf* m_linkedPin = nullptr;   // not owned; cleared on both ends by Disconnect
    int m_side = 0;
};

// A text item of a symbol: its Caption at a design offset; without a parent its current X/Y are the
// scaled offsets themselves.
class TobjetoPostexto : public TBaseGrafMS {
public:
    TobjetoPostexto(Point offset, std::string text);
    void Initialise() override;

private:
    Point m_offset;
};

} // namespace ixo
