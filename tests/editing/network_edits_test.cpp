#include "editing/network_edits.h"

#include "editing_test_support.h"
#include "levels/niveles_tomas.h"
#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/toma_tv.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

constexpr std::int32_t kAL5 = 100; // line amplifier AL-5, family 4002 (pins BBABB)

class NetworkEdits : public EditingFixture {
protected:
    // The first multiswitch outside the headend floor.
    TMultiswitch* FloorMultiswitch() {
        for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(*project)) {
            auto* floor = dynamic_cast<tplanta*>(ms->Container());
            if (floor != nullptr && !floor->HeaderPl) {
                return ms;
            }
        }
        return nullptr;
    }

    bool Apply(const NetworkEditor::Edit& edit) {
        const bool done = editor->Apply(edit);
        EXPECT_NETWORK_CONSISTENT(*project);
        return done;
    }
};

TEST_F(NetworkEdits, BuiltNetworksAreConsistentAndEveryOutletIsFed) {
    for (const BuildingShape& shape :
         {Shape(1, 1, 1, 1, 4, 1), Shape(2, 3, 2, 2, 4, 1), Shape(1, 2, 2, 2, 4, 0),
          Shape(1, 3, 2, 3, 12, 1, 1), Shape(2, 2, 2, 1, 16, 1)}) {
        BuildNetwork(shape);
        const NetworkCheck check = CheckNetwork(*project);
        EXPECT_TRUE(check.Ok()) << Problems(check);
        EXPECT_TRUE(check.unfed.empty());
        editor.reset();
    }
}

TEST_F(NetworkEdits, TheCheckerFindsABrokenLink) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    TMultiswitch* ms = FloorMultiswitch();
    ASSERT_NE(ms, nullptr);
    TPin* in = ms->FirstConnectedPin(PinKind::Input);
    ASSERT_NE(in, nullptr);
    in->MetrosCable += 1.0; // one end only
    EXPECT_FALSE(CheckNetwork(*project).Ok());
    in->MetrosCable -= 1.0;
    EXPECT_TRUE(CheckNetwork(*project).Ok());
}

TEST_F(NetworkEdits, ReplacingAModelByItselfChangesNothing) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    TMultiswitch* ms = FloorMultiswitch();
    ASSERT_NE(ms, nullptr);
    const auto before = Bytes();
    EditRefusal why;
    EXPECT_FALSE(Apply(
        [&](EditJournal& j) { return ReplaceElement(*project, *ms, ms->Indice, ms->Familia, j, &why); }));
    EXPECT_EQ(why.reason, "the element is that model already");
    EXPECT_EQ(editor->StepCount(), 0u);
    EXPECT_EQ(Bytes(), before);
}

// One stair, one flat, one outlet, trunk layout (the builder's hand-worked case): the AFI-440 and the
// terrestrial headend feed MT-504 through 3 m of CX-101. AL-5 goes in front of MT-504: the trunk cables
// now end at AL-5, and AL-5 feeds MT-504 through 0.5 m of floor cable CX-68 (0.19 / 0.30 dB per m at
// 950 / 2150 MHz, 0.077 at 175). AL-5 satellite channel: row EB/SB 30 dB at 950 MHz and 31.5 at 2150
// plus its gain control at 75 % of -20..0 dB (-5 dB): +25 and +26.5 dB. Terrestrial channel in mode 1:
// the TER control at 50 % of -20..0 dB (-10 dB) plus the mode curve EA/SA (+20 dB): +10 dB at 175 MHz.
TEST_F(NetworkEdits, LineAmplifierInFrontOfAMultiswitchLevelsByHand) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    TMultiswitch* ms = FloorMultiswitch();
    ASSERT_NE(ms, nullptr);
    EXPECT_EQ(ms->Modelo, "MT-504");
    ASSERT_TRUE(Apply([&](EditJournal& j) { return InsertLineAmplifier(*project, *ms, kAL5, j); }));
    const auto amps = ElementsOfClass<TLinAmp>(*project);
    ASSERT_EQ(amps.size(), 1u);
    EXPECT_EQ(amps[0]->Modelo, "AL-5");
    // The list reads amplifier, its supply, multiswitch.
    auto& etv = static_cast<tplanta*>(ms->Container())->ETV();
    const int at = etv.IndexOfObject(ms);
    ASSERT_GE(at, 2);
    EXPECT_EQ(etv.Object(at - 2), amps[0]);
    EXPECT_TRUE(etv.Object(at - 1)->Is<TFUENTE>());
    EXPECT_EQ(static_cast<TCBFT*>(amps[0])->Feeder(), etv.Object(at - 1));

    const auto outlets = NivelesDeTomas(*project);
    ASSERT_EQ(outlets.size(), 1u);
    const LevelVector& level = outlets[0].Recibido;
    EXPECT_NEAR(level[1], 100 - 3 * 0.054 + 10 - 0.5 * 0.077 - 10 - 10 * 0.077 - 0.3 - 1.5, 1e-9);
    EXPECT_NEAR(level[4],
                80 - 12 * 0.19 + 20 - 4 - 3 * 0.133 + 25 - 0.5 * 0.19 - 3 - 5 - 10 * 0.19 - 0.6 - 2.2, 1e-9);
    EXPECT_NEAR(level[7],
                80 - 12 * 0.30 + 20 - 0 - 3 * 0.21 + 26.5 - 0.5 * 0.30 - 1 - 5 - 10 * 0.30 - 1.0 - 3.2, 1e-9);
}

