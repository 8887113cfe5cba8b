#pragma once

// The schematic: every top-level graphic object (symbols, stacked figures, wires, flat frames) in
// creation order, the layout's bookkeeping and the extent. Objects show model objects without owning
// them; the schematic is rebuilt from the project whenever the project changes, and empties itself when
// the project it shows is freed.
#include "model/primer_componente.h"
#include "schematic/graphic_object.h"
#include "schematic/layout_lists.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace ixo {

class TbasegrafMSconpines;
class Tgraflinea;

class TpadreGraficosMS : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TpadreGraficosMS)
public:
    explicit TpadreGraficosMS(TPrimerComponente* owner);
    ~TpadreGraficosMS() override;

    // Takes ownership of object (appended in creation order) and returns it.
    template <typename T> T* Adopt(std::unique_ptr<T> object) {
        T* raw = object.get();
        AdoptObject(std::move(object));
        return raw;
    }
    std::size_t ObjectCount() const { return m_objects.size(); }
    TBaseGrafMS* Object(std::size_t i) const { return m_objects[i].get(); }
    const std::vector<std::unique_ptr<TBaseGrafMS>>& Objects() const { return m_objects; }

    TgraflistaEscaleras& Stairs() { return m_stairs; }
    const TgraflistaEscaleras& Stairs() const { return m_stairs; }
    const Rect& Extent() const { return m_extent; }
    bool HasTriple = false;

    // Watches the project it shows: when that is freed, the schematic empties itself.
    void Show(TPrimerComponente* project);
    TPrimerComponente* Shown() const { return m_shown; }

    void Clear();
    Rect ComputeExtent();
    void GrowExtent(std::int32_t dx, std::int32_t dy);
    TBaseGrafMS* HitObject(const Rect& region) const;
    // The object showing obj (the main element of a figure, a partner of a double, the second or third
    // of a triple), the latest created first.
    TBaseGrafMS* FindGraphicOf(const TPrimerComponente* obj) const;
    void RescaleAll(double s);
    void RefreshWireLabels();
    // The graphic pin showing an element pin, through the symbol of the pin's element.
    Tpinesgraf* GraphicPinOf(const TPin* pin) const;

    // The indices of the objects whose design bounds (widened for labels) meet the design rectangle r,
    // in creation order. Built by BuildSpatialIndex after a layout.
    std::vector<std::size_t> ObjectsMeeting(const Rect& designRect) const;
    void BuildSpatialIndex();

protected:
    void Notification(TPrimerComponente* removed) override;

private:
    void AdoptObject(std::unique_ptr<TBaseGrafMS> object);
    void IndexGraphic(TBaseGrafMS* object);

    std::vector<std::unique_ptr<TBaseGrafMS>> m_objects;
    std::unordered_map<const TPrimerComponente*, TBaseGrafMS*> m_graphicOf;
    TgraflistaEscaleras m_stairs;
    Rect m_extent;
    TPrimerComponente* m_shown = nullptr; // not owned

    struct SpatialIndex;
    std::unique_ptr<SpatialIndex> m_index;
};

// Result of a hit test under the mouse.
struct HitResult {
    bool hit = false;
    TBaseGrafMS* object = nullptr;
    TPin* elementPin = nullptr;
    Point pinPosition;
};

// The object under (x, y) (a 5 x 5 pixel square) and, for a symbol or a double figure, the pin there.
HitResult HitTest(const TpadreGraficosMS& schematic, std::int32_t x, std::int32_t y);
// The first pin (inputs, outputs, taps; main member before partner) whose 3 x 3 square meets r.
HitResult PinAt(TBaseGrafMS* symbol, const Rect& r);

// The selection: objects of one element class at a time.
class TlistaObjSel {
public:
    // Appends object unless the first selected object's element is of another class.
    bool Select(TBaseGrafMS* object);
    void ClearSelection();
    const std::vector<TBaseGrafMS*>& Items() const { return m_items; }

private:
    std::vector<TBaseGrafMS*> m_items;
};

} // namespace ixo
