#include "building/vivienda.h"
#include "model/cable_tv.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "schematic/flat_frame.h"
#include "schematic/recording_canvas.h"
#include "schematic/routes.h"
#include "schematic/schematic.h"
#include "schematic/stacked_figure.h"
#include "schematic/symbols.h"
#include "schematic/wire.h"
#include "schematic_test_support.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

std::vector<Point> Positions(const std::vector<Tpinesgraf*>& pins) {
    std::vector<Point> points;
    for (const Tpinesgraf* pin : pins) {
        points.push_back({pin->X(), pin->Y()});
    }
    return points;
}

class SymbolGeometryTest : public ::testing::Test {
protected:
    std::unique_ptr<TPadreTV> owner = TPrimerComponente::CreateRoot<TPadreTV>();
};

TEST(GeometryTest, RoundingIsHalfToEvenAndTheTurnTableIsExact) {
    EXPECT_EQ(RoundEven(2.5), 2);
    EXPECT_EQ(RoundEven(3.5), 4);
    EXPECT_EQ(RoundEven(-2.5), -2);
    // o = 1: (cos dx + sin dy, cos dy - sin dx) = (dy, -dx); o = 2 negates both.
    EXPECT_EQ(Turn(1, -85, 0), (Point{0, 85}));
    EXPECT_EQ(Turn(2, 10, -20), (Point{-10, 20}));
    EXPECT_EQ(Turn(3, 10, 20), (Point{-20, 10}));
}

TEST_F(SymbolGeometryTest, FourInputMultiswitchHasTheSpreadPinsOfItsSides) {
    auto* element = MakeElement<TMultiswitch>(owner.get(), 4, 8, 4);
    auto ms = MakeGraphic<TgrafMS>(element);
    // Width 30 x max(5, 4, 8) = 240; height 85 x (max(2, 4 div 2) div 2) = 85.
    EXPECT_EQ(ms->HalfWidth(), 240);
    EXPECT_EQ(ms->HalfHeight(), 85);
    // Inputs: step (2 x 240 + 1) div 5 = 96 from -240.
    EXPECT_EQ(Positions(ms->InputPins()),
              (std::vector<Point>{{-144, -85}, {-48, -85}, {48, -85}, {144, -85}}));
    // Outputs: step 481 div 9 = 53.
    EXPECT_EQ(Positions(ms->OutputPins()),
              (std::vector<Point>{
                  {-187, 85}, {-134, 85}, {-81, 85}, {-28, 85}, {25, 85}, {78, 85}, {131, 85}, {184, 85}}));
    // Taps alternate left and right, step 171 div 3 = 57 from -85.
    EXPECT_EQ(Positions(ms->TapPins()), (std::vector<Point>{{-240, -28}, {240, -28}, {-240, 29}, {240, 29}}));
    EXPECT_EQ(ms->TapPins()[1]->ElementPin(), element->PinesDERIVACION()[1]);
    EXPECT_FALSE(ms->Rotatable());
    ms->SetOrientation(1);
    EXPECT_EQ(ms->Orientation(), 0);
}

TEST_F(SymbolGeometryTest, MultiswitchHeightGrowsWithItsTaps) {
    EXPECT_EQ(MakeGraphic<TgrafMS>(MakeElement<TMultiswitch>(owner.get(), 5, 0, 6))->HalfHeight(), 85);
    EXPECT_EQ(MakeGraphic<TgrafMS>(MakeElement<TMultiswitch>(owner.get(), 5, 0, 8))->HalfHeight(), 170);
    EXPECT_EQ(MakeGraphic<TgrafMS>(MakeElement<TMultiswitch>(owner.get(), 5, 0, 12))->HalfHeight(), 255);
}

TEST_F(SymbolGeometryTest, SplitterOutputsFollowTheirTableAndSevenOutputsGetNone) {
    auto three = MakeGraphic<TgrafRepartidor>(MakeElement<TRepartidor>(owner.get(), 1, 3, 0));
    EXPECT_EQ(Positions(three->OutputPins()), (std::vector<Point>{{-85, 0}, {0, 85}, {85, 0}}));
    EXPECT_EQ(three->OutputPins()[1]->Side(), kSideDown);
    EXPECT_EQ(Positions(three->InputPins()), (std::vector<Point>{{0, -85}}));
    auto seven = MakeGraphic<TgrafRepartidor>(MakeElement<TRepartidor>(owner.get(), 1, 7, 0));
    EXPECT_TRUE(seven->OutputPins().empty());
    // Turned a quarter (right of the riser): output 1 at (-85, 0) comes out of the lower edge.
    three->SetOrientation(1);
    three->Rescale(1.0);
    EXPECT_EQ(Positions(three->OutputPins()).front(), (Point{0, 85}));
    EXPECT_EQ(three->OutputPins().front()->DrawnSide(), kSideDown);
}