// A passive line element goes in as a line amplifier does: the slope equaliser EQ5-10 (40000/4202) in
// front of the same MT-504, without a supply. Its rows: EB/SB -11 dB at 950 MHz, -1 at 2150; EA/SA -0.5
// at 175 MHz; no controls and no terrestrial mode.
TEST_F(NetworkEdits, SlopeEqualiserInFrontOfAMultiswitchLevelsByHand) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    TMultiswitch* ms = FloorMultiswitch();
    ASSERT_NE(ms, nullptr);
    const std::size_t supplies = ElementsOfClass<TFUENTE>(*project).size();
    ASSERT_TRUE(Apply([&](EditJournal& j) { return InsertLineAmplifier(*project, *ms, 4202, j); }));
    const auto elements = ElementsOfClass<TLinAmp>(*project);
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0]->Modelo, "EQ5-10");
    EXPECT_EQ(static_cast<TCBFT*>(elements[0])->Feeder(), nullptr);
    EXPECT_EQ(ElementsOfClass<TFUENTE>(*project).size(), supplies); // no supply of its own

    const auto outlets = NivelesDeTomas(*project);
    ASSERT_EQ(outlets.size(), 1u);
    const LevelVector& level = outlets[0].Recibido;
    EXPECT_NEAR(level[1], 100 - 3 * 0.054 - 0.5 - 0.5 * 0.077 - 10 - 10 * 0.077 - 0.3 - 1.5, 1e-9);
    EXPECT_NEAR(level[4],
                80 - 12 * 0.19 + 20 - 4 - 3 * 0.133 - 11 - 0.5 * 0.19 - 3 - 5 - 10 * 0.19 - 0.6 - 2.2, 1e-9);
    EXPECT_NEAR(level[7], 80 - 12 * 0.30 + 20 - 0 - 3 * 0.21 - 1 - 0.5 * 0.30 - 1 - 5 - 10 * 0.30 - 1.0 - 3.2,
                1e-9);
}

TEST_F(NetworkEdits, RemovingTheLineAmplifierPutsTheLevelsBack) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    const LevelVector before = NivelesDeTomas(*project)[0].Recibido;
    TMultiswitch* ms = FloorMultiswitch();
    ASSERT_TRUE(Apply([&](EditJournal& j) { return InsertLineAmplifier(*project, *ms, kAL5, j); }));
    TLinAmp* amp = ElementsOfClass<TLinAmp>(*project).at(0);
    ASSERT_TRUE(Apply([&](EditJournal& j) { return RemoveLineAmplifier(*project, *amp, j); }));
    EXPECT_TRUE(ElementsOfClass<TLinAmp>(*project).empty());
    const LevelVector after = NivelesDeTomas(*project)[0].Recibido;
    for (std::size_t band = 1; band < kBandCount; ++band) {
        EXPECT_NEAR(after[band], before[band], 1e-9) << band;
    }
}

