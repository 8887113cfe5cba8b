#include "design/auto_regulation.h"
#include "design/level_sample.h"
#include "design/regulation_rows.h"
#include "editing/editing_test_support.h"
#include "levels/calculo_niveles.h"
#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/level_vector.h"
#include "model/multiswitch.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <map>
#include <set>

namespace ixo::test {
namespace {

class AutoRegulationTest : public EditingFixture {};

// The best worst-margin over a grid of positions of two controls, every point recalculated.
double ExhaustiveBest(Tproyecto& project, TPotenciometroBase8& a, TPotenciometroBase8& b, double step,
                      double& worstSeen) {
    const double a0 = a.Ajuste;
    const double b0 = b.Ajuste;
    double best = -1e9;
    worstSeen = 1e9;
    for (double x = 0.0; x <= 100.0; x += step) {
        for (double y = 0.0; y <= 100.0; y += step) {
            a.Ajuste = x;
            b.Ajuste = y;
            Recalcular(project);
            const double margin = WorstMargin(project);
            best = std::max(best, margin);
            worstSeen = std::min(worstSeen, margin);
        }
    }
    a.Ajuste = a0;
    b.Ajuste = b0;
    Recalcular(project);
    return best;
}

// A small building where every level can be searched: the regulation of two controls (the headend
// amplifier's gain and slope of the first polarity) reaches the best margin of an exhaustive search
// over a 2.5 % grid (it searches continuously, so it may only do better).
TEST_F(AutoRegulationTest, TwoControlsReachTheBestMarginOfAnExhaustiveSearch) {
    BuildNetwork(Shape(1, 2, 1, 2, 4, 1));
    const std::vector<TAmpliHeader*> headend = ElementsOfClass<TAmpliHeader>(*project);
    ASSERT_FALSE(headend.empty());
    TPotenciometroBase8* gain = headend[0]->LPG().at(0);
    TPotenciometroBase8* slope = headend[0]->LPP().at(0);
    double worstSeen = 0.0;
    const double best = ExhaustiveBest(*project, *gain, *slope, 2.5, worstSeen);
    ASSERT_GT(best - worstSeen, 1.0) << "the two controls must matter for the test to mean anything";

    const AutoRegulationResult result = RegulateAutomatically(*editor, {gain, slope});
    EXPECT_GE(result.marginAfter, best - 0.02);
    EXPECT_NEAR(WorstMargin(*project), result.marginAfter, 1e-9); // the margin claimed is the one applied
}

// Every control of the building regulated together: never worse than the exhaustive best over any two
// of them with the others at their catalogue positions, and the figures reported are those applied.
TEST_F(AutoRegulationTest, AllControlsDoAtLeastAsWellAsTheExhaustiveSearchOfTwo) {
    BuildNetwork(Shape(1, 2, 1, 2, 4, 1));
    const std::vector<TAmpliHeader*> headend = ElementsOfClass<TAmpliHeader>(*project);
    ASSERT_FALSE(headend.empty());
    double worstSeen = 0.0;
    const double best =
        ExhaustiveBest(*project, *headend[0]->LPG().at(0), *headend[0]->LPG().at(1), 5.0, worstSeen);
    const double before = WorstMargin(*project);
    const AutoRegulationResult result = RegulateAutomatically(*editor);
    EXPECT_DOUBLE_EQ(result.marginBefore, before);
    EXPECT_GE(result.marginAfter, best - 0.02);
    EXPECT_GE(result.marginAfter, before);
    EXPECT_NEAR(WorstMargin(*project), result.marginAfter, 1e-9);
    for (const ControlChange& change : result.changes) {
        EXPECT_NE(change.before, change.after);
        EXPECT_GE(change.after, 0.0);
        EXPECT_LE(change.after, 100.0);
    }
}

// The whole automatic regulation is one edit: undo gives back the project's saved bytes, redo the
// regulated ones.
TEST_F(AutoRegulationTest, UndoOfTheAutomaticRegulationGivesBackTheSavedBytes) {
    BuildNetwork(Shape(1, 2, 2, 2, 4, 1));
    const std::vector<std::uint8_t> saved = Bytes();
    const AutoRegulationResult result = RegulateAutomatically(*editor);
    ASSERT_TRUE(result.applied);
    ASSERT_FALSE(result.changes.empty());
    const std::vector<std::uint8_t> regulated = Bytes();
    EXPECT_NE(regulated, saved);
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Bytes(), saved);
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Bytes(), regulated);
    EXPECT_NETWORK_CONSISTENT(*project);
}