TEST_F(SymbolGeometryTest, RescaleTwiceGivesBackTheDesignGeometry) {
    auto splitter = MakeGraphic<TgrafRepartidor>(MakeElement<TRepartidor>(owner.get(), 1, 4, 0));
    splitter->SetOrientation(3);
    splitter->ShiftRel(333, -77);
    splitter->Rescale(1.0);
    const Rect before = splitter->GetBounds();
    const auto pinsBefore = Positions(splitter->OutputPins());
    splitter->Rescale(2.0);
    EXPECT_EQ(splitter->HalfWidth(), 170);
    EXPECT_EQ(splitter->X(), 666);
    splitter->Rescale(0.37);
    splitter->Rescale(1.0);
    EXPECT_EQ(splitter->GetBounds(), before);
    EXPECT_EQ(Positions(splitter->OutputPins()), pinsBefore);
}

TEST_F(SymbolGeometryTest, BoundsTurnWithTheOrientation) {
    auto supply = MakeGraphic<TgrafFuente>(nullptr);
    EXPECT_EQ(supply->GetBounds(), (Rect{-60, -40, 60, 40}));
    supply->SetOrientation(1);
    EXPECT_EQ(supply->GetBounds(), (Rect{-40, -60, 40, 60}));
}

TEST_F(SymbolGeometryTest, OutletSocketsAndSelectionColour) {
    auto* element = MakeElement<TTomaTV>(owner.get(), 1, 0, 1);
    auto outlet = MakeGraphic<TgrafToma>(element);
    RecordingCanvas canvas;
    outlet->Draw(canvas);
    EXPECT_EQ(canvas.OfKind(DrawOp::Ellipse).size(), 2u);
    EXPECT_EQ(canvas.OfKind(DrawOp::RoundRect).front().brush.colour, kCream);
    // Sockets at X -/+ (50 div 2), radius 4.
    EXPECT_EQ(canvas.OfKind(DrawOp::Ellipse).front().rect, (Rect{-29, -4, -21, 4}));
    // The tap pin is never drawn; the output pin exists only with outputs.
    EXPECT_TRUE(outlet->OutputPins().empty());
    EXPECT_FALSE(outlet->TapPins().front()->Visible);
    element->NConectores = 3;
    outlet->Selected = true;
    canvas.Clear();
    outlet->Draw(canvas);
    EXPECT_EQ(canvas.OfKind(DrawOp::Ellipse).size(), 3u);
    EXPECT_EQ(canvas.OfKind(DrawOp::RoundRect).front().brush.colour, kRed);
}

TEST_F(SymbolGeometryTest, DishWithoutElementDrawsFourOutputsAndOnlyItsMark) {
    auto dish = MakeGraphic<TgrafParabola>(nullptr);
    EXPECT_EQ(dish->HalfWidth(), 69); // (round(60 cos 15) + 80) div 2 = (58 + 80) div 2
    // step 20 div 5 = 4: x 49 + 4 (i + 1), y 90 - round(60 sin 15) - 20 = 54.
    EXPECT_EQ(Positions(dish->OutputPins()), (std::vector<Point>{{53, 54}, {57, 54}, {61, 54}, {65, 54}}));
    RecordingCanvas canvas;
    dish->Draw(canvas);
    const auto texts = canvas.OfKind(DrawOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts.front().text, "Vro");
}

TEST_F(SymbolGeometryTest, PinStubIsALineWithACrossTick) {
    auto splitter = MakeGraphic<TgrafRepartidor>(MakeElement<TRepartidor>(owner.get(), 1, 2, 0));
    RecordingCanvas canvas;
    splitter->OutputPins()[1]->Draw(canvas); // (85, 0), side 0
    const auto lines = canvas.OfKind(DrawOp::Polyline);
    ASSERT_EQ(lines.size(), 2u);
    // L = 2 x 8 = 16, T = 2 x 2 = 4: tick from -T + 1 to +T.
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{85, 0}, {101, 0}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{101, -3}, {101, 4}}));
}