TEST_F(NetworkEdits, RemovingALineAmplifierWithMoreInputsThanOutputsFailsAndLeavesIt) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    TMultiswitch* ms = FloorMultiswitch();
    ASSERT_TRUE(Apply([&](EditJournal& j) { return InsertLineAmplifier(*project, *ms, kAL5, j); }));
    TLinAmp* amp = ElementsOfClass<TLinAmp>(*project).at(0);
    // Leave two inputs and one output connected.
    for (int i = 2; i < 5; ++i) {
        UnlinkPin(*amp->PinAt(PinKind::Input, i));
    }
    for (int i = 1; i < 5; ++i) {
        UnlinkPin(*amp->PinAt(PinKind::Output, i));
    }
    ASSERT_EQ(amp->CountConnected(PinKind::Input), 2);
    ASSERT_EQ(amp->CountConnected(PinKind::Output), 1);
    const auto before = Bytes();
    EditRefusal why;
    EXPECT_FALSE(Apply([&](EditJournal& j) { return RemoveLineAmplifier(*project, *amp, j, &why); }));
    EXPECT_FALSE(why.reason.empty());
    EXPECT_EQ(amp->CountConnected(PinKind::Input), 2);
    EXPECT_EQ(amp->CountConnected(PinKind::Output), 1);
    EXPECT_EQ(Bytes(), before);
}

TEST_F(NetworkEdits, ACascadableMultiswitchFeedingAnotherCannotBecomeTerminal) {
    BuildNetwork(Shape(1, 4, 2, 2, 4, 1));
    TMultiswitch* feeding = nullptr;
    TMultiswitch* last = nullptr;
    for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(*project)) {
        if (ms->IsCascadable() && ms->CountConnected(PinKind::Output) > 0) {
            feeding = ms;
        }
    }
    ASSERT_NE(feeding, nullptr);
    // A second cascadable with its outputs unlinked (as at the end of a cascade).
    for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(*project)) {
        if (ms != feeding && ms->IsCascadable() && last == nullptr) {
            last = ms;
            ASSERT_TRUE(editor->Apply([&](EditJournal& j) {
                for (TPin* out : ms->PinesSALIDA()) {
                    j.Unlink(*out);
                }
                return true;
            }));
        }
    }
    const auto before = Bytes();
    EditRefusal why;
    EXPECT_FALSE(Apply([&](EditJournal& j) { return ReplaceElement(*project, *feeding, 1, 5001, j, &why); }));
    EXPECT_NE(why.reason.find("terminal"), std::string::npos);
    EXPECT_EQ(Bytes(), before);
    ASSERT_NE(last, nullptr);
    {
        // With its outputs free the terminal MT-504 is allowed.
        const std::string name = last->Name();
        ASSERT_TRUE(Apply([&](EditJournal& j) { return ReplaceElement(*project, *last, 1, 5001, j, &why); }))
            << why.reason;
        EXPECT_EQ(project->RedTV().FindComponent(name), nullptr);
    }
}

TEST_F(NetworkEdits, StarFlatOutletsTakeOnlyEndOutletsOrUniversalOnes) {
    BuildNetwork(Shape(1, 1, 1, 2, 4, 1, 0));
    Tvivienda& flat = *project->ListaViviendas().Object(0);
    ASSERT_EQ(flat.Topologia(), Tvivienda::kEstrella);
    TTomaTV* outlet = nullptr;
    for (const auto& entry : flat.ETV()) {
        outlet = outlet != nullptr ? outlet : dynamic_cast<TTomaTV*>(entry.Object);
    }
    ASSERT_NE(outlet, nullptr);
    EditRefusal why;
    // TC-12 (family 4, cascade order 2) is refused.
    EXPECT_FALSE(Apply([&](EditJournal& j) { return ReplaceElement(*project, *outlet, 11, 4, j, &why); }));
    // TU-8 (family 120, order 1) is taken, in the same list position.
    const int at = flat.ETV().IndexOfObject(outlet);
    ASSERT_TRUE(Apply([&](EditJournal& j) { return ReplaceElement(*project, *outlet, 40, 120, j, &why); }))
        << why.reason;
    auto* universal = dynamic_cast<TTomaTV*>(flat.ETV().Object(static_cast<std::size_t>(at)));
    ASSERT_NE(universal, nullptr);
    EXPECT_EQ(universal->Modelo, "TU-8");
    EXPECT_EQ(universal->CountConnected(PinKind::Input), 1);
    // Both cascadable now, in a star flat: TC-12 (order 2, family 4) is still refused.
    EXPECT_FALSE(Apply([&](EditJournal& j) { return ReplaceElement(*project, *universal, 11, 4, j, &why); }));
    EXPECT_TRUE(CheckNetwork(*project).unfed.empty());
}

