#include "building/preferencias_proyecto.h"
#include "building/vivienda.h"
#include "design/amplifier_placement.h"
#include "design/auto_design.h"
#include "design/cable_choice.h"
#include "design/design_verdict.h"
#include "design/flat_amplification.h"
#include "design/level_sample.h"
#include "design/power_check.h"
#include "editing/editing_test_support.h"
#include "editing/flat_amplifier.h"
#include "model/alimentador.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/lin_amp.h"
#include "persistence/project_file.h"

#include <algorithm>

namespace ixo::test {
namespace {

constexpr int kFloorCable = 3;      // the cable list's floor entry, which feeds stand-alone flats
constexpr std::size_t kBand862 = 3; // the top terrestrial band

// Stand-alone headends: the headend multiswitches feed every flat straight through the floor cable.
class FlatFeedTest : public EditingFixture {
protected:
    // The level of the first outlet at the band, from a sample of the project as it stands.
    static double OutletLevel(const LevelSample& sample, std::size_t band) {
        for (std::size_t i = 0; i < sample.Size(); ++i) {
            if (sample.outlets[i] != nullptr && sample.bands[i] == band) {
                return sample.levels[i];
            }
        }
        return -1000.0;
    }

    // Every dish's satellite input levels moved by dB (the levels are recalculated by PlannedFor).
    void ShiftDishes(double dB) {
        for (Tantena* dish : ElementsOfClass<Tantena>(*project)) {
            std::vector<LevelVector> levels = dish->InputLevels();
            for (LevelVector& level : levels) {
                for (std::size_t band = kFirstSatelliteBand; band < kBandCount; ++band) {
                    level[band] += dB;
                }
            }
            dish->SetInputLevelList(levels);
        }
    }

    // The terrestrial headend's output moved so that the first outlet gets `level` at 862 MHz, and the
    // flat amplifier PlanFlatAmplifiers chooses then ("" for none).
    std::string PlannedFor(double level, double headroomSlack = kTightMargin) {
        LevelSample sample;
        sample.Take(*project);
        const double now = OutletLevel(sample, kBand862);
        const std::vector<TCabeceraTerrestre*> headends = ElementsOfClass<TCabeceraTerrestre>(*project);
        EXPECT_EQ(headends.size(), 1u);
        LevelVector output = headends[0]->NivelTerr();
        for (std::size_t band = 0; band < kFirstSatelliteBand; ++band) {
            output[band] += level - now;
        }
        headends[0]->SetNivelTerr(output);
        editor->Recalculate();
        sample.Take(*project);
        EXPECT_NEAR(OutletLevel(sample, kBand862), level, 1e-6);
        const std::vector<FlatAmplification> plan =
            PlanFlatAmplifiers(*project, sample, kTightMargin, headroomSlack);
        EXPECT_LE(plan.size(), 1u);
        lastPlan = plan.empty() ? FlatAmplification{} : plan[0];
        return plan.empty() ? std::string() : plan[0].model->Modelo;
    }

    // One flat of one star outlet, the dish levels 14 dB below the built ones (the AV-30 at its lowest
    // then fits the satellite window).
    Tvivienda* QuietSatelliteFlat() {
        BuildNetwork(Shape(1, 1, 1, 1, 4, 0));
        ShiftDishes(-14.0);
        return project->ListaViviendas()[0].Object;
    }

