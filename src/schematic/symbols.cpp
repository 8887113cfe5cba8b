#include "schematic/symbols.h"

#include "model/cbft.h"
#include "model/toma_tv.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ixo {

namespace {

std::int32_t PinCount(const TComponenteBase* element, PinKind kind) {
    return element != nullptr ? static_cast<std::int32_t>(element->PinsOf(kind).size()) : 0;
}

} // namespace

std::string ReferenceWithPartners(const TPrimerComponente* element) {
    std::string reference = TbasegrafMSconpines::ReferenceOf(element);
    if (element != nullptr && element->Is<TCBFT>()) {
        const auto* cbft = static_cast<const TCBFT*>(element);
        if (cbft->DoublePartner() != nullptr) {
            reference += " / " + TbasegrafMSconpines::ReferenceOf(cbft->DoublePartner());
            if (cbft->TriplePartner() != nullptr) {
                reference += " / " + TbasegrafMSconpines::ReferenceOf(cbft->TriplePartner());
            }
        }
    }
    return reference;
}

void SwapDiseqcInputs(TbasegrafMSconpines& symbol) {
    const auto& inputs = symbol.InputPins();
    if (inputs.size() < 2) {
        return;
    }
    Tpinesgraf* first = inputs[0];
    Tpinesgraf* other = inputs.size() >= 3 ? inputs[2] : inputs[1];
    TPin* pin = first->ElementPin();
    first->SetElementPin(other->ElementPin());
    other->SetElementPin(pin);
}

// --- Splitter ---

TgrafRepartidor::TgrafRepartidor(TPrimerComponente* element) : TbasegrafMSconpines(element) {}

void TgrafRepartidor::ResetSize() {
    SetHalfWidth(85);
    SetHalfHeight(85);
}

void TgrafRepartidor::CreatePins() {
    static constexpr Point kInput[1] = {{0, -85}};
    static constexpr int kInputSide[1] = {kSideUp};
    AddPins(kInput, PinList::Input, kInputSide);
    const TComponenteBase* element = ElementBase();
    const std::int32_t outputs = element != nullptr ? element->Nsalidas : 0;
    auto add = [&](std::span<const Point> points, std::span<const int> sides) {
        AddPins(points, PinList::Output, sides);
    };
    switch (outputs) {
    case 2: {
        static constexpr Point p[] = {{-85, 0}, {85, 0}};
        static constexpr int s[] = {2, 0};
        add(p, s);
        break;
    }
    case 3: {
        static constexpr Point p[] = {{-85, 0}, {0, 85}, {85, 0}};
        static constexpr int s[] = {2, 3, 0};
        add(p, s);
        break;
    }
    case 4: {
        static constexpr Point p[] = {{-85, -42}, {-85, 42}, {85, 42}, {85, -42}};
        static constexpr int s[] = {2, 2, 0, 0};
        add(p, s);
        break;
    }
    case 5: {
        static constexpr Point p[] = {{-85, -42}, {-85, 42}, {0, 85}, {85, 42}, {85, -42}};
        static constexpr int s[] = {2, 2, 3, 0, 0};
        add(p, s);
        break;
    }
    case 6: {
        static constexpr Point p[] = {{-85, -42}, {-85, 0}, {-85, 42}, {85, 42}, {85, 0}, {85, -42}};
        static constexpr int s[] = {2, 2, 2, 0, 0, 0};
        add(p, s);
        break;
    }
    case 8: {
        static constexpr Point p[] = {{-85, -42}, {-85, 0}, {-85, 42}, {-42, 85},
                                      {42, 85},   {85, 42}, {85, 0},   {85, -42}};
        static constexpr int s[] = {2, 2, 2, 3, 3, 0, 0, 0};
        add(p, s);
        break;
    }
    default:
        break; // other counts have no laid-out outputs
    }
}

void TgrafRepartidor::CreateTexts() {
    Caption = Hint = ModelText();
    AddText(ModelText(), 0, -37);
    AddText(ReferenceText(), 0, 17);
}

void TgrafRepartidor::Draw(Canvas& canvas) {
    DrawBody(canvas, true);
    DrawPins(canvas);
    DrawTexts(canvas);
}

// --- Outlet ---

