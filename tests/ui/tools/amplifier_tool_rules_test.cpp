#include "ui/tools/amplifier_tool_rules.h"

#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/vivienda.h"
#include "editing/edit_journal.h"
#include "editing/editing_test_support.h"
#include "editing/network_editor.h"
#include "editing/network_edits.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/disecq.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "ui/design_window_fixture.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

using Insertion = AmplifierToolInsertion::Kind;
using Removal = AmplifierToolRemoval::Kind;

bool OnHeadendFloor(const TComponenteBase& element) {
    const auto* floor = dynamic_cast<const tplanta*>(element.Container());
    return floor != nullptr && floor->HeaderPl;
}

// A riser multiswitch with both taps and outputs, below the headend floor.
TMultiswitch* RiserMultiswitch(const Tproyecto& project) {
    for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(project)) {
        if (dynamic_cast<tplanta*>(ms->Container()) != nullptr && !OnHeadendFloor(*ms) &&
            ms->Nderivaciones >= 1 && ms->Nsalidas >= 1) {
            return ms;
        }
    }
    return nullptr;
}

// A building of the demo's kind in another shape: every floor of every stair with flatsPerFloor flats.
WizardResults ShapeOf(std::int32_t polarities, std::int32_t stairs, std::int32_t floors,
                      std::int32_t flatsPerFloor, std::int32_t outlets, std::int32_t headendLayout) {
    WizardResults r = DemoBuilding();
    r.Npolaridades = polarities;
    r.Nverticales = stairs;
    r.Nplantas = floors;
    r.Nviv = stairs * floors * flatsPerFloor;
    r.NoutletViv = outlets;
    r.TipoDistribucionCab = headendLayout;
    r.DisViv.assign(static_cast<std::size_t>(stairs),
                    std::vector<std::int32_t>(static_cast<std::size_t>(floors), flatsPerFloor));
    return r;
}

// The demo building (8 polarities, headend amplifiers feeding splitters and a trunk).
class AmplifierToolRules : public DesignWindowTest {
protected:
    Tproyecto& Project() { return *window->Project(); }
};

TEST_F(AmplifierToolRules, AnOutletOrTheSplitterBehindTheEntryTakesOneFlatAmplifier) {
    Tproyecto& project = Project();
    TTomaTV* outlet = ElementsOfClass<TTomaTV>(project).at(0);
    AmplifierToolInsertion insertion = AmplifierToolInsertionAt(*outlet, project);
    EXPECT_EQ(insertion.kind, Insertion::FlatAmplifier);
    EXPECT_EQ(insertion.family, 39000);
    EXPECT_EQ(insertion.model, 101);
    EXPECT_FALSE(insertion.exact);
    ASSERT_NE(insertion.flat, nullptr);
    EXPECT_EQ(insertion.flat, FlatOf(*outlet));
    // The star flat's splitter fed by the entry offers the same.
    TRepartidor* splitter = nullptr;
    for (TRepartidor* candidate : ElementsOfClass<TRepartidor>(project)) {
        splitter = splitter == nullptr && FlatOf(*candidate) == insertion.flat ? candidate : splitter;
    }
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(AmplifierToolInsertionAt(*splitter, project).kind, Insertion::FlatAmplifier);

    NetworkEditor editor(project);
    ASSERT_TRUE(editor.Apply([&](EditJournal& j) {
        return InsertFlatAmplifier(project, *insertion.flat, insertion.model, insertion.family, j);
    }));
    // A flat with its amplifier takes no second one, from the outlet or from the splitter.
    EXPECT_EQ(AmplifierToolInsertionAt(*outlet, project).kind, Insertion::None);
    EXPECT_EQ(AmplifierToolInsertionAt(*splitter, project).kind, Insertion::None);
    TLinAmp* amp = nullptr;
    for (TLinAmp* candidate : ElementsOfClass<TLinAmp>(project)) {
        amp = FlatOf(*candidate) == insertion.flat ? candidate : amp;
    }
    ASSERT_NE(amp, nullptr);
    EXPECT_EQ(AmplifierToolRemovalAt(*amp, project).kind, Removal::FlatAmplifier);
    EXPECT_EQ(AmplifierToolRemovalAt(*outlet, project).kind, Removal::None);
    ASSERT_TRUE(editor.Undo());
}