TEST_F(NetworkEdits, AFlatEntryCannotBeReplaced) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    Tvivienda& flat = *project->ListaViviendas().Object(0);
    TComponenteBase* entry = flat.Entrada();
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->Is<Tentradaviv>());
    const auto before = Bytes();
    EditRefusal why;
    EXPECT_FALSE(Apply([&](EditJournal& j) { return ReplaceElement(*project, *entry, 10, 4, j, &why); }));
    EXPECT_EQ(why.reason, "an element of class Tentradaviv cannot be replaced");
    EXPECT_EQ(Bytes(), before);
}

TEST_F(NetworkEdits, ReplacedMultiswitchPartnersAreReplacedInPlace) {
    BuildNetwork(Shape(1, 2, 2, 1, 12, 1));
    TMultiswitch* ms = nullptr;
    for (TMultiswitch* m : ElementsOfClass<TMultiswitch>(*project)) {
        auto* floor = dynamic_cast<tplanta*>(m->Container());
        if (ms == nullptr && m->DoublePartner() != nullptr && floor != nullptr && !floor->HeaderPl) {
            ms = m;
        }
    }
    ASSERT_NE(ms, nullptr);
    auto* t2 = static_cast<TMultiswitch*>(ms->DoublePartner());
    auto& etv2 = static_cast<tplanta*>(t2->Container())->ETV();
    const int at2 = etv2.IndexOfObject(t2);
    const std::int32_t number = ms->Indice == 14 ? 15 : 14; // another cascadable 5x12 model
    EditRefusal why;
    ASSERT_TRUE(Apply([&](EditJournal& j) { return ReplaceElement(*project, *ms, number, 5001, j, &why); }))
        << why.reason;
    auto* n2 = dynamic_cast<TMultiswitch*>(etv2.Object(static_cast<std::size_t>(at2)));
    ASSERT_NE(n2, nullptr);
    EXPECT_EQ(n2->Indice, number);
    ASSERT_NE(n2->DoublePartner(), nullptr);
    EXPECT_EQ(n2->DoublePartner()->Indice, number);
    EXPECT_EQ(n2->DoublePartner()->DoublePartner(), n2);
}

TEST_F(NetworkEdits, ALengthOnOneMultiswitchInputGoesToAllItsInputsAndPartners) {
    BuildNetwork(Shape(1, 2, 2, 1, 12, 1));
    TMultiswitch* ms = nullptr;
    for (TMultiswitch* m : ElementsOfClass<TMultiswitch>(*project)) {
        if (ms == nullptr && m->DoublePartner() != nullptr && m->CountConnected(PinKind::Input) > 1) {
            ms = m;
        }
    }
    ASSERT_NE(ms, nullptr);
    editor->Apply([&](EditJournal& j) {
        SetConnectionLength(*ms->FirstConnectedPin(PinKind::Input), 7.25, j);
        return true;
    });
    for (TComponenteBase* element :
         {static_cast<TComponenteBase*>(ms), static_cast<TComponenteBase*>(ms->DoublePartner()),
          static_cast<TComponenteBase*>(ms->TriplePartner())}) {
        if (element == nullptr) {
            continue;
        }
        for (TPin* in : element->PinesENTRADA()) {
            if (in->Peer() != nullptr) {
                EXPECT_EQ(in->MetrosCable, 7.25) << element->Name();
                EXPECT_EQ(in->Peer()->MetrosCable, 7.25);
            }
        }
    }
    EXPECT_NETWORK_CONSISTENT(*project);
}

TEST_F(NetworkEdits, ALengthLeavingADishGoesToAllItsOutputs) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    Tantena* dish = ElementsOfClass<Tantena>(*project).at(0);
    TPin* out = dish->FirstConnectedPin(PinKind::Output);
    ASSERT_NE(out, nullptr);
    editor->Apply([&](EditJournal& j) {
        SetConnectionLength(*out, 20.0, j);
        return true;
    });
    for (TPin* pin : dish->PinesSALIDA()) {
        if (pin->Peer() != nullptr) {
            EXPECT_EQ(pin->MetrosCable, 20.0);
        }
    }
}

