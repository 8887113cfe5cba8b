#include "building/proyecto.h"
#include "building/vivienda.h"
#include "design/auto_regulation.h"
#include "design/control_effects.h"
#include "design/level_sample.h"
#include "editing/editing_test_support.h"
#include "editing/network_edits.h"
#include "levels/calculo_niveles.h"
#include "levels/polaridad_vivienda.h"
#include "model/disecq.h"
#include "model/multiswitch.h"
#include "model/pin.h"

#include <cmath>
#include <string>

namespace ixo::test {
namespace {

constexpr std::int32_t kAL5 = 100; // line amplifier AL-5

class ControlEffectsTest : public EditingFixture {
protected:
    // For every setting: the change of every level when the setting moves by its step, measured by a
    // full recalculation, against the change the traced chains predict (the sum of the setting's
    // links on the level's chain, times the step). Returns the largest difference, dB; counts the
    // levels that move at all.
    double LargestDifference(int& moved) {
        Recalcular(*project);
        const std::vector<RegulationSetting> settings = RegulationSettings(*project);
        EXPECT_FALSE(settings.empty());
        LevelSample base;
        base.Take(*project);
        ControlEffects effects(settings);
        EXPECT_TRUE(effects.Trace(base)) << effects.Failure();
        double largest = 0.0;
        moved = 0;
        for (std::size_t s = 0; s < settings.size(); ++s) {
            const double value = settings[s].Get();
            const double step = settings[s].Step();
            settings[s].Set(value + step);
            Recalcular(*project);
            LevelSample probe;
            probe.Take(*project);
            settings[s].Set(value);
            EXPECT_EQ(probe.Size(), base.Size());
            for (std::size_t i = 0; i < base.Size() && i < probe.Size(); ++i) {
                double predicted = 0.0;
                for (const EffectLink* link = effects.ChainOf(i); link != nullptr; link = link->up) {
                    if (link->setting == s) {
                        predicted += link->slope[base.bands[i]] * step;
                    }
                }
                const double measured = probe.levels[i] - base.levels[i];
                if (std::abs(measured) > 1e-9) {
                    ++moved;
                }
                if (std::abs(measured - predicted) > 1e-6 && m_reported++ < 5) {
                    ADD_FAILURE() << "setting " << s << " ("
                                  << (settings[s].Element() != nullptr ? settings[s].Element()->Name() : "?")
                                  << "), level " << i << " band " << int(base.bands[i]) << " polarity "
                                  << base.polarities[i] << " element "
                                  << (base.elements[i] != nullptr ? base.elements[i]->Name() : "outlet")
                                  << ": measured " << measured << ", predicted " << predicted;
                }
                largest = std::max(largest, std::abs(measured - predicted));
            }
        }
        Recalcular(*project);
        return largest;
    }

