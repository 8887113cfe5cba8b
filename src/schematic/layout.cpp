#include "schematic/layout.h"

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

namespace ixo {

namespace {

template <typename T> bool IsA(const TBaseGrafMS* object) {
    return dynamic_cast<const T*>(object) != nullptr;
}

TComponenteBase* AsElement(TPrimerComponente* component) {
    return component != nullptr && component->Is<TComponenteBase>() ? static_cast<TComponenteBase*>(component)
                                                                    : nullptr;
}

TComponenteBase* OwnerElement(const TPin* pin) {
    return pin != nullptr ? AsElement(pin->Owner()) : nullptr;
}

TPin* PinOf(const TComponenteBase* element, PinKind kind, std::size_t index) {
    if (element == nullptr || index >= element->PinsOf(kind).size()) {
        return nullptr;
    }
    return element->PinsOf(kind)[index];
}

TPin* PeerOf(const TComponenteBase* element, PinKind kind, std::size_t index) {
    TPin* pin = PinOf(element, kind, index);
    return pin != nullptr ? pin->Peer() : nullptr;
}

// The symbol that carries a figure's pins and size: the main member of a figure, else the object.
TBaseGrafMS* MainOf(TBaseGrafMS* object) {
    if (auto* figure = dynamic_cast<TgrafFigura*>(object)) {
        return figure->MainSym();
    }
    return object;
}

int InputCount(const TComponenteBase* element) {
    return element != nullptr ? static_cast<int>(element->PinesENTRADA().size()) : 0;
}
int OutputCount(const TComponenteBase* element) {
    return element != nullptr ? static_cast<int>(element->PinesSALIDA().size()) : 0;
}

// A family of riser elements whose flat columns are spaced out (20 units per flat).
bool SpacedFamily(const TComponenteBase* element) {
    return element != nullptr && !(element->Familia < 5023 && element->Familia != 5005);
}

void MoveObject(TBaseGrafMS* object, std::int32_t dx, std::int32_t dy) {
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

// ---------------------------------------------------------------------------------------------- objects

Tgraflinea* SchematicLayout::AddWire(Tgrafplantas& floor, std::vector<TBaseGrafMS*>* group,
                                     Tpinesgraf* source, Tpinesgraf* target, std::vector<Point> points,
                                     bool inFlat) {
    auto wire = MakeGraphic<Tgraflinea>(target->ElementPin(), source->ElementPin(), target, source,
                                        std::move(points));
    Tgraflinea* raw = m_schematic.Adopt(std::move(wire));
    // A wire inside a flat belongs to the flat's space only: the floor moves its spaces with it.
    if (group == nullptr || !inFlat) {
        floor.Symbols.push_back(raw);
    }
    if (group != nullptr) {
        group->push_back(raw);
    }
    return raw;
}

Tgraflinea* SchematicLayout::AddLine(Tgrafplantas& floor, std::vector<TBaseGrafMS*>* group,
                                     std::vector<Point> points) {
    auto wire = MakeGraphic<Tgraflinea>(nullptr, nullptr, nullptr, nullptr, std::move(points));
    Tgraflinea* raw = m_schematic.Adopt(std::move(wire));
    raw->SetShowLabel(false);
    floor.Symbols.push_back(raw);
    if (group != nullptr) {
        group->push_back(raw);
    }
    return raw;
}

// --------------------------------------------------------------------------------------- floors, flats

void SchematicLayout::Create() {
    for (const auto& stairEntry : m_project.Escaleras()) {
        TEscalera* stair = stairEntry.Object;
        if (stair == nullptr) {
            continue;
        }
        auto graphicStair = std::make_unique<TgrafEscalera>();
        graphicStair->Escalera = stair;
        TgrafEscalera* gs = graphicStair.get();
        m_schematic.Stairs().Stairs.push_back(std::move(graphicStair));
        for (const auto& floorEntry : stair->ListaPlantas()) {
            tplanta* planta = floorEntry.Object;
            if (planta == nullptr || (planta->LViviendas().Empty() && !planta->HeaderPl)) {
                continue;
            }
            auto floor = std::make_unique<Tgrafplantas>();
            floor->Nivel = planta->Nivel;
            floor->Planta = planta;
            floor->Stair = gs;
            Tgrafplantas& f = *floor;
            gs->Floors.push_back(std::move(floor));
            CreateSymbols(f);
            CreateFlatSpaces(f);
            if (planta->HeaderPl) {
                LayoutHeadend(f);
            } else {
                LayoutRiserFloor(f);
            }
        }
    }
}

void SchematicLayout::CreateSymbols(Tgrafplantas& floor) {
    for (const auto& entry : floor.Planta->ETV()) {
        TComponenteBase* element = entry.Object;
        // The partners of a stacked figure are drawn by it and get no symbol of their own.
        if (element == nullptr || m_schematic.FindGraphicOf(element) != nullptr) {
            continue;
        }
        if (TBaseGrafMS* symbol = CreateSymbolFor(m_schematic, element)) {
            floor.Symbols.push_back(symbol);
        }
    }
}

TPin* SchematicLayout::FeedingPinOfFlat(const Tvivienda* flat) const {
    const Tentradaviv* entry = flat != nullptr ? flat->Entrada() : nullptr;
    TPin* feeding = PeerOf(entry, PinKind::Input, 0);
    const TComponenteBase* owner = OwnerElement(feeding);
    if (owner != nullptr && owner->Is<TDISECQ>()) {
        return PeerOf(owner, PinKind::Input, 0);
    }
    return feeding;
}

void SchematicLayout::CreateFlatSpaces(Tgrafplantas& floor) {
    const auto& flats = floor.Planta->LViviendas();
    for (const auto& entry : flats) {
        auto space = std::make_unique<TespVivgraf>();
        space->Flat = entry.Object;
        floor.FlatSpaces.push_back(std::move(space));
    }
    const std::size_t n = floor.FlatSpaces.size();
    for (std::size_t i = 0; i < n; ++i) {
        TespVivgraf& space = *floor.FlatSpaces[i];
        int side = 0;
        if (m_prefs.TipoDistribucionCab != 0) {
            const TPin* feeding = FeedingPinOfFlat(space.Flat);
            side = feeding != nullptr && feeding->Numeracion % 2 == 0 ? 1 : 0;
        } else {
            side = i < static_cast<std::size_t>(CeilHalf(static_cast<std::int32_t>(n))) ? 0 : 1;
        }
        LayoutFlat(floor, space, side);
    }
}

void SchematicLayout::LayoutFlat(Tgrafplantas& floor, TespVivgraf& space, int side) {
    space.Side = side % 2;
    const int d = space.Side == 1 ? 1 : -1;
    const int q = space.Side == 1 ? 1 : 3;
    const int h = space.Side == 1 ? 0 : 2;
    const Tvivienda* flat = space.Flat;
    if (flat == nullptr) {
        return;
    }
    if (flat->Topologia() == 0 && flat->Numtomas() > 1) {
        StarLayout(floor, space, d, q, h);
    } else if (flat->Topologia() == 0 || flat->Topologia() == 1) {
        ChainLayout(floor, space, d, q, h);
    }
    AddFrame(space, space.Side);
}

void SchematicLayout::ChainLayout(Tgrafplantas& floor, TespVivgraf& space, int d, int q, int h) {
    std::int32_t cursor = 50 * d;
    TbasegrafMSconpines* previous = nullptr;
    bool first = true;
    for (const auto& entry : space.Flat->ETV()) {
        TComponenteBase* element = entry.Object;
        if (element == nullptr) {
            continue;
        }
        TbasegrafMSconpines* symbol = nullptr;
        if (element->Is<TLinAmp>()) {
            symbol = m_schematic.Adopt(MakeGraphic<TgrafAmpliInterior>(element));
            const std::int32_t x = first ? d * 85 : cursor + 85 * d;
            symbol->SetOrientation(q);
            symbol->SetRelX(x);
            cursor = d * 470 + x;
        } else {
            symbol = dynamic_cast<TbasegrafMSconpines*>(CreateSymbolFor(m_schematic, element));
            if (symbol == nullptr) {
                continue;
            }
            symbol->SetOrientation(h);
            symbol->SetRelX(cursor);
            cursor = d * 400 + cursor;
        }
        first = false;
        symbol->SetRelY(0);
        symbol->Rescale(1.0);
        space.Objects.push_back(symbol);
        if (previous != nullptr && !previous->OutputPins().empty() && !symbol->InputPins().empty()) {
            Tpinesgraf* source = previous->OutputPins().front();
            Tpinesgraf* target = symbol->InputPins().front();
            AddWire(floor, &space.Objects, source, target, {At(source), At(target)}, true)->SetLabelMode(1);
        }
        previous = symbol;
    }
}

void SchematicLayout::StarLayout(Tgrafplantas& floor, TespVivgraf& space, int d, int q, int h) {
    TbasegrafMSconpines* amplifier = nullptr;
    TbasegrafMSconpines* splitter = nullptr;
    std::vector<TbasegrafMSconpines*> outlets;
    for (const auto& entry : space.Flat->ETV()) {
        TComponenteBase* element = entry.Object;
        if (element == nullptr) {
            continue;
        }
        if (element->Is<TLinAmp>() && amplifier == nullptr) {
            amplifier = m_schematic.Adopt(MakeGraphic<TgrafAmpliInterior>(element));
            amplifier->SetOrientation(q);
            amplifier->SetRelX(85 * d);
            amplifier->SetRelY(0);
            amplifier->Rescale(1.0);
            space.Objects.push_back(amplifier);
        } else if (element->Is<TRepartidor>() && splitter == nullptr) {
            splitter = m_schematic.Adopt(MakeGraphic<TgrafRepartidor>(element));
        } else if (element->Is<TTomaTV>()) {
            outlets.push_back(m_schematic.Adopt(MakeGraphic<TgrafToma>(element)));
        }
    }
    const std::int32_t c = amplifier != nullptr ? 355 : 0;
    if (splitter != nullptr) {
        splitter->SetOrientation(q);
        splitter->SetRelX(d * (c + 85));
        splitter->SetRelY(0);
        splitter->Rescale(1.0);
        space.Objects.push_back(splitter);
    }
    const auto* splitterElement = splitter != nullptr ? splitter->ElementBase() : nullptr;
    const std::int32_t k = splitterElement != nullptr ? splitterElement->Nsalidas : 0;
    for (TbasegrafMSconpines* outlet : outlets) {
        const TPin* feeding = PeerOf(outlet->ElementBase(), PinKind::Input, 0);
        const std::int32_t j =
            feeding != nullptr && OwnerElement(feeding) == splitterElement ? feeding->Numeracion : 0;
        std::int32_t e = 0;
        if ((k == 3 && j == 2) || (k == 5 && j == 3)) {
            e = 0;
        } else if (j <= CeilHalf(k)) {
            e = d * (85 + 200 * (k / 2 - j + 1));
        } else {
            e = -d * (85 + 200 * (j - CeilHalf(k)));
        }
        outlet->SetOrientation(h);
        outlet->SetRelX((splitter != nullptr ? splitter->RelX() : 0) + 535 * d);
        outlet->SetRelY((splitter != nullptr ? splitter->RelY() : 0) + e);
        outlet->Rescale(1.0);
        space.Objects.push_back(outlet);
    }
    // Wires: amplifier to splitter, splitter to every outlet.
    if (amplifier != nullptr && splitter != nullptr && !splitter->InputPins().empty()) {
        Tpinesgraf* target = splitter->InputPins().front();
        Tpinesgraf* source = amplifier->FindPin(PeerOf(splitterElement, PinKind::Input, 0));
        if (source != nullptr) {
            const Point p0 = At(source);
            const Point p3 = At(target);
            const Point p1{p0.x + RoundEven((p3.x - p0.x) * 0.5), p0.y};
            AddWire(floor, &space.Objects, source, target, {p0, p1, {p1.x, p3.y}, p3}, true)->SetLabelMode(1);
        }
    }
    for (TbasegrafMSconpines* outlet : outlets) {
        if (splitter == nullptr || outlet->InputPins().empty()) {
            continue;
        }
        Tpinesgraf* target = outlet->InputPins().front();
        const TPin* feeding = PeerOf(outlet->ElementBase(), PinKind::Input, 0);
        Tpinesgraf* source = splitter->FindPin(feeding);
        if (source == nullptr || OwnerElement(feeding) != splitterElement) {
            continue;
        }
        const Point p0 = At(source);
        const Point p3 = At(target);
        Point p1 = p0;
        if (source->Side() == kSideDown && (feeding->Numeracion == 4 || feeding->Numeracion == 5)) {
            p1 = {p0.x + RoundEven((p3.x - p0.x) / 5.0), p0.y};
        }
        AddWire(floor, &space.Objects, source, target, {p0, p1, {p1.x, p3.y}, p3}, true)->SetLabelMode(1);
    }
}

Rect SchematicLayout::SpaceBounds(const TespVivgraf& space) {
    Rect r;
    for (const TBaseGrafMS* object : space.Objects) {
        r = Union(r, object->GetBounds());
    }
    if (!r.IsEmpty()) {
        r.left -= 10;
        r.right += 10;
    }
    return r;
}

void SchematicLayout::AddFrame(TespVivgraf& space, int side) {
    const Tvivienda* flat = space.Flat;
    const Rect bounds = SpaceBounds(space);
    auto frame = MakeGraphic<TrectanguloPunteado>(space.Flat);
    std::int32_t halfWidth = std::abs(bounds.Width()) / 2 + 2;
    std::int32_t halfHeight = std::abs(bounds.Height()) / 2 + 16;
    const bool amplifier = flat->AmplificadorInterior();
    const bool chainOrSingle = flat->Topologia() == 1 || flat->Numtomas() == 1;
    if (amplifier && chainOrSingle) {
        halfHeight += 50;
    } else if (chainOrSingle && !amplifier) {
        if (flat->Numtomas() == 1) {
            halfWidth *= 2;
        }
        halfHeight = RoundEven(halfHeight * 5.0 / 3.0);
    }
    frame->FrameHalfWidth = halfWidth;
    frame->FrameHalfHeight = halfHeight;
    frame->AlignRight = side == 0;
    frame->SetRelX(side == 1 ? halfWidth - 1 : 1 - halfWidth);
    frame->SetRelY((std::abs(bounds.bottom) - std::abs(bounds.top)) / 2);
    frame->ResetSize();
    frame->Rescale(1.0);
    space.Objects.push_back(m_schematic.Adopt(std::move(frame)));
}

void SchematicLayout::MoveSpace(TespVivgraf& space, std::int32_t dx, std::int32_t dy) {
    for (TBaseGrafMS* object : space.Objects) {
        object->ShiftRel(dx, dy);
        object->Rescale(object->Scale());
    }
}

Rect SchematicLayout::FloorBounds(const Tgrafplantas& floor) const {
    Rect r = floor.FlatSpaces.empty() ? Rect{} : Rect{-85, -85, 85, 85};
    for (const TBaseGrafMS* object : floor.Symbols) {
        r = Union(r, object->GetBounds());
    }
    for (const auto& space : floor.FlatSpaces) {
        r = Union(r, SpaceBounds(*space));
    }
    return r;
}

void SchematicLayout::MoveFloor(Tgrafplantas& floor, std::int32_t dx, std::int32_t dy) {
    for (TBaseGrafMS* object : floor.Symbols) {
        MoveObject(object, dx, dy);
    }
    for (const auto& space : floor.FlatSpaces) {
        for (TBaseGrafMS* object : space->Objects) {
            MoveObject(object, dx, dy);
        }
    }
}

// ----------------------------------------------------------------------------------------- riser floors

void SchematicLayout::LayoutRiserFloor(Tgrafplantas& floor) {
    if (floor.Planta->ETV().Empty()) {
        if (!floor.FlatSpaces.empty()) {
            FlatsWithoutRiser(floor);
        }
        return;
    }
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    TBaseGrafMS* lastBlock = nullptr;
    const std::vector<TBaseGrafMS*> symbols = floor.Symbols;
    std::unordered_set<const TBaseGrafMS*> inBlock;
    for (TBaseGrafMS* symbol : symbols) {
        if (IsA<TgrafFuente>(symbol) || IsA<TgrafdobleFuente>(symbol) || IsA<TgrafTripleFuente>(symbol)) {
            PlaceSupply(floor, symbol, lastBlock);
            continue;
        }
        if (IsA<TgrafDisecQ>(symbol) || inBlock.contains(symbol)) {
            continue;
        }
        // Members: follow each tap's chain until a flat entry.
        std::vector<TBaseGrafMS*> members;
        std::vector<TespVivgraf*> spaces;
        const TComponenteBase* element = AsElement(symbol->Element());
        std::unordered_set<const void*> seen;
        if (element != nullptr) {
            for (TPin* tap : element->PinesDERIVACION()) {
                TPin* next = tap != nullptr ? tap->Peer() : nullptr;
                for (int guard = 0; next != nullptr && guard < 64; ++guard) {
                    TComponenteBase* owner = OwnerElement(next);
                    if (owner == nullptr) {
                        break;
                    }
                    if (owner->Is<Tentradaviv>()) {
                        for (const auto& space : floor.FlatSpaces) {
                            if (space->Flat != nullptr && space->Flat->Entrada() == owner &&
                                seen.insert(space.get()).second) {
                                spaces.push_back(space.get());
                            }
                        }
                        break;
                    }
                    TBaseGrafMS* graphic = m_schematic.FindGraphicOf(owner);
                    if (graphic != nullptr && graphic != symbol && seen.insert(graphic).second) {
                        members.push_back(graphic);
                        inBlock.insert(graphic);
                    }
                    next = PeerOf(owner, PinKind::Output, 0);
                }
            }
        }
        symbol->Rescale(1.0);
        std::vector<TBaseGrafMS*> block = members;
        if (!members.empty() || !spaces.empty()) {
            if (auto* figure = dynamic_cast<TgrafFigura*>(symbol);
                figure != nullptr && (IsA<TgrafdobleMs>(symbol) || IsA<TgrafTripleMs>(symbol))) {
                DiseqcUnderStacked(floor, *figure, members, block);
            }
            FlatColumns(floor, symbol, spaces, block);
        }
        Rect r = symbol->GetBounds();
        for (TBaseGrafMS* member : members) {
            r = Union(r, member->GetBounds());
        }
        for (TespVivgraf* space : spaces) {
            r = Union(r, SpaceBounds(*space));
        }
        if (cy != 0) {
            cy = std::abs(cy) + std::abs(r.top);
            MoveObject(symbol, cx, cy);
            for (TBaseGrafMS* object : block) {
                MoveObject(object, cx, cy);
            }
            for (TespVivgraf* space : spaces) {
                MoveSpace(*space, cx, cy);
            }
        }
        cy = cy + r.bottom + 70;
        lastBlock = symbol;
    }
}

void SchematicLayout::SplitAndSort(std::vector<TespVivgraf*>& spaces, std::vector<TespVivgraf*>& right,
                                   std::vector<TespVivgraf*>& left) const {
    for (TespVivgraf* space : spaces) {
        (space->Side == 1 ? right : left).push_back(space);
    }
    auto number = [&](const TespVivgraf* space) {
        const TPin* pin = FeedingPinOfFlat(space->Flat);
        return pin != nullptr ? pin->Numeracion : 0;
    };
    auto byNumber = [&](const TespVivgraf* a, const TespVivgraf* b) { return number(a) < number(b); };
    std::stable_sort(right.begin(), right.end(), byNumber);
    std::stable_sort(left.begin(), left.end(), byNumber);
}

void SchematicLayout::FlatColumns(Tgrafplantas& floor, TBaseGrafMS* symbol, std::vector<TespVivgraf*>& spaces,
                                  std::vector<TBaseGrafMS*>& block) {
    std::vector<TespVivgraf*> right;
    std::vector<TespVivgraf*> left;
    SplitAndSort(spaces, right, left);
    auto listBounds = [](const std::vector<TespVivgraf*>& list) {
        Rect r;
        for (const TespVivgraf* space : list) {
            r = Union(r, SpaceBounds(*space));
        }
        return r;
    };
    const Rect rightBounds = listBounds(right);
    const Rect leftBounds = listBounds(left);
    const std::int32_t cellHeight = std::max(rightBounds.Height(), leftBounds.Height());
    const bool figure = IsA<TgrafFigura>(symbol);
    const std::int32_t e = figure ? 0 : symbol->HalfHeight() / 16;
    const std::int32_t w = MainOf(symbol)->HalfWidth();
    const TComponenteBase* riser = AsElement(symbol->Element());
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<TespVivgraf*>& list = pass == 0 ? right : left;
        const std::int32_t n = static_cast<std::int32_t>(list.size());
        if (n == 0) {
            continue;
        }
        const std::int32_t p = cellHeight + 10;
        const std::int32_t b = SpacedFamily(riser) ? 20 * n : 0;
        std::int32_t y = 0;
        if (n == 1) {
            y = 0;
        } else if (b != 0) {
            y = symbol->Y() + e - (n / 2) * p - (n % 2) * (cellHeight / 2 + 10);
        } else {
            y = symbol->Y() + e - (cellHeight / 2 + 5) * CeilHalf(n);
        }
        const std::int32_t x = pass == 0 ? symbol->X() + (b + w + 300) : symbol->X() - (b + w + 300);
        for (std::int32_t i = 0; i < n; ++i) {
            MoveSpace(*list[static_cast<std::size_t>(i)], x, y);
            y += p;
            if (i + 1 == CeilHalf(n)) {
                y += 2 * e;
            }
        }
        // Feed wires of the column: riser tap (or DiSEqC output) to the flat's first device.
        std::int32_t a = b != 0 ? 20 * n : 0;
        const std::int32_t step = b != 0 ? 20 : 0;
        for (std::int32_t i = 0; i < n; ++i) {
            const Tvivienda* flat = list[static_cast<std::size_t>(i)]->Flat;
            const Tentradaviv* entry = flat != nullptr ? flat->Entrada() : nullptr;
            Tpinesgraf* source = m_schematic.GraphicPinOf(PeerOf(entry, PinKind::Input, 0));
            Tpinesgraf* target = m_schematic.GraphicPinOf(PeerOf(entry, PinKind::Output, 0));
            if (source != nullptr && target != nullptr) {
                AddWire(floor, &block, source, target, RiserToFlatRoute(At(source), At(target), a))
                    ->SetLabelMode(4);
            }
            a += i < n / 2 ? -step : step;
        }
    }
}

void SchematicLayout::DiseqcUnderStacked(Tgrafplantas& floor, TgrafFigura& figure,
                                         std::vector<TBaseGrafMS*>& members,
                                         std::vector<TBaseGrafMS*>& block) {
    for (TBaseGrafMS* member : members) {
        auto* diseqc = dynamic_cast<TgrafDisecQ*>(member);
        if (diseqc == nullptr || diseqc->InputPins().empty()) {
            continue;
        }
        TPin* q = diseqc->InputPins().front()->ElementPin() != nullptr
                      ? diseqc->InputPins().front()->ElementPin()->Peer()
                      : nullptr;
        if (q == nullptr) {
            continue;
        }
        if (q->Numeracion % 2 == 1) {
            diseqc->SetOrientation(2);
            diseqc->Rescale(1.0);
        } else {
            SwapDiseqcInputs(*diseqc);
            TPin* swapped = diseqc->InputPins().front()->ElementPin();
            q = swapped != nullptr && swapped->Peer() != nullptr ? swapped->Peer() : q;
        }
        Tpinesgraf* t = figure.FindPin(q);
        Tpinesgraf* s = diseqc->InputPins().front();
        if (t == nullptr) {
            continue;
        }
        const std::int32_t dx = t->RelX() < figure.RelX() ? t->RelX() - 70 : t->RelX() + 70;
        diseqc->ShiftRel(dx, t->Y() - std::abs(s->RelY()));
        diseqc->Rescale(1.0);
        // Feed wires from tap k of every member into the DiSEqC input it feeds.
        const std::size_t k = static_cast<std::size_t>(q->Numeracion - 1);
        for (std::size_t m = 0; m < figure.MemberCount(); ++m) {
            TbasegrafMSconpines* symbol = figure.Member(m);
            if (k >= symbol->TapPins().size()) {
                continue;
            }
            Tpinesgraf* tap = symbol->TapPins()[k];
            TPin* tapPin = tap->ElementPin();
            Tpinesgraf* input = tapPin != nullptr ? diseqc->FindPin(tapPin->Peer()) : nullptr;
            if (input == nullptr) {
                continue;
            }
            Tgraflinea* wire = AddLine(floor, &block, ZByX(At(tap), At(input)));
            wire->SetLineKind(static_cast<std::int32_t>(m) + 1);
        }
    }
}

void SchematicLayout::FlatsWithoutRiser(Tgrafplantas& floor) {
    std::vector<TespVivgraf*> spaces;
    for (const auto& space : floor.FlatSpaces) {
        spaces.push_back(space.get());
    }
    std::vector<TespVivgraf*> right;
    std::vector<TespVivgraf*> left;
    SplitAndSort(spaces, right, left);
    std::int32_t stairFlats = 0;
    if (floor.Stair != nullptr && floor.Stair->Escalera != nullptr) {
        for (const auto& entry : floor.Stair->Escalera->ListaPlantas()) {
            if (entry.Object != nullptr) {
                stairFlats += static_cast<std::int32_t>(entry.Object->LViviendas().Count());
            }
        }
    }
    const std::int32_t a = (stairFlats * 20) / 3 + 714;
    Rect cell;
    for (TespVivgraf* space : spaces) {
        const Rect r = SpaceBounds(*space);
        cell = Union(cell, {0, 0, r.Width(), r.Height()});
    }
    for (int pass = 0; pass < 2; ++pass) {
        const std::vector<TespVivgraf*>& list = pass == 0 ? right : left;
        const std::int32_t n = static_cast<std::int32_t>(list.size());
        if (n == 0) {
            continue;
        }
        const std::int32_t p = cell.Height() + 10;
        std::int32_t d = 0;
        if (n > 1) {
            const std::int32_t e = n % 2 == 1 ? (n / 2) * p : p / 2 + p * (n / 2 - 1);
            d = pass == 0 ? e : -e;
        }
        const std::int32_t x = pass == 0 ? a + 300 : -(a + 300);
        for (TespVivgraf* space : list) {
            MoveSpace(*space, x, d);
            d += pass == 0 ? -p : p;
        }
    }
}

void SchematicLayout::PlaceSupply(Tgrafplantas& floor, TBaseGrafMS* supply, TBaseGrafMS* block) {
    if (block == nullptr || supply == nullptr) {
        return;
    }
    m_placedSupplies.insert(supply);
    TBaseGrafMS* b = MainOf(block);
    TBaseGrafMS* s = MainOf(supply);
    const auto* source = dynamic_cast<const TFUENTE*>(supply->Element());
    const bool feedsAmplifier = source != nullptr && !source->CompoAlimentar().empty() &&
                                source->CompoAlimentar().front().Element != nullptr &&
                                source->CompoAlimentar().front().Element->Is<TAmpliBase>();
    // The figure's own position is its back member's; the main member sits further down and right.
    const std::int32_t mainDx = s->BaseX() - supply->BaseX();
    const std::int32_t mainDy = s->BaseY() - supply->BaseY();
    if (feedsAmplifier) {
        SetAt(supply, b->X() + b->HalfWidth() + s->HalfWidth() + 90 - mainDx, b->Y() - mainDy);
    } else {
        SetAt(supply, -mainDx, b->Y() + b->HalfHeight() + s->HalfHeight() + 90 - mainDy);
    }
    // Power feed lines, member by member.
    auto* blockFigure = dynamic_cast<TgrafFigura*>(block);
    auto* supplyFigure = dynamic_cast<TgrafFigura*>(supply);
    const std::size_t pairs = std::min(blockFigure != nullptr ? blockFigure->MemberCount() : 1,
                                       supplyFigure != nullptr ? supplyFigure->MemberCount() : 1);
    for (std::size_t m = 0; m < pairs; ++m) {
        TBaseGrafMS* bm = blockFigure != nullptr ? blockFigure->Member(m) : block;
        TBaseGrafMS* sm = supplyFigure != nullptr ? supplyFigure->Member(m) : supply;
        std::vector<Point> route =
            feedsAmplifier
                ? ZByX({bm->X() + bm->HalfWidth(), bm->Y()}, {sm->X() - sm->HalfWidth(), sm->Y()})
                : ZByY({bm->X(), bm->Y() + bm->HalfHeight()}, {sm->X(), sm->Y() - sm->HalfHeight()});
        AddLine(floor, nullptr, std::move(route))->SetLineKind(static_cast<std::int32_t>(m) + 1);
    }
}

// ----------------------------------------------------------------------------------------------- headend

void SchematicLayout::LayoutHeadend(Tgrafplantas& floor) {
    std::vector<TBaseGrafMS*> dishes;
    TBaseGrafMS* terrestrial = nullptr;
    std::vector<TBaseGrafMS*> amplifiers;
    std::vector<TBaseGrafMS*> multiswitches;
    std::vector<TBaseGrafMS*> splitters;
    std::vector<TBaseGrafMS*> supplies;
    for (TBaseGrafMS* symbol : floor.Symbols) {
        const TComponenteBase* element = AsElement(symbol->Element());
        symbol->Rescale(1.0);
        if (IsA<TgrafParabola>(symbol)) {
            dishes.push_back(symbol);
        } else if (IsA<TgrafCabeceraTerrestre>(symbol)) {
            terrestrial = symbol;
        } else if (IsA<TgrafRepartidor>(symbol)) {
            splitters.push_back(symbol);
        } else if (element != nullptr && element->Is<TAmpliHeader>()) {
            amplifiers.push_back(symbol);
        } else if (element != nullptr && element->Is<TMultiswitch>()) {
            multiswitches.push_back(symbol);
        } else if (IsA<TgrafFuente>(symbol) || IsA<TgrafdobleFuente>(symbol) ||
                   IsA<TgrafTripleFuente>(symbol)) {
            supplies.push_back(symbol);
        }
    }
    // The terrestrial splitter and the dish splitters.
    const TComponenteBase* terrestrialElement =
        terrestrial != nullptr ? AsElement(terrestrial->Element()) : nullptr;
    TBaseGrafMS* terrestrialSplitter = nullptr;
    if (terrestrialElement != nullptr &&
        ((m_prefs.Npolaridades >= 5 && m_prefs.Npolaridades <= 15) || m_prefs.TipoDistribucionCab == 0)) {
        const TComponenteBase* fed = OwnerElement(PeerOf(terrestrialElement, PinKind::Output, 0));
        if (fed != nullptr && fed->Is<TRepartidor>()) {
            terrestrialSplitter = m_schematic.FindGraphicOf(fed);
        }
    }
    std::vector<TBaseGrafMS*> dishSplitters;
    std::vector<TBaseGrafMS*> otherSplitters;
    for (TBaseGrafMS* splitter : splitters) {
        if (splitter == terrestrialSplitter) {
            continue;
        }
        const TComponenteBase* element = AsElement(splitter->Element());
        const TComponenteBase* feeder = OwnerElement(PeerOf(element, PinKind::Input, 0));
        bool dishSplitter = feeder != nullptr && feeder->Is<Tantena>();
        if (!dishSplitter && feeder != terrestrialElement && element != nullptr) {
            for (const TPin* output : element->PinesSALIDA()) {
                const TComponenteBase* fed = OwnerElement(output->Peer());
                if (fed != nullptr && fed->Is<TMultiswitch>() && fed->Container() == floor.Planta) {
                    dishSplitter = true;
                    break;
                }
            }
        }
        (dishSplitter ? dishSplitters : otherSplitters).push_back(splitter);
    }
    m_dishSplitters = dishSplitters;
    m_terrestrialSplitter = terrestrialSplitter;
    m_headendMultiswitches = multiswitches;
    auto powered = [](const TBaseGrafMS* symbol) {
        const TComponenteBase* element = AsElement(symbol->Element());
        return element != nullptr && element->Is<TCBFT>() &&
               static_cast<const TCBFT*>(element)->Feeder() != nullptr;
    };
    auto supplyOf = [&](const TBaseGrafMS* symbol) -> TBaseGrafMS* {
        const TComponenteBase* element = AsElement(symbol->Element());
        const TCBFT* feeder = element != nullptr && element->Is<TCBFT>()
                                  ? static_cast<const TCBFT*>(element)->Feeder()
                                  : nullptr;
        TBaseGrafMS* graphic = feeder != nullptr ? m_schematic.FindGraphicOf(feeder) : nullptr;
        return graphic != nullptr && !m_placedSupplies.contains(graphic) ? graphic : nullptr;
    };
    auto placeSupplyOf = [&](TBaseGrafMS* item) {
        if (TBaseGrafMS* supply = supplyOf(item)) {
            PlaceSupply(floor, supply, item);
        }
    };

    // 1. The row of multiswitches (or headend amplifiers).
    std::vector<TBaseGrafMS*>& row = !multiswitches.empty() ? multiswitches : amplifiers;
    const std::int32_t count = static_cast<std::int32_t>(row.size());
    const std::int32_t k = static_cast<std::int32_t>(std::count_if(row.begin(), row.end(), powered));
    if (count == 1 || count == 2) {
        std::int32_t w = 3 * MainOf(row.front())->HalfWidth() * (count / 2);
        if (count == 2) {
            w += 170;
        }
        if (k > 0) {
            w += 210 * count;
        }
        std::int32_t x = -w / 2;
        for (TBaseGrafMS* item : row) {
            SetAt(item, x, 0);
            x += w;
        }
        for (TBaseGrafMS* item : row) {
            placeSupplyOf(item);
        }
    } else if (count >= 3) {
        std::int32_t widest = 0;
        for (TBaseGrafMS* item : row) {
            widest = std::max(widest, MainOf(item)->HalfWidth());
        }
        const std::int32_t pitch = 2 * widest + 170 + (k > 0 ? 210 : 0);
        std::int32_t x = count % 2 == 1 ? -pitch * (count / 2) : -pitch * ((count - 1) / 2);
        for (std::int32_t i = 0; i < count; ++i) {
            SetAt(row[static_cast<std::size_t>(i)], x, 0);
            placeSupplyOf(row[static_cast<std::size_t>(i)]);
            x += pitch;
            if (terrestrial != nullptr && i == count / 2) {
                x += 340;
                SetAt(terrestrial, x, 0);
                x -= 170;
            }
        }
    }

    // 2. Dishes, the terrestrial headend and the dish splitters.
    auto firstDishHalfHeight = [&]() { return dishes.empty() ? 90 : dishes.front()->HalfHeight(); };
    if (!dishSplitters.empty() && !multiswitches.empty()) {
        std::vector<TBaseGrafMS*> splitterRow = dishSplitters;
        if (terrestrialSplitter != nullptr) {
            splitterRow.insert(splitterRow.begin() + static_cast<std::ptrdiff_t>(splitterRow.size() / 2),
                               terrestrialSplitter);
        }
        const TBaseGrafMS* ms = MainOf(multiswitches.front());
        const TBaseGrafMS* firstItem = MainOf(row.front());
        std::int32_t outputs = 0;
        for (const TBaseGrafMS* splitter : dishSplitters) {
            outputs += OutputCount(AsElement(splitter->Element()));
        }
        const std::int32_t y =
            ms->Y() - ms->HalfHeight() - 20 * outputs - RoundEven(3.0 * firstItem->HalfHeight());
        const std::int32_t m = OutputCount(AsElement(firstItem->Element()));
        const std::int32_t t = 3 * (firstItem->HalfWidth() + 20 * CeilHalf(m));
        std::int32_t x = -t * (static_cast<std::int32_t>(splitterRow.size()) / 2);
        for (TBaseGrafMS* splitter : splitterRow) {
            SetAt(splitter, x, y);
            x += t;
        }
        std::int32_t lift = 0;
        if (!amplifiers.empty()) {
            for (TBaseGrafMS* amplifier : amplifiers) {
                const TComponenteBase* element = AsElement(amplifier->Element());
                std::vector<TBaseGrafMS*> fed;
                for (const TPin* output : element->PinesSALIDA()) {
                    TBaseGrafMS* graphic = m_schematic.FindGraphicOf(OwnerElement(output->Peer()));
                    if (graphic != nullptr &&
                        std::find(splitterRow.begin(), splitterRow.end(), graphic) != splitterRow.end()) {
                        fed.push_back(graphic);
                    }
                }
                if (fed.empty()) {
                    continue;
                }
                std::int32_t least = fed.front()->RelX();
                std::int32_t greatest = least;
                for (const TBaseGrafMS* splitter : fed) {
                    least = std::min(least, splitter->RelX());
                    greatest = std::max(greatest, splitter->RelX());
                }
                const std::int32_t ax = dishSplitters.size() == 4 ? least : (least + greatest) / 2;
                SetAt(amplifier, ax, -440 + fed.front()->RelY());
                placeSupplyOf(amplifier);
            }
            lift = 610;
        }
        std::int32_t dishY = 0;
        if (terrestrial != nullptr && terrestrialSplitter != nullptr) {
            SetAt(terrestrial, terrestrialSplitter->X(),
                  terrestrialSplitter->Y() - terrestrial->HalfHeight() - 270 - lift);
            dishY = terrestrial->Y();
        } else {
            dishY = splitterRow.front()->Y() - splitterRow.front()->HalfHeight() - 270 - lift;
            if (terrestrial != nullptr) {
                SetAt(terrestrial, 0, dishY);
            }
        }
        for (std::size_t i = 0; i < dishes.size(); ++i) {
            const TBaseGrafMS* over = i < dishSplitters.size() ? dishSplitters[i] : splitterRow.back();
            SetAt(dishes[i], over->X(), dishY);
        }
    } else if (dishSplitters.empty() && !multiswitches.empty() && !amplifiers.empty()) {
        // Multiswitches fed by headend amplifiers, each dish above the amplifier it feeds.
        TBaseGrafMS* msFigure = multiswitches.front();
        const TBaseGrafMS* ms = MainOf(msFigure);
        const TComponenteBase* msElement = AsElement(ms->Element());
        const std::int32_t tHalf = terrestrial != nullptr ? terrestrial->HalfWidth() : 0;
        const std::int32_t s =
            msElement != nullptr ? msElement->CountPinsWithLetter(PinKind::Input, 'B') / 4 : 0;
        std::int32_t w = 0;
        bool anyPowered = false;
        for (TBaseGrafMS* amplifier : amplifiers) {
            amplifier->Rescale(1.0);
            w = std::max(w, 2 * amplifier->HalfWidth());
            anyPowered = anyPowered || powered(amplifier);
        }
        if (anyPowered) {
            w += 110;
        }
        const std::int32_t x0 = -(CeilHalf(s) * (w + 20) + tHalf);
        const std::int32_t a = msFigure->RelY() - ms->HalfHeight() - 305;
        auto firstOutputNumber = [&](const TBaseGrafMS* amplifier) {
            const TPin* fed = PeerOf(AsElement(amplifier->Element()), PinKind::Output, 0);
            return fed != nullptr ? fed->Numeracion : 0;
        };
        std::vector<TBaseGrafMS*> ordered = amplifiers;
        std::stable_sort(ordered.begin(), ordered.end(), [&](const TBaseGrafMS* l, const TBaseGrafMS* r) {
            return firstOutputNumber(l) < firstOutputNumber(r);
        });
        auto groupX = [&](std::int32_t g) {
            return g < s / 2 || s < 2 ? x0 + (w + 20) * g : x0 + (w + 20) * (g + 1) + 2 * tHalf;
        };
        std::int32_t dishRowY = 0;
        std::unordered_set<const TBaseGrafMS*> placedDishes;
        for (TBaseGrafMS* amplifier : ordered) {
            const TComponenteBase* element = AsElement(amplifier->Element());
            const TPin* outputB = element->FindPinByLetter(PinKind::Output, 'B', true, 0);
            if (outputB != nullptr && outputB->Peer() != nullptr) {
                const std::int32_t g = (outputB->Peer()->Numeracion - 1) / 4;
                amplifier->SetRelX(groupX(g));
            }
            amplifier->SetRelY(a);
            amplifier->Rescale(1.0);
            placeSupplyOf(amplifier);
            const TPin* inputB = element->FindPinByLetter(PinKind::Input, 'B', true, 0);
            TBaseGrafMS* dish =
                inputB != nullptr ? m_schematic.FindGraphicOf(OwnerElement(inputB->Peer())) : nullptr;
            if (dish != nullptr && IsA<TgrafParabola>(dish) && !placedDishes.contains(dish)) {
                dish->SetRelY(amplifier->Y() - 270 - amplifier->HalfHeight());
                dish->SetRelX(amplifier->X() - dish->HalfWidth() / 2);
                dish->Rescale(1.0);
                dishRowY = dish->RelY();
                placedDishes.insert(dish);
            }
        }
        for (TBaseGrafMS* dish : dishes) {
            if (placedDishes.contains(dish)) {
                continue;
            }
            dish->SetRelY(dishRowY);
            const TComponenteBase* element = AsElement(dish->Element());
            const TPin* outputA =
                element != nullptr ? element->FindPinByLetter(PinKind::Output, 'A', true, 0) : nullptr;
            if (outputA != nullptr && outputA->Peer() != nullptr) {
                const std::int32_t g = (outputA->Peer()->Numeracion - 1) / 4;
                dish->SetRelX(groupX(g) - dish->HalfWidth() / 2);
            }
            dish->Rescale(1.0);
        }
        if (terrestrial != nullptr) {
            terrestrial->SetRelY(dishRowY + 60);
            terrestrial->Rescale(1.0);
        }
    } else {
        // No dish splitters: dishes in a row above the amplifiers or the multiswitch.
        if (amplifiers.size() >= 2 && multiswitches.empty()) {
            for (std::size_t i = 0; i < dishes.size(); ++i) {
                const TBaseGrafMS* amplifier = amplifiers[std::min(i, amplifiers.size() - 1)];
                SetAt(dishes[i], amplifier->X() - amplifier->HalfWidth() / 2,
                      amplifier->Y() - 270 - dishes[i]->HalfHeight());
            }
            if (terrestrial != nullptr) {
                // With three or more amplifiers x = 0 is the middle amplifier's dish: the terrestrial
                // headend keeps the gap the row left for it after that amplifier.
                const std::int32_t x = amplifiers.size() >= 3 ? terrestrial->RelX() : 0;
                SetAt(terrestrial, x, dishes.empty() ? 0 : dishes.front()->Y());
            }
        } else if (!row.empty() && (!multiswitches.empty() || IsA<TgrafMS>(MainOf(row.front())))) {
            std::vector<TBaseGrafMS*> items = dishes;
            if (terrestrial != nullptr) {
                items.insert(items.begin() +
                                 (items.size() <= 1 ? static_cast<std::ptrdiff_t>(items.size()) : 1),
                             terrestrial);
            }
            const TBaseGrafMS* item = MainOf(row.front());
            const std::int32_t n = static_cast<std::int32_t>(items.size());
            std::int32_t x = item->X() - (n < 3 ? 148 : 297);
            const std::int32_t y = item->Y() - 270 - 180 * (n / 4) - firstDishHalfHeight();
            for (TBaseGrafMS* placed : items) {
                SetAt(placed, x, y);
                x += 297 + (placed == terrestrial ? 4 : 0);
            }
        } else if (amplifiers.size() == 1) {
            const TBaseGrafMS* amplifier = amplifiers.front();
            const std::int32_t n = static_cast<std::int32_t>(dishes.size());
            const std::int32_t y =
                amplifier->Y() - 270 * std::max(1, n > 2 ? n / 2 : 1) - firstDishHalfHeight();
            std::int32_t x = -148;
            for (TBaseGrafMS* dish : dishes) {
                SetAt(dish, x, y);
                x += 297;
            }
            if (terrestrial != nullptr) {
                SetAt(terrestrial, x + (IsA<TgrafAmpliheader>(amplifier) ? 148 : 0), y);
            }
        } else {
            const std::int32_t n = static_cast<std::int32_t>(dishes.size());
            std::int32_t x = -148;
            for (TBaseGrafMS* dish : dishes) {
                SetAt(dish, x, -(n * 270 / 2));
                x += 297;
            }
            if (terrestrial != nullptr) {
                SetAt(terrestrial, x, -(n * 270 / 2));
            }
        }
    }

    // The terrestrial splitter outside a row of dish splitters: at the right end of the headend's row,
    // clear of the amplifiers, their supplies and the dishes, fed from the terrestrial headend above.
    if (terrestrialSplitter != nullptr && (dishSplitters.empty() || multiswitches.empty())) {
        Rect taken;
        for (const TBaseGrafMS* item : row) {
            taken = Union(taken, item->GetBounds());
        }
        for (const TBaseGrafMS* dish : dishes) {
            taken = Union(taken, dish->GetBounds());
        }
        for (const TBaseGrafMS* supply : m_placedSupplies) {
            taken = Union(taken, supply->GetBounds());
        }
        if (terrestrial != nullptr) {
            taken = Union(taken, terrestrial->GetBounds());
        }
        const std::int32_t y = !row.empty() ? MainOf(row.front())->RelY()
                               : terrestrial != nullptr
                                   ? terrestrial->RelY() + terrestrial->HalfHeight() + 270
                                   : 0;
        SetAt(terrestrialSplitter, taken.right + kTerrestrialSplitterGap + terrestrialSplitter->HalfWidth(),
              y);
    }

    // 3. The other splitters in a row below the first amplifier (or row item).
    if (!otherSplitters.empty()) {
        const TBaseGrafMS* under = !amplifiers.empty() ? MainOf(amplifiers.front())
                                   : !row.empty()      ? MainOf(row.front())
                                                       : nullptr;
        const std::int32_t n = static_cast<std::int32_t>(otherSplitters.size());
        const std::int32_t y = (under != nullptr ? under->Y() + under->HalfHeight() : 0) + 20 * n + 170;
        const std::int32_t m = OutputCount(AsElement(otherSplitters.front()->Element()));
        const std::int32_t l = 100 * CeilHalf(m + 2) + 255;
        std::int32_t x = n % 2 == 1 ? -(n / 2) * l - 85 : -(n / 2) * l + l / 2;
        for (TBaseGrafMS* splitter : otherSplitters) {
            SetAt(splitter, x, y);
            x += l;
        }
    }
    PlaceInjectors(floor);
    // Supplies that the rules above did not place go below what they feed.
    for (TBaseGrafMS* supply : supplies) {
        if (m_placedSupplies.contains(supply)) {
            continue;
        }
        const auto* source = dynamic_cast<const TFUENTE*>(supply->Element());
        TBaseGrafMS* fed = source != nullptr && !source->CompoAlimentar().empty()
                               ? m_schematic.FindGraphicOf(source->CompoAlimentar().front().Element)
                               : nullptr;
        PlaceSupply(floor, supply, fed);
    }
    // 4. Wires.
    HeadendWires(floor);
}

void SchematicLayout::HeadendWire(Tgrafplantas& floor, Tpinesgraf* target, bool msFlag, int n, int k,
                                  int mode, bool show) {
    TPin* sourcePin = target->ElementPin() != nullptr ? target->ElementPin()->Peer() : nullptr;
    Tpinesgraf* source = m_schematic.GraphicPinOf(sourcePin);
    if (source == nullptr) {
        return;
    }
    const Point p0 = At(source);
    const Point p3 = At(target);
    Point p1;
    if (IsA<TgrafCabeceraTerrestre>(source->Symbol())) {
        p1 = {p0.x, p3.y - 10 * k - 30};
    } else {
        const std::int32_t g = msFlag && p0.x < p3.x ? 10 * (n - k) - 10 : 10 * k;
        p1 = {p0.x, p0.y + (p3.y - p0.y) / 2 + g};
    }
    Tgraflinea* wire = AddWire(floor, nullptr, source, target, {p0, p1, {p3.x, p1.y}, p3});
    wire->SetLabelMode(mode);
    wire->SetShowLabel(show && wire->ShowLabel());
    const TComponenteBase* sourceElement = OwnerElement(sourcePin);
    if (sourceElement != nullptr && sourceElement->Is<Tantena>()) {
        wire->SetCableCount(OutputCount(sourceElement) * BundleFactor(sourceElement));
    }
}

void SchematicLayout::DishSplitterWire(Tgrafplantas& floor, Tpinesgraf* target, int j, int i, int c) {
    TPin* sourcePin = target->ElementPin() != nullptr ? target->ElementPin()->Peer() : nullptr;
    Tpinesgraf* source = m_schematic.GraphicPinOf(sourcePin);
    if (source == nullptr) {
        return;
    }
    const TBaseGrafMS* s = source->Symbol();
    const Point p0 = At(source);
    const Point p4 = At(target);
    const std::int32_t yRun = s->Y() + 20 * i * (c + 1) + 20 * j + RoundEven(1.5 * s->HalfHeight());
    std::vector<Point> points;
    if (source->Side() == kSideDown) {
        points = {p0, {p0.x, yRun}, {p4.x, yRun}, p4};
    } else {
        const std::int32_t m = OutputCount(OwnerElement(sourcePin));
        const std::int32_t p = sourcePin->Numeracion;
        const std::int32_t x = p0.x < s->X() ? p0.x - 30 * (CeilHalf(m) - p + 1) : p0.x + 30 * (p - m / 2);
        points = {p0, {x, p0.y}, {x, yRun}, {p4.x, yRun}, p4};
    }
    Tgraflinea* wire = AddWire(floor, nullptr, source, target, std::move(points));
    wire->SetLabelMode(6);
    wire->SetShowLabel(wire->ShowLabel() && sourcePin->Numeracion == PinCountOf(sourcePin));
    wire->SetCableCount(InputCount(OwnerElement(target->ElementPin())));
}

// A power injector of the headend sits under the pin that feeds it, beside the symbol of that pin (the
// column the pin's trunk would take) and below it: the injector's input wire leaves the pin sideways and
// drops into the injector, its trunk leaves the injector downwards, clear of the symbols and wires of the
// row above.
void SchematicLayout::PlaceInjectors(Tgrafplantas& floor) {
    for (TBaseGrafMS* symbol : floor.Symbols) {
        auto* injector = dynamic_cast<TGrafInyector*>(symbol);
        if (injector == nullptr || injector->InputPins().empty()) {
            continue;
        }
        const TPin* input = injector->InputPins().front()->ElementPin();
        Tpinesgraf* source = input != nullptr ? m_schematic.GraphicPinOf(input->Peer()) : nullptr;
        if (source == nullptr || source->Symbol() == nullptr) {
            continue;
        }
        const TBaseGrafMS* fed = source->Symbol();
        const std::int32_t dx = source->X() - fed->X();
        const std::int32_t side = dx < 0 ? -kInjectorColumn : dx > 0 ? kInjectorColumn : 0;
        SetAt(injector, fed->RelX() + dx + side,
              fed->RelY() + fed->HalfHeight() + kInjectorDrop + injector->HalfHeight());
    }
}

// Into a headend injector placed by PlaceInjectors: sideways out of the pin, then down into the injector.
void SchematicLayout::InjectorWire(Tgrafplantas& floor, Tpinesgraf* target) {
    TPin* sourcePin = target->ElementPin() != nullptr ? target->ElementPin()->Peer() : nullptr;
    Tpinesgraf* source = m_schematic.GraphicPinOf(sourcePin);
    if (source == nullptr) {
        return;
    }
    const Point p0 = At(source);
    const Point p2 = At(target);
    AddWire(floor, nullptr, source, target, {p0, {p2.x, p0.y}, p2})->SetLabelMode(3);
}

void SchematicLayout::HeadendWires(Tgrafplantas& floor) {
    const std::vector<TBaseGrafMS*> symbols = floor.Symbols;
    const int dishSplitterCount = static_cast<int>(m_dishSplitters.size());
    int splitterIndex = 0;
    for (TBaseGrafMS* object : symbols) {
        auto* figure = dynamic_cast<TgrafFigura*>(object);
        const std::size_t memberCount = figure != nullptr ? figure->MemberCount() : 1;
        const bool isOtherSplitter =
            IsA<TgrafRepartidor>(object) && object != m_terrestrialSplitter &&
            std::find(m_dishSplitters.begin(), m_dishSplitters.end(), object) == m_dishSplitters.end();
        for (std::size_t mi = 0; mi < memberCount; ++mi) {
            auto* symbol =
                dynamic_cast<TbasegrafMSconpines*>(figure != nullptr ? figure->Member(mi) : object);
            if (symbol == nullptr) {
                continue;
            }
            const TComponenteBase* element = symbol->ElementBase();
            const int inputs = InputCount(element);
            const auto msIndex =
                std::find(m_headendMultiswitches.begin(), m_headendMultiswitches.end(), object);
            for (std::size_t ii = 0; ii < symbol->InputPins().size(); ++ii) {
                Tpinesgraf* target = symbol->InputPins()[ii];
                TPin* elementPin = target->ElementPin();
                if (elementPin == nullptr || elementPin->Peer() == nullptr) {
                    continue;
                }
                const TPin* sourcePin = elementPin->Peer();
                const bool last = sourcePin->Numeracion == PinCountOf(sourcePin);
                const int k = elementPin->Numeracion - 1;
                if (object == m_terrestrialSplitter ||
                    std::find(m_dishSplitters.begin(), m_dishSplitters.end(), object) !=
                        m_dishSplitters.end()) {
                    HeadendWire(floor, target, false, 0, k, 2, last);
                } else if (element != nullptr && element->Is<TMultiswitch>()) {
                    if (dishSplitterCount > 0) {
                        DishSplitterWire(floor, target, k,
                                         static_cast<int>(msIndex - m_headendMultiswitches.begin()),
                                         dishSplitterCount);
                    } else {
                        HeadendWire(floor, target, true, inputs, k, 2, last);
                    }
                } else if (isOtherSplitter) {
                    const TComponenteBase* sourceElement = OwnerElement(sourcePin);
                    Tpinesgraf* source = m_schematic.GraphicPinOf(sourcePin);
                    if (sourceElement != nullptr && sourceElement->Is<TRepartidor>() && source != nullptr) {
                        const Point p0 = At(source);
                        const Point p3 = At(target);
                        const Point p1{source->X() < source->Symbol()->X() ? p0.x - 30 : p0.x + 30, p0.y};
                        const std::int32_t middle = p0.y + (p3.y - p0.y) / 2;
                        AddWire(floor, nullptr, source, target, {p0, p1, {p1.x, middle}, {p3.x, middle}, p3})
                            ->SetLabelMode(3);
                    } else {
                        HeadendWire(floor, target, false, inputs, splitterIndex, 3, true);
                    }
                } else if (IsA<TGrafInyector>(object)) {
                    InjectorWire(floor, target);
                } else {
                    HeadendWire(floor, target, false, inputs, k, 2, last);
                }
            }
        }
        if (isOtherSplitter) {
            ++splitterIndex;
        }
    }
}

// -------------------------------------------------------------------------------- floors and stairs

Tgrafplantas* SchematicLayout::HeadendFloor() const {
    const auto& stairs = m_schematic.Stairs().Stairs;
    if (stairs.empty()) {
        return nullptr;
    }
    Tgrafplantas* found = nullptr;
    for (const auto& floor : stairs.front()->Floors) {
        if (floor->Planta != nullptr && floor->Planta->HeaderPl) {
            found = floor.get();
        }
    }
    return found;
}

bool SchematicLayout::OnHeadendFloor(const TComponenteBase* element) const {
    const TPrimerComponente* container = element != nullptr ? element->Container() : nullptr;
    return container != nullptr && container->Is<tplanta>() &&
           static_cast<const tplanta*>(container)->HeaderPl;
}

void SchematicLayout::PlaceFloorsAndStairs() {
    Tgrafplantas* headend = HeadendFloor();
    if (headend == nullptr) {
        return;
    }
    TgraflistaEscaleras& list = m_schematic.Stairs();
    const Rect r = FloorBounds(*headend);
    list.FloorBands.clear();
    for (const auto& stair : list.Stairs) {
        stair->MinLeft = 0;
        stair->MaxRight = 0;
        for (const auto& floor : stair->Floors) {
            if (floor->Planta->HeaderPl) {
                continue;
            }
            const Rect b = FloorBounds(*floor);
            stair->MinLeft = std::min(stair->MinLeft, b.left);
            stair->MaxRight = std::max(stair->MaxRight, b.right);
            const std::size_t i = static_cast<std::size_t>(std::max(0, floor->Nivel));
            if (list.FloorBands.size() <= i) {
                list.FloorBands.resize(i + 1, {0, 0});
            }
            list.FloorBands[i].first = std::min(list.FloorBands[i].first, b.top);
            list.FloorBands[i].second = std::max(list.FloorBands[i].second, b.bottom);
        }
    }
    std::int32_t a = 0;
    for (const auto& stair : list.Stairs) {
        a += std::abs(stair->MinLeft) + std::abs(stair->MaxRight);
    }
    const std::int32_t c = std::abs(r.left);
    const std::int32_t width = c + std::abs(r.right);
    std::int32_t e = 100;
    std::int32_t f = 100;
    if (list.Stairs.size() == 1) {
        const std::int32_t m = std::abs(list.Stairs.front()->MinLeft);
        if (c < m) {
            f = m - c + 100;
        } else {
            e = c - m + 100;
        }
    } else if (width < a) {
        f = (a - width) / 2 + 120;
    } else {
        e = (width - a) / 2 + 100;
    }
    MoveFloor(*headend, c + f, std::abs(r.top) + 100);
    // Trunk lines leaving the headend, each on its own height below it.
    std::int32_t l = 0;
    const std::int32_t polarities = m_prefs.Npolaridades;
    if (m_prefs.TipoDistribucionCab != 0) {
        l = polarities < 5 ? polarities + 1 : polarities + 2;
        std::int32_t factor = 1;
        for (const TBaseGrafMS* object : headend->Symbols) {
            const TComponenteBase* element = AsElement(object->Element());
            if (IsA<TgrafRepartidor>(object) && element != nullptr) {
                const TComponenteBase* feeder = OwnerElement(PeerOf(element, PinKind::Input, 0));
                if (feeder != nullptr && feeder->Is<TAmpliHeader>()) {
                    factor = std::max(1, OutputCount(element));
                }
            }
        }
        l *= factor;
    } else {
        l = polarities;
        for (const TBaseGrafMS* object : headend->Symbols) {
            if (IsA<TgrafMS>(object) || IsA<TgrafFigura>(object)) {
                const TComponenteBase* element = AsElement(object->Element());
                if (element != nullptr && element->Is<TMultiswitch>()) {
                    l += OutputCount(element);
                }
            }
        }
    }
    const std::int32_t y0 = std::abs(r.bottom) + std::abs(r.top) + 100 + 20 * l + 100;
    std::int32_t x = e;
    for (const auto& stair : list.Stairs) {
        std::int32_t y = y0 + 100;
        for (auto it = stair->Floors.rbegin(); it != stair->Floors.rend(); ++it) {
            Tgrafplantas& floor = **it;
            if (floor.Planta->HeaderPl) {
                continue;
            }
            const std::size_t i = static_cast<std::size_t>(std::max(0, floor.Nivel));
            const auto band =
                i < list.FloorBands.size() ? list.FloorBands[i] : std::pair<std::int32_t, std::int32_t>{};
            const std::int32_t top = y + std::abs(band.first);
            MoveFloor(floor, std::abs(stair->MinLeft) + x, top);
            y = top + std::abs(band.second) + 100;
        }
        x = x + std::abs(stair->MinLeft) + std::abs(stair->MaxRight) + 100;
    }
}

// ------------------------------------------------------------------------------------ trunks and feeds

void SchematicLayout::RiserTrunks() {
    if (m_prefs.TipoDistribucionCab == 1) {
        TrunkWires(false);
    }
}

void SchematicLayout::Feeds() {
    if (m_prefs.TipoDistribucionCab == 1) {
        TrunkWires(true);
    } else if (m_prefs.TipoDistribucionCab == 0) {
        FlatFeedsFromHeadend();
    }
}

void SchematicLayout::TrunkWires(bool fromHeadend) {
    Tgrafplantas* headend = HeadendFloor();
    const std::int32_t headendBottom = headend != nullptr ? FloorBounds(*headend).bottom : 0;
    std::int32_t t = 1;
    for (const auto& stair : m_schematic.Stairs().Stairs) {
        for (const auto& floor : stair->Floors) {
            if (floor->Planta->HeaderPl) {
                continue;
            }
            const std::vector<TBaseGrafMS*> symbols = floor->Symbols;
            for (TBaseGrafMS* object : symbols) {
                const TComponenteBase* main = AsElement(object->Element());
                if (main == nullptr || !(main->Is<TMultiswitch>() ||
                                         (main->Is<TLinAmp>() && !IsA<TgrafAmpliInterior>(object)))) {
                    continue;
                }
                auto* figure = dynamic_cast<TgrafFigura*>(object);
                const std::size_t memberCount = figure != nullptr ? figure->MemberCount() : 1;
                for (std::size_t mi = 0; mi < memberCount; ++mi) {
                    auto* symbol =
                        dynamic_cast<TbasegrafMSconpines*>(figure != nullptr ? figure->Member(mi) : object);
                    const TComponenteBase* element = symbol != nullptr ? symbol->ElementBase() : nullptr;
                    if (element == nullptr) {
                        continue;
                    }
                    // Whether the element is fed from the headend floor: input 1 decides, input 2 when 1
                    // is unconnected.
                    const TPin* decider = PeerOf(element, PinKind::Input, 0);
                    if (decider == nullptr) {
                        decider = PeerOf(element, PinKind::Input, 1);
                    }
                    const bool fedFromHeadend = decider != nullptr && OnHeadendFloor(OwnerElement(decider));
                    if (fedFromHeadend != fromHeadend) {
                        continue;
                    }
                    const int inputCount = static_cast<int>(symbol->InputPins().size());
                    for (int i = 0; i < inputCount; ++i) {
                        Tpinesgraf* target = symbol->InputPins()[static_cast<std::size_t>(i)];
                        TPin* sourcePin =
                            target->ElementPin() != nullptr ? target->ElementPin()->Peer() : nullptr;
                        Tpinesgraf* source = m_schematic.GraphicPinOf(sourcePin);
                        if (source == nullptr) {
                            continue;
                        }
                        const Point p0 = At(source);
                        const Point pt = At(target);
                        std::vector<Point> points;
                        if (!fromHeadend) {
                            const std::int32_t y = p0.y + (pt.y - p0.y) / 2 + 10 * i;
                            points = {p0, {p0.x, y}, {pt.x, y}, pt};
                        } else {
                            const std::int32_t yb = headendBottom + 20 + 20 * t;
                            ++t;
                            const TBaseGrafMS* sourceSymbol = source->Symbol();
                            const bool straight = IsA<TgrafCabeceraTerrestre>(sourceSymbol) ||
                                                  IsA<TGrafInyector>(sourceSymbol) || source->Side() % 2 == 1;
                            std::int32_t x1 = p0.x;
                            if (!straight) {
                                const std::int32_t m = PinCountOf(sourcePin);
                                const std::int32_t p = sourcePin->Numeracion;
                                x1 = p0.x < sourceSymbol->X() ? p0.x - 60 * (m / 2 - (p - 1))
                                                              : p0.x + 60 * (p - m / 2 - m % 2);
                            }
                            points = {p0, {x1, p0.y}, {x1, yb}, {pt.x, yb}, pt};
                        }
                        Tgraflinea* wire = AddWire(*floor, nullptr, source, target, std::move(points));
                        wire->SetLabelMode(fromHeadend ? 6 : 2);
                        wire->SetShowLabel(wire->ShowLabel() && mi == 0 && i == inputCount - 1);
                        wire->SetCableCount(PinCountOf(target->ElementPin()) * BundleFactor(main));
                        wire->SetLineKind(static_cast<std::int32_t>(mi) + 1);
                    }
                }
            }
        }
    }
}

void SchematicLayout::FlatFeedsFromHeadend() {
    Tgrafplantas* headend = HeadendFloor();
    std::vector<const TBaseGrafMS*> headendMs;
    std::int32_t totalOutputs = 0;
    if (headend != nullptr) {
        for (const TBaseGrafMS* object : headend->Symbols) {
            const TComponenteBase* element = AsElement(object->Element());
            if (element != nullptr && element->Is<TMultiswitch>() && !IsA<Tgraflinea>(object)) {
                headendMs.push_back(object);
                totalOutputs += OutputCount(element);
            }
        }
    }
    const bool severalStairs = m_schematic.Stairs().Stairs.size() > 1;
    for (const auto& stair : m_schematic.Stairs().Stairs) {
        // Left flats from the highest floor down, then right flats from the lowest floor up.
        std::vector<std::pair<Tgrafplantas*, TespVivgraf*>> leftFlats;
        std::vector<std::pair<Tgrafplantas*, TespVivgraf*>> rightFlats;
        for (auto it = stair->Floors.rbegin(); it != stair->Floors.rend(); ++it) {
            if ((*it)->Planta->HeaderPl) {
                continue;
            }
            for (const auto& space : (*it)->FlatSpaces) {
                if (space->Side == 0) {
                    leftFlats.emplace_back(it->get(), space.get());
                }
            }
        }
        for (const auto& floor : stair->Floors) {
            if (floor->Planta->HeaderPl) {
                continue;
            }
            for (const auto& space : floor->FlatSpaces) {
                if (space->Side == 1) {
                    rightFlats.emplace_back(floor.get(), space.get());
                }
            }
        }
        const std::int32_t leftCount = static_cast<std::int32_t>(leftFlats.size());
        const std::int32_t rightCount = static_cast<std::int32_t>(rightFlats.size());
        std::int32_t cL = 0;
        std::int32_t cR = 0;
        auto feed = [&](Tgrafplantas& floor, TespVivgraf& space, bool right) {
            const Tentradaviv* entry = space.Flat != nullptr ? space.Flat->Entrada() : nullptr;
            TPin* sourcePin = PeerOf(entry, PinKind::Input, 0);
            Tpinesgraf* source = m_schematic.GraphicPinOf(sourcePin);
            Tpinesgraf* target = m_schematic.GraphicPinOf(PeerOf(entry, PinKind::Output, 0));
            if (source == nullptr || target == nullptr) {
                return;
            }
            const Point p0 = At(source);
            const Point p4 = At(target);
            const std::int32_t a = sourcePin->Numeracion;
            std::int32_t xv = 0;
            if (right) {
                xv = p4.x - 20 * rightCount - 342 + 20 * cR;
                ++cR;
            } else {
                xv = p4.x + 20 * leftCount + 342 - 20 * cL;
                --cL;
            }
            const std::int32_t n = PinCountOf(sourcePin);
            std::int32_t yh = 0;
            if (headendMs.size() <= 1) {
                if (!severalStairs) {
                    yh = right ? p0.y + 20 * (n - a + 1) + 20 : p0.y + 20 * a + 20;
                } else {
                    yh = p0.y + 20 * a + 20;
                }
            } else {
                std::int32_t before = 0;
                for (const TBaseGrafMS* ms : headendMs) {
                    if (ms == source->Symbol() ||
                        (IsA<TgrafFigura>(ms) && ms->IsLinkedTo(OwnerElement(sourcePin)))) {
                        break;
                    }
                    before += OutputCount(AsElement(ms->Element()));
                }
                const std::int32_t c = a + before;
                if (!severalStairs) {
                    yh = right ? p0.y + 20 * c + 40 : p0.y + 20 * (totalOutputs - c) + 40;
                } else if (xv < p0.x) {
                    yh = p0.y + 20 * ((totalOutputs - before) - (n - a) + 1) + 20;
                } else {
                    yh = p0.y + 20 * (totalOutputs - c) + 40;
                }
            }
            AddWire(floor, nullptr, source, target, {p0, {p0.x, yh}, {xv, yh}, {xv, p4.y}, p4})
                ->SetLabelMode(1);
        };
        for (auto& [floor, space] : leftFlats) {
            feed(*floor, *space, false);
        }
        for (auto& [floor, space] : rightFlats) {
            feed(*floor, *space, true);
        }
    }
}

} // namespace

bool BuildSchematic(Tproyecto& project, TpadreGraficosMS& schematic, Progress& progress) {
    progress.SetCaption("Draw the graphics");
    progress.SetMaximum(5);
    schematic.Clear();
    schematic.Show(&project);
    SchematicLayout layout(project, schematic);
    auto step = [&]() {
        progress.Step();
        if (progress.CancelRequested()) {
            schematic.Clear();
            return false;
        }
        return true;
    };
    layout.Create();
    if (!step()) {
        return false;
    }
    layout.PlaceFloorsAndStairs();
    if (!step()) {
        return false;
    }
    layout.RiserTrunks();
    if (!step()) {
        return false;
    }
    layout.Feeds();
    if (!step()) {
        return false;
    }
    SeparateWires(schematic);
    PlaceLabels(schematic);
    schematic.ComputeExtent();
    schematic.GrowExtent(200, 200);
    schematic.BuildSpatialIndex();
    progress.Step();
    return true;
}

} // namespace ixo
