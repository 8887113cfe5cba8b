#include "design/level_sample.h"
#include "design/overdrive_check.h"
#include "design/power_check.h"
#include "editing/editing_test_support.h"
#include "editing/network_edits.h"
#include "levels/calculo_niveles.h"
#include "model/alimentador.h"
#include "model/cabecera_terrestre.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/potenciometro.h"

namespace ixo::test {
namespace {

constexpr std::int32_t kAL5 = 100; // line amplifier AL-5

const PowerProblem* ProblemOf(const std::vector<PowerProblem>& problems, const TCBFT* element) {
    for (const PowerProblem& problem : problems) {
        if (problem.element == element) {
            return &problem;
        }
    }
    return nullptr;
}

TMultiswitch* FirstOfModel(const Tproyecto& project, const std::string& model) {
    for (TMultiswitch* multiswitch : ElementsOfClass<TMultiswitch>(project)) {
        if (multiswitch->Modelo == model) {
            return multiswitch;
        }
    }
    return nullptr;
}

class DesignChecksTest : public EditingFixture {};

// One stair fed straight from the headend amplifiers, injectors chosen for the cascade ends: a single
// stair gets no injector. With a terrestrial headend its CT-120 puts 500 mA on the terrestrial line
// (MAXPOWERTER), which reaches the terminal MT-504 at the foot of the cascade through the passive
// cascade multiswitches. Without one, the MT-504 (CONSUMO 220 mA) hangs on IF lines that carry no power.
TEST_F(DesignChecksTest, TheActiveMultiswitchOfASingleStairIsPoweredOnlyThroughThePoweredLine) {
    BuildNetwork(Shape(1, 3, 1, 1, 4, 1));
    TMultiswitch* fed = FirstOfModel(*project, "MT-504");
    ASSERT_NE(fed, nullptr);
    ASSERT_EQ(fed->Feeder(), nullptr);
    EXPECT_EQ(ProblemOf(CheckPowering(*project), fed), nullptr);

    SettingsRecord settings = DefaultSettings();
    settings.HD_ICTERR = false;
    editor.reset(); // the history goes before the project it edits
    project.reset();
    BuildNetwork(Shape(1, 3, 1, 1, 4, 1), settings);
    TMultiswitch* terminal = FirstOfModel(*project, "MT-504");
    ASSERT_NE(terminal, nullptr);
    ASSERT_EQ(terminal->Feeder(), nullptr);
    const std::vector<PowerProblem> problems = CheckPowering(*project);
    const PowerProblem* problem = ProblemOf(problems, terminal);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->kind, PowerProblem::Kind::Unpowered);
    EXPECT_DOUBLE_EQ(problem->drawnMilliamps, 220.0);
    EXPECT_NE(problem->Text().find("draws 220 mA"), std::string::npos) << problem->Text();
    // Passive elements are never reported.
    for (const PowerProblem& each : problems) {
        EXPECT_GT(each.drawnMilliamps, 0.0) << each.Text();
    }
}

// With power supplies chosen for the cascade ends, the builder sets an FA-18 (1500 mA) beside the
// MT-504: powered, and well within the supply. A supply made to deliver only 200 mA is overloaded by
// the 220 mA the multiswitch draws.
TEST_F(DesignChecksTest, ASupplyDeliveringLessThanItsLoadDrawsIsOverloaded) {
    SettingsRecord settings = DefaultSettings();
    settings.ConInyector = 0;
    BuildNetwork(Shape(1, 3, 1, 1, 4, 1), settings);
    TMultiswitch* terminal = FirstOfModel(*project, "MT-504");
    ASSERT_NE(terminal, nullptr);
    auto* supply = dynamic_cast<Talimentador*>(terminal->Feeder());
    ASSERT_NE(supply, nullptr);
    EXPECT_DOUBLE_EQ(supply->Corriente, 1500.0);
    EXPECT_EQ(ProblemOf(CheckPowering(*project), terminal), nullptr);
    EXPECT_EQ(ProblemOf(CheckPowering(*project), supply), nullptr);

    supply->Corriente = 200.0;
    const std::vector<PowerProblem> problems = CheckPowering(*project);
    const PowerProblem* problem = ProblemOf(problems, supply);
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->kind, PowerProblem::Kind::Overloaded);
    EXPECT_DOUBLE_EQ(problem->drawnMilliamps, 220.0);
    EXPECT_DOUBLE_EQ(problem->availableMilliamps, 200.0);
    EXPECT_EQ(problem->loadCount, 1);
    EXPECT_NE(problem->Text().find("draw 220 mA, it delivers 200 mA"), std::string::npos) << problem->Text();

    supply->Corriente = 220.0; // exactly what is drawn: within
    EXPECT_EQ(ProblemOf(CheckPowering(*project), supply), nullptr);
}