// A caller that keeps its sample of the levels (the automatic design) gets the same regulation as one
// that lets the regulation measure for itself, and is handed back exactly the levels of the network as
// applied: the sample equals one taken after a fresh full recalculation, level for level.
TEST_F(AutoRegulationTest, AKeptSampleGivesTheSameRegulationAndIsLeftAtTheAppliedLevels) {
    BuildNetwork(Shape(1, 3, 2, 2, 8, 1));
    const std::vector<std::uint8_t> saved = Bytes();
    const AutoRegulationResult own = RegulateAutomatically(*editor);
    ASSERT_TRUE(own.applied);
    const std::vector<std::uint8_t> regulated = Bytes();
    ASSERT_TRUE(editor->Undo());
    ASSERT_EQ(Bytes(), saved);

    LevelSample kept;
    kept.Take(*project);
    const AutoRegulationResult result = RegulateAutomatically(*editor, kept);
    EXPECT_TRUE(result.applied);
    EXPECT_DOUBLE_EQ(result.marginBefore, own.marginBefore);
    EXPECT_DOUBLE_EQ(result.marginAfter, own.marginAfter);
    EXPECT_EQ(result.changes.size(), own.changes.size());
    EXPECT_EQ(Bytes(), regulated);

    Recalcular(*project);
    LevelSample fresh;
    fresh.Take(*project);
    ASSERT_EQ(kept.Size(), fresh.Size());
    for (std::size_t i = 0; i < fresh.Size(); ++i) {
        ASSERT_EQ(kept.levels[i], fresh.levels[i]) << "level " << i;
        ASSERT_EQ(kept.pins[i], fresh.pins[i]) << "level " << i;
    }
    EXPECT_DOUBLE_EQ(kept.Worst(), result.marginAfter);
}

// A caller that also keeps the outlet check out (the automatic design) gets the result without a
// recalculation after the edit when the regulation's last one was at the positions applied: the
// network's levels as they stand right after the regulation are those of a fresh full recalculation.
TEST_F(AutoRegulationTest, WithTheCheckKeptOutTheAppliedLevelsStandWithoutAnotherRecalculation) {
    BuildNetwork(Shape(1, 3, 2, 2, 8, 1));
    project->finalizadocalculoTV = false;
    Recalcular(*project);
    LevelSample kept;
    kept.Take(*project);
    const AutoRegulationResult result = RegulateAutomatically(*editor, kept);
    ASSERT_TRUE(result.applied);
    LevelSample standing;
    standing.Take(*project); // no recalculation in between
    Recalcular(*project);
    LevelSample fresh;
    fresh.Take(*project);
    ASSERT_EQ(standing.Size(), fresh.Size());
    ASSERT_EQ(kept.Size(), fresh.Size());
    for (std::size_t i = 0; i < fresh.Size(); ++i) {
        ASSERT_EQ(standing.levels[i], fresh.levels[i]) << "level " << i;
        ASSERT_EQ(kept.levels[i], fresh.levels[i]) << "level " << i;
    }
    EXPECT_DOUBLE_EQ(fresh.Worst(), result.marginAfter);
}

// A terrestrial headend's two settings: the level at 862 MHz, and the tilt by which 47 MHz lies below
// it, the bands between in proportion to frequency (175 MHz: (862 - 175) / (862 - 47) of the tilt).
// Moving one keeps the other.
TEST_F(AutoRegulationTest, TheTerrestrialHeadendHasALevelAndATiltSetting) {
    BuildNetwork(Shape(1, 2, 1, 1, 4, 1));
    const std::vector<RegulationSetting> settings = RegulationSettings(*project);
    const RegulationSetting* level = nullptr;
    const RegulationSetting* tilt = nullptr;
    for (const RegulationSetting& setting : settings) {
        if (setting.headend != nullptr) {
            (setting.tilt ? tilt : level) = &setting;
        }
    }
    ASSERT_NE(level, nullptr);
    ASSERT_NE(tilt, nullptr);
    EXPECT_EQ(tilt->low, 0.0);
    EXPECT_EQ(tilt->high, kTerrestrialTiltRange);
    level->Set(100.0);
    tilt->Set(8.15);
    const LevelVector& out = level->headend->NivelTerr();
    EXPECT_NEAR(out[3], 100.0, 1e-12);
    EXPECT_NEAR(out[0], 91.85, 1e-12);
    EXPECT_NEAR(out[1], 100.0 - 8.15 * (862.0 - 175.0) / 815.0, 1e-12);
    EXPECT_NEAR(out[2], 100.0 - 8.15 * (862.0 - 470.0) / 815.0, 1e-12);
    EXPECT_NEAR(tilt->Get(), 8.15, 1e-12);
    level->Set(104.0); // the tilt is kept
    EXPECT_NEAR(level->headend->NivelTerr()[0], 95.85, 1e-12);
    EXPECT_NEAR(tilt->Get(), 8.15, 1e-12);
    EXPECT_NEAR(level->Get(), 104.0, 1e-12);
}

