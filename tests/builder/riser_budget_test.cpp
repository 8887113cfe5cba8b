#include "builder/instalacion.h"

#include "builder/builder_test_support.h"
#include "building/escalera.h"
#include "levels/comprobacion_tomas.h"
#include "levels/niveles_tomas.h"
#include "model/cable_tv.h"
#include "model/cbft.h"
#include "model/pin.h"
#include "model/toma_tv.h"

#include <gtest/gtest.h>

#include <vector>

namespace ixo::test {
namespace {

// Outlet levels of whole risers worked out by hand from the demo catalogue's figures, floor by floor,
// for buildings as the builder makes them (no design step): a budget independent of the level run.
class RiserBudget : public BuilderFixture {
protected:
    void BuildShape(int stairs, int floors, int flats, int outlets, int polarities, int topology) {
        BuildingShape shape;
        shape.stairs = stairs;
        shape.floors = floors;
        shape.flatsPerFloor = flats;
        shape.outlets = outlets;
        shape.polarities = polarities;
        shape.topology = topology;
        shape.headendDistribution = 1; // trunk layout
        Build(shape, DefaultSettings());
        ASSERT_GT(ConstruirInstalacion(*project), 0);
        ComprobarErrores(*project);
    }

    // The outlets of one stair (0-based), floors bottom up, flats and outlets in order.
    std::vector<NivelesToma> OutletsOfStair(int stair) const {
        std::vector<NivelesToma> outlets;
        for (const NivelesToma& outlet : NivelesDeTomas(*project)) {
            if (outlet.Escalera == project->Escaleras().Object(stair)) {
                outlets.push_back(outlet);
            }
        }
        return outlets;
    }