TEST_F(NetworkEdits, HeadendAmplifiersForTwoBareDishesFollowTheLastDish) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    tplanta& headend = *project->PlantaCabecera();
    // Make the dish bare: remove its IF amplifier, then add a second dish to the floor.
    TAmpliHeader* ifAmp = ElementsOfClass<TAmpliHeader>(*project).at(0);
    ASSERT_TRUE(Apply([&](EditJournal& j) { return RemoveHeadendAmplifier(*project, *ifAmp, j); }));
    EXPECT_TRUE(ElementsOfClass<TAmpliHeader>(*project).empty());
    TMultiswitch* ms = FloorMultiswitch();
    ASSERT_TRUE(
        Apply([&](EditJournal& j) { return InsertHeadendAmplifiers(*project, *ms, 1, 4925, true, j); }));
    const auto amps = ElementsOfClass<TAmpliHeader>(*project);
    ASSERT_EQ(amps.size(), 1u);
    int lastDish = -1;
    for (std::size_t i = 0; i < headend.ETV().Count(); ++i) {
        lastDish = headend.ETV().Object(i)->Is<Tantena>() ? static_cast<int>(i) : lastDish;
    }
    EXPECT_EQ(headend.ETV().Object(static_cast<std::size_t>(lastDish) + 1), amps[0]);
    EXPECT_TRUE(
        headend.ETV().Object(static_cast<std::size_t>(lastDish) + 2)->Is<TFUENTE>()); // AFI-440 has one
    EXPECT_EQ(amps[0]->CountConnected(PinKind::Input), 4);
    EXPECT_EQ(amps[0]->CountConnected(PinKind::Output), 4);
    EXPECT_TRUE(CheckNetwork(*project).unfed.empty());
}

// Eight polarities: two dishes, each with its IF amplifier AFI-440 (which has a built-in supply). With
// both amplifiers removed the floor has two bare dishes: two amplifiers are built, placed right after
// the last dish, each followed by its supply, and the multiswitch's B inputs are fed through them.
TEST_F(NetworkEdits, HeadendAmplifiersForTwoBareDishes) {
    BuildNetwork(Shape(1, 1, 1, 1, 8, 1));
    ASSERT_EQ(ElementsOfClass<Tantena>(*project).size(), 2u);
    for (TAmpliHeader* amp : ElementsOfClass<TAmpliHeader>(*project)) {
        ASSERT_TRUE(Apply([&](EditJournal& j) { return RemoveHeadendAmplifier(*project, *amp, j); }));
    }
    ASSERT_TRUE(ElementsOfClass<TAmpliHeader>(*project).empty());
    TMultiswitch* ms = FloorMultiswitch();
    ASSERT_NE(ms, nullptr);
    ASSERT_TRUE(
        Apply([&](EditJournal& j) { return InsertHeadendAmplifiers(*project, *ms, 1, 4925, true, j); }));
    tplanta& headend = *project->PlantaCabecera();
    int lastDish = -1;
    for (std::size_t i = 0; i < headend.ETV().Count(); ++i) {
        lastDish = headend.ETV().Object(i)->Is<Tantena>() ? static_cast<int>(i) : lastDish;
    }
    const auto at = [&](int offset) {
        return headend.ETV().Object(static_cast<std::size_t>(lastDish + offset));
    };
    ASSERT_TRUE(at(1)->Is<TAmpliHeader>());
    ASSERT_TRUE(at(2)->Is<TFUENTE>());
    ASSERT_TRUE(at(3)->Is<TAmpliHeader>());
    ASSERT_TRUE(at(4)->Is<TFUENTE>());
    EXPECT_EQ(static_cast<TCBFT*>(at(1))->Feeder(), at(2));
    EXPECT_EQ(static_cast<TCBFT*>(at(3))->Feeder(), at(4));
    for (TPin* in : ms->PinesENTRADA()) {
        if (in->Prefijo == 'B' && in->Peer() != nullptr) {
            EXPECT_TRUE(in->Peer()->Owner()->Is<TAmpliHeader>()) << in->Name();
        }
    }
    EXPECT_TRUE(CheckNetwork(*project).unfed.empty());
}

