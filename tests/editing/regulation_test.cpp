#include "editing/regulation.h"

#include "editing/network_edits.h"
#include "editing_test_support.h"
#include "levels/calculo_niveles.h"
#include "levels/lista_errores.h"
#include "model/cabecera_terrestre.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/potenciometro.h"
#include "model/repartidor.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

constexpr std::int32_t kAL5 = 100;

// AL-5 (record 100) in front of the MT-504 of the one-flat trunk building: five visible gain controls
// SAT VL, SAT HL, TER, SAT VH, SAT HH at 75, 75, 50, 75, 75 %, no slope controls, terrestrial modes 1-2.
class RegulationTest : public EditingFixture {
protected:
    void SetUp() override {
        BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
        for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(*project)) {
            multiswitch = ms;
        }
        ASSERT_TRUE(editor->Apply(
            [&](EditJournal& j) { return InsertLineAmplifier(*project, *multiswitch, kAL5, j); }));
        amplifier = ElementsOfClass<TLinAmp>(*project).at(0);
        editor->MarkSaved();
    }

    std::size_t SliderLabelled(const Regulation& regulation, const std::string& label) {
        for (std::size_t i = 0; i < regulation.Sliders().size(); ++i) {
            if (regulation.Sliders()[i].label == label) {
                return i;
            }
        }
        ADD_FAILURE() << "no slider " << label;
        return 0;
    }

    TMultiswitch* multiswitch = nullptr;
    TLinAmp* amplifier = nullptr;
};

TEST(RegulationPositions, SliderPositionIsThousandLessTenTimesAjuste) {
    EXPECT_EQ(Regulation::PositionOf(37.5), 625);
    EXPECT_EQ(Regulation::AjusteOf(500), 50.0);
    EXPECT_EQ(Regulation::PositionOf(100.0), 0);
    EXPECT_EQ(Regulation::AjusteOf(1000), 0.0);
}

TEST_F(RegulationTest, SlidersCaptionAndLines) {
    Regulation regulation(*project, *amplifier);
    EXPECT_EQ(regulation.Caption(), "Amplifier regulation [AL-5]");
    std::vector<std::string> labels;
    for (const RegulationSlider& slider : regulation.Sliders()) {
        labels.push_back(slider.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"G_SAT1", "G_SAT2", "G_TER1", "G_SAT3", "G_SAT4", "A/P"}));
    const RegulationSlider& first = regulation.Sliders()[0];
    EXPECT_EQ(first.name, "TRACKBAR1");
    EXPECT_EQ(first.position, 250); // Ajuste 75
    EXPECT_EQ(first.max, 1000);
    EXPECT_EQ(first.frequency, 100);
    EXPECT_EQ(first.pageSize, 10);
    const RegulationSlider& mode = regulation.Sliders().back();
    EXPECT_EQ(mode.kind, RegulationSlider::Kind::Mode);
    EXPECT_EQ(mode.min, 1);
    EXPECT_EQ(mode.max, 2);
    EXPECT_EQ(mode.position, 2); // mode 1 at the top
    const auto lines = regulation.Series();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].title, "OUT SAT 1");
    EXPECT_EQ(lines[2].title, "OUT TER 3");
    EXPECT_EQ(lines[0].colour, "red");
    EXPECT_EQ(lines[4].colour, "aqua");
    EXPECT_EQ(lines[0].levels[3], amplifier->PinAt(PinKind::Output, 0)->Levels()[4]);
    // Maximum: NIVELSAL 112 (TER bands), 117 - 12.041 (SAT bands), drawn 1 to 7 for a line amplifier.
    const RegulationLine maximum = regulation.MaximumLine();
    EXPECT_EQ(maximum.title, "MAX. OUTPUT ");
    EXPECT_DOUBLE_EQ(maximum.levels[0], 112.0);
    EXPECT_DOUBLE_EQ(maximum.levels[3], 117.0 - 12.041199826559248);
    EXPECT_TRUE(maximum.shown[0] && maximum.shown[6]);
}