TgrafToma::TgrafToma(TPrimerComponente* element) : TbasegrafMSconpines(element) {
    FontSize = 18;
    TextColour = kBlack;
}

void TgrafToma::ResetSize() {
    SetHalfWidth(50);
    SetHalfHeight(50);
}

void TgrafToma::CreatePins() {
    static constexpr Point kInput[1] = {{-50, 0}};
    static constexpr int kInputSide[1] = {kSideLeft};
    AddPins(kInput, PinList::Input, kInputSide);
    const TComponenteBase* element = ElementBase();
    if (element != nullptr && element->Nsalidas > 0) {
        static constexpr Point kOutput[1] = {{50, 0}};
        static constexpr int kOutputSide[1] = {kSideRight};
        AddPins(kOutput, PinList::Output, kOutputSide);
    }
    static constexpr Point kTap[1] = {{25, 0}};
    static constexpr int kTapSide[1] = {kSideRight};
    AddPins(kTap, PinList::Tap, kTapSide);
    TapPins().front()->Visible = false;
}

void TgrafToma::CreateTexts() {
    Caption = Hint = ModelText();
    AddText(ModelText(), 0, -50);
    AddText(ReferenceText(), 0, 12);
}

void TgrafToma::Draw(Canvas& canvas) {
    const Colour fill = Selected ? kRed : (ErrorFill != 0 ? ErrorFill : kCream);
    canvas.SetBrush({fill, BrushStyle::Solid});
    canvas.SetPen({kBlack, Scaled(1), PenStyle::Solid});
    const std::int32_t w = DrawnHalfWidth();
    const std::int32_t h = DrawnHalfHeight();
    canvas.RoundRect({X() - w, Y() - h, X() + w + 1, Y() + h + 1}, HalfWidth() / 2, HalfWidth() / 2);
    // Sockets along the symbol's own x axis.
    const std::int32_t r = Scaled(4);
    canvas.SetBrush({kBlack, BrushStyle::Solid});
    auto socket = [&](std::int32_t dx, std::int32_t dy) {
        const Point at = Turn(Orientation(), dx, dy);
        canvas.Ellipse({X() + at.x - r, Y() + at.y - r, X() + at.x + r, Y() + at.y + r});
    };
    socket(-(HalfWidth() / 2), 0);
    socket(HalfWidth() / 2, 0);
    const auto* outlet =
        Element() != nullptr && Element()->Is<TTomaBase>() ? static_cast<TTomaBase*>(Element()) : nullptr;
    if (outlet != nullptr && outlet->NConectores == 3) {
        socket(0, -(HalfWidth() / 2 - Scaled(3)));
    }
    DrawPins(canvas);
    DrawTexts(canvas);
}

// --- Multiswitch ---

TgrafMS::TgrafMS(TPrimerComponente* element) : Tgrafdin(element) {
    FontSize = 32;
    SetRotatable(false);
}

void TgrafMS::ResetSize() {
    const TComponenteBase* element = ElementBase();
    const std::int32_t inputs = PinCount(element, PinKind::Input);
    const std::int32_t outputs = PinCount(element, PinKind::Output);
    const std::int32_t taps = std::max(4, PinCount(element, PinKind::Tap));
    SetHalfWidth(30 * std::max({5, inputs, outputs}));
    SetHalfHeight(85 * (std::max(2, CeilHalf(taps)) / 2));
}

void TgrafMS::CreatePins() {
    const TComponenteBase* element = ElementBase();
    CreateSidePins(kSideUp, PinCount(element, PinKind::Input), PinList::Input);
    CreateSidePins(kSideDown, PinCount(element, PinKind::Output), PinList::Output);
    // Taps: the first half (rounded up) spread on the left edge, the rest on the right; the tap list
    // interleaves them, tap 1 left, tap 2 right, and so on.
    const std::int32_t n = PinCount(element, PinKind::Tap);
    if (n == 0) {
        return;
    }
    const std::int32_t leftCount = CeilHalf(n);
    const std::int32_t rightCount = n - leftCount;
    auto spread = [&](std::int32_t count, std::int32_t i) {
        const std::int32_t step = (2 * HalfHeight() + 1) / (count + 1);
        return -HalfHeight() + step * (i + 1);
    };
    std::vector<Point> points;
    std::vector<int> sides;
    for (std::int32_t k = 0; k < n; ++k) {
        if (k % 2 == 0) {
            points.push_back({-HalfWidth(), spread(leftCount, k / 2)});
            sides.push_back(kSideLeft);
        } else {
            points.push_back({HalfWidth(), spread(rightCount, k / 2)});
            sides.push_back(kSideRight);
        }
    }
    AddPins(points, PinList::Tap, sides);
}

