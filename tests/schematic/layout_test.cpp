#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/alimentador.h"
#include "model/ampli_base.h"
#include "model/especial.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "schematic/flat_frame.h"
#include "schematic/layout.h"
#include "schematic/recording_canvas.h"
#include "schematic/schematic.h"
#include "schematic/sheet.h"
#include "schematic/stacked_figure.h"
#include "schematic/symbols.h"
#include "schematic/wire.h"
#include "schematic_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace ixo::test {
namespace {

// Every network element of the project: the elements of the network container and of every flat.
void CollectElements(const TPrimerComponente* owner, std::vector<TComponenteBase*>& out) {
    for (TPrimerComponente* child : owner->Components()) {
        if (child->Is<TComponenteBase>()) {
            out.push_back(static_cast<TComponenteBase*>(child));
        } else if (!child->Is<TPin>()) {
            CollectElements(child, out);
        }
    }
}

bool HasSymbolClass(const TComponenteBase* element) {
    return !element->Is<Tentradaviv>() && element->ClassName() != "TCarga";
}

struct Built {
    std::unique_ptr<Tproyecto> project;
    std::unique_ptr<TpadreGraficosMS> schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
};

Built Layout(const Building& building) {
    Built built;
    built.project = BuildInstallation(building);
    EXPECT_TRUE(BuildSchematic(*built.project, *built.schematic, NoProgress()));
    return built;
}

std::vector<Tgraflinea*> Wires(const TpadreGraficosMS& schematic) {
    std::vector<Tgraflinea*> wires;
    for (const auto& object : schematic.Objects()) {
        if (auto* wire = dynamic_cast<Tgraflinea*>(object.get())) {
            wires.push_back(wire);
        }
    }
    return wires;
}

// The invariants every layout keeps: each element with a symbol class is drawn once; each wire's ends
// sit on its two graphic pins, whose element pins are connected; each connection between two drawn
// pins is one wire; a flat's entry is drawn as the wire from the riser to the flat's first device.
void ExpectSoundLayout(const Built& built, const std::string& what) {
    SCOPED_TRACE(what);
    const TpadreGraficosMS& schematic = *built.schematic;
    std::vector<TComponenteBase*> elements;
    CollectElements(&built.project->Edificio(), elements);
    CollectElements(&built.project->RedTV(), elements);
    ASSERT_FALSE(elements.empty());
    std::size_t drawn = 0;
    for (TComponenteBase* element : elements) {
        if (!HasSymbolClass(element)) {
            continue;
        }
        TBaseGrafMS* graphic = schematic.FindGraphicOf(element);
        EXPECT_NE(graphic, nullptr) << element->ClassName() << " " << element->Name() << " has no symbol";
        drawn += graphic != nullptr ? 1 : 0;
    }
    EXPECT_GT(drawn, 0u);
    // Symbols are top-level objects once: no two objects show the same element.
    std::set<const TPrimerComponente*> shown;
    for (const auto& object : schematic.Objects()) {
        if (dynamic_cast<Tgraflinea*>(object.get()) != nullptr ||
            dynamic_cast<TrectanguloPunteado*>(object.get()) != nullptr) {
            continue;
        }
        if (auto* figure = dynamic_cast<TgrafFigura*>(object.get())) {
            for (std::size_t i = 0; i < figure->MemberCount(); ++i) {
                EXPECT_TRUE(shown.insert(figure->Member(i)->Element()).second);
            }
        } else {
            EXPECT_TRUE(shown.insert(object->Element()).second) << object->Caption;
        }
    }
    std::map<std::pair<const TPin*, const TPin*>, int> wiresOf;
    // Power lines and the DiSEqC feeds of stacked figures join no element pins: their last points.
    std::set<std::pair<std::int32_t, std::int32_t>> pinlessEnds;
    for (const Tgraflinea* wire : Wires(schematic)) {
        if (wire->SourceGraf() == nullptr) {
            pinlessEnds.insert({wire->DesignPoints().back().x, wire->DesignPoints().back().y});
            continue;
        }
        ASSERT_GE(wire->DesignPoints().size(), 2u);
        EXPECT_EQ(wire->DesignPoints().front(), (Point{wire->SourceGraf()->X(), wire->SourceGraf()->Y()}));
        EXPECT_EQ(wire->DesignPoints().back(), (Point{wire->TargetGraf()->X(), wire->TargetGraf()->Y()}));
        // Orthogonal: every segment is horizontal or vertical.
        const auto& points = wire->DesignPoints();
        for (std::size_t i = 1; i < points.size(); ++i) {
            EXPECT_TRUE(points[i].x == points[i - 1].x || points[i].y == points[i - 1].y);
        }
        const TPin* source = wire->SourcePin();
        const TPin* target = wire->TargetPin();
        ASSERT_NE(source, nullptr);
        ASSERT_NE(target, nullptr);
        if (source->Peer() != target) {
            // Through a flat's entry: riser pin -> entry input, entry output -> first device.
            const auto* entry = dynamic_cast<const Tentradaviv*>(source->Peer()->Owner());
            ASSERT_NE(entry, nullptr) << "a wire between pins that are not connected";
            EXPECT_EQ(entry->PinesSALIDA()[0]->Peer(), target);
        }
        ++wiresOf[{source, target}];
    }
    for (const auto& [pins, count] : wiresOf) {
        EXPECT_EQ(count, 1) << "connection drawn " << count << " times";
    }
    // Each connected input pin whose feeding pin is drawn has its wire.
    for (TComponenteBase* element : elements) {
        if (!HasSymbolClass(element)) {
            continue;
        }
        for (TPin* input : element->PinesENTRADA()) {
            TPin* source = input->Peer();
            if (source == nullptr || schematic.GraphicPinOf(input) == nullptr) {
                continue;
            }
            if (const auto* entry = dynamic_cast<const Tentradaviv*>(source->Owner())) {
                source = entry->PinesENTRADA()[0]->Peer();
            }
            if (source == nullptr || schematic.GraphicPinOf(source) == nullptr) {
                continue;
            }
            const Tpinesgraf* graphicInput = schematic.GraphicPinOf(input);
            if (dynamic_cast<TgrafFigura*>(schematic.FindGraphicOf(source->Owner())) != nullptr &&
                dynamic_cast<TgrafDisecQ*>(graphicInput->Symbol()) != nullptr) {
                EXPECT_TRUE(pinlessEnds.contains({graphicInput->X(), graphicInput->Y()}))
                    << "no feed line into " << element->Name() << " input " << input->Numeracion;
                continue;
            }
            EXPECT_EQ(wiresOf.count({source, input}), 1u)
                << "no wire into " << element->Name() << " input " << input->Numeracion << " from "
                << source->Owner()->Name();
        }
    }
}

struct LayoutCase {
    const char* name;
    Building building;
};

class EveryLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(EveryLayoutTest, EveryElementDrawnOnceAndEveryConnectionOneWireOnItsPins) {
    const Built built = Layout(GetParam().building);
    ExpectSoundLayout(built, GetParam().name);
    // The extent holds everything and was grown by 200 to the right and below.
    TpadreGraficosMS& schematic = *built.schematic;
    const Rect extent = schematic.Extent();
    Rect objects;
    for (const auto& object : schematic.Objects()) {
        objects = Union(objects, object->GetBounds());
    }
    EXPECT_EQ(extent.right, objects.right + 200);
    EXPECT_EQ(extent.bottom, objects.bottom + 200);
    // Placed below the headend floor: nothing above y = 0 after the floors were moved.
    EXPECT_GE(objects.top, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EveryLayoutTest,
    ::testing::Values(
        LayoutCase{"star4", {.stairs = 1, .floors = 3, .flatsPerFloor = 2, .outlets = 3}},
        LayoutCase{"cascade8",
                   {.stairs = 2,
                    .floors = 2,
                    .flatsPerFloor = 2,
                    .outlets = 2,
                    .polarities = 8,
                    .flatDistribution = 1}},
        LayoutCase{"star12", {.stairs = 1, .floors = 2, .flatsPerFloor = 4, .outlets = 4, .polarities = 12}},
        LayoutCase{"star16", {.stairs = 2, .floors = 2, .flatsPerFloor = 4, .outlets = 2, .polarities = 16}},
        LayoutCase{"single", {.stairs = 1, .floors = 1, .flatsPerFloor = 1, .outlets = 1}},
        LayoutCase{"headend4",
                   {.stairs = 1, .floors = 2, .flatsPerFloor = 3, .outlets = 2, .headendDistribution = 0}},
        LayoutCase{"headend8",
                   {.stairs = 2,
                    .floors = 2,
                    .flatsPerFloor = 2,
                    .outlets = 2,
                    .polarities = 8,
                    .headendDistribution = 0,
                    .flatDistribution = 1}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

// The graphic of an element and the element of a graphic.
template <typename T> std::vector<T*> ElementsOf(const Tproyecto& project) {
    std::vector<TComponenteBase*> elements;
    CollectElements(&project.Edificio(), elements);
    CollectElements(&project.RedTV(), elements);
    std::vector<T*> found;
    for (TComponenteBase* element : elements) {
        if (element->Is<T>()) {
            found.push_back(static_cast<T*>(element));
        }
    }
    return found;
}

// Asks to stop after a number of steps.
class StopAfter : public Progress {
public:
    explicit StopAfter(int steps) : m_left(steps) {}
    void Step() override { --m_left; }
    bool CancelRequested() const override { return m_left <= 0; }

private:
    int m_left;
};

TEST(LayoutTest, ACancelledBuildLeavesAnEmptySchematic) {
    Built built = Layout({.stairs = 1, .floors = 2, .flatsPerFloor = 2, .outlets = 2});
    ASSERT_GT(built.schematic->ObjectCount(), 0u);
    StopAfter stop(2);
    EXPECT_FALSE(BuildSchematic(*built.project, *built.schematic, stop));
    EXPECT_EQ(built.schematic->ObjectCount(), 0u);
    EXPECT_TRUE(built.schematic->Stairs().Stairs.empty());
    // Freeing the project it shows empties a schematic too.
    EXPECT_TRUE(BuildSchematic(*built.project, *built.schematic, NoProgress()));
    built.project.reset();
    EXPECT_EQ(built.schematic->ObjectCount(), 0u);
}

TEST(LayoutTest, StarFlatOutletsFanOutAboveAndBelowTheirSplitter) {
    const Built built = Layout({.stairs = 1, .floors = 1, .flatsPerFloor = 2, .outlets = 4});
    int checked = 0;
    for (TRepartidor* splitter : ElementsOf<TRepartidor>(*built.project)) {
        auto* graphic = dynamic_cast<TgrafRepartidor*>(built.schematic->FindGraphicOf(splitter));
        if (graphic == nullptr || splitter->Nsalidas != 4 || graphic->Orientation() != 1) {
            continue; // a right flat's splitter turned a quarter
        }
        // Outputs 1..4 feed outlets at d (85 + 200 (K div 2 - j + 1)) = 485, 285 then -285, -485.
        const std::int32_t expected[4] = {485, 285, -285, -485};
        for (std::size_t j = 0; j < 4; ++j) {
            const TPin* outletInput = splitter->PinesSALIDA()[j]->Peer();
            ASSERT_NE(outletInput, nullptr);
            const TBaseGrafMS* outlet = built.schematic->FindGraphicOf(outletInput->Owner());
            ASSERT_NE(outlet, nullptr);
            EXPECT_EQ(outlet->Y() - graphic->Y(), expected[j]) << "output " << j + 1;
            EXPECT_EQ(outlet->X() - graphic->X(), 535);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 4);
}

TEST(LayoutTest, TrunkIntoAFourInputMultiswitchLabelsOnlyItsLastWireWithTheCount) {
    const Built built = Layout({.stairs = 1, .floors = 3, .flatsPerFloor = 2, .outlets = 2});
    int multiswitchesChecked = 0;
    for (TMultiswitch* ms : ElementsOf<TMultiswitch>(*built.project)) {
        const auto* floor = dynamic_cast<const tplanta*>(ms->Container());
        if (floor == nullptr || floor->HeaderPl || ms->PinesENTRADA().size() != 5) {
            continue;
        }
        const TPin* feeding = ms->PinesENTRADA()[0]->Peer();
        const auto* feeder =
            feeding != nullptr ? dynamic_cast<const TMultiswitch*>(feeding->Owner()) : nullptr;
        if (feeder == nullptr || static_cast<const tplanta*>(feeder->Container())->HeaderPl) {
            continue; // fed from the floor above
        }
        std::vector<const Tgraflinea*> into;
        for (const Tgraflinea* wire : Wires(*built.schematic)) {
            if (wire->TargetPin() != nullptr && wire->TargetPin()->Owner() == ms) {
                into.push_back(wire);
            }
        }
        ASSERT_EQ(into.size(), 5u);
        for (std::size_t i = 0; i < into.size(); ++i) {
            EXPECT_EQ(into[i]->ShowLabel(), i == 4);
            EXPECT_EQ(into[i]->LabelMode(), 2);
            // Count prefix: the target's 5 inputs x bundle factor 1.
            EXPECT_EQ(into[i]->CableCount(), 5);
            // The horizontal run halfway down, 10 lower per input.
            const auto& p = into[i]->DesignPoints();
            EXPECT_EQ(p[1].y, p[0].y + (p[3].y - p[0].y) / 2 + 10 * static_cast<int>(i));
        }
        EXPECT_EQ(into[4]->Caption.substr(0, 3), "5x ");
        ++multiswitchesChecked;
    }
    EXPECT_EQ(multiswitchesChecked, 2);
}

TEST(LayoutTest, TrunksFromTheHeadendRunTwentyApartBelowIt) {
    const Built built = Layout({.stairs = 2, .floors = 1, .flatsPerFloor = 2, .outlets = 2});
    std::vector<const Tgraflinea*> trunks;
    for (const Tgraflinea* wire : Wires(*built.schematic)) {
        if (wire->LabelMode() == 6 && wire->DesignPoints().size() == 5) {
            trunks.push_back(wire);
        }
    }
    ASSERT_GE(trunks.size(), 2u);
    // The headend floor's bottom: the lowest object of the first stair's headend floor.
    const Tgrafplantas* headend = nullptr;
    for (const auto& floor : built.schematic->Stairs().Stairs.front()->Floors) {
        if (floor->Planta->HeaderPl) {
            headend = floor.get();
        }
    }
    ASSERT_NE(headend, nullptr);
    Rect bounds;
    for (const TBaseGrafMS* object : headend->Symbols) {
        bounds = Union(bounds, object->GetBounds());
    }
    // yb = bottom + 20 + 20 t: the first trunk 40 below, the next 20 further.
    EXPECT_EQ(trunks[0]->DesignPoints()[2].y, bounds.bottom + 40);
    EXPECT_EQ(trunks[1]->DesignPoints()[2].y, bounds.bottom + 60);
}

TEST(LayoutTest, FlatsFedFromTheHeadendSplitThreeLeftTwoRight) {
    const Built built =
        Layout({.stairs = 1, .floors = 1, .flatsPerFloor = 5, .outlets = 1, .headendDistribution = 0});
    const auto& stair = *built.schematic->Stairs().Stairs.front();
    const Tgrafplantas* floor = nullptr;
    for (const auto& f : stair.Floors) {
        if (!f->Planta->HeaderPl) {
            floor = f.get();
        }
    }
    ASSERT_NE(floor, nullptr);
    ASSERT_EQ(floor->FlatSpaces.size(), 5u);
    std::vector<std::int32_t> sides;
    for (const auto& space : floor->FlatSpaces) {
        sides.push_back(space->Side);
    }
    EXPECT_EQ(sides, (std::vector<std::int32_t>{0, 0, 0, 1, 1}));
}

TEST(LayoutTest, ATripleFigureDrawsItsPartnersWhichGetNoSymbolOfTheirOwn) {
    const Built built =
        Layout({.stairs = 1, .floors = 2, .flatsPerFloor = 2, .outlets = 2, .polarities = 12});
    int triples = 0;
    for (const auto& object : built.schematic->Objects()) {
        if (auto* figure = dynamic_cast<TgrafFigura*>(object.get());
            figure != nullptr && figure->IsTriple()) {
            ++triples;
            EXPECT_EQ(built.schematic->FindGraphicOf(figure->Member(1)->Element()), figure);
            EXPECT_EQ(built.schematic->FindGraphicOf(figure->Member(2)->Element()), figure);
            EXPECT_EQ(figure->Caption.substr(0, 4), "3 x ");
        }
    }
    EXPECT_GT(triples, 0);
    EXPECT_TRUE(built.schematic->HasTriple);
    ExpectSoundLayout(built, "12 polarities");
}

TEST(LayoutTest, APowerSupplyIsDrawnBesideTheAmplifierItFeedsAndBelowAnythingElse) {
    const Built built = Layout({.stairs = 1, .floors = 3, .flatsPerFloor = 2, .outlets = 2});
    int checked = 0;
    for (TFUENTE* supply : ElementsOf<TFUENTE>(*built.project)) {
        if (supply->CompoAlimentar().empty() || supply->CompoAlimentar().front().Element == nullptr) {
            continue;
        }
        const TCBFT* first = supply->CompoAlimentar().front().Element;
        const TBaseGrafMS* s = built.schematic->FindGraphicOf(supply);
        const TBaseGrafMS* fed = built.schematic->FindGraphicOf(first);
        ASSERT_NE(s, nullptr);
        ASSERT_NE(fed, nullptr);
        auto* figure = dynamic_cast<const TgrafFigura*>(fed);
        const TBaseGrafMS* b = figure != nullptr ? figure->MainSym() : fed;
        if (first->Is<TAmpliBase>()) {
            EXPECT_EQ(s->X(), b->X() + b->HalfWidth() + s->HalfWidth() + 90);
            EXPECT_EQ(s->Y(), b->Y());
        } else {
            EXPECT_EQ(s->Y(), b->Y() + b->HalfHeight() + s->HalfHeight() + 90);
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

TEST(LayoutTest, PaintingPutsWiresUnderSymbolsAndSkipsObjectsOutsideTheView) {
    Built built = Layout({.stairs = 1, .floors = 2, .flatsPerFloor = 2, .outlets = 2});
    TpadreGraficosMS& schematic = *built.schematic;
    SheetContent content;
    content.showTitleBlock = false;
    const Rect printable{0, 0, 4000, 4000};
    const SchematicPlacement placement = FitSchematic(schematic, printable, 0);
    RecordingCanvas canvas;
    PaintSheet(canvas, printable, schematic, content, printable, placement, {0, 0});
    // The last wire polyline comes before the first body of a symbol drawn after the wires.
    std::size_t lastWire = 0;
    std::size_t firstBody = canvas.Records().size();
    for (std::size_t i = 0; i < canvas.Records().size(); ++i) {
        const DrawRecord& record = canvas.Records()[i];
        if (record.op == DrawOp::Polyline && record.points.size() >= 3) {
            lastWire = i;
        }
        if ((record.op == DrawOp::RoundRect || record.op == DrawOp::Rectangle) &&
            record.brush.colour == kRed && firstBody == canvas.Records().size()) {
            firstBody = i;
        }
    }
    EXPECT_LT(lastWire, firstBody);
    const std::size_t everything = canvas.Records().size();
    // A small view in a corner paints far less.
    canvas.Clear();
    PaintSheet(canvas, {0, 0, 200, 200}, schematic, content, printable, placement, {0, 0});
    EXPECT_LT(canvas.Records().size(), everything / 2);
}

TEST(LayoutTest, OutletsOutOfLimitsTakeTheErrorColours) {
    Built built = Layout({.stairs = 2, .floors = 3, .flatsPerFloor = 4, .outlets = 4, .polarities = 16});
    const std::size_t marked = MarkOutletErrors(*built.project, *built.schematic);
    std::size_t errors = 0;
    for (const auto& stair : built.project->Escaleras()) {
        errors += stair.Object->ErroresEscalera().Count();
    }
    EXPECT_EQ(marked, errors);
    for (const auto& stair : built.project->Escaleras()) {
        const TCompruebaErrores& list = stair.Object->ErroresEscalera();
        for (std::size_t i = 0; i < list.Count(); ++i) {
            auto* outlet = dynamic_cast<TgrafToma*>(built.schematic->FindGraphicOf(list[i].Toma));
            ASSERT_NE(outlet, nullptr);
            const bool above = (list[i].Estado & 1) != 0;
            const bool below = (list[i].Estado & 2) != 0;
            EXPECT_EQ(outlet->ErrorFill, above && below ? kBothLimitsColour
                                         : above        ? kAboveMaximumColour
                                                        : kBelowMinimumColour);
        }
    }
}

// The body fills of the box symbols (multiswitches, splitters, headend amplifiers) and of the outlets,
// counted per fill colour: a symbol's first rectangle or rounded rectangle is its body.
struct BodyFills {
    std::map<Colour, std::size_t> boxes;
    std::map<Colour, std::size_t> outlets;
};
BodyFills PaintedBodyFills(const TpadreGraficosMS& schematic) {
    BodyFills fills;
    for (const auto& object : schematic.Objects()) {
        const bool outlet = dynamic_cast<TgrafToma*>(object.get()) != nullptr;
        const bool box = dynamic_cast<TgrafMS*>(object.get()) != nullptr ||
                         dynamic_cast<TgrafRepartidor*>(object.get()) != nullptr ||
                         dynamic_cast<TgrafAmpliheader*>(object.get()) != nullptr;
        if (!outlet && !box) {
            continue;
        }
        RecordingCanvas canvas;
        object->Draw(canvas);
        const auto body =
            std::find_if(canvas.Records().begin(), canvas.Records().end(), [](const DrawRecord& r) {
                return r.op == DrawOp::RoundRect || r.op == DrawOp::Rectangle;
            });
        if (body != canvas.Records().end()) {
            ++(outlet ? fills.outlets : fills.boxes)[body->brush.colour];
        }
    }
    return fills;
}

// The box symbols are filled red by their own drawing, whatever the levels; only the outlets show the
// error colours, and an outlet no error list names stays cream.
TEST(LayoutTest, BoxSymbolsAreRedWhateverTheLevelsAndOnlyOutletsTakeTheErrorColours) {
    Built built = Layout({.stairs = 1, .floors = 2, .flatsPerFloor = 2, .outlets = 2});
    // Before the error lists are applied no outlet is marked: every outlet cream, every box red.
    const BodyFills unmarked = PaintedBodyFills(*built.schematic);
    EXPECT_EQ(unmarked.outlets, (std::map<Colour, std::size_t>{{kCream, 8}})); // 2 floors x 2 flats x 2
    ASSERT_EQ(unmarked.boxes.size(), 1u);
    EXPECT_EQ(unmarked.boxes.begin()->first, kRed);
    const std::size_t boxes = unmarked.boxes.begin()->second;
    EXPECT_GT(boxes, 0u);
    // This small building's 8 outlets are all above their maximum: they take the orange fill, the boxes
    // stay as they were.
    const std::size_t marked = MarkOutletErrors(*built.project, *built.schematic);
    ASSERT_EQ(marked, 8u);
    const BodyFills after = PaintedBodyFills(*built.schematic);
    EXPECT_EQ(after.outlets, (std::map<Colour, std::size_t>{{kAboveMaximumColour, 8}}));
    EXPECT_EQ(after.boxes, unmarked.boxes);
    // No box shares a colour with a failing outlet.
    EXPECT_EQ(after.boxes.count(kAboveMaximumColour), 0u);
    // Cleared before a new check, every outlet is cream again and the boxes stay red.
    ClearOutletErrors(*built.schematic);
    const BodyFills cleared = PaintedBodyFills(*built.schematic);
    EXPECT_EQ(cleared.outlets, unmarked.outlets);
    EXPECT_EQ(cleared.boxes, unmarked.boxes);
}

// The fills of failing outlets are colours of their own: none is a colour a symbol draws with (the red
// of the boxes and of a selected outlet, black, white, silver, cream, blue), and the three differ.
TEST(LayoutTest, ErrorFillsAreColoursNoSymbolUses) {
    const Colour fills[] = {kBelowMinimumColour, kAboveMaximumColour, kBothLimitsColour};
    for (const Colour fill : fills) {
        for (const Colour symbol : {kRed, kBlack, kWhite, kSilver, kCream, kBlue}) {
            EXPECT_NE(fill, symbol);
        }
    }
    EXPECT_NE(fills[0], fills[1]);
    EXPECT_NE(fills[1], fills[2]);
    EXPECT_NE(fills[0], fills[2]);
}

} // namespace
} // namespace ixo::test