TEST_F(SymbolGeometryTest, WireHidesThePinStubsItJoinsUntilDisconnected) {
    auto a = MakeGraphic<TgrafRepartidor>(MakeElement<TRepartidor>(owner.get(), 1, 2, 0));
    auto b = MakeGraphic<TgrafRepartidor>(MakeElement<TRepartidor>(owner.get(), 1, 2, 0));
    Tpinesgraf* out = a->OutputPins()[0];
    Tpinesgraf* in = b->InputPins()[0];
    auto wire = MakeGraphic<Tgraflinea>(in->ElementPin(), out->ElementPin(), in, out,
                                        std::vector<Point>{{out->X(), out->Y()}, {in->X(), in->Y()}});
    EXPECT_EQ(out->LinkedPin(), in);
    EXPECT_EQ(in->OtherOwner(), a.get());
    RecordingCanvas canvas;
    out->Draw(canvas);
    in->Draw(canvas);
    EXPECT_TRUE(canvas.Records().empty());
    out->Disconnect();
    EXPECT_TRUE(in->IsFree());
    in->Draw(canvas);
    EXPECT_EQ(canvas.OfKind(DrawOp::Polyline).size(), 2u);
    // Without a cable on its source pin: no label, none drawn.
    EXPECT_TRUE(wire->Caption.empty());
    EXPECT_FALSE(wire->ShowLabel());
    canvas.Clear();
    wire->HitsRect({-1000, -1000, 1000, 1000});
    wire->Draw(canvas);
    EXPECT_TRUE(canvas.OfKind(DrawOp::Text).empty());
}

TEST(WireTest, LineWidthFollowsTheCableDiameter) {
    EXPECT_EQ(Tgraflinea::PenUnitsForDiameter(6.99), 1);
    EXPECT_EQ(Tgraflinea::PenUnitsForDiameter(7.0), 2);
    EXPECT_EQ(Tgraflinea::PenUnitsForDiameter(9.0), 3);
    EXPECT_EQ(Tgraflinea::PenUnitsForDiameter(10.99), 3);
    EXPECT_EQ(Tgraflinea::PenUnitsForDiameter(11.0), 4);
}

TEST_F(SymbolGeometryTest, WireLabelCarriesCountLengthAndModel) {
    auto* cable = TPrimerComponente::Create<TCableTV>(owner.get());
    cable->Modelo = "CX-68";
    cable->Diametro = 7.0;
    auto* source = MakeElement<TRepartidor>(owner.get(), 1, 2, 0);
    auto* target = MakeElement<TRepartidor>(owner.get(), 1, 2, 0);
    ASSERT_TRUE(LinkPins(*source->PinesSALIDA()[0], *target->PinesENTRADA()[0], *cable, 12.25));
    auto a = MakeGraphic<TgrafRepartidor>(source);
    auto b = MakeGraphic<TgrafRepartidor>(target);
    auto wire =
        MakeGraphic<Tgraflinea>(target->PinesENTRADA()[0], source->PinesSALIDA()[0], b->InputPins()[0],
                                a->OutputPins()[0], std::vector<Point>{{0, 0}, {0, 100}, {200, 100}});
    EXPECT_EQ(wire->Caption, "12.2 m CX-68");
    EXPECT_EQ(wire->PenUnits(), 2);
    EXPECT_TRUE(wire->ShowLabel());
    wire->SetCableCount(4);
    EXPECT_EQ(wire->Caption, "4x 12.2 m CX-68");
    EXPECT_EQ(wire->Hint, "12.2 m CX-68");
    // Mode 3: text left at Pn.x + u = 202, bottom 2 above Pn.y (the recording font is 20 high).
    wire->SetLabelMode(3);
    wire->HitsRect({-1000, -1000, 1000, 1000});
    RecordingCanvas canvas;
    wire->Draw(canvas);
    const auto texts = canvas.OfKind(DrawOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts.front().points.front(), (Point{202, 78}));
    EXPECT_EQ(canvas.OfKind(DrawOp::Polyline).front().pen.width, 2);
    // A label outside the clip rectangle is not drawn.
    wire->HitsRect({500, 500, 600, 600});
    canvas.Clear();
    wire->Draw(canvas);
    EXPECT_TRUE(canvas.OfKind(DrawOp::Text).empty());
}

