#include "levels/carrier_noise.h"
#include "levels/quality_check.h"

#include "levels/calculo_niveles.h"

#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "model/cabecera_terrestre.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/toma_tv.h"
#include "settings/standard_presets.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ixo {
namespace {

// kTB at 290 K over 8 MHz into 75 ohm: 1.380649e-23 * 290 * 8e6 = 3.2031e-14 W; times 75 ohm =
// 2.4023e-12 V^2, i.e. 1.550 µV = 3.806 dBµV. (The "2 dBµV" often quoted belongs to a 5 MHz bandwidth.)
TEST(ThermalNoise, IsKtbInto75Ohm) {
    EXPECT_NEAR(ThermalNoiseDbuV(8.0e6), 3.8063, 1e-4);
    EXPECT_NEAR(ThermalNoiseDbuV(5.0e6), 1.7651, 1e-4);
    // 27.5 MHz: 3.806 + 10 log10(27.5 / 8) = 3.806 + 5.362.
    EXPECT_NEAR(ThermalNoiseOfBand(5), 9.1688, 1e-4);
    EXPECT_NEAR(ThermalNoiseOfBand(1), 3.8063, 1e-4);
}

TEST(CombineCarrierToNoise, AddsNoisePowers) {
    // Two equal contributions halve the ratio: 30 dB twice is 30 - 3.0103 dB.
    EXPECT_NEAR(CombineCarrierToNoise({30.0, 30.0}), 26.9897, 1e-4);
    EXPECT_NEAR(CombineCarrierToNoise({40.0}), 40.0, 1e-12);
    EXPECT_TRUE(std::isinf(CombineCarrierToNoise({})));
}

// The terrestrial headend CT-120 (noise figure 9 dB in the catalogue) feeds two flat amplifiers AV-20
// (gain 20 dB at 175 MHz with the attenuator at 100 %, noise figure 5 dB at 175 MHz) in a row and then a
// flat with one end outlet TF-2; every link is 10 m of CX-68 (0.77 dB at 175 MHz).
class TwoAmplifierCascade : public test::ProjectFixture {
protected:
    void SetUp() override {
        test::BuildingShape shape;
        shape.outlets = 1;
        Build(shape);
        tplanta* headendFloor = project->PlantaCabecera();
        ASSERT_NE(headendFloor, nullptr);
        headend = MakeOn<TCabeceraTerrestre>(*headendFloor, 30, 4923);
        first = MakeOn<TLinAmp>(*headendFloor, 101, 39000);
        second = MakeOn<TLinAmp>(*headendFloor, 101, 39000);
        ASSERT_TRUE(headend && first && second);
        Tvivienda* flat = project->ListaViviendas().Object(0);
        TCableTV* cable = project->Preferencias().Cable(3);
        ASSERT_TRUE(headend->ConnectPin(kFirstFreePin, PinKind::Output, 10.0, cable, kFirstFreePin,
                                        PinKind::Input, *first));
        ASSERT_TRUE(first->ConnectPin(kFirstFreePin, PinKind::Output, 10.0, cable, kFirstFreePin,
                                      PinKind::Input, *second));
        ASSERT_TRUE(second->ConnectPin(kFirstFreePin, PinKind::Output, 10.0, cable, kFirstFreePin,
                                       PinKind::Input, *flat->Entrada()));
        outlet = dynamic_cast<TTomaTV*>(flat->ETV().Object(0));
        ASSERT_NE(outlet, nullptr);
        project->finalizadocalculoTV = true;
    }

    template <class T> T* MakeOn(tplanta& floor, int indice, int family) {
        auto* prototype = Store().ElementByFamily(indice, family).As<T>();
        if (prototype == nullptr) {
            return nullptr;
        }
        T* element = TComponenteBase::CreateCopy(&project->RedTV(), *prototype);
        floor.AgregarElemento(element);
        return element;
    }

    void RunWithHeadendOutput(double level) {
        headend->SetNivelTerr(LevelVector{{level, level, level, level, 0, 0, 0, 0}});
        Recalcular(*project);
    }

    const TPin& Tap() const { return *outlet->PinesDERIVACION().front(); }