TEST_F(AmplifierToolRules, EightPolarityRisersTakeTheEightPolarityLineFamily) {
    Tproyecto& project = Project();
    TMultiswitch* ms = RiserMultiswitch(project);
    ASSERT_NE(ms, nullptr);
    const AmplifierToolInsertion insertion = AmplifierToolInsertionAt(*ms, project);
    const TpreferenciasProyecto& preferences = project.Preferencias();
    EXPECT_EQ(insertion.kind, Insertion::LineAmplifier);
    EXPECT_EQ(insertion.family, preferences.HD_FamiliaAmpFI8);
    EXPECT_EQ(insertion.model, preferences.HD_ModeloAmpFI8);
    EXPECT_EQ(insertion.group, 8);
    EXPECT_TRUE(insertion.exact);
}

TEST_F(AmplifierToolRules, NothingOnTheHeadendFloorOrOnADiseqcSwitch) {
    Tproyecto& project = Project();
    for (TRepartidor* splitter : ElementsOfClass<TRepartidor>(project)) {
        if (OnHeadendFloor(*splitter)) {
            // Fed by a headend amplifier, not by a dish: the headend floor takes nothing.
            EXPECT_EQ(AmplifierToolInsertionAt(*splitter, project).kind, Insertion::None);
        }
    }
    const auto switches = ElementsOfClass<TDISECQ>(project);
    for (TDISECQ* diseqc : switches) {
        EXPECT_EQ(AmplifierToolInsertionAt(*diseqc, project).kind, Insertion::None);
    }
}

// The README's cascade building: 12 polarities, the default cascade family.
class CascadeAmplifierToolRules : public AmplifierToolRules {
protected:
    WizardResults Building() const override { return CascadeBuilding(); }
};

TEST_F(CascadeAmplifierToolRules, TwelvePolarityRisersTakeTheLineAmplifiers) {
    Tproyecto& project = Project();
    TMultiswitch* ms = RiserMultiswitch(project);
    ASSERT_NE(ms, nullptr);
    const AmplifierToolInsertion insertion = AmplifierToolInsertionAt(*ms, project);
    EXPECT_EQ(insertion.kind, Insertion::LineAmplifier);
    EXPECT_EQ(insertion.family, 4002);
    EXPECT_EQ(insertion.model, 100);
    EXPECT_EQ(insertion.group, 0);
    EXPECT_FALSE(insertion.exact);

    NetworkEditor editor(project);
    ASSERT_TRUE(editor.Apply([&](EditJournal& j) { return InsertLineAmplifier(project, *ms, 100, j); }));
    TLinAmp* amp = ElementsOfClass<TLinAmp>(project).at(0);
    EXPECT_EQ(AmplifierToolRemovalAt(*amp, project).kind, Removal::LineAmplifier);
    ASSERT_TRUE(editor.Undo());
}

TEST_F(CascadeAmplifierToolRules, HeadendAmplifiersFeedingSplittersGoOneByOne) {
    Tproyecto& project = Project();
    ASSERT_NE(project.Preferencias().TipoDistribucionCab, 0);
    const auto amps = ElementsOfClass<TAmpliHeader>(project);
    ASSERT_EQ(amps.size(), 3u);
    for (TAmpliHeader* amp : amps) {
        const AmplifierToolRemoval removal = AmplifierToolRemovalAt(*amp, project);
        EXPECT_EQ(removal.kind, Removal::HeadendAmplifier);
        EXPECT_EQ(removal.multiswitch, nullptr);
    }
}

// Sixteen polarities: the riser takes the 16-polarity line family.
class SixteenPolarityAmplifierToolRules : public AmplifierToolRules {
protected:
    WizardResults Building() const override { return ShapeOf(16, 1, 3, 2, 3, 1); }
};