    FlatAmplification lastPlan; // what PlannedFor planned last
};

// One flat of one star outlet, its terrestrial level set by hand 862 MHz short of the 60 dBuV minimum.
// As built its satellite levels (68.5, 67.7, 67.1, 66.3 dBuV) leave 2.9 dB at 1750 MHz, less than the AV-20's
// 4 dB there at its lowest: it fits only with the 3 dB the regulation upstream may take out.
// With the dish levels 3 dB up its satellite levels (71.5, 70.7, 70.1, 69.3 dBuV) leave -0.1 dB below the
// 70 dBuV maximum at 1750 MHz, where the AV-20 at its lowest still gains 21 - 15 - 2 = 4 dB, more than the
// 3 dB the regulation upstream may take out: no amplifier fits. With the dish levels 14 dB below the
// built ones (54.5 to 52.3 dBuV, all above the 50 dBuV minimum) even the AV-30 at its lowest (9, 11.5, 14,
// 16.5 dB) fits, and the flat gets the AV-20 (20 dB at 862 MHz) where it covers the shortfall with 3 dB to
// spare, the AV-30 (30 dB) where only it does, the AV-30 still where it comes within 3 dB of the
// shortfall (the regulation upstream makes up the rest), and none where no gain inside the flat would
// bring it near.
TEST_F(FlatFeedTest, AFlatGetsTheLeastAmplifierThatCoversItsShortfall) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 0));
    const double minimum = project->Preferencias().Minimo(0);
    ASSERT_EQ(minimum, 60.0);
    // As built, 2.9 dB at 1750 MHz: the AV-20 fits only where the regulation may make room upstream.
    EXPECT_EQ(PlannedFor(minimum - 10.0, 0.0), "");
    EXPECT_EQ(PlannedFor(minimum - 10.0), "AV-20");
    ShiftDishes(3.0);
    EXPECT_EQ(PlannedFor(minimum - 10.0), ""); // no headroom at 1750 MHz
    ShiftDishes(-17.0);
    EXPECT_EQ(PlannedFor(minimum + 1.0), "");       // no outlet short
    EXPECT_EQ(PlannedFor(minimum - 10.0), "AV-20"); // 20 >= 10 + 3
    EXPECT_EQ(PlannedFor(minimum - 17.0), "AV-20"); // 20 >= 17 + 3
    EXPECT_EQ(PlannedFor(minimum - 18.0), "AV-30"); // 20 < 18 + 3 <= 30
    EXPECT_EQ(PlannedFor(minimum - 32.0), "AV-30"); // 30 >= 32 - 3
    EXPECT_EQ(PlannedFor(minimum - 34.0), "");      // 30 < 34 - 3
}

// The same flat with an AV-20 inside it, its controls as inserted (20 dB at 862 MHz), and the dish levels
// 14 dB below the built ones (the AV-30 at its lowest then fits the satellite window): an outlet still
// short by 5 dB lacks 25 dB without the AV-20, which the AV-30 covers with 3 dB to spare, so the AV-30 is
// planned in the AV-20's place; 12 dB short (32 dB without it) the AV-30 comes within 3 dB and is still
// planned; 15 dB short (35 dB) nothing the family has comes near, and an outlet above its minimum needs
// nothing. A model of no more gain than the AV-20 is never planned in its place.
TEST_F(FlatFeedTest, AFlatWhoseAmplifierFallsShortGetsAStrongerOneInItsPlace) {
    Tvivienda* flat = QuietSatelliteFlat();
    ASSERT_NE(flat, nullptr);
    const double minimum = project->Preferencias().Minimo(0);
    ASSERT_TRUE(editor->Apply([&](EditJournal& journal) {
        return InsertFlatAmplifier(*project, *flat, kFlatAmplifierModel, kFlatAmplifierFamily, journal);
    }));
    const auto* present = dynamic_cast<TLinAmp*>(flat->ETV().Object(0));
    ASSERT_NE(present, nullptr);
    ASSERT_EQ(present->Modelo, "AV-20");
    EXPECT_EQ(PlannedFor(minimum - 5.0), "AV-30");
    EXPECT_EQ(lastPlan.replaces, present);
    EXPECT_EQ(lastPlan.flat, flat);
    EXPECT_EQ(PlannedFor(minimum - 12.0), "AV-30");
    EXPECT_EQ(PlannedFor(minimum - 15.0), "");
    EXPECT_EQ(PlannedFor(minimum + 1.0), "");
    EXPECT_EQ(PlannedFor(minimum - 1.0), "AV-30"); // 21 dB without it: the AV-20 would do, but it is there
}