TEST_F(NetworkEdits, ApplyToAllFlatsRebuildsEveryFlat) {
    BuildNetwork(Shape(2, 2, 2, 2, 4, 1));
    ASSERT_TRUE(Apply([&](EditJournal& j) { return ApplyToAllFlats(*project, 3, Tvivienda::kCascada, j); }));
    for (const auto& flat : project->ListaViviendas()) {
        EXPECT_EQ(flat.Object->Numtomas(), 3);
        EXPECT_EQ(flat.Object->Topologia(), Tvivienda::kCascada);
    }
    EXPECT_EQ(ElementsOfClass<TTomaTV>(*project).size(), 8u * 3u);
    EXPECT_TRUE(CheckNetwork(*project).unfed.empty());
}

// An amplifier inside the flat (AV-20, 39000/101: EA/SA 20 dB to 862 MHz, 20 at 950, 21.5 at 2150; its
// attenuator at 0 dB, its slope at 0) between the entry and the outlet: the entry's cable stays in front
// of it, and 0.5 m of flat cable (CX-68: 0.077 dB/m at 175 MHz, 0.19 at 950, 0.30 at 2150) follows it.
TEST_F(NetworkEdits, AnAmplifierInsideAFlatLevelsByHandAndOnlyOneAFlat) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    const LevelVector before = NivelesDeTomas(*project)[0].Recibido;
    Tvivienda* flat = project->ListaViviendas().Object(0);
    ASSERT_NE(flat, nullptr);
    EditRefusal why;
    EXPECT_FALSE(editor->Apply([&](EditJournal& j) {
        return InsertFlatAmplifier(*project, *flat, 999, kFlatAmplifierFamily, j, &why);
    }));
    EXPECT_EQ(why.reason, "the family 39000 has no model 999");
    EXPECT_TRUE(ElementsOfClass<TLinAmp>(*project).empty());
    ASSERT_TRUE(Apply([&](EditJournal& j) {
        return InsertFlatAmplifier(*project, *flat, kFlatAmplifierModel, kFlatAmplifierFamily, j);
    }));
    const auto amps = ElementsOfClass<TLinAmp>(*project);
    ASSERT_EQ(amps.size(), 1u);
    EXPECT_EQ(amps[0]->Modelo, "AV-20");
    EXPECT_EQ(flat->ETV().Object(0), amps[0]);
    EXPECT_EQ(FlatOf(*amps[0]), flat);
    EXPECT_TRUE(flat->AmplificadorInterior());
    const LevelVector after = NivelesDeTomas(*project)[0].Recibido;
    EXPECT_NEAR(after[1], before[1] + 20 - 0.5 * 0.077, 1e-9);
    EXPECT_NEAR(after[4], before[4] + 20 - 0.5 * 0.19, 1e-9);
    EXPECT_NEAR(after[7], before[7] + 21.5 - 0.5 * 0.30, 1e-9);

    EXPECT_FALSE(editor->Apply([&](EditJournal& j) {
        return InsertFlatAmplifier(*project, *flat, kFlatAmplifierModel, kFlatAmplifierFamily, j, &why);
    }));
    EXPECT_EQ(why.reason, "the flat has an amplifier already");

    // Rebuilt with two outlets, the flat keeps its amplifier in front of the new splitter.
    ASSERT_TRUE(
        Apply([&](EditJournal& j) { return ApplyToFlat(*project, *flat, 2, Tvivienda::kEstrella, j); }));
    EXPECT_EQ(ElementsOfClass<TLinAmp>(*project).size(), 1u);
    EXPECT_EQ(ElementsOfClass<TTomaTV>(*project).size(), 2u);

    ASSERT_TRUE(Apply([&](EditJournal& j) { return RemoveFlatAmplifier(*project, *amps[0], j); }));
    EXPECT_TRUE(ElementsOfClass<TLinAmp>(*project).empty());
    EXPECT_FALSE(flat->AmplificadorInterior());
}

