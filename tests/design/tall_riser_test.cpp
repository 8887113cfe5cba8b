#include "building/escalera.h"
#include "building/planta.h"
#include "design/amplifier_start.h"
#include "design/auto_design.h"
#include "design/auto_regulation.h"
#include "design/design_verdict.h"
#include "design/level_sample.h"
#include "design/tap_grading.h"
#include "editing/amplifier_insertion.h"
#include "editing/editing_test_support.h"
#include "levels/niveles_tomas.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/potenciometro.h"

#include <array>
#include <cmath>

namespace ixo::test {
namespace {

constexpr std::int32_t kAL5S = 110;

class TallRiserTest : public EditingFixture {
protected:
    LevelSample Sample() {
        LevelSample sample;
        sample.Take(*project);
        return sample;
    }

    // The riser floors of the first stair, top down.
    std::vector<const tplanta*> RiserFloors(const RiserBudget& budget) {
        std::vector<const tplanta*> floors;
        const auto& list = project->Escaleras()[0].Object->ListaPlantas();
        for (std::size_t k = list.Count(); k-- > 0;) {
            const tplanta* floor = list[k].Object;
            if (!floor->HeaderPl && budget.Has(floor)) {
                floors.push_back(floor);
            }
        }
        return floors;
    }

    int LineAmplifiers() {
        int count = 0;
        for (TComponenteBase* element : NetworkElements(*project)) {
            count += dynamic_cast<TLinAmp*>(element) != nullptr ? 1 : 0;
        }
        return count;
    }