// The AV-30 put in the AV-20's place as the design does it: one edit, the AV-20's supply gone with it and
// a supply of its own for the AV-30, and the account's entries of the AV-20 (its line and its supply's)
// given way to the AV-30's. Undone, the flat has its AV-20 and its supply again, byte for byte.
TEST_F(FlatFeedTest, AStrongerFlatAmplifierTakesThePlaceAndTheEntriesOfTheOneItReplaces) {
    Tvivienda* flat = QuietSatelliteFlat();
    ASSERT_NE(flat, nullptr);
    const double minimum = project->Preferencias().Minimo(0);
    DesignResult result;
    ASSERT_EQ(PlannedFor(minimum - 10.0), "AV-20");
    const FlatAmplification first = lastPlan;
    ASSERT_TRUE(editor->Apply(
        [&](EditJournal& journal) { return PutFlatAmplifier(*project, first, journal, result); }));
    ASSERT_EQ(result.amplifiers.size(), 1u);
    ASSERT_EQ(result.supplies.size(), 1u);
    EXPECT_EQ(result.amplifiers[0].model, "AV-20");

    ASSERT_EQ(PlannedFor(minimum - 5.0), "AV-30");
    ASSERT_NE(lastPlan.replaces, nullptr);
    const std::vector<std::uint8_t> saved = Bytes();
    const FlatAmplification stronger = lastPlan;
    ASSERT_TRUE(editor->Apply(
        [&](EditJournal& journal) { return PutFlatAmplifier(*project, stronger, journal, result); }));
    const std::vector<TLinAmp*> amplifiers = ElementsOfClass<TLinAmp>(*project);
    ASSERT_EQ(amplifiers.size(), 1u);
    EXPECT_EQ(amplifiers[0]->Modelo, "AV-30");
    EXPECT_EQ(FlatOf(*amplifiers[0]), flat);
    ASSERT_NE(amplifiers[0]->Feeder(), nullptr);
    EXPECT_EQ(ElementsOfClass<TFUENTE>(*project).size(), 1u); // the AV-20's supply went with it
    EXPECT_TRUE(CheckPowering(*project).empty());
    ASSERT_EQ(result.amplifiers.size(), 1u);
    EXPECT_EQ(result.amplifiers[0].model, "AV-30");
    ASSERT_EQ(result.supplies.size(), 1u);
    EXPECT_NE(result.supplies[0].find("(AV-30)"), std::string::npos) << result.supplies[0];
    EXPECT_NETWORK_CONSISTENT(*project);

    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Bytes(), saved);
}

// Two stairs of five floors, six flats of two star outlets: the headend multiswitches' terrestrial input
// maximum and their tap loss leave 40 dB to the outlet minimum, and the farthest flats' feeds lose more at
// 862 MHz in the 6.8 mm floor cable. The longest feed, hand-worked: stair 2 is one stair away from the
// headend's (15 m) plus one floor (3 m), and its lowest floor lies four floors below the headend floor's
// (12 m), with 10 m to the flat: 40 m. The 11 mm cable gains 0.096 dB/m x 40 m = 3.84 dB at 2150 MHz there,
// and the design takes it for the floor cable; nothing else is needed, no amplifier goes in. Undoing the
// design gives back the saved bytes.
TEST_F(FlatFeedTest, AStandAloneBuildingTakesTheLowerLossFeedCable) {
    BuildNetwork(Shape(2, 5, 6, 2, 4, 0));
    EXPECT_NEAR(LongestRun(*project, kFloorCable), 40.0, 1e-9);
    const TCableTV* best = LowerLossCable(*project, kFloorCable, 1.0);
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(best->Modelo, "CX-110E");
    EXPECT_EQ(LowerLossCable(*project, kFloorCable, 3.9), nullptr); // 3.84 dB on the longest run only

    const std::vector<std::uint8_t> saved = Bytes();
    const DesignResult result = DesignAutomatically(*editor, DesignOptions{});
    EXPECT_GE(result.marginAfter, 0.0);
    ASSERT_EQ(result.cables.size(), 1u);
    EXPECT_EQ(result.cables[0], "floor cable (CX-68) -> CX-110E");
    EXPECT_TRUE(ElementsOfClass<TLinAmp>(*project).empty());
    EXPECT_NETWORK_CONSISTENT(*project);
    for (int step = 0; step < result.edits; ++step) {
        ASSERT_TRUE(editor->Undo());
    }
    EXPECT_EQ(Bytes(), saved);
}

