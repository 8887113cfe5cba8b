#include "schematic/symbol.h"

#include "model/componente_base.h"
#include "model/disecq.h"
#include "model/pin.h"

namespace ixo {

TbasegrafMSconpines::TbasegrafMSconpines(TPrimerComponente* element) : TBaseGrafMS(element) {}

TbasegrafMSconpines::~TbasegrafMSconpines() = default;

void TbasegrafMSconpines::Initialise() {
    TBaseGrafMS::Initialise();
    CreatePins();
    CreateTexts();
}

TComponenteBase* TbasegrafMSconpines::ElementBase() const {
    TPrimerComponente* element = Element();
    return element != nullptr && element->Is<TComponenteBase>() ? static_cast<TComponenteBase*>(element)
                                                                : nullptr;
}

void TbasegrafMSconpines::SetOrientation(int o) {
    TBaseGrafMS::SetOrientation(o);
    for (const auto& pin : m_ownedPins) {
        pin->SetOrientation(Orientation());
    }
}

void TbasegrafMSconpines::Rescale(double s) {
    TBaseGrafMS::Rescale(s);
    for (Tpinesgraf* pin : m_inputPins) {
        pin->Rescale(s);
    }
    for (Tpinesgraf* pin : m_outputPins) {
        pin->Rescale(s);
    }
    for (Tpinesgraf* pin : m_tapPins) {
        pin->Rescale(s);
    }
    for (const auto& text : m_texts) {
        text->Rescale(s);
    }
}

void TbasegrafMSconpines::MoveBy(std::int32_t dx, std::int32_t dy) {
    TBaseGrafMS::MoveBy(dx, dy);
    for (const auto& pin : m_ownedPins) {
        pin->MoveBy(dx, dy);
    }
}

Tpinesgraf* TbasegrafMSconpines::FindPin(const TPin* elementPin) const {
    if (elementPin == nullptr) {
        return nullptr;
    }
    const std::vector<Tpinesgraf*>* list = nullptr;
    switch (elementPin->TipodePin) {
    case 'E':
        list = &m_inputPins;
        break;
    case 'S':
        list = &m_outputPins;
        break;
    case 'D':
        list = &m_tapPins;
        break;
    default:
        return nullptr;
    }
    // A DiSEqC switch may have its inputs swapped: its input pins are found by the linked pin's number.
    if (elementPin->TipodePin == 'E' && Element() != nullptr && Element()->Is<TDISECQ>()) {
        for (Tpinesgraf* pin : *list) {
            if (pin->ElementPin() != nullptr && pin->ElementPin()->Numeracion == elementPin->Numeracion) {
                return pin;
            }
        }
        return nullptr;
    }
    const std::int32_t index = elementPin->Numeracion - 1;
    if (index < 0 || static_cast<std::size_t>(index) >= list->size()) {
        return nullptr;
    }
    return (*list)[static_cast<std::size_t>(index)];
}

TbasegrafMSconpines::TextItem TbasegrafMSconpines::TextInfo(std::size_t i) const {
    if (i >= m_texts.size()) {
        return {};
    }
    return {m_texts[i]->Caption, m_texts[i]->RelX(), m_texts[i]->RelY()};
}

std::string TbasegrafMSconpines::ReferenceOf(const TPrimerComponente* element) {
    if (element == nullptr) {
        return {};
    }
    std::string reference = element->Name().empty() ? std::string() : element->Name().substr(0, 1);
    return reference + std::to_string(element->Numero_Interno());
}

void TbasegrafMSconpines::AddPins(std::span<const Point> points, PinList list, std::span<const int> sides) {
    TComponenteBase* element = ElementBase();
    const PinKind kind = list == PinList::Input    ? PinKind::Input
                         : list == PinList::Output ? PinKind::Output
                                                   : PinKind::Tap;
    std::vector<Tpinesgraf*>& target = list == PinList::Input    ? m_inputPins
                                       : list == PinList::Output ? m_outputPins
                                                                 : m_tapPins;
    for (std::size_t i = 0; i < points.size(); ++i) {
        auto pin = MakeGraphic<Tpinesgraf>(this, points[i], sides[i]);
        pin->SetOrientation(Orientation());
        if (element != nullptr && i < element->PinsOf(kind).size()) {
            pin->SetElementPin(element->PinsOf(kind)[i]);
        }
        target.push_back(pin.get());
        m_ownedPins.push_back(std::move(pin));
    }
}

void TbasegrafMSconpines::AddText(std::string text, std::int32_t x, std::int32_t y) {
    m_texts.push_back(MakeGraphic<TobjetoPostexto>(Point{x, y}, std::move(text)));
}

std::string TbasegrafMSconpines::ModelText() const {
    const TComponenteBase* element = ElementBase();
    return element != nullptr ? element->Modelo : std::string("MODEL");
}

std::string TbasegrafMSconpines::ReferenceText() const {
    const TComponenteBase* element = ElementBase();
    return element != nullptr ? ReferenceOf(element) : std::string("REF.");
}

std::int32_t TbasegrafMSconpines::DrawnHalfWidth() const {
    return Orientation() % 2 == 0 ? HalfWidth() : HalfHeight();
}

std::int32_t TbasegrafMSconpines::DrawnHalfHeight() const {
    return Orientation() % 2 == 0 ? HalfHeight() : HalfWidth();
}

void TbasegrafMSconpines::DrawBody(Canvas& canvas, bool rounded) {
    canvas.SetBrush({kRed, BrushStyle::Solid});
    canvas.SetPen({kBlack, Scaled(3), PenStyle::Solid});
    const std::int32_t w = DrawnHalfWidth();
    const std::int32_t h = DrawnHalfHeight();
    const Rect body{X() - w, Y() - h, X() + w + 1, Y() + h + 1};
    if (rounded) {
        canvas.RoundRect(body, HalfWidth() / 2, HalfWidth() / 2);
    } else {
        canvas.Rectangle(body);
    }
    canvas.SetPen({kBlack, Scaled(1), PenStyle::Solid});
}

void TbasegrafMSconpines::DrawTriangle(Canvas& canvas, const Point (&points)[3], Colour fill) {
    Point placed[3];
    for (int i = 0; i < 3; ++i) {
        const Point turned = Turn(Orientation(), Scaled(points[i].x), Scaled(points[i].y));
        placed[i] = {X() + turned.x, Y() + turned.y};
    }
    canvas.SetBrush({fill, BrushStyle::Solid});
    canvas.Polygon(placed);
}

void TbasegrafMSconpines::DrawPinArrows(Canvas& canvas) {
    canvas.SetPen({kBlack, Scaled(1), PenStyle::Solid});
    canvas.SetBrush({kBlack, BrushStyle::Solid});
    auto arrow = [&](const Tpinesgraf* pin, const Point(&offsets)[3]) {
        Point placed[3];
        for (int i = 0; i < 3; ++i) {
            placed[i] = {pin->X() + Scaled(offsets[i].x), pin->Y() + Scaled(offsets[i].y)};
        }
        canvas.Polygon(placed);
    };
    static constexpr Point kInAbove[3] = {{-8, 0}, {8, 0}, {0, 8}};
    static constexpr Point kInBelow[3] = {{-8, 0}, {8, 0}, {0, -8}};
    static constexpr Point kOutAbove[3] = {{-8, 16}, {8, 16}, {0, 8}};
    static constexpr Point kOutBelow[3] = {{-8, -8}, {8, -8}, {0, 0}};
    for (const Tpinesgraf* pin : m_inputPins) {
        arrow(pin, pin->Y() < Y() ? kInAbove : kInBelow);
    }
    for (const Tpinesgraf* pin : m_outputPins) {
        arrow(pin, pin->Y() <= Y() ? kOutAbove : kOutBelow);
    }
}

void TbasegrafMSconpines::DrawPins(Canvas& canvas) {
    for (Tpinesgraf* pin : m_inputPins) {
        pin->Draw(canvas);
    }
    for (Tpinesgraf* pin : m_outputPins) {
        pin->Draw(canvas);
    }
    for (Tpinesgraf* pin : m_tapPins) {
        pin->Draw(canvas);
    }
}

void TbasegrafMSconpines::DrawTexts(Canvas& canvas) {
    const std::int32_t w = HalfWidth();
    const std::int32_t h = HalfHeight();
    for (const auto& item : m_texts) {
        if (item->Caption.empty()) {
            continue;
        }
        Font font;
        font.height = std::max(1, Scaled(FontSize));
        font.colour = TextColour;
        canvas.SetFont(font);
        const TextSize size = canvas.TextExtent(item->Caption);
        font.bold = true;
        const std::int32_t offset = item->Y();
        const int o = Orientation();
        if (o % 2 == 0) {
            canvas.SetFont(font);
            const std::int32_t left = X() - w + ((2 * w + 1) - size.width) / 2;
            const std::int32_t top = o == 0 ? Y() + offset : Y() - offset - size.height;
            canvas.Text(left, top, item->Caption);
        } else {
            font.escapement = o == 1 ? 900 : -900;
            canvas.SetFont(font);
            const int s = SinQ(o);
            canvas.Text(X() + s * offset, Y() + s * (h - ((2 * w + 1) - size.width) / 2), item->Caption);
        }
    }
}

void Tgrafdin::CreateSidePins(int side, int n, PinList list) {
    if (n <= 0) {
        return;
    }
    const std::int32_t halfAlong = (side == kSideRight || side == kSideLeft) ? HalfHeight() : HalfWidth();
    const std::int32_t step = (2 * halfAlong + 1) / (n + 1);
    std::vector<Point> points;
    std::vector<int> sides(static_cast<std::size_t>(n), side);
    for (int i = 0; i < n; ++i) {
        const std::int32_t along = -halfAlong + step * (i + 1);
        switch (side) {
        case kSideRight:
            points.push_back({HalfWidth(), along});
            break;
        case kSideUp:
            points.push_back({along, -HalfHeight()});
            break;
        case kSideLeft:
            points.push_back({-HalfWidth(), along});
            break;
        default:
            points.push_back({along, HalfHeight()});
            break;
        }
    }
    AddPins(points, list, sides);
}

} // namespace ixo
