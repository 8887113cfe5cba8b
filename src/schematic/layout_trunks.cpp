// The floors stacked into stairs, and the trunks and feeds that join them.
#include "schematic/layout_steps.h"

namespace ixo::schematic_layout {

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

} // namespace ixo::schematic_layout
