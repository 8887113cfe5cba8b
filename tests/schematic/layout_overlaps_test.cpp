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
           ", wires on wires " + std::to_string(o.wireOnWire) + ", wires through labels " +
           std::to_string(o.wireOverLabel) + ", symbols on symbols " + std::to_string(o.symbolOnSymbol);
}

TEST(LayoutOverlapsTest, TheBuilderLayoutsDrawNoLabelOverAnotherOrOverASymbolAndNoWireOnAnother) {
    // Every polarity count, trunks and flats fed from the headend, star and cascade flats, one and two
    // stairs; and the README's cascade block.
    std::vector<Building> buildings;
    for (const int polarities : {4, 8, 12, 16}) {
        for (const int headend : {0, 1}) {
            for (const int flats : {0, 1}) {
                for (const int stairs : {1, 2}) {
                    buildings.push_back({.stairs = stairs,
                                         .floors = 3,
                                         .flatsPerFloor = 2,
                                         .outlets = 3,
                                         .polarities = polarities,
                                         .headendDistribution = headend,
                                         .flatDistribution = flats});
                }
            }
        }
    }
    buildings.push_back({.stairs = 3,
                         .floors = 10,
                         .flatsPerFloor = 2,
                         .outlets = 4,
                         .polarities = 12,
                         .flatDistribution = 1});
    std::size_t labels = 0;
    for (const Building& building : buildings) {
        auto project = BuildInstallation(building);
        auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
        ASSERT_TRUE(BuildSchematic(*project, *schematic, NoProgress()));
        labels += WireLabelRects(*schematic).size();
        const LayoutOverlaps overlaps = CountOverlaps(*schematic);
        const std::string shape = std::to_string(building.stairs) + " stairs, " +
                                  std::to_string(building.polarities) + " polarities, headend " +
                                  std::to_string(building.headendDistribution) + ", flats " +
                                  std::to_string(building.flatDistribution) + ": " + Describe(overlaps);
        EXPECT_EQ(overlaps.labelOnLabel, 0u) << shape;
        EXPECT_EQ(overlaps.labelOnSymbol, 0u) << shape;
        EXPECT_EQ(overlaps.wireOnOutline, 0u) << shape;
        EXPECT_EQ(overlaps.wireOnWire, 0u) << shape;
        EXPECT_EQ(overlaps.wireOverLabel, 0u) << shape;
        EXPECT_EQ(overlaps.symbolOnSymbol, 0u) << shape;
    }
    EXPECT_GT(labels, 1000u);
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