TEST_F(NetworkEdits, RemovingTheFlatAmplifierPutsTheLevelsBack) {
    BuildNetwork(Shape(1, 2, 2, 3, 8, 1, Tvivienda::kCascada));
    const auto outletsBefore = NivelesDeTomas(*project);
    Tvivienda* flat = project->ListaViviendas().Object(1);
    ASSERT_TRUE(Apply([&](EditJournal& j) {
        return InsertFlatAmplifier(*project, *flat, kFlatAmplifierModel, kFlatAmplifierFamily, j);
    }));
    TLinAmp* amp = ElementsOfClass<TLinAmp>(*project).at(0);
    EditRefusal why;
    TMultiswitch* ms = FloorMultiswitch();
    EditJournal unused;
    EXPECT_FALSE(RemoveFlatAmplifier(*project, *ms, unused, &why));
    EXPECT_EQ(why.reason, "the element is not an amplifier inside a flat");
    ASSERT_TRUE(Apply([&](EditJournal& j) { return RemoveFlatAmplifier(*project, *amp, j); }));
    const auto outletsAfter = NivelesDeTomas(*project);
    ASSERT_EQ(outletsAfter.size(), outletsBefore.size());
    for (std::size_t i = 0; i < outletsAfter.size(); ++i) {
        for (std::size_t band = 1; band < kBandCount; ++band) {
            EXPECT_NEAR(outletsAfter[i].Recibido[band], outletsBefore[i].Recibido[band], 1e-9)
                << i << " " << band;
        }
    }
}

// Undo of each operation gives back the project's saved bytes exactly, and redo the edited bytes.
class UndoRestoresBytes : public NetworkEdits {
protected:
    void Check(const NetworkEditor::Edit& edit) {
        editor->Recalculate();
        const auto before = Bytes();
        ASSERT_TRUE(Apply(edit));
        EXPECT_TRUE(project->Modificado);
        const auto edited = Bytes();
        EXPECT_NE(edited, before);
        ASSERT_TRUE(editor->Undo());
        EXPECT_NETWORK_CONSISTENT(*project);
        EXPECT_FALSE(project->Modificado);
        EXPECT_EQ(Bytes(), before);
        ASSERT_TRUE(editor->Redo());
        EXPECT_NETWORK_CONSISTENT(*project);
        EXPECT_EQ(Bytes(), edited);
        ASSERT_TRUE(editor->Undo());
        EXPECT_EQ(Bytes(), before);
    }
};

TEST_F(UndoRestoresBytes, InsertLineAmplifier) {
    BuildNetwork(Shape(1, 2, 2, 1, 12, 1));
    TMultiswitch* ms = FloorMultiswitch();
    Check([&](EditJournal& j) { return InsertLineAmplifier(*project, *ms, kAL5, j); });
}

TEST_F(UndoRestoresBytes, RemoveLineAmplifier) {
    BuildNetwork(Shape(1, 2, 2, 1, 12, 1));
    TMultiswitch* ms = FloorMultiswitch();
    ASSERT_TRUE(editor->Apply([&](EditJournal& j) { return InsertLineAmplifier(*project, *ms, kAL5, j); }));
    editor->MarkSaved();
    TLinAmp* amp = ElementsOfClass<TLinAmp>(*project).at(0);
    Check([&](EditJournal& j) { return RemoveLineAmplifier(*project, *amp, j); });
}

TEST_F(UndoRestoresBytes, ReplaceMultiswitchWithPartners) {
    BuildNetwork(Shape(1, 2, 2, 1, 12, 1));
    TMultiswitch* ms = FloorMultiswitch();
    const std::int32_t number = ms->Indice == 14 ? 15 : 14;
    Check([&](EditJournal& j) { return ReplaceElement(*project, *ms, number, 5001, j); });
}

// The end of a cascade is a terminal multiswitch with its own power: made cascadable, it loses its
// supply (or its injector, bypassed); made terminal again, it gets a supply or an injector.
class UndoRestoresBytesOfPower : public UndoRestoresBytes, public ::testing::WithParamInterface<int> {};

