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

} // namespace
} // namespace ixo::test
