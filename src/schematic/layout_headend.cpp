// The headend floor: dishes, terrestrial headend, amplifiers, splitters and injectors, and their wires.
#include "schematic/layout_steps.h"

namespace ixo::schematic_layout {

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

} // namespace ixo::schematic_layout