void TgrafMS::CreateTexts() {
    Caption = Hint = ModelText();
    const std::string reference = ElementBase() != nullptr ? ReferenceWithPartners(Element()) : "REF.";
    const TComponenteBase* element = ElementBase();
    const std::int32_t w = HalfWidth();
    const std::int32_t h = HalfHeight();
    if (element != nullptr && element->Nderivaciones > 6) {
        AddText(ModelText(), 10 - w, 0);
        AddText(reference, 10 - w, h - 60);
    } else {
        AddText(ModelText(), 10 - w, 10 - h);
        AddText(reference, 10 - w, h - 50);
    }
}

void TgrafMS::Draw(Canvas& canvas) {
    DrawBody(canvas, false);
    DrawPinArrows(canvas);
    DrawPins(canvas);
    DrawTexts(canvas);
}

// --- DiSEqC switch and IF unit ---

TgrafDisecQ::TgrafDisecQ(TPrimerComponente* element) : Tgrafdin(element) {
    FontSize = 16;
}

void TgrafDisecQ::ResetSize() {
    SetHalfWidth(20);
    SetHalfHeight(20);
}

void TgrafDisecQ::CreatePins() {
    const TComponenteBase* element = ElementBase();
    CreateSidePins(kSideLeft, PinCount(element, PinKind::Input), PinList::Input);
    CreateSidePins(kSideRight, PinCount(element, PinKind::Output), PinList::Output);
}

void TgrafDisecQ::CreateTexts() {
    if (ElementBase() != nullptr) {
        Caption = Hint = ModelText();
        AddText(ModelText(), 0, -HalfHeight() / 2);
    }
}

void TgrafDisecQ::Draw(Canvas& canvas) {
    DrawBody(canvas, false);
    DrawPins(canvas);
    DrawTexts(canvas);
}

TgrafIFT::TgrafIFT(TPrimerComponente* element) : Tgrafdin(element) {
    FontSize = 16;
    SetRotatable(false);
}

void TgrafIFT::ResetSize() {
    SetHalfWidth(20);
    SetHalfHeight(20);
}

void TgrafIFT::CreatePins() {
    const TComponenteBase* element = ElementBase();
    CreateSidePins(kSideUp, PinCount(element, PinKind::Input), PinList::Input);
    CreateSidePins(kSideDown, PinCount(element, PinKind::Output), PinList::Output);
}

void TgrafIFT::CreateTexts() {
    if (ElementBase() != nullptr) {
        Caption = Hint = ModelText();
        AddText(ModelText(), 0, -HalfHeight() / 2);
    }
}

void TgrafIFT::Draw(Canvas& canvas) {
    DrawBody(canvas, false);
    DrawPins(canvas);
    DrawTexts(canvas);
}

// --- Amplifiers ---

TgrafAmpliheader::TgrafAmpliheader(TPrimerComponente* element) : Tgrafdin(element) {
    SetRotatable(false);
}

std::int32_t TgrafAmpliheader::DesignHalfWidth() const {
    const TComponenteBase* element = ElementBase();
    return 30 * std::max({5, PinCount(element, PinKind::Input), PinCount(element, PinKind::Output)});
}

void TgrafAmpliheader::ResetSize() {
    SetHalfWidth(DesignHalfWidth());
    SetHalfHeight(DesignHalfHeight());
}

void TgrafAmpliheader::CreatePins() {
    const TComponenteBase* element = ElementBase();
    CreateSidePins(kSideUp, PinCount(element, PinKind::Input), PinList::Input);
    CreateSidePins(kSideDown, PinCount(element, PinKind::Output), PinList::Output);
}

void TgrafAmpliheader::CreateTexts() {
    Caption = Hint = ModelText();
    const std::string reference = ElementBase() != nullptr ? ReferenceWithPartners(Element()) : "REF.";
    const std::int32_t h = DesignHalfHeight();
    AddText(ModelText(), 0, 30 - h);
    AddText(reference, 0, h - 50);
}