// An AL-5 in front of the MT-504 with its satellite gain controls at 100 %: each satellite channel adds
// the catalogue row EB/SB (30, 30.5, 31, 31.5 dB in bands 4-7) and the control's value at 100 % (GMAX,
// 0 dB), so output = input + 30 / 30.5 / 31 / 31.5. With the default 80 dBuV at the LNBs the headend
// amplifier brings the AL-5's inputs to about 96 dBuV, so the outputs pass the maximum NIVELSAL of
// 117 dBuV; the band reported is the one furthest beyond it.
TEST_F(DesignChecksTest, AnOverdrivenLineAmplifierIsReportedWithBandLevelAndMaximum) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    TMultiswitch* multiswitch = ElementsOfClass<TMultiswitch>(*project).at(0);
    ASSERT_TRUE(
        editor->Apply([&](EditJournal& j) { return InsertLineAmplifier(*project, *multiswitch, kAL5, j); }));
    TLinAmp* amplifier = ElementsOfClass<TLinAmp>(*project).at(0);
    for (TPotenciometroBase8* control : amplifier->LPG()) {
        control->Ajuste = 100.0;
    }
    Recalcular(*project);
    const double row[kBandCount] = {-30, -30, -30, -30, 30.0, 30.5, 31.0, 31.5};

    int satelliteOutputs = 0;
    const std::vector<OverdriveProblem> problems = CheckOverdrive(*project);
    for (std::size_t i = 0; i < amplifier->PinesSALIDA().size(); ++i) {
        const TPin* out = amplifier->PinesSALIDA()[i];
        const TPin* in = amplifier->PinesENTRADA()[i];
        if (out->Prefijo != 'B' || !out->IsConnected()) {
            continue;
        }
        ++satelliteOutputs;
        int expectedBand = -1;
        for (int band = 4; band < 8; ++band) {
            const double excess = in->Levels()[band] + row[band] - 117.0;
            if (excess > 0 &&
                (expectedBand < 0 || excess > in->Levels()[expectedBand] + row[expectedBand] - 117.0)) {
                expectedBand = band;
            }
        }
        ASSERT_GE(expectedBand, 4) << "input " << in->Levels()[7] << " dBuV does not overdrive output " << i;
        ASSERT_LT(in->Levels()[7] + 11.5, 117.0) << "too hot for the check at 0 % below";
        const OverdriveProblem* found = nullptr;
        for (const OverdriveProblem& problem : problems) {
            if (problem.pin == out) {
                found = &problem;
            }
        }
        ASSERT_NE(found, nullptr) << "output " << i;
        EXPECT_EQ(found->kind, OverdriveProblem::Kind::Output);
        EXPECT_EQ(found->element, amplifier);
        EXPECT_EQ(found->band, expectedBand);
        EXPECT_NEAR(found->level, in->Levels()[expectedBand] + row[expectedBand], 1e-9);
        EXPECT_DOUBLE_EQ(found->maximum, 117.0);
    }
    EXPECT_EQ(satelliteOutputs, 4);
    // The text gives the excess in hundredths: 117.04 against 117 reads the same in tenths.
    ASSERT_FALSE(problems.empty());
    OverdriveProblem slight = problems.front();
    slight.level = 117.04;
    slight.maximum = 117.0;
    EXPECT_NE(slight.Text().find(": 117.0 dBµV, maximum 117.0 dBµV (+0.04 dB)"), std::string::npos)
        << slight.Text();

    // At 0 % the satellite controls give -20 dB: output = input + 10 .. 11.5, about 107, below 117.
    for (TPotenciometroBase8* control : amplifier->LPG()) {
        control->Ajuste = 0.0;
    }
    Recalcular(*project);
    for (const OverdriveProblem& problem : CheckOverdrive(*project)) {
        EXPECT_FALSE(problem.element == amplifier && problem.pin->Prefijo == 'B') << problem.Text();
    }
}

// 47 MHz carries the terrestrial headend's level and is checked like every rated band: with the
// headend at 130 dBuV at 47 MHz and 60 dBuV elsewhere, the multiswitch's terrestrial input is past its
// 95 dBuV at 47 MHz alone, and the check and the design's sample find it with the same level and maximum.
TEST_F(DesignChecksTest, The47MHzBandIsCheckedAgainstTheSameMaximumByTheCheckAndTheDesign) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    TCabeceraTerrestre* headend = ElementsOfClass<TCabeceraTerrestre>(*project).at(0);
    LevelVector level = headend->NivelTerr();
    for (std::size_t band = 0; band < kFirstSatelliteBand; ++band) {
        level[band] = band == 0 ? 130.0 : 60.0;
    }
    headend->SetNivelTerr(level);
    Recalcular(*project);
    TMultiswitch* multiswitch = ElementsOfClass<TMultiswitch>(*project).at(0);
    const TPin* terrestrial = nullptr;
    for (const TPin* in : multiswitch->PinesENTRADA()) {
        if (in->Prefijo == 'A' && in->IsConnected()) {
            terrestrial = in;
        }
    }
    ASSERT_NE(terrestrial, nullptr);
    ASSERT_GT(terrestrial->Levels()[0], 95.0);
    ASSERT_LT(terrestrial->Levels()[1], 95.0);

    const OverdriveProblem* found = nullptr;
    const std::vector<OverdriveProblem> problems = CheckOverdrive(*project);
    for (const OverdriveProblem& problem : problems) {
        if (problem.pin == terrestrial) {
            found = &problem;
        }
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->kind, OverdriveProblem::Kind::Input);
    EXPECT_EQ(found->band, 0);
    EXPECT_DOUBLE_EQ(found->level, terrestrial->Levels()[0]);
    EXPECT_DOUBLE_EQ(found->maximum, 95.0);

    LevelSample sample;
    sample.Take(*project);
    bool sampled = false;
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        if (sample.pins[i] == terrestrial && sample.bands[i] == 0) {
            sampled = true;
            EXPECT_DOUBLE_EQ(sample.levels[i], found->level);
            EXPECT_DOUBLE_EQ(sample.bounds[i].maximum, found->maximum);
        }
    }
    EXPECT_TRUE(sampled);
    // The design weighs the breach as a hard constraint: far below any outlet's margin.
    EXPECT_LT(sample.Score(), (95.0 - kMaximumGuard - found->level) * kMaximumWeight + 1e-9);
    EXPECT_LT(sample.Score(), sample.Worst());
}

} // namespace
} // namespace ixo::test
