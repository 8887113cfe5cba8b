// The symbols of every floor and the flats in their frames beside what feeds them.
#include "schematic/layout_steps.h"

namespace ixo::schematic_layout {

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

} // namespace ixo::schematic_layout