    // Designs shape with the default limits and expects it to pass with line amplifiers on its riser,
    // every one powered and none driven past its maximum.
    void ExpectDesignedToPass(const BuildingShape& shape) {
        BuildNetwork(shape);
        const DesignResult result = DesignAutomatically(*editor, DesignOptions{});
        EXPECT_GE(result.marginAfter, 0.0);
        EXPECT_GT(LineAmplifiers(), 0);
        const DesignVerdict verdict = JudgeDesign(*project);
        EXPECT_TRUE(verdict.Passes());
        EXPECT_TRUE(verdict.powering.empty());
        EXPECT_TRUE(verdict.overdrive.empty());
        EXPECT_TRUE(verdict.outletsOutOfLimits.empty());
    }
};

// The levels a segment is judged at may carry a shift from the sources above it. A source without
// bounds takes out a shift that is the same at every band: the segment's margin stays, and so does what
// it passes on below (its source shifts back by as much). A source whose lift is bounded, given the
// shift and the same bound less it, describes the same network: the same margin.
TEST_F(TallRiserTest, AShiftFromAboveIsTakenOutByTheSegmentsSourceWithinItsLift) {
    BuildNetwork(Shape(1, 30, 1, 6, 8, 1, 0));
    editor->Recalculate();
    const LevelSample sample = Sample();
    const RiserBudget budget(*project, sample);
    std::vector<const tplanta*> floors = RiserFloors(budget);
    ASSERT_EQ(floors.size(), 30u);
    floors.resize(5);
    SourceRoom open;
    open.OpenTilts();
    std::array<double, kBandCount> none{};
    std::array<double, kBandCount> up{};
    up.fill(7.0);
    const SegmentFit still = budget.FitSegment(floors, open, none);
    const SegmentFit shifted = budget.FitSegment(floors, open, up);
    EXPECT_NEAR(still.margin, budget.SegmentMargin(floors, open), 1e-9);
    EXPECT_NEAR(shifted.margin, still.margin, 1e-6);
    for (std::size_t band = 1; band < kBandCount; ++band) {
        EXPECT_NEAR(shifted.exit[band], still.exit[band], 1e-6) << "band " << band;
        EXPECT_NEAR(shifted.source[band], still.source[band] - 7.0, 1e-6) << "band " << band;
    }
    SourceRoom bounded = open;
    bounded.lift.fill(2.0);
    SourceRoom boundedLess = bounded;
    boundedLess.lift.fill(2.0 - 7.0);
    EXPECT_NEAR(budget.FitSegment(floors, boundedLess, up).margin, budget.FitSegment(floors, bounded, none).margin,
                1e-6);
}

// A line amplifier just inserted, read at its lowest gain, is moved to the gain planned for it: 6 dB
// more than it gives at every satellite band, 4 dB more at the terrestrial ones. Its gain and slope
// controls move linearly, so the planned level (the mean over each band group) and tilt (top band less
// first) are met to a hundredth of a dB.
TEST_F(TallRiserTest, AnInsertedAmplifierStartsAtThePlannedLevelAndTilt) {
    BuildNetwork(Shape(1, 30, 1, 2, 4, 1, 0));
    editor->Recalculate();
    const auto& list = project->Escaleras()[0].Object->ListaPlantas();
    TMultiswitch* entry = nullptr;
    // The lowest floor's multiswitch (the riser's only one on a floor of one flat in a star).
    for (std::size_t k = 0; k < list.Count() && entry == nullptr; ++k) {
        if (!list[k].Object->HeaderPl) {
            for (const auto& item : list[k].Object->ETV()) {
                if (entry == nullptr) {
                    entry = dynamic_cast<TMultiswitch*>(item.Object);
                }
            }
        }
    }
    ASSERT_NE(entry, nullptr);
    TLinAmp* amplifier = nullptr;
    ASSERT_TRUE(editor->Apply([&](EditJournal& journal) {
        EditRefusal why;
        if (!InsertLineAmplifier(*project, *entry, kAL5S, journal, &why)) {
            ADD_FAILURE() << why.reason;
            return false;
        }
        const TPin* in = entry->PinesENTRADA().front();
        amplifier = in->Peer() != nullptr ? dynamic_cast<TLinAmp*>(in->Peer()->Owner()) : nullptr;
        if (amplifier == nullptr) {
            return false;
        }
        StartAtLowestGain(*amplifier, journal);
        return true;
    }));
    ASSERT_NE(amplifier, nullptr);
    editor->Recalculate();
    const auto gainOf = [&](std::size_t channel) {
        std::array<double, kBandCount> gain{};
        for (std::size_t band = 0; band < kBandCount; ++band) {
            gain[band] = amplifier->PinesSALIDA()[channel]->Levels()[band] -
                         amplifier->PinesENTRADA()[channel]->Levels()[band];
        }
        return gain;
    };
    std::size_t terrestrial = 0;
    std::size_t satellite = 0;
    for (std::size_t channel = 0; channel < amplifier->PinesENTRADA().size(); ++channel) {
        const TPin* in = amplifier->PinesENTRADA()[channel];
        if (in->IsConnected()) {
            (in->Prefijo == 'A' ? terrestrial : satellite) = channel;
        }
    }
    ASSERT_NE(satellite, 0u);
    const std::array<double, kBandCount> terrestrialAt = gainOf(terrestrial);
    const std::array<double, kBandCount> satelliteAt = gainOf(satellite);
    PlannedAmplifier planned;
    planned.amplifier = amplifier;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        planned.gain[band] = band < kFirstSatelliteBand ? terrestrialAt[band] + 4.0 : satelliteAt[band] + 6.0;
    }
    // The planned satellite gain is the same at every channel: read at one, met at the others as theirs.
    ASSERT_TRUE(editor->Apply([&](EditJournal& journal) {
        StartAtPlannedGain({planned}, journal);
        return true;
    }));
    editor->Recalculate();
    const std::array<double, kBandCount> terrestrialNow = gainOf(terrestrial);
    const std::array<double, kBandCount> satelliteNow = gainOf(satellite);
    double terrestrialMean = 0.0;
    for (std::size_t band = 1; band < kFirstSatelliteBand; ++band) {
        terrestrialMean += (terrestrialNow[band] - terrestrialAt[band]) / 3.0;
    }
    double satelliteMean = 0.0;
    for (std::size_t band = kFirstSatelliteBand; band < kBandCount; ++band) {
        satelliteMean += (satelliteNow[band] - satelliteAt[band]) / 4.0;
    }
    EXPECT_NEAR(terrestrialMean, 4.0, 0.01);
    EXPECT_NEAR(satelliteMean, 6.0, 0.01);
    EXPECT_NEAR((satelliteNow[7] - satelliteAt[7]) - (satelliteNow[4] - satelliteAt[4]), 0.0, 0.01);
    EXPECT_NEAR((terrestrialNow[3] - terrestrialAt[3]) - (terrestrialNow[1] - terrestrialAt[1]), 0.0, 0.01);
}

// A riser of 100 floors, one flat of two outlets a floor (4 polarities): the design passes with line
// amplifiers all the way down (before, the floors below some 35 floors under a lone amplifier were no
// longer served in the plan, and no amplifier was kept).
TEST_F(TallRiserTest, AHundredFloorRiserPassesWithLineAmplifiersAllTheWayDown) {
    ExpectDesignedToPass(Shape(1, 100, 1, 2, 4, 1, 0));
}

// A riser of 60 floors, one flat of six cascade outlets a floor (8 polarities): no source alone serves
// a floor (its outlets' own spread), yet each segment is brought as near as a source can, and the design
// passes.
TEST_F(TallRiserTest, ASixtyFloorRiserOfFlatsNoSourceServesAlonePasses) {
    ExpectDesignedToPass(Shape(1, 60, 1, 6, 8, 1, 1));
}

} // namespace
} // namespace ixo::test