TEST_F(RegulationTest, MovingASatelliteGainMovesTheOtherSatelliteGainsOnly) {
    Regulation regulation(*project, *amplifier);
    const std::size_t vl = SliderLabelled(regulation, "G_SAT1");
    const double terBefore = amplifier->LPG()[2]->Ajuste;
    EXPECT_TRUE(regulation.MoveSlider(vl, 500)); // 75 % down to 50 %
    for (std::size_t i : {0u, 1u, 3u, 4u}) {
        EXPECT_EQ(amplifier->LPG()[i]->Ajuste, 50.0) << i;
    }
    EXPECT_EQ(amplifier->LPG()[2]->Ajuste, terBefore);
    EXPECT_EQ(regulation.Sliders()[SliderLabelled(regulation, "G_SAT4")].position, 500);
    // Without equal value only the one control moves.
    regulation.equalValue = false;
    EXPECT_TRUE(regulation.MoveSlider(vl, 700));
    EXPECT_EQ(amplifier->LPG()[0]->Ajuste, 30.0);
    EXPECT_EQ(amplifier->LPG()[1]->Ajuste, 50.0);
}

// With 40 m of trunk cable CX-101 in front of AL-5 (-5.32 / -8.4 dB at 950 / 2150 MHz) its SAT VL
// input gets 80 - 12 x 0.30 + 20 - 0 - 8.4 = 88.0 dBuV at 2150 MHz (dish, 12 m CX-68, AFI-440 at 20 dB
// with slope 0 there); at 950 MHz 80 - 2.28 + 20 - 4 - 5.32 = 88.4. The channel gives 31.5 (30 at 950)
// plus -20 + 0.2 x Ajuste: at Ajuste a the output is 99.5 + 0.2a at 2150 MHz, the highest of bands 4-7
// (98.4, 98.58, 98.98 + 0.2a below it). The line is 117 - 12.0412 = 104.9588: 25 % (104.5) stays
// under it, 30 % (105.5) passes it, and so does the opening 75 %.
TEST_F(RegulationTest, AnUpwardMovePastTheMaximumIsUndoneADownwardOneIsNot) {
    ASSERT_TRUE(editor->Apply([&](EditJournal& j) {
        SetConnectionLength(*amplifier->FirstConnectedPin(PinKind::Input), 40.0, j);
        return true;
    }));
    Regulation regulation(*project, *amplifier);
    regulation.equalValue = false;
    const std::size_t vl = SliderLabelled(regulation, "G_SAT1");
    const TPin& out = *amplifier->PinAt(PinKind::Output, 0);
    EXPECT_NEAR(out.Levels()[7], 99.5 + 0.2 * 75, 1e-9);
    EXPECT_FALSE(regulation.MoveSlider(vl, 100)); // up to 90 %: undone
    EXPECT_EQ(amplifier->LPG()[0]->Ajuste, 75.0);
    EXPECT_EQ(regulation.Sliders()[vl].position, 250);
    EXPECT_TRUE(regulation.MoveSlider(vl, 1000)); // down to 0 %, though already past the line
    EXPECT_NEAR(out.Levels()[7], 99.5, 1e-9);
    EXPECT_TRUE(regulation.MoveSlider(vl, 750)); // up to 25 %: 104.5, under the line
    EXPECT_EQ(amplifier->LPG()[0]->Ajuste, 25.0);
    EXPECT_NEAR(out.Levels()[7], 104.5, 1e-9);
    EXPECT_NEAR(out.Levels()[4], 98.4 + 5.0, 1e-9);
    EXPECT_FALSE(regulation.MoveSlider(vl, 700)); // up to 30 %: 105.5 passes it, undone
    EXPECT_EQ(amplifier->LPG()[0]->Ajuste, 25.0);
    EXPECT_EQ(regulation.Sliders()[vl].position, 750);
    EXPECT_NEAR(out.Levels()[7], 104.5, 1e-9);
}