void TgrafAmpliheader::Draw(Canvas& canvas) {
    DrawBody(canvas, false);
    static constexpr Point kTriangle[3] = {{-60, -42}, {60, -42}, {0, 42}};
    DrawTriangle(canvas, kTriangle, kWhite);
    DrawPinArrows(canvas);
    DrawPins(canvas);
    DrawTexts(canvas);
}

TGrafampLin::TGrafampLin(TPrimerComponente* element) : TgrafAmpliheader(element) {}

void TGrafampLin::Draw(Canvas& canvas) {
    DrawBody(canvas, false);
    static constexpr Point kTriangle[3] = {{-30, -21}, {30, -21}, {0, 21}};
    DrawTriangle(canvas, kTriangle, kWhite);
    DrawPins(canvas);
    DrawTexts(canvas);
}

TgrafAmpliInterior::TgrafAmpliInterior(TPrimerComponente* element) : TgrafAmpliheader(element) {
    SetRotatable(true);
}

void TgrafAmpliInterior::Draw(Canvas& canvas) {
    DrawBody(canvas, false);
    static constexpr Point kTriangle[3] = {{-30, -21}, {30, -21}, {0, 21}};
    DrawTriangle(canvas, kTriangle, kWhite);
    DrawPins(canvas);
    DrawTexts(canvas);
}

TgrafCabeceraTerrestre::TgrafCabeceraTerrestre(TPrimerComponente* element) : TgrafAmpliheader(element) {}

Rect TgrafCabeceraTerrestre::GetBounds() const {
    Rect bounds = TgrafAmpliheader::GetBounds();
    bounds.top -= Scaled(20) + Scaled(50) + Scaled(60.0 / 2.0);
    return bounds;
}

void TgrafCabeceraTerrestre::Draw(Canvas& canvas) {
    DrawBody(canvas, false);
    static constexpr Point kTriangle[3] = {{-40, -21}, {40, -21}, {0, 21}};
    DrawTriangle(canvas, kTriangle, kWhite);
    DrawPinArrows(canvas);
    // The antenna: a mast from the middle of the top edge, a boom to the right and five elements.
    const Point mastFoot{X(), Y() - HalfHeight()};
    const Point mastTop{X(), mastFoot.y - Scaled(50)};
    canvas.SetPen({kBlack, Scaled(3), PenStyle::Solid});
    canvas.Line(mastFoot, mastTop);
    canvas.SetPen({kBlack, Scaled(8), PenStyle::Solid});
    canvas.Line(mastTop, {mastTop.x + Scaled(70), mastTop.y});
    canvas.SetPen({kBlack, Scaled(3), PenStyle::Solid});
    static constexpr int kDistance[5] = {5, 20, 35, 50, 65};
    static constexpr int kHalfLength[5] = {30, 25, 20, 15, 10};
    for (int i = 0; i < 5; ++i) {
        const std::int32_t x = mastTop.x + Scaled(kDistance[i]);
        canvas.Line({x, mastTop.y - Scaled(kHalfLength[i])}, {x, mastTop.y + Scaled(kHalfLength[i])});
    }
    DrawPins(canvas);
    DrawTexts(canvas);
}

// --- Dish ---

namespace {
const double kCos15 = std::cos(std::numbers::pi / 12.0);
const double kSin15 = std::sin(std::numbers::pi / 12.0);
} // namespace

TgrafParabola::TgrafParabola(TPrimerComponente* element) : TbasegrafMSconpines(element) {
    TextColour = kRed;
    SetRotatable(false);
}

void TgrafParabola::ResetSize() {
    SetHalfWidth((RoundEven(60.0 * kCos15) + 80) / 2);
    SetHalfHeight(90);
}

void TgrafParabola::CreatePins() {
    const TComponenteBase* element = ElementBase();
    const std::int32_t n = element != nullptr ? PinCount(element, PinKind::Output) : 4;
    const std::int32_t step = 20 / (n + 1);
    const std::int32_t y = HalfHeight() - RoundEven(60.0 * kSin15) - 20;
    std::vector<Point> points;
    std::vector<int> sides;
    for (std::int32_t i = 0; i < n; ++i) {
        points.push_back({HalfWidth() - 20 + step * (i + 1), y});
        sides.push_back(kSideDown);
    }
    AddPins(points, PinList::Output, sides);
    if (element != nullptr) {
        Caption = Hint = element->Modelo;
    }
}

