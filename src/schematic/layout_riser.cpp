// The riser floors: the multiswitches or line amplifiers with their flat columns and supplies.
#include "schematic/layout_steps.h"

namespace ixo::schematic_layout {

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

} // namespace ixo::schematic_layout