TEST_F(RegulationTest, ModeSliderTopSelectsModeOne) {
    Regulation regulation(*project, *amplifier);
    const std::size_t mode = regulation.Sliders().size() - 1;
    EXPECT_TRUE(regulation.MoveSlider(mode, 1));
    EXPECT_EQ(amplifier->ModoterActual, 2);
    EXPECT_TRUE(regulation.MoveSlider(mode, 2));
    EXPECT_EQ(amplifier->ModoterActual, 1);
}

TEST_F(RegulationTest, OnlyAmplifiersOtherThanTheTerrestrialHeadendAndRegulableMultiswitchesOpenTheWindow) {
    EXPECT_TRUE(Regulation::Regulable(*amplifier));
    for (TCabeceraTerrestre* headend : ElementsOfClass<TCabeceraTerrestre>(*project)) {
        EXPECT_FALSE(Regulation::Regulable(*headend));
    }
    for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(*project)) {
        EXPECT_EQ(Regulation::Regulable(*ms), ms->Conpot || ms->TieneAttTer) << ms->Modelo;
        const bool conpot = ms->Conpot;
        const bool attenuator = ms->TieneAttTer;
        ms->Conpot = false;
        ms->TieneAttTer = false;
        EXPECT_FALSE(Regulation::Regulable(*ms));
        ms->TieneAttTer = true;
        EXPECT_TRUE(Regulation::Regulable(*ms));
        ms->Conpot = conpot;
        ms->TieneAttTer = attenuator;
    }
    for (TRepartidor* splitter : ElementsOfClass<TRepartidor>(*project)) {
        EXPECT_FALSE(Regulation::Regulable(*splitter));
    }
}

// The rows of the error list, for comparing two outlet checks.
std::vector<std::string> ErrorRows(const Tproyecto& project) {
    std::vector<std::string> rows;
    for (const TNodoInfo* record : RegistrosDeErrores(project)) {
        const FilaError row = FilaDeError(*record);
        rows.push_back(row.Escalera + " " + row.Planta + " " + row.Vivienda + " " + row.Toma + " " +
                       row.Error);
    }
    return rows;
}

TEST_F(RegulationTest, EachMoveLeavesTheLevelsAndOutletChecksOfAFullLevelRun) {
    // Two stairs: a line amplifier on a floor of one of them reaches only that stair's outlets.
    BuildNetwork(Shape(2, 2, 1, 2, 4, 1));
    TMultiswitch* floorMultiswitch = nullptr;
    for (TMultiswitch* ms : ElementsOfClass<TMultiswitch>(*project)) {
        auto* floor = dynamic_cast<tplanta*>(ms->Container());
        floorMultiswitch = floor != nullptr && !floor->HeaderPl ? ms : floorMultiswitch;
    }
    ASSERT_NE(floorMultiswitch, nullptr);
    ASSERT_TRUE(editor->Apply(
        [&](EditJournal& j) { return InsertLineAmplifier(*project, *floorMultiswitch, kAL5, j); }));
    TLinAmp* amp = ElementsOfClass<TLinAmp>(*project).at(0);
    Regulation regulation(*project, *amp);
    const int positions[] = {1000, 0, 600, 300, 900, 100, 450};
    for (std::size_t step = 0; step < 14; ++step) {
        const std::size_t index = step % regulation.Sliders().size();
        regulation.equalValue = step % 3 != 0;
        const RegulationSlider& slider = regulation.Sliders()[index];
        const int position = slider.kind == RegulationSlider::Kind::Control
                                 ? positions[step % 7]
                                 : slider.min + static_cast<int>(step % 2);
        regulation.MoveSlider(index, position);
        const std::vector<std::string> rows = ErrorRows(*project);
        const LevelVector out = amp->PinAt(PinKind::Output, 0)->Levels();
        const bool errors = project->ConErrores;
        Recalcular(*project);
        EXPECT_EQ(ErrorRows(*project), rows) << "step " << step;
        EXPECT_EQ(amp->PinAt(PinKind::Output, 0)->Levels(), out);
        EXPECT_EQ(project->ConErrores, errors);
    }
    regulation.Cancel();
}