TEST(SelectionTest, OnlyObjectsOfTheFirstElementClassAreSelected) {
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    auto outlet = MakeGraphic<TgrafToma>(MakeElement<TTomaTV>(owner.get(), 1, 0, 1));
    auto amplifier = MakeGraphic<TGrafampLin>(MakeElement<TLinAmp>(owner.get(), 1, 1, 0));
    TlistaObjSel selection;
    EXPECT_TRUE(selection.Select(outlet.get()));
    EXPECT_FALSE(selection.Select(amplifier.get()));
    EXPECT_EQ(selection.Items().size(), 1u);
    EXPECT_TRUE(outlet->Selected);
    EXPECT_FALSE(amplifier->Selected);
    selection.ClearSelection();
    EXPECT_FALSE(outlet->Selected);
}

TEST(FlatFrameTest, AnUnnamedFlatIsNamedAfterItsNumber) {
    auto project = MakeProject({});
    Tvivienda* flat = project->ListaViviendas().Object(0);
    flat->NombreViv.clear();
    auto frame = MakeGraphic<TrectanguloPunteado>(flat);
    EXPECT_EQ(frame->Caption, "FL" + std::to_string(flat->Numero_Interno()));
    EXPECT_EQ(flat->NombreViv, frame->Caption);
}

TEST_F(SymbolGeometryTest, DoubleFigureStacksItsMembersAndFindsPinsOfBoth) {
    auto* main = MakeElement<TMultiswitch>(owner.get(), 4, 0, 4);
    auto* partner = MakeElement<TMultiswitch>(owner.get(), 4, 0, 4);
    main->SetDoublePartner(partner);
    auto figure = MakeGraphic<TgrafdobleMs>(main);
    figure->SetRelX(100);
    figure->SetRelY(50);
    figure->Rescale(1.0);
    ASSERT_EQ(figure->MemberCount(), 2u);
    // Half width 30 x max(5, 4, 0) = 150. The partner at the figure's position, the main member
    // round(150 x 0.04 x 2) = 12 right and round(85 x 0.04 x 2) = round(6.8) = 7 down.
    EXPECT_EQ(figure->Member(1)->X(), 100);
    EXPECT_EQ(figure->Member(0)->X(), 112);
    EXPECT_EQ(figure->Member(0)->Y(), 57);
    EXPECT_EQ(figure->Caption, "2 x TEST");
    EXPECT_EQ(figure->FindPin(partner->PinesDERIVACION()[2]), figure->Member(1)->TapPins()[2]);
    // Partner -50..250 x -35..135, main -38..262 x -28..142.
    EXPECT_EQ(figure->GetBounds(), (Rect{-50, -35, 262, 142}));
    TpadreGraficosMS schematic(nullptr);
    TBaseGrafMS* adopted = schematic.Adopt(std::move(figure));
    EXPECT_EQ(schematic.FindGraphicOf(partner), adopted);
    EXPECT_FALSE(schematic.HasTriple);
}

TEST(RouteTest, ZShapesAndRiserOffsets) {
    EXPECT_EQ(ZByX({0, 0}, {101, 50}), (std::vector<Point>{{0, 0}, {50, 0}, {50, 50}, {101, 50}}));
    EXPECT_EQ(ZByY({0, 0}, {-30, -71}), (std::vector<Point>{{0, 0}, {0, -35}, {-30, -35}, {-30, -71}}));
    // A column of three flats on a spaced family: runs 100, 80 and 100 from their targets (a = 60, 40, 60).
    EXPECT_EQ(RiserToFlatRoute({0, 0}, {500, 300}, 60)[1], (Point{400, 0}));
    EXPECT_EQ(RiserToFlatRoute({0, 0}, {500, 300}, 40)[1], (Point{420, 0}));
    EXPECT_EQ(RiserToFlatRoute({900, 0}, {500, 300}, 60)[1], (Point{600, 0}));
    // Without offset, a quarter of the way from the source.
    EXPECT_EQ(RiserToFlatRoute({0, 0}, {500, 300}, 0)[2], (Point{125, 300}));
}

} // namespace
} // namespace ixo::test
