#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "element_test_support.h"
#include "model/ampli_header.h"
#include "model/amplifier_test_support.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/lin_amp.h"
#include "model/padre_tv.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

namespace ixo {
namespace {

using test::ExpectLevelsNear;

// The element store built from the demo catalogue.
using DemoAmplifiers = test::DemoStoreFixture;

TEST_F(DemoAmplifiers, EveryAmplifierRecordBecomesAPrototypeOfItsClass) {
    EXPECT_EQ(SkippedReasons(TAmpliBase::kKind), "");
    EXPECT_EQ(store->ListOfKind(TAmpliBase::kKind)->Count(), 48u); // 18 amplifiers and 30 passive line elements
    EXPECT_EQ(Prototype<TCabeceraTerrestre>(0, 30).NivelmaxSignal()[0], 120.0);
    EXPECT_TRUE(Prototype<TCabeceraTerrestre>(0, 31).Obsoleto);
    for (std::int32_t indice : {100, 101, 102, 103, 110, 2000, 2010, 2100}) {
        EXPECT_NO_THROW(Prototype<TLinAmp>(0, indice)) << indice;
    }
    for (std::int32_t indice : {1, 2, 3, 4, 1000, 1010, 4000, 4100}) {
        EXPECT_NO_THROW(Prototype<TAmpliHeader>(0, indice)) << indice;
    }
    const auto& al17 = Prototype<TAmpliHeader>(0, 1000);
    EXPECT_EQ(al17.LPG().size(), 17u); // NPG 2, NPOTGREALES 17
    EXPECT_EQ(al17.LPG()[16]->Caption, "SAT");
    EXPECT_EQ(al17.ConsumoP, 450.0);
    const auto& al5 = Prototype<TLinAmp>(0, 100);
    EXPECT_EQ(al5.CurvaModoter1, (std::vector<std::string>{"EA/SA", "EA/SB"}));
    EXPECT_EQ(al5.modelofuente, 22);
    EXPECT_EQ(Prototype<TAmpliHeader>(0, 1).LPP().size(), 4u);
    // The low-gain IF amplifier: 5 dB at 0 %, 25 dB at 100 % on the satellite bands.
    const auto& afi420 = Prototype<TAmpliHeader>(0, 4);
    EXPECT_EQ(afi420.LPG().at(0)->GainsAt0()[7], 5.0);
    EXPECT_EQ(afi420.LPG().at(0)->GainsAt100()[7], 25.0);
    EXPECT_EQ(afi420.NivelmaxSignal()[7], 114.0);
    EXPECT_TRUE(Prototype<TLinAmp>(0, 101).interiorviv);
}

// The sloped line amplifiers: one slope control per line (AL-5S by position, AL-9S and AL-17S the
// terrestrial one then the satellite one copied), -15 dB at 950 MHz to 0 dB at 2150 MHz on the satellite
// lines and -10 dB at 175 MHz on the terrestrial line at 0 %, flat at 100 %; their terrestrial path does
// not carry 47 MHz.
TEST_F(DemoAmplifiers, SlopedLineAmplifiersHaveASlopeControlPerLine) {
    const auto& al5s = Prototype<TLinAmp>(0, 110);
    ASSERT_EQ(al5s.LPP().size(), 5u);
    EXPECT_EQ(al5s.LPP()[0]->GainsAt0()[4], -15.0);
    EXPECT_EQ(al5s.LPP()[0]->GainsAt0()[7], 0.0);
    EXPECT_EQ(al5s.LPP()[2]->GainsAt0()[1], -10.0);
    EXPECT_EQ(al5s.LPP()[2]->GainsAt100()[1], 0.0);
    EXPECT_EQ(Prototype<TLinAmp>(0, 2010).LPP().size(), 9u);
    const auto& al17s = Prototype<TAmpliHeader>(0, 1010);
    ASSERT_EQ(al17s.LPP().size(), 17u);
    EXPECT_EQ(al17s.LPP()[0]->Caption, "SLOPE TER");
    EXPECT_EQ(al17s.LPP()[16]->Caption, "SLOPE SAT");
    EXPECT_EQ(al17s.LPG()[0]->GainsAt0()[0], -30.0);
    EXPECT_EQ(al17s.LPG()[0]->GainsAt0()[1], -10.0);
    EXPECT_EQ(al17s.LPG()[1]->GainsAt0()[7], 0.0);
}

// Terrestrial headend CT-120 (30) at 60 dBuV -> 10 m CX-68 (24) -> line amplifier AL-5 (100), terrestrial
// line (third input, mode 1) -> 10 m CX-68 -> headend amplifier AL-17 (1000), terrestrial input.
TEST_F(DemoAmplifiers, LevelsThroughTerrestrialHeadendLineAndHeadendAmplifiers) {
    auto* headend = TComponenteBase::CreateCopy(network.get(), Prototype<TCabeceraTerrestre>(0, 30));
    auto* al5 = TComponenteBase::CreateCopy(network.get(), Prototype<TLinAmp>(0, 100));
    auto* al17 = TComponenteBase::CreateCopy(network.get(), Prototype<TAmpliHeader>(0, 1000));
    auto* cable = TCableTV::CreateCopy(network.get(), Prototype<TCableTV>(2, 24));
    ASSERT_TRUE(headend->ConnectPinWithLetter(kFirstFreePin, PinKind::Output, 10.0, cable, kFirstFreePin, 'A',
                                              PinKind::Input, *al5, 'A'));
    ASSERT_TRUE(al5->ConnectPinWithLetter(kFirstFreePin, PinKind::Output, 10.0, cable, kFirstFreePin, 'A',
                                          PinKind::Input, *al17, 'A'));
    ASSERT_EQ(al5->PinesENTRADA()[2]->Peer(), headend->PinesSALIDA()[0]);
    headend->SetNivelTerr(test::Levels({60, 60, 60, 60, 0, 0, 0, 0}));

    for (int run = 0; run < 2; ++run) { // a second run gives the same levels
        headend->ReceiveLevel(LevelVector(), nullptr);
        // Cable -3.9 -7.7 -13 -18 -19 -23.1 -26.7 -30 dB per 100 m, 10 m.
        ExpectLevelsNear(al5->PinesENTRADA()[2]->Levels(),
                         {59.61, 59.23, 58.7, 58.2, -1.9, -2.31, -2.67, -3.0}, "AL-5 input");
        // Mode 1, curve EA/SA 10;20;20;20;-30;...; TER control at 50 %: -10 dB terrestrial. At 47 MHz the
        // curve's 10 dB replaces the control's and is added again: 20 dB, the amplifier's nominal gain.
        ExpectLevelsNear(al5->PinesSALIDA()[2]->Levels(),
                         {79.61, 69.23, 68.7, 68.2, -31.9, -32.31, -32.67, -33.0}, "AL-5 output");
        ExpectLevelsNear(al17->PinesENTRADA()[0]->Levels(),
                         {79.22, 68.46, 67.4, 66.4, -33.8, -34.62, -35.34, -36.0}, "AL-17 input");
        // TER control at 50 %: 20 dB terrestrial, -30 dB satellite; 99.22 stays under the 112 maximum.
        ExpectLevelsNear(al17->PinesSALIDA()[0]->Levels(),
                         {99.22, 88.46, 87.4, 86.4, -63.8, -64.62, -65.34, -66.0}, "AL-17 output");
    }
}

} // namespace
} // namespace ixo