TEST_F(SixteenPolarityAmplifierToolRules,
       TheRiserFedByTheDishesTakesHeadendAmplifiersTheOthersLineAmplifiers) {
    Tproyecto& project = Project();
    const TpreferenciasProyecto& preferences = project.Preferencias();
    std::size_t fedByDishes = 0;
    std::size_t fedByTheRiser = 0;
    for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(project)) {
        const AmplifierToolInsertion insertion = AmplifierToolInsertionAt(*ms, project);
        const TPin* third = ms->PinAt(PinKind::Input, 2);
        const bool dishFed =
            third != nullptr && third->Peer() != nullptr && third->Peer()->Owner()->Is<Tantena>();
        if (dishFed) {
            ++fedByDishes;
            EXPECT_EQ(insertion.kind, Insertion::HeadendAmplifiers);
            EXPECT_TRUE(insertion.onHeadendFloor);
            EXPECT_EQ(insertion.family, preferences.HD_FamiliaAmpFi);
        } else {
            ++fedByTheRiser;
            EXPECT_EQ(insertion.kind, Insertion::LineAmplifier);
            EXPECT_EQ(insertion.family, preferences.HD_FamiliaAmpFi16);
            EXPECT_EQ(insertion.model, preferences.HD_ModeloAmpFi16);
            EXPECT_EQ(insertion.group, 16);
            EXPECT_TRUE(insertion.exact);
        }
    }
    EXPECT_EQ(fedByDishes, 1u);
    EXPECT_EQ(fedByTheRiser, 2u);

    // Headend amplifiers put in front of the top multiswitch then go together, as the multiswitch's.
    TMultiswitch* top = nullptr;
    for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(project)) {
        top = top == nullptr && AmplifierToolInsertionAt(*ms, project).kind == Insertion::HeadendAmplifiers
                  ? ms
                  : top;
    }
    ASSERT_NE(top, nullptr);
    NetworkEditor editor(project);
    ASSERT_TRUE(editor.Apply([&](EditJournal& j) {
        return InsertHeadendAmplifiers(project, *top, preferences.HD_ModeloAmpFi, preferences.HD_FamiliaAmpFi,
                                       true, j);
    }));
    const auto amps = ElementsOfClass<TAmpliHeader>(project);
    ASSERT_EQ(amps.size(), 4u);
    for (TAmpliHeader* amp : amps) {
        const AmplifierToolRemoval removal = AmplifierToolRemovalAt(*amp, project);
        EXPECT_EQ(removal.kind, Removal::HeadendAmplifiersOf);
        EXPECT_EQ(removal.multiswitch, top);
    }
    ASSERT_TRUE(editor.Undo());
}

// Stand-alone, four stairs of four polarities: the dish feeds splitters, each feeding two headend
// multiswitches.
class StandaloneAmplifierToolRules : public AmplifierToolRules {
protected:
    WizardResults Building() const override { return ShapeOf(4, 4, 4, 4, 2, 0); }
};

TEST_F(StandaloneAmplifierToolRules, ADishSplitterTakesHeadendAmplifiersThatThenGoOneByOne) {
    Tproyecto& project = Project();
    ASSERT_TRUE(ElementsOfClass<TAmpliHeader>(project).empty());
    std::size_t dishSplitters = 0;
    TRepartidor* first = nullptr;
    for (TRepartidor* splitter : ElementsOfClass<TRepartidor>(project)) {
        const AmplifierToolInsertion insertion = AmplifierToolInsertionAt(*splitter, project);
        if (insertion.kind == Insertion::HeadendAmplifiers) {
            ++dishSplitters;
            first = first != nullptr ? first : splitter;
            EXPECT_EQ(insertion.family, project.Preferencias().HD_FamiliaAmpFi);
            EXPECT_EQ(insertion.model, project.Preferencias().HD_ModeloAmpFi);
            EXPECT_TRUE(insertion.exact);
            EXPECT_FALSE(insertion.onHeadendFloor);
        }
    }
    ASSERT_GT(dishSplitters, 0u);
    NetworkEditor editor(project);
    const AmplifierToolInsertion insertion = AmplifierToolInsertionAt(*first, project);
    ASSERT_TRUE(editor.Apply([&](EditJournal& j) {
        return InsertHeadendAmplifiers(project, *first, insertion.model, insertion.family, false, j);
    }));
    const auto amps = ElementsOfClass<TAmpliHeader>(project);
    ASSERT_FALSE(amps.empty());
    // Multiswitches at the headend: each headend amplifier goes alone.
    for (TAmpliHeader* amp : amps) {
        EXPECT_EQ(AmplifierToolRemovalAt(*amp, project).kind, Removal::HeadendAmplifier);
    }
    ASSERT_TRUE(editor.Undo());
}

} // namespace
} // namespace ixo::test