    // The element whose output or tap feeds the first input of the element of pin.
    static const TCBFT& Upstream(const TPin& input) {
        return *dynamic_cast<const TCBFT*>(input.Peer()->Owner());
    }
};

constexpr double kTolerance = 0.1; // dB

// Cable attenuation in dB per metre at 862 / 950 / 2150 MHz (ECUACION / 100):
// CX-68 (flat, floor and headend cable) 0.18 / 0.19 / 0.30; CX-101 (headend to stairs) 0.126 / 0.133 /
// 0.21; CX-75 (riser) 0.154 / 0.163 / 0.257.

// 2 stairs x 20 floors x 4 flats x 4 star outlets, 8 polarities, as built: stair 2 (fed 18 m from the
// headend) has one M8-04 a floor, chained 3 m apart down the riser.
//
// Headend. Terrestrial: CT-120 gives 100 dBuV, 0.5 m CX-68 to the trunk splitter RP-2 (EA/SA -4.2 dB at
// 862 MHz). Satellite: the LNB gives 80 dBuV, 12 m CX-68 into AFI-440, gain control at 25 % of 15..35 dB
// = 20 dB, slope control at 40 % of 0..-10 dB at 950 MHz (0 at 2150) = -4 dB at 950 and 0 at 2150 MHz;
// 0.5 m CX-68 to its RP-2 (-4.4 dB at 950, -5.2 dB at 2150 MHz).
//   862 MHz: 100 - 0.5 x 0.18 - 4.2 = 95.71
//   950 MHz: 80 - 12 x 0.19 + 20 - 4 - 0.5 x 0.19 - 4.4 = 89.225
//  2150 MHz: 80 - 12 x 0.30 + 20 - 0 - 0.5 x 0.30 - 5.2 = 91.05
// 18 m of CX-101 to the top multiswitch's inputs:
//   862: 95.71 - 18 x 0.126 = 93.442;  950: 89.225 - 18 x 0.133 = 86.831;  2150: 91.05 - 18 x 0.21 = 87.27
// Down the riser each floor costs the M8-04 through loss (EA/SA -1 at 862; EB/SB -1.2 at 950, -1.8 at
// 2150) and 3 m of CX-75: 862: 1 + 0.462 = 1.462;  950: 1.2 + 0.489 = 1.689;  2150: 1.8 + 0.771 = 2.571.
// Outlet below a tap: the M8-04 tap (EA/DA -12.8 at 862 with its TER control at 100 % = 0 dB; EB/DA -7 at
// 950, -5.5 at 2150 with its SAT control at 50 % of -8..+8 = 0 dB), 10 m CX-68, PAU-1 (-0.5 / -0.6 / -1),
// RP-4 (-8.3 / -8.5 / -9.8), 5 m CX-68, TF-2 (-2 / -2.2 / -3.2):
//   862: 12.8 + 1.8 + 0.5 + 8.3 + 0.9 + 2.0 = 26.3
//   950: 7 + 1.9 + 0.6 + 8.5 + 0.95 + 2.2 = 21.15
//  2150: 5.5 + 3.0 + 1.0 + 9.8 + 1.5 + 3.2 = 24.0
// Every polarity has the same budget (both LNBs and IF amplifiers alike), so the check's worst level is
// the received level.
TEST_F(RiserBudget, StarBuildingEightPolaritiesStairTwo) {
    BuildShape(2, 20, 4, 4, 8, 0);
    const std::vector<NivelesToma> outlets = OutletsOfStair(1);
    ASSERT_EQ(outlets.size(), 20u * 4u * 4u);

    struct Expected {
        int floor;       // 1 = lowest
        int floorsBelow; // floors of riser between the top multiswitch and this one
    };
    for (const Expected& at : {Expected{20, 0}, Expected{10, 10}, Expected{1, 19}}) {
        const double k = at.floorsBelow;
        const double input862 = 93.442 - k * 1.462;
        const double input950 = 86.831 - k * 1.689;
        const double input2150 = 87.27 - k * 2.571;
        const std::vector<double> expected = {input862 - 26.3, input950 - 21.15, input2150 - 24.0};
        // The floor's 16 outlets: every one has the same path.
        for (int i = 0; i < 16; ++i) {
            const NivelesToma& outlet = outlets[static_cast<std::size_t>((at.floor - 1) * 16 + i)];
            SCOPED_TRACE("floor " + std::to_string(at.floor) + " outlet " + outlet.Toma->Name());
            const std::size_t bands[3] = {3, 4, 7};
            for (int b = 0; b < 3; ++b) {
                EXPECT_NEAR(outlet.Peor[bands[b]], expected[b], kTolerance) << "band " << bands[b];
                EXPECT_NEAR(outlet.Recibido[bands[b]], expected[b], kTolerance) << "band " << bands[b];
            }
        }
        // The structure the budget assumes: TF-2 5 m behind RP-4 behind PAU-1, 10 m from an M8-04 tap, whose
        // terrestrial input comes 18 m (top floor) or 3 m (riser) from above.
        const TPin& outletInput =
            *outlets[static_cast<std::size_t>((at.floor - 1) * 16)].Toma->PinesENTRADA()[0];
        EXPECT_EQ(outletInput.MetrosCable, 5.0);
        const TCBFT& splitter = Upstream(outletInput);
        EXPECT_EQ(splitter.Modelo, "RP-4");
        const TCBFT& entry = Upstream(*splitter.PinesENTRADA()[0]);
        EXPECT_EQ(entry.Modelo, "PAU-1");
        EXPECT_EQ(entry.PinesENTRADA()[0]->MetrosCable, 10.0);
        const TCBFT& multiswitch = Upstream(*entry.PinesENTRADA()[0]);
        EXPECT_EQ(multiswitch.Modelo, "M8-04");
        EXPECT_EQ(multiswitch.PinesENTRADA()[0]->MetrosCable, at.floorsBelow == 0 ? 18.0 : 3.0);
        EXPECT_EQ(multiswitch.PinesENTRADA()[0]->Cable()->Modelo, at.floorsBelow == 0 ? "CX-101" : "CX-75");
    }
}

// 3 stairs x 10 floors x 2 flats x 4 cascade outlets, 12 polarities, as built: stair 1 (the headend's)
// has a position of three 5001 multiswitches a floor, graded by tap loss from MC-504-25 at the top
// (floor 10) through 22, 22, 19, 19, 16, 16, 13, 13 to the active terminal MT-504 on floor 1, 3 m
// apart; each flat is fed by a DQ-31 from the three taps of its position, then 10 m CX-68, PAU-1 and the
// cascade outlets TC-16 (first, checked here), TC-14, TC-12, TC-10.
//
// Headend. Terrestrial: CT-120 at 100 dBuV, 0.5 m CX-68, RP-3 (three terrestrial lines; -7 dB at
// 862 MHz), 0.5 m CX-68, the trunk RP-3 (-7) to the stairs, 3 m CX-101 to the top position:
//   862: 100 - 0.09 - 7 - 0.09 - 7 - 3 x 0.126 = 85.442
// Satellite: LNB 80, 12 m CX-68, AFI-440 (+20 dB, slope -4 dB at 950, 0 at 2150 MHz), 0.5 m CX-68, the
// trunk RP-3 (-7.2 at 950, -8.2 at 2150), 0.5 m CX-101, the injector IP-18 (-1 / -1.4), 3 m CX-101:
//   950: 80 - 2.28 + 20 - 4 - 0.095 - 7.2 - 0.0665 - 1 - 0.399 = 84.9595
//  2150: 80 - 3.6 + 20 - 0 - 0.15 - 8.2 - 0.105 - 1.4 - 0.63 = 85.915
// Through losses (EA/SA at 862, EB/SB at 950 / 2150) by grade: 25: 1.3, 1.5 / 2.1; 22: 1.4, 1.6 / 2.2;
// 19: 1.5, 1.8 / 2.4; 16: 1.7, 2.1 / 2.7; 13: 1.9, 2.4 / 3.0; 3 m of CX-75: 0.462, 0.489 / 0.771.
//   floor 5 input = top input - through of floors 10, 9, 8, 7, 6 - 5 riser lengths:
//     862: 85.442 - 7.1 - 2.31 = 76.032;  950: 84.9595 - 8.3 - 2.445 = 74.2145;
//    2150: 85.915 - 11.3 - 3.855 = 70.76
//   floor 1 input = floor 5 input - through of floors 5, 4, 3, 2 - 4 riser lengths:
//     862: 76.032 - 7.2 - 1.848 = 66.984;  950: 74.2145 - 9.0 - 1.956 = 63.2585;
//    2150: 70.76 - 11.4 - 3.084 = 56.276
// Taps (EA/DA at 862, EB/DA at 950 / 2150): MC-504-25: 23.5, 24 / 25.5; MC-504-16: 14.5, 15 / 16.5;
// MT-504: 11, 3 / 1 plus its SAT control at 25 % of -10..+10 dB = -5 dB (no TER control).
// Behind the tap: DQ-31 (3.5, 3.2 / 4.5), 10 m CX-68 (1.8, 1.9 / 3.0), PAU-1 (0.5, 0.6 / 1.0) and the
// TC-16 tap (16.6, 16.8 / 17.5): 22.4 at 862, 22.5 at 950, 26.0 at 2150 MHz.
// The three LNBs, amplifiers and multiswitch lines are alike, so every polarity has the same budget.
TEST_F(RiserBudget, CascadeBuildingTwelvePolaritiesStairOne) {
    BuildShape(3, 10, 2, 4, 12, 1);
    const std::vector<NivelesToma> outlets = OutletsOfStair(0);
    ASSERT_EQ(outlets.size(), 10u * 2u * 4u);

    struct Expected {
        int floor;
        const char* model;
        std::vector<double> tapOutput; // at 862, 950, 2150 MHz
    };
    const Expected floors[] = {
        {10, "MC-504-25", {85.442 - 23.5, 84.9595 - 24, 85.915 - 25.5}},
        {5, "MC-504-16", {76.032 - 14.5, 74.2145 - 15, 70.76 - 16.5}},
        {1, "MT-504", {66.984 - 11, 63.2585 - 3 - 5, 56.276 - 1 - 5}},
    };
    const double behindTap[3] = {22.4, 22.5, 26.0};
    const std::size_t bands[3] = {3, 4, 7};
    for (const Expected& at : floors) {
        // The first outlet (TC-16) of both flats of the floor: 8 outlets a floor, 4 a flat.
        for (int flat = 0; flat < 2; ++flat) {
            const NivelesToma& outlet = outlets[static_cast<std::size_t>((at.floor - 1) * 8 + flat * 4)];
            SCOPED_TRACE("floor " + std::to_string(at.floor) + " flat " + std::to_string(flat));
            ASSERT_EQ(outlet.Toma->Modelo, "TC-16");
            for (int b = 0; b < 3; ++b) {
                const double expected = at.tapOutput[static_cast<std::size_t>(b)] - behindTap[b];
                EXPECT_NEAR(outlet.Peor[bands[b]], expected, kTolerance) << "band " << bands[b];
                EXPECT_NEAR(outlet.Recibido[bands[b]], expected, kTolerance) << "band " << bands[b];
            }
            // The structure the budget assumes: TC-16 right behind PAU-1, 10 m from the DQ-31 fed by a
            // tap of the floor's model.
            const TCBFT& entry = Upstream(*outlet.Toma->PinesENTRADA()[0]);
            EXPECT_EQ(entry.Modelo, "PAU-1");
            EXPECT_EQ(entry.PinesENTRADA()[0]->MetrosCable, 10.0);
            const TCBFT& diseqc = Upstream(*entry.PinesENTRADA()[0]);
            EXPECT_EQ(diseqc.Modelo, "DQ-31");
            const TCBFT& multiswitch = Upstream(*diseqc.PinesENTRADA()[0]);
            EXPECT_EQ(multiswitch.Modelo, at.model);
            EXPECT_EQ(multiswitch.PinesENTRADA()[0]->MetrosCable, 3.0);
        }
    }
}

} // namespace
} // namespace ixo::test
