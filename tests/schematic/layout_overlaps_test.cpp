// What makes a drawing hard to read, counted over the builder's layouts, and the separation of wires
// that would run on each other.
#include "schematic/layout.h"
#include "schematic/layout_overlaps.h"
#include "schematic/schematic.h"
#include "schematic/wire.h"
#include "schematic/wire_separation.h"
#include "schematic_test_support.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

std::string Describe(const LayoutOverlaps& o) {
    return "labels on labels " + std::to_string(o.labelOnLabel) + ", labels on symbols " +
           std::to_string(o.labelOnSymbol) + ", wires along outlines " + std::to_string(o.wireOnOutline) +
           ", wires on wires " + std::to_string(o.wireOnWire);
}

TEST(LayoutOverlapsTest, TheBuilderLayoutsDrawNoLabelOverAnotherOrOverASymbolAndNoWireOnAnother) {
    for (const Building& building :
         {Building{.stairs = 1, .floors = 2, .flatsPerFloor = 2, .outlets = 3},
          Building{.stairs = 2, .floors = 3, .flatsPerFloor = 4, .outlets = 4, .polarities = 16},
          Building{.stairs = 2, .floors = 4, .flatsPerFloor = 2, .outlets = 2, .polarities = 8},
          Building{.stairs = 1,
          .floors = 3,
          .flatsPerFloor = 3,
          .outlets = 4,
          .polarities = 4,
          .flatDistribution = 1}}) {
        auto project = BuildInstallation(building);
        auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
        ASSERT_TRUE(BuildSchematic(*project, *schematic, NoProgress()));
        ASSERT_GT(WireLabelRects(*schematic).size(), 0u);
        const LayoutOverlaps overlaps = CountOverlaps(*schematic);
        EXPECT_EQ(overlaps.Total(), 0u) << building.stairs << " stairs, " << building.floors << " floors, "
                                        << building.polarities << " polarities: " << Describe(overlaps);
    }
}

Tgraflinea* AddWire(TpadreGraficosMS& schematic, std::vector<Point> points) {
    return schematic.Adopt(MakeGraphic<Tgraflinea>(nullptr, nullptr, nullptr, nullptr, std::move(points)));
}

TEST(LayoutOverlapsTest, TwoWiresOnOneRunAreCountedAndSeparatedAcrossWithTheirEndsKept) {
    auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    // Two Z routes whose middle runs share y = 100 from x = 50 to 150.
    Tgraflinea* first = AddWire(*schematic, {{0, 0}, {0, 100}, {150, 100}, {150, 200}});
    Tgraflinea* second = AddWire(*schematic, {{50, 0}, {50, 100}, {300, 100}, {300, 200}});
    EXPECT_EQ(CountOverlaps(*schematic).wireOnWire, 1u);
    EXPECT_EQ(SeparateWires(*schematic), 1);
    EXPECT_EQ(CountOverlaps(*schematic).Total(), 0u);
    // The first keeps its route; the second's middle run moved 6 units down, its ends on their pins.
    EXPECT_EQ(first->DesignPoints(), (std::vector<Point>{{0, 0}, {0, 100}, {150, 100}, {150, 200}}));
    EXPECT_EQ(second->DesignPoints(), (std::vector<Point>{{50, 0}, {50, 106}, {300, 106}, {300, 200}}));
}

TEST(LayoutOverlapsTest, WiresLeavingOnePinTogetherAreABundleNotAnOverlap) {
    auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    AddWire(*schematic, {{0, 0}, {0, 100}, {100, 100}});
    AddWire(*schematic, {{0, 0}, {0, 100}, {-100, 100}});
    EXPECT_EQ(CountOverlaps(*schematic).wireOnWire, 0u);
    EXPECT_EQ(SeparateWires(*schematic), 0);
}

} // namespace
} // namespace ixo::test