void TgrafParabola::Draw(Canvas& canvas) {
    const Point p{X() - HalfWidth() + Scaled(60), Y() - HalfHeight() + Scaled(80)};
    const std::int32_t rx = Scaled(60);
    const std::int32_t ry = Scaled(80);
    canvas.SetBrush({kWhite, BrushStyle::Solid});
    canvas.SetPen({kBlack, Scaled(3), PenStyle::Solid});
    canvas.Ellipse({p.x - rx, p.y - ry, p.x + rx, p.y + ry});
    Font font;
    font.height = std::max(1, Scaled(FontSize));
    font.bold = true;
    font.colour = kRed;
    canvas.SetFont(font);
    const TextSize mark = canvas.TextExtent("Vro");
    canvas.Text(p.x - mark.width / 2, p.y - Scaled(20) - mark.height, "Vro");
    if (ElementBase() != nullptr) {
        const std::string& model = ElementBase()->Modelo;
        const TextSize size = canvas.TextExtent(model);
        canvas.Text(p.x - size.width / 2, p.y + Scaled(20), model);
    }
    canvas.SetPen({kBlack, Scaled(4), PenStyle::Solid});
    const std::int32_t mastTop = p.y + Scaled(80);
    const std::int32_t mastFoot = mastTop + Scaled(20);
    canvas.Line({p.x, mastTop}, {p.x, mastFoot});
    canvas.Line({p.x - Scaled(60) / 3, mastFoot}, {p.x + Scaled(60) / 3, mastFoot});
    const Point arm{p.x + RoundEven(60.0 * kCos15 * Scale()),
                    p.y - RoundEven(60.0 * kSin15 * Scale()) + Scaled(80)};
    canvas.Line({p.x, mastTop}, arm);
    canvas.SetBrush({kSilver, BrushStyle::Solid});
    canvas.SetPen({kBlack, Scaled(3), PenStyle::Solid});
    canvas.Rectangle({arm.x, arm.y - Scaled(10), arm.x + Scaled(20), arm.y});
}

// --- Power supply and injector ---

TgrafFuente::TgrafFuente(TPrimerComponente* element) : TbasegrafMSconpines(element) {}

void TgrafFuente::ResetSize() {
    SetHalfWidth(60);
    SetHalfHeight(40);
}

void TgrafFuente::CreateTexts() {
    Caption = Hint = ModelText();
    AddText(ModelText(), 0, -10);
}

void TgrafFuente::Draw(Canvas& canvas) {
    DrawBody(canvas, true);
    DrawTexts(canvas);
}

TGrafInyector::TGrafInyector(TPrimerComponente* element) : TbasegrafMSconpines(element) {
    FontSize = 16;
}

void TGrafInyector::ResetSize() {
    SetHalfWidth(20);
    SetHalfHeight(20);
}

void TGrafInyector::CreatePins() {
    static constexpr Point kInput[1] = {{0, -20}};
    static constexpr int kInputSide[1] = {kSideUp};
    static constexpr Point kOutput[1] = {{0, 20}};
    static constexpr int kOutputSide[1] = {kSideDown};
    AddPins(kInput, PinList::Input, kInputSide);
    AddPins(kOutput, PinList::Output, kOutputSide);
}

void TGrafInyector::CreateTexts() {
    const std::string model = ModelText();
    Caption = Hint = model;
    const std::size_t blank = model.find(' ');
    AddText(model.substr(0, blank), 0, -17);
    AddText(blank == std::string::npos ? std::string() : model.substr(blank + 1), 0, 2);
}

void TGrafInyector::Draw(Canvas& canvas) {
    TextColour = kWhite;
    DrawBody(canvas, false);
    static constexpr Point kTriangle[3] = {{-5, -20}, {5, -20}, {0, -15}};
    DrawTriangle(canvas, kTriangle, kBlack);
    DrawPins(canvas);
    DrawTexts(canvas);
}

} // namespace ixo