TEST_P(UndoRestoresBytesOfPower, TerminalToCascadableAndBack) {
    SettingsRecord settings = DefaultSettings();
    settings.ConInyector = GetParam();
    BuildNetwork(Shape(2, 3, 2, 2, 4, 1), settings);
    TMultiswitch* terminal = nullptr;
    for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(*project)) {
        if (terminal == nullptr && !ms->IsCascadable() && ms->Feeder() != nullptr) {
            terminal = ms;
        }
    }
    ASSERT_NE(terminal, nullptr);
    const bool byInjector = terminal->Feeder()->Is<TInyector>();
    EXPECT_EQ(byInjector, GetParam() == 1);
    const std::size_t feeders = ElementsOfClass<Talimentador>(*project).size();
    const std::string name = terminal->Name();
    Check([&](EditJournal& j) { return ReplaceElement(*project, *terminal, 2, 5001, j); });
    ASSERT_TRUE(
        editor->Apply([&](EditJournal& j) { return ReplaceElement(*project, *terminal, 2, 5001, j); }));
    EXPECT_NETWORK_CONSISTENT(*project);
    EXPECT_EQ(ElementsOfClass<Talimentador>(*project).size(), feeders - 1);
    EXPECT_TRUE(CheckNetwork(*project).unfed.empty());
    editor->MarkSaved();
    TMultiswitch* cascadable = nullptr;
    for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(*project)) {
        cascadable = ms->Indice == 2 && ms->Container() != nullptr &&
                             ms->CountConnected(PinKind::Output) == 0 && ms->Feeder() == nullptr
                         ? ms
                         : cascadable;
    }
    ASSERT_NE(cascadable, nullptr);
    Check([&](EditJournal& j) { return ReplaceElement(*project, *cascadable, 1, 5001, j); });
    ASSERT_TRUE(
        editor->Apply([&](EditJournal& j) { return ReplaceElement(*project, *cascadable, 1, 5001, j); }));
    EXPECT_EQ(ElementsOfClass<Talimentador>(*project).size(), feeders);
    EXPECT_TRUE(CheckNetwork(*project).unfed.empty());
}

INSTANTIATE_TEST_SUITE_P(SupplyOrInjector, UndoRestoresBytesOfPower, ::testing::Values(0, 1));

TEST_F(UndoRestoresBytes, ReplaceOutlet) {
    BuildNetwork(Shape(1, 1, 2, 2, 4, 1));
    TTomaTV* outlet = ElementsOfClass<TTomaTV>(*project).at(0);
    Check([&](EditJournal& j) { return ReplaceElement(*project, *outlet, 40, 120, j); });
}

TEST_F(UndoRestoresBytes, SetConnectionLength) {
    BuildNetwork(Shape(1, 2, 2, 1, 12, 1));
    TMultiswitch* ms = FloorMultiswitch();
    Check([&](EditJournal& j) {
        SetConnectionLength(*ms->FirstConnectedPin(PinKind::Input), 11.5, j);
        return true;
    });
}

TEST_F(UndoRestoresBytes, ApplyToAllFlats) {
    BuildNetwork(Shape(2, 2, 2, 2, 4, 1));
    Check([&](EditJournal& j) { return ApplyToAllFlats(*project, 4, Tvivienda::kCascada, j); });
}

TEST_F(UndoRestoresBytes, RemoveAndInsertHeadendAmplifiers) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    TAmpliHeader* ifAmp = ElementsOfClass<TAmpliHeader>(*project).at(0);
    Check([&](EditJournal& j) { return RemoveHeadendAmplifier(*project, *ifAmp, j); });
    ASSERT_TRUE(editor->Apply([&](EditJournal& j) { return RemoveHeadendAmplifier(*project, *ifAmp, j); }));
    editor->MarkSaved();
    TMultiswitch* ms = FloorMultiswitch();
    Check([&](EditJournal& j) { return InsertHeadendAmplifiers(*project, *ms, 1, 4925, true, j); });
}

TEST_F(UndoRestoresBytes, ChangeCableModel) {
    BuildNetwork(Shape(1, 2, 2, 2, 4, 1));
    Check([&](EditJournal& j) {
        return ChangeCableModel(*project, TpreferenciasProyecto::kCablePlanta, 30, j);
    });
}

TEST_F(UndoRestoresBytes, InsertAndRemoveFlatAmplifier) {
    BuildNetwork(Shape(1, 2, 2, 2, 4, 1, Tvivienda::kCascada));
    Tvivienda* flat = project->ListaViviendas().Object(2);
    Check([&](EditJournal& j) {
        return InsertFlatAmplifier(*project, *flat, kFlatAmplifierModel, kFlatAmplifierFamily, j);
    });
    ASSERT_TRUE(editor->Apply([&](EditJournal& j) {
        return InsertFlatAmplifier(*project, *flat, kFlatAmplifierModel, kFlatAmplifierFamily, j);
    }));
    editor->MarkSaved();
    TLinAmp* amp = ElementsOfClass<TLinAmp>(*project).at(0);
    Check([&](EditJournal& j) { return RemoveFlatAmplifier(*project, *amp, j); });
}

} // namespace
} // namespace ixo::test
