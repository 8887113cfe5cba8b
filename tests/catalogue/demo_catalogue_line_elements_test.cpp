#include "catalogue/almacen_elementos.h"
#include "element_test_support.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/potenciometro.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ixo {
namespace {

constexpr double kTolerance = 1e-9;

void ExpectLevels(const LevelVector& actual, const std::vector<double>& expected, const std::string& what) {
    for (std::size_t band = 0; band < kBandCount; ++band) {
        EXPECT_NEAR(actual[band], expected[band], kTolerance) << what << ", band " << band;
    }
}

LevelVector Split(double terrestrial, double satellite) {
    LevelVector level;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        level[band] = band < kFirstSatelliteBand ? terrestrial : satellite;
    }
    return level;
}

// The passive cascadables graded by tap loss, the slope equalisers and the inline attenuators of the demo
// catalogue, each fed by hand-chosen levels and compared with the levels worked from its catalogue rows.
class DemoLineElements : public test::DemoStoreFixture {
protected:
    template <typename T> T& CopyOf(int kind, std::int32_t indice) {
        return *TComponenteBase::CreateCopy(network.get(), Prototype<T>(kind, indice));
    }
    // Every input: the terrestrial one (letter A) at 90 dBuV, polarity k at 80 - k dBuV; 40 dBuV in the
    // bands a line does not carry.
    static LevelVector InputLevel(const TPin& pin, int satelliteLine) {
        return pin.Prefijo == 'A' ? Split(90, 40) : Split(40, 80.0 - satelliteLine);
    }
    template <typename T> void FeedAll(T& element) {
        int satelliteLine = 0;
        for (TPin* in : element.PinesENTRADA()) {
            const LevelVector level = InputLevel(*in, satelliteLine);
            if (in->Prefijo != 'A') {
                ++satelliteLine;
            }
            element.ReceiveLevel(level, in);
        }
    }
};

TEST_F(DemoLineElements, GradedPassiveCascadablesShareTheFamilyOfTheActiveOnes) {
    for (std::int32_t indice = 661; indice <= 668; ++indice) {
        const auto& ms = Prototype<TMultiswitch>(TMultiswitch::kKind, indice);
        EXPECT_EQ(ms.Familia, 5200) << indice;
        EXPECT_EQ(ms.PinesENTRADA().size(), 9u) << indice;
        EXPECT_FALSE(ms.Activo || ms.Conpot || ms.CascadeableCabecera) << indice;
        EXPECT_EQ(ms.Consumolin, 0.0) << indice;
        EXPECT_EQ(ms.ATMedia, std::vector<int>({10, 16, 22, 28})[(indice - 661) % 4]) << indice;
        EXPECT_EQ(ms.Nderivaciones, indice < 665 ? 4 : 8) << indice;
    }
    for (std::int32_t indice = 561; indice <= 568; ++indice) {
        const auto& ms = Prototype<TMultiswitch>(TMultiswitch::kKind, indice);
        EXPECT_EQ(ms.Familia, 5100) << indice;
        EXPECT_EQ(ms.PinesENTRADA().size(), 17u) << indice;
        EXPECT_FALSE(ms.Activo || ms.Conpot || ms.CascadeableCabecera) << indice;
        EXPECT_EQ(ms.ATMedia, std::vector<int>({10, 16, 22, 28})[(indice - 561) % 4]) << indice;
    }
}

// MP8-04-16 (662): tap EB/DA -15 -15.4 -15.9 -16.5, EA/DA -14 -14 -14.2 -14.5; through EB/SB -2.2 -2.5
// -2.8 -3.1, EA/SA -1.5 -1.5 -1.6 -1.9.
TEST_F(DemoLineElements, NineInputGradeSixteenTapAndThroughLevels) {
    auto& ms = CopyOf<TMultiswitch>(TMultiswitch::kKind, 662);
    ms.PinesDERIVACION()[2]->polaridad = 5;
    FeedAll(ms);
    // Polarity 5 arrives at 75 dBuV: 75 - 15 = 60, 59.6, 59.1, 58.5; terrestrial 90 - 14 = 76, 76, 75.8,
    // 75.5; the mix keeps the terrestrial path below 950 MHz (40 - 15 = 25 < 76) and the polarity above
    // (90 - 14 is not carried there: 40 - 30 = 10).
    ExpectLevels(ms.PinesDERIVACION()[2]->Levels(), {76, 76, 75.8, 75.5, 60, 59.6, 59.1, 58.5}, "tap on 5");
    // Output 6 carries polarity 5: 75 - 2.2 = 72.8, 72.5, 72.2, 71.9 (40 - 30 = 10 below 950 MHz).
    ExpectLevels(ms.PinesSALIDA()[6]->Levels(), {10, 10, 10, 10, 72.8, 72.5, 72.2, 71.9}, "output 6");
    // The terrestrial line: 90 - 1.5 = 88.5, 88.5, 88.4, 88.1.
    ExpectLevels(ms.PinesSALIDA()[0]->Levels(), {88.5, 88.5, 88.4, 88.1, 10, 10, 10, 10}, "output TER");
}

