#pragma once

// The base of every element symbol: a figure with its pin stubs (inputs, outputs, taps, linked in list
// order to the element's pins) and its text items (model name and reference).
#include "schematic/graphic_object.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ixo {

class TComponenteBase;

class TbasegrafMSconpines : public TBaseGrafMS {
public:
    explicit TbasegrafMSconpines(TPrimerComponente* element);
    ~TbasegrafMSconpines() override;

    void Initialise() override;

    const std::vector<Tpinesgraf*>& TapPins() const { return m_tapPins; }
    const std::vector<Tpinesgraf*>& InputPins() const { return m_inputPins; }
    const std::vector<Tpinesgraf*>& OutputPins() const { return m_outputPins; }
    const std::vector<std::unique_ptr<TobjetoPostexto>>& Texts() const { return m_texts; }
    // The element as a network element, or null.
    TComponenteBase* ElementBase() const;

    void SetOrientation(int o) override;
    void Rescale(double s) override;
    void MoveBy(std::int32_t dx, std::int32_t dy) override;
    Tpinesgraf* FindPin(const TPin* elementPin) const override;

    // Text of item i and its design offset; empty and (-1, -1) for a missing item.
    struct TextItem {
        std::string text;
        std::int32_t x = -1;
        std::int32_t y = -1;
    };
    TextItem TextInfo(std::size_t i) const;

    // The element's reference: first character of its component name and its Numero_Interno.
    static std::string ReferenceOf(const TPrimerComponente* element);

protected:
    virtual void CreatePins() {}
    virtual void CreateTexts() {}
    virtual void DrawTexts(Canvas& canvas);
    virtual void DrawPins(Canvas& canvas);

    enum class PinList { Input, Output, Tap };
    // Creates one pin per point, with its side, linked to item i of the element's pins of that kind.
    void AddPins(std::span<const Point> points, PinList list, std::span<const int> sides);
    void AddText(std::string text, std::int32_t x, std::int32_t y);
    // Model name as Caption and Hint, and the texts "MODEL"/"REF." without an element.
    std::string ModelText() const;
    std::string ReferenceText() const;

    // Box body: red fill, black pen round(3 s), rectangle or rounded rectangle over the scaled extents.
    void DrawBody(Canvas& canvas, bool rounded);
    // The turned half extents as drawn.
    std::int32_t DrawnHalfWidth() const;
    std::int32_t DrawnHalfHeight() const;
    // A triangle of design offsets about the centre, turned and scaled.
    void DrawTriangle(Canvas& canvas, const Point (&points)[3], Colour fill);
    // The black arrows on the pins of multiswitches and amplifiers.
    void DrawPinArrows(Canvas& canvas);

private:
    std::vector<std::unique_ptr<Tpinesgraf>> m_ownedPins;
    std::vector<Tpinesgraf*> m_tapPins;
    std::vector<Tpinesgraf*> m_inputPins;
    std::vector<Tpinesgraf*> m_outputPins;
    std::vector<std::unique_ptr<TobjetoPostexto>> m_texts;
};

// A symbol whose pins are spread evenly along its sides.
class Tgrafdin : public TbasegrafMSconpines {
public:
    using TbasegrafMSconpines::TbasegrafMSconpines;

protected:
    // n pins on side (0 right, 1 top, 2 left, 3 bottom): step (2L + 1) div (n + 1) from -L, L the half
    // extent along that side; linked to the element's pins of list starting at item first.
    virtual void CreateSidePins(int side, int n, PinList list);
};

} // namespace ixo
