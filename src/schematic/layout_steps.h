#pragma once

// The steps of the schematic layout (layout.h) and the helpers they share: the symbols created per
// floor and flat (layout_floors.cpp), the riser floors with their flat columns (layout_riser.cpp), the
// headend floor and its wires (layout_headend.cpp), and the floors and stairs placed and joined by their
// trunks and feeds (layout_trunks.cpp). Only the layout's own files include this.
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "common/progress.h"
#include "model/alimentador.h"
#include "model/ampli_base.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "schematic/flat_frame.h"
#include "schematic/label_placement.h"
#include "schematic/routes.h"
#include "schematic/schematic.h"
#include "schematic/stacked_figure.h"
#include "schematic/symbol_factory.h"
#include "schematic/symbols.h"
#include "schematic/wire.h"
#include "schematic/wire_separation.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

namespace ixo::schematic_layout {

template <typename T> bool IsA(const TBaseGrafMS* object) {
    return dynamic_cast<const T*>(object) != nullptr;
}

inline TComponenteBase* AsElement(TPrimerComponente* component) {
    return component != nullptr && component->Is<TComponenteBase>() ? static_cast<TComponenteBase*>(component)
                                                                    : nullptr;
}

inline TComponenteBase* OwnerElement(const TPin* pin) {
    return pin != nullptr ? AsElement(pin->Owner()) : nullptr;
}

inline TPin* PinOf(const TComponenteBase* element, PinKind kind, std::size_t index) {
    if (element == nullptr || index >= element->PinsOf(kind).size()) {
        return nullptr;
    }
    return element->PinsOf(kind)[index];
}

inline TPin* PeerOf(const TComponenteBase* element, PinKind kind, std::size_t index) {
    TPin* pin = PinOf(element, kind, index);
    return pin != nullptr ? pin->Peer() : nullptr;
}

// The symbol that carries a figure's pins and size: the main member of a figure, else the object.
inline TBaseGrafMS* MainOf(TBaseGrafMS* object) {
    if (auto* figure = dynamic_cast<TgrafFigura*>(object)) {
        return figure->MainSym();
    }
    return object;
}

inline int InputCount(const TComponenteBase* element) {
    return element != nullptr ? static_cast<int>(element->PinesENTRADA().size()) : 0;
}
inline int OutputCount(const TComponenteBase* element) {
    return element != nullptr ? static_cast<int>(element->PinesSALIDA().size()) : 0;
}

// A family of riser elements whose flat columns are spaced out (20 units per flat).
inline bool SpacedFamily(const TComponenteBase* element) {
    return element != nullptr && !(element->Familia < 5023 && element->Familia != 5005);
}

inline void MoveObject(TBaseGrafMS* object, std::int32_t dx, std::int32_t dy) {
    object->ShiftRel(dx, dy);
    object->Rescale(1.0);
}

class SchematicLayout {
public:
    SchematicLayout(Tproyecto& project, TpadreGraficosMS& schematic)
        : m_project(project), m_schematic(schematic), m_prefs(project.Preferencias()) {}

    void Create();
    void PlaceFloorsAndStairs();
    void RiserTrunks();
    void Feeds();

private:
    // --- objects ---
    Tgraflinea* AddWire(Tgrafplantas& floor, std::vector<TBaseGrafMS*>* group, Tpinesgraf* source,
                        Tpinesgraf* target, std::vector<Point> points, bool inFlat = false);
    Tgraflinea* AddLine(Tgrafplantas& floor, std::vector<TBaseGrafMS*>* group, std::vector<Point> points);
    static Point At(const Tpinesgraf* pin) { return {pin->X(), pin->Y()}; }

    // --- floors and flats ---
    void CreateSymbols(Tgrafplantas& floor);
    void CreateFlatSpaces(Tgrafplantas& floor);
    void LayoutFlat(Tgrafplantas& floor, TespVivgraf& space, int side);
    void ChainLayout(Tgrafplantas& floor, TespVivgraf& space, int d, int q, int h);
    void StarLayout(Tgrafplantas& floor, TespVivgraf& space, int d, int q, int h);
    void AddFrame(TespVivgraf& space, int side);
    static Rect SpaceBounds(const TespVivgraf& space);
    static void MoveSpace(TespVivgraf& space, std::int32_t dx, std::int32_t dy);
    Rect FloorBounds(const Tgrafplantas& floor) const;
    void MoveFloor(Tgrafplantas& floor, std::int32_t dx, std::int32_t dy);
    TPin* FeedingPinOfFlat(const Tvivienda* flat) const;

    // --- riser floors ---
    void LayoutRiserFloor(Tgrafplantas& floor);
    void FlatColumns(Tgrafplantas& floor, TBaseGrafMS* symbol, std::vector<TespVivgraf*>& spaces,
                     std::vector<TBaseGrafMS*>& block);
    void SplitAndSort(std::vector<TespVivgraf*>& spaces, std::vector<TespVivgraf*>& right,
                      std::vector<TespVivgraf*>& left) const;
    void DiseqcUnderStacked(Tgrafplantas& floor, TgrafFigura& figure, std::vector<TBaseGrafMS*>& members,
                            std::vector<TBaseGrafMS*>& block);
    void FlatsWithoutRiser(Tgrafplantas& floor);
    void PlaceSupply(Tgrafplantas& floor, TBaseGrafMS* supply, TBaseGrafMS* block);

    // --- headend ---
    void LayoutHeadend(Tgrafplantas& floor);
    void HeadendWires(Tgrafplantas& floor);
    void HeadendWire(Tgrafplantas& floor, Tpinesgraf* target, bool msFlag, int n, int k, int mode, bool show);
    void DishSplitterWire(Tgrafplantas& floor, Tpinesgraf* target, int j, int i, int c);
    void PlaceInjectors(Tgrafplantas& floor);
    void InjectorWire(Tgrafplantas& floor, Tpinesgraf* target);
    void SetAt(TBaseGrafMS* object, std::int32_t x, std::int32_t y) {
        object->SetRelX(x);
        object->SetRelY(y);
        object->Rescale(1.0);
    }

    // --- trunks and feeds ---
    Tgrafplantas* HeadendFloor() const;
    bool OnHeadendFloor(const TComponenteBase* element) const;
    void TrunkWires(bool fromHeadend);
    void FlatFeedsFromHeadend();

    Tproyecto& m_project;
    TpadreGraficosMS& m_schematic;
    const TpreferenciasProyecto& m_prefs;
    // The headend floor's lists, kept for its wires.
    std::vector<TBaseGrafMS*> m_dishSplitters;
    TBaseGrafMS* m_terrestrialSplitter = nullptr;
    std::vector<TBaseGrafMS*> m_headendMultiswitches;
    std::unordered_set<const TBaseGrafMS*> m_placedSupplies;
};

// A headend injector's place from the pin that feeds it: this far beside the pin's symbol and this far
// below it.
constexpr std::int32_t kInjectorColumn = 60;
constexpr std::int32_t kInjectorDrop = 60;
// The terrestrial splitter's distance from the headend's row when it is not one of a splitter row.
constexpr std::int32_t kTerrestrialSplitterGap = 60;

} // namespace ixo::schematic_layout