// The changes a regulation lists: one for every setting moved and none for the others, each named by
// its element, caption and the slider label the element's regulation window gives it (a 16-polarity
// multiswitch's sixteen gains G_SAT1 to G_SAT16, though the element's regulation is built once for
// them), a terrestrial headend's level and tilt in dBµV and dB without a slider.
TEST_F(AutoRegulationTest, EveryMovedSettingIsNamedByItsSliderInTheElementsRegulation) {
    BuildNetwork(Shape(1, 2, 2, 1, 16, 1));
    const std::vector<RegulationSetting> settings = RegulationSettings(*project);
    std::vector<double> before;
    std::vector<double> after;
    for (std::size_t s = 0; s < settings.size(); ++s) {
        before.push_back(settings[s].Get());
        after.push_back(before.back() + (s % 3 == 1 ? 0.0 : 1.5));
    }
    const std::vector<ControlChange> changes = ChangesOfSettings(*project, settings, before, after);
    std::size_t next = 0;
    std::map<std::string, std::set<std::string>> labelsByElement;
    bool headendSeen = false;
    for (std::size_t s = 0; s < settings.size(); ++s) {
        if (s % 3 == 1) {
            continue;
        }
        ASSERT_LT(next, changes.size());
        const ControlChange& change = changes[next++];
        EXPECT_EQ(change.before, before[s]);
        EXPECT_EQ(change.after, after[s]);
        if (settings[s].control == nullptr) {
            headendSeen = true;
            EXPECT_EQ(change.element, settings[s].headend->Name());
            EXPECT_EQ(change.control, settings[s].tilt ? "tilt" : "level");
            EXPECT_EQ(change.unit, settings[s].tilt ? "dB" : "dBµV");
            EXPECT_TRUE(change.slider.empty());
            continue;
        }
        auto* element = dynamic_cast<TCBFT*>(settings[s].control->Owner());
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(change.element, element->Name());
        EXPECT_EQ(change.control, settings[s].control->Caption);
        EXPECT_EQ(change.unit, "%");
        // The window's labels: a multiswitch's by the control's polarity, an amplifier's G or T (gain
        // or slope) with its band group and a count, each once in its element's regulation.
        const TPotenciometroBase8& control = *settings[s].control;
        const bool satellite = control.Caption.find("SAT") != std::string::npos;
        if (dynamic_cast<TMultiswitch*>(element) != nullptr) {
            EXPECT_EQ(change.slider, (satellite ? "G_SAT" : "G_TER") + std::to_string(control.PotPol + 1));
        } else {
            const std::string kind = control.Tipo == TPotenciometroBase8::kSlope ? "T" : "G";
            EXPECT_EQ(change.slider.rfind(kind + (satellite ? "_SAT" : ""), 0), 0u) << change.slider;
        }
        EXPECT_TRUE(labelsByElement[change.element].insert(change.slider).second)
            << change.element << " " << change.slider << " twice";
    }
    EXPECT_EQ(next, changes.size());
    EXPECT_TRUE(headendSeen);
    std::size_t widest = 0;
    for (const auto& [element, labels] : labelsByElement) {
        widest = std::max(widest, labels.size());
    }
    EXPECT_GE(widest, 8u) << "a multiswitch's gains moved together, each under its own label";
}

// An element maximum that holds bounds the smooth phases' moves: a row 3 dB below its maximum that moves
// 2 dB per unit lets a direction go up by 1.5 units and down without end; moving it the other way round,
// the reverse. A maximum already passed does not bound (the move may bring it back), and an outlet
// row's two limits bound both ways.
TEST(KeepWithin, AMaximumThatHoldsBoundsTheMoveTowardsIt) {
    regulation::Row maximum;
    maximum.bound.maximum = 90.0;
    maximum.Take(87.0);
    double low = -100.0;
    double high = 100.0;
    regulation::KeepWithin(maximum, 2.0, low, high);
    EXPECT_DOUBLE_EQ(high, 1.5);
    EXPECT_DOUBLE_EQ(low, -100.0);
    low = -100.0;
    high = 100.0;
    regulation::KeepWithin(maximum, -2.0, low, high);
    EXPECT_DOUBLE_EQ(low, -1.5);
    EXPECT_DOUBLE_EQ(high, 100.0);

    regulation::Row passed;
    passed.bound.maximum = 90.0;
    passed.Take(91.0);
    low = -100.0;
    high = 100.0;
    regulation::KeepWithin(passed, 2.0, low, high);
    EXPECT_DOUBLE_EQ(high, 100.0);

    regulation::Row outlet;
    outlet.bound.minimum = 50.0;
    outlet.bound.maximum = 70.0;
    outlet.Take(55.0);
    outlet.Take(60.0);
    low = -100.0;
    high = 100.0;
    regulation::KeepWithin(outlet, 1.0, low, high);
    EXPECT_DOUBLE_EQ(high, 10.0);
    EXPECT_DOUBLE_EQ(low, -5.0);
}

} // namespace
} // namespace ixo::test