    TCabeceraTerrestre* headend = nullptr;
    TLinAmp* first = nullptr;
    TLinAmp* second = nullptr;
    TTomaTV* outlet = nullptr;
};

TEST_F(TwoAmplifierCascade, CarrierToNoiseWorkedOutByHand) {
    RunWithHeadendOutput(50.0);
    // Levels at 175 MHz: first amplifier input 50 - 0.77 = 49.23; second 49.23 + 20 - 0.77 = 68.46.
    ASSERT_NEAR(first->PinesENTRADA().front()->Levels()[1], 49.23, 1e-9);
    ASSERT_NEAR(second->PinesENTRADA().front()->Levels()[1], 68.46, 1e-9);
    // Contributions at 175 MHz (thermal noise 3.806 dBµV, antenna level 60 dBµV by default):
    //   headend   60    - 9 - 3.806 = 47.194 dB
    //   first     49.23 - 5 - 3.806 = 40.424 dB
    //   second    68.46 - 5 - 3.806 = 59.654 dB
    //   1/(C/N) = 10^-4.7194 + 10^-4.0424 + 10^-5.9654 = 1.9079e-5 + 9.0700e-5 + 1.0830e-6 = 1.1086e-4
    //   C/N = 39.552 dB
    NoiseFigures figures;
    const LevelVector cn = CarrierToNoiseAt(Tap(), project->Quality(), figures);
    EXPECT_NEAR(cn[1], 39.5518, 1e-3);
    // The satellite bands reach no source: no C/N.
    EXPECT_TRUE(std::isinf(cn[5]));

    // A known antenna C/N of 40 dB adds one more term: 1.1086e-4 + 1.0e-4 = 2.1086e-4, 36.760 dB.
    project->Quality().terrestrialAntennaCn = 40.0;
    EXPECT_NEAR(CarrierToNoiseAt(Tap(), project->Quality(), figures)[1], 36.7599, 1e-3);
}

TEST_F(TwoAmplifierCascade, OutletPassingOnLevelFailsOnCarrierToNoise) {
    RunWithHeadendOutput(38.0);
    // Outlet at 175 MHz: 38 - 3 x 0.77 + 2 x 20 - 0.3 (PAU-1) - 1.5 (TF-2) = 73.89 dBµV, inside 45-74;
    // at 862 MHz: 38 - 3 x 1.8 + 2 x 20 - 0.5 - 2.0 = 70.1 dBµV.
    ASSERT_NEAR(Tap().Levels()[1], 73.89, 1e-9);
    ASSERT_NEAR(Tap().Levels()[3], 70.1, 1e-9);
    QualityLimits limits = LimitsOf(*FindStandardPreset("EN60728-1"), project->Preferencias());
    limits.satelliteMinimum = -100.0; // this network carries no satellite signal
    limits.satelliteMinimumCn = -100.0;

    // Antenna at 60 dBµV, 175 MHz: headend 47.194, first 37.23 - 5 - 3.806 = 28.424, second 56.46 - 5 -
    // 3.806 = 47.654 dB; 1/(C/N) = 1.908e-5 + 1.4376e-3 + 1.716e-5 = 1.4739e-3, C/N = 28.316 dB.
    // 862 MHz (noise figure 6 dB, 1.8 dB a link): first 36.2 - 6 - 3.806 = 26.394, second 54.4 - 6 -
    // 3.806 = 44.594, headend 47.194: C/N = 26.293 dB, the worst band; >= 25 passes.
    std::vector<OutletVerdict> verdicts = CheckQuality(*project, limits);
    ASSERT_EQ(verdicts.size(), 1u);
    EXPECT_NEAR(verdicts[0].quality.worstCn[1], 28.3155, 1e-3);
    EXPECT_NEAR(verdicts[0].quality.worstCn[3], 26.2930, 1e-3);
    EXPECT_TRUE(verdicts[0].Passes()) << verdicts[0].FailureText();

    // A weak antenna signal (30 dBµV): the headend's term drops to 17.194 dB and the sum at 175 MHz to
    // 16.875 dB; the levels still pass.
    project->Quality().terrestrialAntennaLevel = 30.0;
    verdicts = CheckQuality(*project, limits);
    ASSERT_EQ(verdicts.size(), 1u);
    const OutletVerdict& verdict = verdicts[0];
    EXPECT_FALSE(verdict.Passes());
    EXPECT_NEAR(verdict.quality.worstCn[1], 16.8746, 1e-3);
    ASSERT_EQ(verdict.criteria.size(), 4u);
    EXPECT_EQ(verdict.criteria[0].criterion, "TER level");
    EXPECT_TRUE(verdict.criteria[0].passes);
    EXPECT_EQ(verdict.criteria[2].criterion, "TER C/N");
    EXPECT_FALSE(verdict.criteria[2].passes);
    EXPECT_EQ(verdict.FailureText().rfind("TER C/N ", 0), 0u) << verdict.FailureText();
    EXPECT_NE(verdict.FailureText().find("(>= 25.0 dB)"), std::string::npos);
    // The levels are those of the level run, untouched by the C/N.
    EXPECT_NEAR(Tap().Levels()[1], 73.89, 1e-9);
}

TEST_F(TwoAmplifierCascade, ModelsWithoutTheKeyTakeTheirKindsDefault) {
    EXPECT_EQ(DefaultNoiseFigure(*headend), (LevelVector{{9, 9, 9, 9, 0, 0, 0, 0}}));
    EXPECT_EQ(DefaultNoiseFigure(*first), (LevelVector{{7, 7, 7, 7, 9, 9, 9, 9}}));
    NoiseFigures figures;
    // The demo catalogue gives AV-20 its own figures.
    EXPECT_EQ(figures.Of(*first), (LevelVector{{5, 5, 6, 6, 8, 8, 9, 9}}));
    // A passive element has none.
    EXPECT_FALSE(figures.Of(*outlet).has_value());
}

// The terrestrial headend CT-120 feeds the terrestrial line (A) of a line amplifier AL-5 and that the
// flat's entry, 10 m of CX-68 each. The AL-5 has two terrestrial modes: 1 amplifies (noise figure 6 dB at
// 175 MHz), 2 is its passive mode (the EA/SB curve, a loss): in mode 2 the amplifier adds no noise.
TEST_F(TwoAmplifierCascade, APassiveTerrestrialModeAddsNoNoise) {
    tplanta* headendFloor = project->PlantaCabecera();
    auto* amplifier = MakeOn<TLinAmp>(*headendFloor, 100, 4002);
    ASSERT_NE(amplifier, nullptr);
    ASSERT_EQ(amplifier->ModoPasivo, 2);
    TCableTV* cable = project->Preferencias().Cable(3);
    TPin* headendOut = headend->PinAt(PinKind::Output, 0);
    TPin* entryIn = project->ListaViviendas().Object(0)->Entrada()->PinAt(PinKind::Input, 0);
    ASSERT_TRUE(headendOut != nullptr && entryIn != nullptr);
    TPin::UnlinkPin(*headendOut);
    TPin::UnlinkPin(*entryIn);
    TPin* in = amplifier->FindFreePinWithLetter(PinKind::Input, 'A', kFirstFreePin);
    TPin* out = amplifier->FindFreePinWithLetter(PinKind::Output, 'A', kFirstFreePin);
    ASSERT_TRUE(in != nullptr && out != nullptr);
    ASSERT_TRUE(TPin::LinkPins(*headendOut, *in, *cable, 10.0));
    ASSERT_TRUE(TPin::LinkPins(*out, *entryIn, *cable, 10.0));

    amplifier->ModoterActual = 1;
    RunWithHeadendOutput(50.0);
    ASSERT_NEAR(in->Levels()[1], 49.23, 1e-9);
    // Mode 1 at 175 MHz: headend 60 - 9 - 3.806 = 47.194 dB, amplifier 49.23 - 6 - 3.806 = 39.424 dB;
    // 1/(C/N) = 1.9079e-5 + 1.14181e-4 = 1.3326e-4, C/N = 38.753 dB.
    NoiseFigures figures;
    EXPECT_NEAR(CarrierToNoiseAt(Tap(), project->Quality(), figures)[1], 38.7526, 1e-3);

    // Mode 2, passive: the headend's term alone, 47.194 dB.
    amplifier->ModoterActual = 2;
    RunWithHeadendOutput(50.0);
    EXPECT_NEAR(CarrierToNoiseAt(Tap(), project->Quality(), figures)[1], 47.1937, 1e-3);
}

} // namespace
} // namespace ixo