// The same building with two cascade outlets a flat: the flat's own outlets lose too much for any cable,
// and every flat gets an amplifier inside it, with a supply of its own; the design passes. Saved and read
// again, each supply still feeds its flat's amplifier, so nothing is unpowered in the file either; undoing
// the design gives back the saved bytes.
TEST_F(FlatFeedTest, CascadeFlatsOfAStandAloneBuildingGetAmplifiersThatKeepTheirSupply) {
    BuildNetwork(Shape(2, 5, 6, 2, 4, 0, 1));
    const std::vector<std::uint8_t> saved = Bytes();
    const DesignResult result = DesignAutomatically(*editor, DesignOptions{});
    EXPECT_GE(result.marginAfter, 0.0);
    const std::vector<TLinAmp*> amplifiers = ElementsOfClass<TLinAmp>(*project);
    EXPECT_EQ(amplifiers.size(), 60u);
    for (const TLinAmp* amplifier : amplifiers) {
        EXPECT_TRUE(amplifier->interiorviv) << amplifier->Modelo;
        EXPECT_NE(FlatOf(*amplifier), nullptr);
        EXPECT_NE(amplifier->Feeder(), nullptr);
    }
    EXPECT_TRUE(CheckPowering(*project).empty());
    EXPECT_NETWORK_CONSISTENT(*project);

    const std::vector<std::uint8_t> designed = Bytes();
    const OpenedProject opened = ReadProjectBytes(designed, "designed.XPJ", &DemoStore());
    ASSERT_NE(opened.project, nullptr) << opened.problem;
    EXPECT_TRUE(CheckPowering(*opened.project).empty());
    for (const TLinAmp* amplifier : ElementsOfClass<TLinAmp>(*opened.project)) {
        EXPECT_NE(amplifier->Feeder(), nullptr);
    }

    for (int step = 0; step < result.edits; ++step) {
        ASSERT_TRUE(editor->Undo());
    }
    EXPECT_EQ(Bytes(), saved);
}

// Cascadeable buildings of one flat a floor with six cascade outlets, 8 polarities: the outlet chain
// loses more at 862 MHz than the riser can make up, so the flats get amplifiers. Three stairs of two
// floors: the top flat of a stair keeps the satellite level the floor below needs and has 3.1 dB left
// at 2150 MHz, where the AV-20 gives 6.5 dB at its lowest: only the 6 dB the regulation upstream may
// take out there lets it in. Both designs pass; each supply feeds its amplifier, the account lists each
// flat amplifier once with the model it has, and undoing the design gives back the saved bytes.
TEST_F(FlatFeedTest, CascadeFlatsGetTheAmplifierTheyNeedOrAStrongerOneInItsPlace) {
    for (const auto& [shape, stronger] :
         {std::pair{Shape(3, 2, 1, 6, 8, 1, 1), false}, std::pair{Shape(8, 8, 1, 6, 8, 1, 1), true}}) {
        editor.reset();
        project.reset();
        BuildNetwork(shape);
        const std::vector<std::uint8_t> saved = Bytes();
        const DesignResult result = DesignAutomatically(*editor, DesignOptions{});
        EXPECT_GE(result.marginAfter, 0.0) << shape.stairs;
        EXPECT_TRUE(JudgeDesign(*project).Passes()) << shape.stairs;
        EXPECT_TRUE(CheckPowering(*project).empty());
        const std::vector<TLinAmp*> amplifiers = ElementsOfClass<TLinAmp>(*project);
        const auto av30 = std::count_if(amplifiers.begin(), amplifiers.end(), [](const TLinAmp* a) {
            return a->interiorviv && a->Modelo == "AV-30";
        });
        std::size_t inFlats = 0;
        for (const TLinAmp* amplifier : amplifiers) {
            if (amplifier->interiorviv) {
                ++inFlats;
                EXPECT_NE(amplifier->Feeder(), nullptr);
            }
        }
        // The account lists each flat amplifier once (its place names the flat: "STAIR1 FLOOR2 FL3"),
        // with the model it has.
        std::size_t listed = 0;
        std::size_t listedAv30 = 0;
        for (const AmplifierInsertion& insertion : result.amplifiers) {
            if (std::count(insertion.place.begin(), insertion.place.end(), ' ') == 2) {
                ++listed;
                listedAv30 += insertion.model == "AV-30" ? 1 : 0;
            }
        }
        EXPECT_EQ(listed, inFlats);
        EXPECT_EQ(listedAv30, static_cast<std::size_t>(av30));
        EXPECT_NETWORK_CONSISTENT(*project);
        for (int step = 0; step < result.edits; ++step) {
            ASSERT_TRUE(editor->Undo());
        }
        EXPECT_EQ(Bytes(), saved);
    }
}

} // namespace
} // namespace ixo::test