// MP16-08-28 (568): 8 taps, 2 dB more tap loss than the 4-tap grade: EB/DA -29 -29.4 -29.9 -30.5, EA/DA
// -28 -28 -28.2 -28.5; 17 inputs, 0.3 dB more through loss than the 9-input grade: EB/SB -1.7 -1.9 -2.1
// -2.3, EA/SA -1.3 -1.3 -1.4 -1.6.
TEST_F(DemoLineElements, SeventeenInputGradeTwentyEightTapAndThroughLevels) {
    auto& ms = CopyOf<TMultiswitch>(TMultiswitch::kKind, 568);
    ASSERT_EQ(ms.PinesDERIVACION().size(), 8u);
    ms.PinesDERIVACION()[7]->polaridad = 15;
    FeedAll(ms);
    // Polarity 15 at 65 dBuV: 36, 35.6, 35.1, 34.5; terrestrial 90 - 28 = 62, 62, 61.8, 61.5.
    ExpectLevels(ms.PinesDERIVACION()[7]->Levels(), {62, 62, 61.8, 61.5, 36, 35.6, 35.1, 34.5}, "tap on 15");
    ExpectLevels(ms.PinesSALIDA()[16]->Levels(), {10, 10, 10, 10, 63.3, 63.1, 62.9, 62.7}, "output 16");
    ExpectLevels(ms.PinesSALIDA()[0]->Levels(), {88.7, 88.7, 88.6, 88.4, 10, 10, 10, 10}, "output TER");
}

TEST_F(DemoLineElements, PassiveLineElementsAreLineAmplifiersWithoutSupplyOrMaximum) {
    for (std::int32_t first : {4200, 4300, 4400}) {
        for (std::int32_t indice = first; indice < first + 10; ++indice) {
            const auto& element = Prototype<TLinAmp>(TAmpliBase::kKind, indice);
            EXPECT_EQ(element.Familia, 40000) << indice;
            EXPECT_EQ(element.Consumolin, 0.0) << indice;
            EXPECT_FALSE(element.FIncorporada) << indice;
            EXPECT_EQ(element.ModoterActual, 0) << indice;
            EXPECT_EQ(element.NivelmaxSignal(), LevelVector()) << indice;
            const std::size_t lines = first == 4200 ? 5 : first == 4300 ? 9 : 17;
            EXPECT_EQ(element.PinesENTRADA().size(), lines) << indice;
            EXPECT_EQ(element.PinesSALIDA().size(), lines) << indice;
            EXPECT_EQ(element.LPG().size(), indice == first + 9 ? lines : 0u) << indice;
        }
    }
}

// EQ5-10 (4202): EB/SB -11 -7.67 -4.33 -1 (10 dB of slope over 950-2150 MHz and 1 dB insertion loss),
// EA/SA -0.5 -0.5 -0.6 -0.8. Lines in the order SAT, SAT, TER, SAT, SAT.
TEST_F(DemoLineElements, SlopeEqualiserTiltsTheSatelliteLinesOnly) {
    auto& eq = CopyOf<TLinAmp>(TAmpliBase::kKind, 4202);
    FeedAll(eq);
    // Line 3 (the third satellite line) at 78 dBuV: 67, 70.33, 73.67, 77.
    ExpectLevels(eq.PinesSALIDA()[3]->Levels(), {10, 10, 10, 10, 67, 70.33, 73.67, 77}, "SAT line 3");
    // The terrestrial line at 90: 89.5, 89.5, 89.4, 89.2.
    ExpectLevels(eq.PinesSALIDA()[2]->Levels(), {89.5, 89.5, 89.4, 89.2, 10, 10, 10, 10}, "TER line");
}

// AT9-6 (4305): -6 dB on every line and band that the line carries.
TEST_F(DemoLineElements, FixedAttenuatorIsFlat) {
    auto& at = CopyOf<TLinAmp>(TAmpliBase::kKind, 4305);
    FeedAll(at);
    ExpectLevels(at.PinesSALIDA()[0]->Levels(), {84, 84, 84, 84, 10, 10, 10, 10}, "TER line");
    ExpectLevels(at.PinesSALIDA()[8]->Levels(), {10, 10, 10, 10, 67, 67, 67, 67}, "polarity 7 at 73");
}

// ATV17-20 (4409): 0.5 dB insertion loss and one control per line, -20 dB at 0 % to 0 dB at 100 %,
// standing at 100 %.
TEST_F(DemoLineElements, AdjustableAttenuatorHasAControlPerLine) {
    auto& at = CopyOf<TLinAmp>(TAmpliBase::kKind, 4409);
    ASSERT_EQ(at.LPG().size(), 17u);
    // Line 4 (polarity 3) at 25 %: -20 + 20 x 0.25 = -15 dB, so 77 - 0.5 - 15 = 61.5.
    at.LPG()[4]->SetAjuste(25);
    FeedAll(at);
    // Below 950 MHz the satellite line carries 40 - 30 - 15 = -5.
    ExpectLevels(at.PinesSALIDA()[4]->Levels(), {-5, -5, -5, -5, 61.5, 61.5, 61.5, 61.5}, "line 4");
    ExpectLevels(at.PinesSALIDA()[5]->Levels(), {10, 10, 10, 10, 75.5, 75.5, 75.5, 75.5}, "line 5");
    ExpectLevels(at.PinesSALIDA()[0]->Levels(), {89.5, 89.5, 89.5, 89.5, 10, 10, 10, 10}, "TER line");
}

} // namespace
} // namespace ixo
