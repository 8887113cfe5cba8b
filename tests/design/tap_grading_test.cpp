#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "design/auto_design.h"
#include "editing/editing_test_support.h"
#include "model/multiswitch.h"
#include "model/pin.h"

#include <map>
#include <set>

namespace ixo::test {
namespace {

class TapGradingTest : public EditingFixture {
protected:
    // Three stairs of ten floors of passive cascadable multiswitches (5001), two flats of four cascade
    // outlets a floor, 12 polarities: the riser's loss at 2150 MHz binds.
    static BuildingShape CascadeBuilding() { return Shape(3, 10, 2, 4, 12, 1, 1); }

    // The first multiswitch of every floor of the first stair (the one the riser feeds), by floor level.
    std::map<int, TMultiswitch*> FirstStairRiser() {
        std::map<int, TMultiswitch*> riser;
        const TEscalera* stair = project->Escaleras()[0].Object;
        for (TMultiswitch* multiswitch : ElementsOfClass<TMultiswitch>(*project)) {
            const auto* floor = dynamic_cast<const tplanta*>(multiswitch->Container());
            if (floor != nullptr && !floor->HeaderPl && floor->Escalera() == stair) {
                riser.emplace(floor->Nivel, multiswitch);
            }
        }
        return riser;
    }
};

// The through and tap gains the grading predicts with are those the level computation applies: on a
// built and calculated cascade, each riser multiswitch's through output of each line holds its input's
// level plus the gains of that path, band by band, for the catalogue models the builder chose.
TEST_F(TapGradingTest, PathGainsAreWhatTheLevelComputationApplies) {
    BuildNetwork(Shape(1, 6, 1, 2, 4, 1, 1));
    editor->Recalculate();
    int checked = 0;
    for (const auto& [level, multiswitch] : FirstStairRiser()) {
        for (const TPin* out : multiswitch->PinesSALIDA()) {
            const TPin* in = multiswitch->InputOfPolarity(out->polaridad);
            ASSERT_NE(in, nullptr) << multiswitch->Name();
            LevelVector gains;
            ASSERT_TRUE(multiswitch->PathGains(out->polaridad, *out, gains));
            for (std::size_t band = 0; band < kBandCount; ++band) {
                EXPECT_NEAR(out->Levels()[band], in->Levels()[band] + gains[band], 1e-9)
                    << multiswitch->Name() << " (" << multiswitch->Modelo << ") polarity " << out->polaridad
                    << " band " << band;
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 5 * 5); // five cascadable floors of four satellite lines and the terrestrial one
}

// On the cascade building the design chooses the tap grade floor by floor among the family's passive
// models: the first stair ends with different grades on different floors, some of them changed from
// the builder's, every one of the built family with the built pins. Undoing every step of the design
// gives back the saved bytes; the same building designed again gives the same bytes.
TEST_F(TapGradingTest, TheCascadeBuildingGetsItsTapsGradedFloorByFloor) {
    BuildNetwork(CascadeBuilding());
    const std::vector<std::uint8_t> saved = Bytes();
    std::map<int, std::int32_t> built;
    std::map<int, std::int32_t> builtFamily;
    for (const auto& [level, multiswitch] : FirstStairRiser()) {
        built[level] = multiswitch->Indice;
        builtFamily[level] = multiswitch->Familia;
    }
    ASSERT_EQ(built.size(), 10u);

    const DesignResult result = DesignAutomatically(*editor, DesignOptions{});
    ASSERT_FALSE(result.grades.empty());
    std::set<std::int32_t> grades;
    int changed = 0;
    for (const auto& [level, multiswitch] : FirstStairRiser()) {
        EXPECT_EQ(multiswitch->Familia, builtFamily[level]) << "floor " << level;
        if (multiswitch->IsCascadable()) {
            grades.insert(multiswitch->ATMedia);
        }
        if (multiswitch->Indice != built[level]) {
            ++changed;
            EXPECT_FALSE(multiswitch->Activo) << multiswitch->Modelo;
            EXPECT_TRUE(multiswitch->LPG().empty()) << multiswitch->Modelo;
        }
    }
    EXPECT_GE(grades.size(), 2u);
    EXPECT_GT(changed, 0);
    EXPECT_NETWORK_CONSISTENT(*project);
    const std::vector<std::uint8_t> designed = Bytes();

    for (int step = 0; step < result.edits; ++step) {
        ASSERT_TRUE(editor->Undo());
    }
    EXPECT_EQ(Bytes(), saved);
    for (const auto& [level, multiswitch] : FirstStairRiser()) {
        EXPECT_EQ(multiswitch->Indice, built[level]) << "floor " << level;
    }

    editor.reset();
    project.reset();
    BuildNetwork(CascadeBuilding());
    const DesignResult again = DesignAutomatically(*editor, DesignOptions{});
    EXPECT_EQ(again.grades, result.grades);
    EXPECT_EQ(Bytes(), designed);
}

} // namespace
} // namespace ixo::test