TEST_F(RegulationTest, CancelPutsEveryControlBackAndRecalculates) {
    const auto before = Bytes();
    const double level = amplifier->PinAt(PinKind::Output, 0)->Levels()[4];
    Regulation regulation(*project, *amplifier);
    regulation.MoveSlider(SliderLabelled(regulation, "G_SAT2"), 900);
    regulation.MoveSlider(SliderLabelled(regulation, "G_TER1"), 800);
    regulation.MoveSlider(regulation.Sliders().size() - 1, 1);
    EXPECT_NE(amplifier->PinAt(PinKind::Output, 0)->Levels()[4], level);
    regulation.Cancel();
    EXPECT_EQ(amplifier->PinAt(PinKind::Output, 0)->Levels()[4], level);
    EXPECT_EQ(regulation.Sliders()[0].position, 250);
    EXPECT_EQ(Bytes(), before);
}

TEST_F(RegulationTest, AConfirmedRegulationIsOneUndoableStep) {
    const auto before = Bytes();
    Regulation regulation(*project, *amplifier);
    regulation.MoveSlider(SliderLabelled(regulation, "G_SAT2"), 800);
    ASSERT_TRUE(editor->Apply([&](EditJournal& j) { return regulation.RecordInto(j); }));
    const auto after = Bytes();
    EXPECT_NE(after, before);
    EXPECT_TRUE(project->Modificado);
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Bytes(), before);
    EXPECT_FALSE(project->Modificado);
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Bytes(), after);
}

TEST_F(RegulationTest, MultiswitchWindow) {
    // The cascadable multiswitches of family 5010 have old-type SAT gain controls.
    BuildNetwork(Shape(1, 3, 2, 2, 4, 1));
    TMultiswitch* ms = nullptr;
    for (TMultiswitch* m : ElementsOfClass<TMultiswitch>(*project)) {
        ms = m->Conpot || m->TieneAttTer ? m : ms;
    }
    if (ms == nullptr) {
        TMultiswitch* any = ElementsOfClass<TMultiswitch>(*project).at(0);
        ASSERT_TRUE(
            editor->Apply([&](EditJournal& j) { return ReplaceElement(*project, *any, 202, 5010, j); }));
        for (TMultiswitch* m : ElementsOfClass<TMultiswitch>(*project)) {
            ms = m->Indice == 202 ? m : ms;
        }
    }
    ASSERT_NE(ms, nullptr);
    Regulation regulation(*project, *ms);
    EXPECT_EQ(regulation.Caption(), "Multiswitch regulation [" + ms->Modelo + "]");
    ASSERT_FALSE(regulation.Sliders().empty());
    const auto lines = regulation.Series();
    EXPECT_FALSE(lines.empty());
    for (const RegulationLine& line : lines) {
        EXPECT_EQ(line.title.rfind("POL. ", 0) == 0 || line.title == "_TER", true) << line.title;
    }
    const std::size_t last = regulation.Sliders().size() - 1;
    const RegulationSlider& slider = regulation.Sliders()[last];
    if (slider.kind == RegulationSlider::Kind::Control) {
        const double before = slider.control->Ajuste;
        regulation.MoveSlider(last, slider.position + 100); // down 10 %: always kept
        EXPECT_DOUBLE_EQ(slider.control->Ajuste, before - 10.0);
        regulation.Cancel();
        EXPECT_DOUBLE_EQ(slider.control->Ajuste, before);
    }
}

} // namespace
} // namespace ixo::test