    int m_reported = 0;
};

// The coefficients traced from the structure are those a full recalculation per setting measures, on
// every level the regulation looks at (outlets at every polarity, amplifier outputs, multiswitch inputs),
// for star and cascade flats, 4, 8 and 16 polarities.
TEST_F(ControlEffectsTest, TracedCoefficientsAreThoseOfFullRecalculations) {
    struct Case {
        int floors, flats, outlets, polarities, topology;
    };
    for (const Case& c :
         {Case{3, 2, 2, 4, 0}, Case{4, 1, 3, 4, 1}, Case{2, 2, 1, 8, 0}, Case{3, 1, 2, 16, 1}}) {
        const std::string name = std::to_string(c.floors) + " floors, " + std::to_string(c.polarities) +
                                 " polarities, topology " + std::to_string(c.topology);
        editor.reset();
        project.reset();
        BuildNetwork(Shape(1, c.floors, c.flats, c.outlets, c.polarities, 0, c.topology));
        int moved = 0;
        EXPECT_LT(LargestDifference(moved), 1e-6) << name;
        EXPECT_GT(moved, 0) << name << ": no setting moved any level; the comparison would mean nothing";
    }
}

// With 12 polarities each flat hangs from a DiSEqC switch fed by the taps of three multiswitches (one per
// satellite): the levels at each polarity come through the input of its satellite, asked for the
// polarity within that satellite's four. The traced coefficients are still those of full
// recalculations, for star and cascade flats of a cascadeable headend.
TEST_F(ControlEffectsTest, TracedCoefficientsFollowTheDiseqcSwitchOfTwelvePolarities) {
    struct Case {
        int floors, flats, outlets, topology, layout;
    };
    for (const Case& c :
         {Case{3, 2, 2, 0, 1}, Case{2, 1, 3, 1, 1}, Case{2, 4, 1, 0, 1}, Case{3, 1, 2, 1, 1}}) {
        const std::string name = std::to_string(c.floors) + " floors, topology " +
                                 std::to_string(c.topology) + ", headend layout " + std::to_string(c.layout);
        editor.reset();
        project.reset();
        BuildNetwork(Shape(1, c.floors, c.flats, c.outlets, 12, c.layout, c.topology));
        int switches = 0;
        for (const auto& flat : project->ListaViviendas()) {
            const TPin* entry = flat.Object != nullptr ? EntradaDeVivienda(*flat.Object) : nullptr;
            switches += entry != nullptr && entry->Peer() != nullptr && entry->Peer()->Owner()->Is<TDISECQ>();
        }
        EXPECT_GT(switches + static_cast<int>(ElementsOfClass<TDISECQ>(*project).size()), 0) << name;
        int moved = 0;
        EXPECT_LT(LargestDifference(moved), 1e-6) << name;
        EXPECT_GT(moved, 0) << name;
    }
}

// The regulation of a 12-polarity building takes its coefficients from the structure.
TEST_F(ControlEffectsTest, TwelvePolaritiesAreRegulatedFromTheStructure) {
    BuildNetwork(Shape(1, 4, 2, 2, 12, 1, 1));
    const AutoRegulationResult result = RegulateAutomatically(*editor);
    EXPECT_TRUE(result.structural);
    EXPECT_GE(result.marginAfter, result.marginBefore);
}

// A line amplifier inserted in the riser adds its controls to every level below it and to none above.
TEST_F(ControlEffectsTest, AnInsertedLineAmplifierMovesTheFloorsBelowIt) {
    BuildNetwork(Shape(1, 6, 1, 1, 4, 1));
    TMultiswitch* entry = nullptr;
    for (TMultiswitch* multiswitch : ElementsOfClass<TMultiswitch>(*project)) {
        const auto* floor = dynamic_cast<const tplanta*>(multiswitch->Container());
        if (floor != nullptr && floor->Nivel == 3) {
            entry = multiswitch;
        }
    }
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(editor->Apply(
        [&](EditJournal& journal) { return InsertLineAmplifier(*project, *entry, kAL5, journal); }));
    int moved = 0;
    EXPECT_LT(LargestDifference(moved), 1e-6);
    EXPECT_GT(moved, 0);
}

// The regulation from traced coefficients reaches the margin the regulation from one full recalculation
// per setting reaches, with fewer recalculations; each is one undoable edit.
TEST_F(ControlEffectsTest, StructureAndProbesRegulateToTheSameMargin) {
    BuildNetwork(Shape(1, 3, 2, 2, 4, 0));
    const std::vector<std::uint8_t> saved = Bytes();
    const AutoRegulationResult probed = RegulateAutomatically(*editor, {}, RegulationMethod::Probes);
    EXPECT_FALSE(probed.structural);
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Bytes(), saved);
    const AutoRegulationResult traced = RegulateAutomatically(*editor, {}, RegulationMethod::Structure);
    EXPECT_TRUE(traced.structural);
    EXPECT_NEAR(traced.marginAfter, probed.marginAfter, 0.05);
    EXPECT_LT(traced.recalculations, probed.recalculations);
}

} // namespace
} // namespace ixo::test
