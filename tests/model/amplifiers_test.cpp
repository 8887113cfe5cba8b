#include "amplifier_test_support.h"
#include "model/ampli_header.h"
#include "model/binary_property.h"
#include "model/cabecera_terrestre.h"
#include "model/class_registry.h"
#include "model/lin_amp.h"
#include "model/padre_tv.h"
#include "model/script_numbers.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ixo {
namespace {

using test::AmplifierRecord;
using test::ExpectLevelsNear;
using test::Levels;

constexpr std::string_view kTwoChannelPins[] = {
    "NENTRADAS=2", "TIPOENTRADA=AB", "TIPOCENT=1;1", "ENTRADASPDC=0;0;0;0;0;0;0;0",
    "NSALIDAS=2",  "TIPOSALIDA=AB",  "TIPOCSAL=1;1", "SALIDASPDC=0;0;0;0;0;0;0;0"};

// Two channels A and B; gain control TER (0..20 dB terrestrial) and SAT (-30 terrestrial, 15..35 dB
// satellite), both at 50 %; modes 1..3 with 2 passive; mode 1 curve EA/SA, mode 2 curve EA/SB.
std::vector<std::string_view> TwoChannelScript() {
    std::vector<std::string_view> lines(std::begin(kTwoChannelPins), std::end(kTwoChannelPins));
    for (std::string_view line : {"ECUACIONES",
                                  "EA/SA=3;1;1;1;1;1;1;1",
                                  "EA/SB=0;5;5;5;5;5;5;5",
                                  "EB/SB=-2;-2;-2;-2;-2;-2;-2;-2",
                                  "FINECUACIONES",
                                  "NIVELSAL=112;112;112;112;117;117;117;117",
                                  "NPG=2",
                                  "LG0=TER",
                                  "GMIN0=0;0;0;0;0;0;0;0",
                                  "GMAX0=20;20;20;20;0;0;0;0",
                                  "AJUSTEG0=50",
                                  "POTVISIBLEG0=0",
                                  "LG1=SAT",
                                  "GMIN1=-30;-30;-30;-30;15;15;15;15",
                                  "GMAX1=-30;-30;-30;-30;35;35;35;35",
                                  "AJUSTEG1=50",
                                  "MINMODOTER=1",
                                  "MAXMODOTER=3",
                                  "MODOTERACT=1",
                                  "MODOPASIVO=2",
                                  "CURVAMODOTER1=EA/SA",
                                  "CURVAMODOTER2=EA/SB"}) {
        lines.push_back(line);
    }
    return lines;
}

TRECConScript RecordOf(std::int32_t indice, const std::vector<std::string_view>& lines) {
    TRECConScript record = AmplifierRecord(indice, 4950, {});
    for (std::string_view line : lines) {
        record.Script.append(line);
        record.Script.append("\r\n");
    }
    return record;
}

class Amplifiers : public ::testing::Test {
protected:
    template <typename T> T* FromLines(const std::vector<std::string_view>& lines, std::int32_t indice = 7) {
        return TComponenteBase::CreateFromRecord<T>(network.get(), RecordOf(indice, lines), nullptr);
    }
    template <typename T> T* TwoChannel() { return FromLines<T>(TwoChannelScript()); }
    static LevelVector Row(const TAmpliBase& amplifier, std::string_view in, std::string_view out) {
        LevelVector row;
        amplifier.Transfer().Lookup(in, out, row);
        return row;
    }

    std::unique_ptr<TPadreTV> network = TPrimerComponente::CreateRoot<TPadreTV>();
};

TEST_F(Amplifiers, CatalogueKeysFillTheBase) {
    auto* amplifier = FromLines<TAmpliHeader>(
        {"CONSUMO=300", "CONSUMO=250,5", "EXTERIOR=1", "FINCORPORADA=1", "LOCALIZACION=3", "NPG=0", "NPP=0",
         "SALIDATEST=1", "NSALIDATEST=-20", "NIVELSAL=100;101;102;103;104;105;106", "INTERIORVIV=2",
         "MODELOFUENTE=21", "MAXMODOTER=3", "MINMODOTER=2", "MODOTERACT=3", "MODOPASIVO=2",
         "CURVAMODOTER3=EB/SB"});
    EXPECT_EQ(amplifier->Consumolin, 300.0);
    EXPECT_EQ(amplifier->ConsumoP, 250.5); // the key given a second time
    EXPECT_TRUE(amplifier->Exterior);
    EXPECT_TRUE(amplifier->FIncorporada);
    EXPECT_EQ(amplifier->Localizacion, 3);
    EXPECT_TRUE(amplifier->SalidaTest);
    EXPECT_EQ(amplifier->NivelSalidaTest, -20);
    ExpectLevelsNear(amplifier->NivelmaxSignal(), {100, 101, 102, 103, 104, 105, 106, 106}, "maximum");
    EXPECT_EQ(amplifier->NivelSignal(), amplifier->NivelmaxSignal());
    EXPECT_TRUE(amplifier->interiorviv);
    EXPECT_EQ(amplifier->modelofuente, 21);
    EXPECT_EQ(amplifier->MaxModoTer, 3);
    EXPECT_EQ(amplifier->MinModoTer, 2);
    EXPECT_EQ(amplifier->ModoterActual, 3);
    EXPECT_EQ(amplifier->ModoPasivo, 2);
    EXPECT_EQ(amplifier->CurvaModoter1, (std::vector<std::string>{"EA/SA", "EB/SB"}));
    EXPECT_TRUE(amplifier->LPG().empty());
    EXPECT_FALSE(amplifier->PotJuntos);

    auto* plain =
        FromLines<TAmpliHeader>({"CONSUMO=300", "MINMODOTER=0", "MAXMODOTER=2", "INTERIORVIV=-1"}, 8);
    EXPECT_EQ(plain->ConsumoP, 0.0); // CONSUMO was consumed by the element base
    EXPECT_TRUE(plain->CurvaModoter1.empty());
    EXPECT_FALSE(plain->interiorviv);
    EXPECT_EQ(plain->NivelmaxSignal(), LevelVector());
}

TEST_F(Amplifiers, ControlsFromTheCatalogue) {
    auto* line = FromLines<TLinAmp>(
        {"NPG=2", "LG0=TER", "GMIN0=10;10;10;10;0;0;0;0", "GMAX0=30;30;30;30;0;0;0;0", "AJUSTEG0=50",
         "REGULACIONG0=2", "POTVISIBLEG0=0", "GMAX1=1;2;3;4;5;6;7;8", "AJUSTEG1=12,5", "NPOTGREALES=4",
         "NPP=1", "LP0=SLOPE", "PMAX0=0;0;0;0;-10;-6;-3;0", "NPOTPREALES=1"});
    ASSERT_EQ(line->LPG().size(), 4u);
    ASSERT_EQ(line->LPP().size(), 1u);
    const TPotenciometroBase8& ter = *line->LPG()[0];
    EXPECT_EQ(ter.Caption, "TER");
    EXPECT_EQ(ter.Tipo, TPotenciometroBase8::kGain);
    EXPECT_EQ(ter.Value()[0], 20.0); // 10 dB at 0 %, 30 dB at 100 %, at 50 %
    EXPECT_EQ(ter.Regulacion, 2);
    EXPECT_FALSE(ter.Potvisible);
    EXPECT_EQ(ter.Owner(), line);
    const TPotenciometroBase8& second = *line->LPG()[1];
    EXPECT_EQ(second.Caption, "Noname");
    EXPECT_EQ(second.GainsAt0(), LevelVector());
    EXPECT_EQ(second.Ajuste, 12.5);
    EXPECT_TRUE(second.Potvisible);
    // NPG 2 and NPOTGREALES 4: the last control is copied until there are four.
    for (std::size_t i = 2; i < 4; ++i) {
        const TPotenciometroBase8& copy = *line->LPG()[i];
        EXPECT_NE(copy.Name(), second.Name());
        EXPECT_EQ(copy.Caption, second.Caption);
        EXPECT_EQ(copy.Ajuste, second.Ajuste);
        EXPECT_EQ(copy.GainsAt100(), second.GainsAt100());
        EXPECT_EQ(copy.ClassName(), "TPotenciometro");
    }
    EXPECT_EQ(line->LPP()[0]->Tipo, TPotenciometroBase8::kSlope);
    EXPECT_EQ(line->LPP()[0]->Caption, "SLOPE");
    EXPECT_EQ(line->KeyList().size(), 0u);
    ExpectLevelsNear(line->ControlGains(0), {20, 20, 20, 20, 0, 0, 0, 0}, "controls of channel 0");
    EXPECT_EQ(line->ControlGains(4), LevelVector());

    // Controls of a headend amplifier are always visible.
    auto* header = FromLines<TAmpliHeader>({"NPG=1", "POTVISIBLEG0=0"}, 9);
    ASSERT_EQ(header->LPG().size(), 1u);
    EXPECT_TRUE(header->LPG()[0]->Potvisible);
    // The terrestrial headend makes none.
    auto* terrestrial = FromLines<TCabeceraTerrestre>({"NPG=1", "NPP=1"}, 10);
    EXPECT_TRUE(terrestrial->LPG().empty());
    EXPECT_EQ(terrestrial->NivelTerr(), LevelVector());
}

TEST_F(Amplifiers, MalformedControlsAbortThePrototype) {
    for (auto lines : {std::vector<std::string_view>{"NPG=1", "GMIN0=1;2;3"},
                       {"NPG=1", "GMAX0=1;2;3;4;5;6;7;x"},
                       {"NPG=1", "AJUSTEG0=half"},
                       {"NPP=1", "PMIN0=1;2"},
                       {"NPP=1", "REGULACIONP0=r"},
                       {"NPG=x"}}) {
        EXPECT_THROW(FromLines<TLinAmp>(lines), ScriptError) << lines.back();
        EXPECT_EQ(network->ComponentCount(), 0u) << lines.back();
    }
}

TEST_F(Amplifiers, ACopyTakesTheControlsButNotTheRealCounts) {
    auto* prototype = TwoChannel<TLinAmp>();
    prototype->PotJuntos = true;
    prototype->NPOTGREALES = 5;
    prototype->SetNivelmaxSignal(LevelVector::Filled(99.0));
    auto* copy = TComponenteBase::CreateCopy(network.get(), *prototype);
    EXPECT_EQ(copy->ClassName(), "TLinAmp");
    ASSERT_EQ(copy->LPG().size(), 2u);
    EXPECT_EQ(copy->LPG()[0]->Owner(), copy);
    EXPECT_EQ(copy->LPG()[0]->Caption, "TER");
    EXPECT_FALSE(copy->LPG()[0]->Potvisible);
    EXPECT_EQ(copy->LPG()[1]->GainsAt100(), prototype->LPG()[1]->GainsAt100());
    EXPECT_FALSE(copy->PotJuntos);
    EXPECT_EQ(copy->NPOTGREALES, 0);
    EXPECT_EQ(copy->NivelmaxSignal(), LevelVector::Filled(99.0));
    EXPECT_EQ(copy->CurvaModoter1, prototype->CurvaModoter1);
    EXPECT_EQ(copy->ModoterActual, 1);
    EXPECT_EQ(copy->PinesENTRADA().size(), 2u);
    EXPECT_EQ(copy->ControlGains(1), prototype->ControlGains(1));

    // With NPG 0 the gain controls are not copied.
    prototype->NPG = 0;
    auto* bare = TComponenteBase::CreateCopy(network.get(), *prototype);
    EXPECT_TRUE(bare->LPG().empty());

    auto* terrestrial = FromLines<TCabeceraTerrestre>({}, 12);
    terrestrial->SetNivelTerr(LevelVector::Filled(80.0));
    EXPECT_EQ(TComponenteBase::CreateCopy(network.get(), *terrestrial)->NivelTerr(),
              LevelVector::Filled(80.0));
}

TEST_F(Amplifiers, LevelBlocksFollowTheTransferFunction) {
    auto* amplifier = FromLines<TAmpliHeader>({"NIVELSAL=0,5"});
    auto blocks = WriteBinaryProperties(*amplifier);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].name, "DCBFT");
    EXPECT_EQ(blocks[1].name, "NivelSignal");
    EXPECT_EQ(blocks[2].name, "NivelmaxSignal");
    test::ByteVector half;
    test::AppendDoubleBits(half, test::kBitsHalf, 8);
    EXPECT_EQ(blocks[1].bytes, half);
    EXPECT_EQ(blocks[2].bytes, half);

    auto* terrestrial = FromLines<TCabeceraTerrestre>({}, 8);
    terrestrial->SetNivelTerr(LevelVector::Filled(-3.5));
    blocks = WriteBinaryProperties(*terrestrial);
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[3].name, "NivelTerr");
    test::ByteVector expected;
    test::AppendDoubleBits(expected, test::kBitsMinus3p5, 8);
    EXPECT_EQ(blocks[3].bytes, expected);
    EXPECT_EQ(blocks[1].bytes, test::ByteVector(64, 0));

    auto* other = FromLines<TCabeceraTerrestre>({}, 9);
    ASSERT_TRUE(ReadBinaryProperty(*other, "NivelTerr", expected));
    ASSERT_TRUE(ReadBinaryProperty(*other, "NivelmaxSignal", half));
    EXPECT_EQ(other->NivelTerr(), LevelVector::Filled(-3.5));
    EXPECT_EQ(other->NivelmaxSignal(), LevelVector::Filled(0.5));
    EXPECT_THROW(ReadBinaryProperty(*other, "NivelSignal", test::ByteVector(63, 0)), StreamError);
}

TEST_F(Amplifiers, EveryClassIsRegisteredAndClonesItself) {
    RegisterModelClasses();
    for (std::string_view name : {"TPotenciometroBase8", "TPotenciometro", "TAmpliBase", "TAmpliHeader",
                                  "TCabeceraTerrestre", "TLinAmp"}) {
        TPrimerComponente* made = ClassRegistry::Instance().CreateComponent(name, network.get());
        ASSERT_NE(made, nullptr) << name;
        EXPECT_EQ(made->ClassName(), name);
        EXPECT_EQ(made->Clone(network.get())->ClassName(), name);
    }
}

TEST_F(Amplifiers, TerrestrialInputsAndTheirConnection) {
    auto* amplifier = TwoChannel<TAmpliHeader>();
    auto* other = TwoChannel<TAmpliHeader>();
    EXPECT_TRUE(amplifier->Tieneterrestre());
    EXPECT_FALSE(amplifier->TieneterrestreConectada());
    ASSERT_TRUE(other->ConnectPin(0, PinKind::Output, 1.0, nullptr, 0, PinKind::Input, *amplifier));
    EXPECT_TRUE(amplifier->TieneterrestreConectada());
    auto* satellite =
        FromLines<TAmpliHeader>({"NENTRADAS=1", "TIPOENTRADA=B", "TIPOCENT=1", "ENTRADASPDC=0;0;0;0"}, 9);
    EXPECT_FALSE(satellite->Tieneterrestre());
}

// Headend amplifier: controls give the gains, output clipped, computed once every input has its level.
class HeaderLevels : public Amplifiers {
protected:
    void Feed(const LevelVector& a, const LevelVector& b) {
        amplifier->ReceiveLevel(a, amplifier->PinesENTRADA()[0]);
        amplifier->ReceiveLevel(b, amplifier->PinesENTRADA()[1]);
    }
    const LevelVector& Out(std::size_t i) const { return amplifier->PinesSALIDA()[i]->Levels(); }

    TAmpliHeader* amplifier = TwoChannel<TAmpliHeader>();
};

TEST_F(HeaderLevels, ModeChannelDoublesTheCurvesFirstBandAndKeepsTheCurve) {
    Feed(LevelVector::Filled(50.0), LevelVector::Filled(100.0));
    // Mode 1: controls 10 dB terrestrial; curve EA/SA 3;1;...: band 0 takes the curve's 3 dB twice.
    ExpectLevelsNear(Out(0), {56, 61, 61, 61, 51, 51, 51, 51}, "mode 1");
    // SAT control at 50 %: -30 terrestrial, 25 satellite; 125 clipped to 117.
    ExpectLevelsNear(Out(1), {70, 70, 70, 70, 117, 117, 117, 117}, "channel B");
    ExpectLevelsNear(Row(*amplifier, "EB", "SB"), {-30, -30, -30, -30, 25, 25, 25, 25}, "row rewritten");
    // The curve row stays as the catalogue gave it, so computing again gives the same levels.
    ExpectLevelsNear(Row(*amplifier, "EA", "SA"), {3, 1, 1, 1, 1, 1, 1, 1}, "curve kept");
    Feed(LevelVector::Filled(50.0), LevelVector::Filled(100.0));
    ExpectLevelsNear(Out(0), {56, 61, 61, 61, 51, 51, 51, 51}, "mode 1 again");
    EXPECT_EQ(amplifier->NivelSignal(), amplifier->NivelmaxSignal());
}

TEST_F(HeaderLevels, PassiveModeLeavesOnlyTheCurve) {
    amplifier->ModoterActual = 2; // passive, curve EA/SB 0;5;...
    Feed(LevelVector::Filled(50.0), LevelVector::Filled(0.0));
    ExpectLevelsNear(Out(0), {50, 55, 55, 55, 55, 55, 55, 55}, "passive");
}

TEST_F(HeaderLevels, ModeWithoutCurveTextHasAZeroCurve) {
    amplifier->ModoterActual = 7;
    Feed(LevelVector::Filled(50.0), LevelVector::Filled(0.0));
    ExpectLevelsNear(Out(0), {60, 60, 60, 60, 50, 50, 50, 50}, "mode 7");
    amplifier->ModoterActual = 3; // listed without text: the default EA/SA
    Feed(LevelVector::Filled(50.0), LevelVector::Filled(0.0));
    ExpectLevelsNear(Out(0), {56, 61, 61, 61, 51, 51, 51, 51}, "mode 3");
}

TEST_F(HeaderLevels, WithoutModeTheControlsRewriteTheRow) {
    amplifier->ModoterActual = 0;
    amplifier->LPG()[0]->SetAjuste(100.0);
    Feed(LevelVector::Filled(100.0), LevelVector::Filled(0.0));
    ExpectLevelsNear(Row(*amplifier, "EA", "SA"), {20, 20, 20, 20, 0, 0, 0, 0}, "row");
    ExpectLevelsNear(Out(0), {112, 112, 112, 112, 100, 100, 100, 100}, "clipped terrestrial");
    EXPECT_TRUE(amplifier->SetRowFromAllControls("EB", "SB"));
    ExpectLevelsNear(Row(*amplifier, "EB", "SB"), {-10, -10, -10, -10, 25, 25, 25, 25}, "all controls");
    EXPECT_FALSE(amplifier->SetRowFromAllControls("EB", "SA"));
}

TEST_F(HeaderLevels, WaitsForEveryConnectedInput) {
    auto* source = TwoChannel<TLinAmp>();
    ASSERT_TRUE(source->ConnectPin(0, PinKind::Output, 0.0, nullptr, 0, PinKind::Input, *amplifier));
    ASSERT_TRUE(source->ConnectPin(1, PinKind::Output, 0.0, nullptr, 1, PinKind::Input, *amplifier));
    amplifier->ReceiveLevel(LevelVector::Filled(50.0), amplifier->PinesENTRADA()[0]);
    EXPECT_TRUE(amplifier->PinesENTRADA()[0]->Calculated());
    EXPECT_EQ(Out(0), LevelVector());
    amplifier->ReceiveLevel(LevelVector::Filled(100.0), amplifier->PinesENTRADA()[1]);
    ExpectLevelsNear(Out(0), {56, 61, 61, 61, 51, 51, 51, 51}, "both inputs in");
    amplifier->ReceiveLevel(LevelVector::Filled(1.0), nullptr); // nothing
}

TEST_F(Amplifiers, AnOutputWithoutItsInputIsLeftAlone) {
    auto* amplifier =
        FromLines<TAmpliHeader>({"NENTRADAS=1", "TIPOCENT=1", "ENTRADASPDC=0;0;0;0", "NSALIDAS=2",
                                 "TIPOCSAL=1;1", "SALIDASPDC=0;0;0;0;0;0;0;0", "NIVELSAL=200", "ECUACIONES",
                                 "EA/SA=1;1;1;1;1;1;1;1", "FINECUACIONES"});
    amplifier->ReceiveLevel(LevelVector::Filled(10.0), amplifier->PinesENTRADA()[0]);
    EXPECT_EQ(amplifier->PinesSALIDA()[0]->Levels(), LevelVector::Filled(11.0));
    EXPECT_EQ(amplifier->PinesSALIDA()[1]->Levels(), LevelVector());
    // Without a table for the input key the channel loses 1 dB.
    auto* bare = FromLines<TLinAmp>({"NENTRADAS=1", "TIPOCENT=1", "ENTRADASPDC=0;0;0;0", "NSALIDAS=1",
                                     "TIPOCSAL=1", "SALIDASPDC=0;0;0;0"},
                                    8);
    bare->ReceiveLevel(LevelVector::Filled(10.0), bare->PinesENTRADA()[0]);
    EXPECT_EQ(bare->PinesSALIDA()[0]->Levels(), LevelVector::Filled(9.0));
}

// Line amplifier: controls add to the catalogue rows; the table is never changed.
class LineLevels : public Amplifiers {
protected:
    const LevelVector& Out(std::size_t i) const { return amplifier->PinesSALIDA()[i]->Levels(); }
    void Feed(const LevelVector& a, const LevelVector& b) {
        amplifier->ReceiveLevel(a, amplifier->PinesENTRADA()[0]);
        amplifier->ReceiveLevel(b, amplifier->PinesENTRADA()[1]);
    }

    TLinAmp* amplifier = TwoChannel<TLinAmp>();
};

TEST_F(LineLevels, ControlsAddToTheCatalogueRows) {
    Feed(LevelVector::Filled(50.0), LevelVector::Filled(100.0));
    ExpectLevelsNear(Out(0), {56, 61, 61, 61, 51, 51, 51, 51}, "mode 1");
    // EB/SB -2 plus the SAT control; no clipping.
    ExpectLevelsNear(Out(1), {68, 68, 68, 68, 123, 123, 123, 123}, "channel B");
    ExpectLevelsNear(Row(*amplifier, "EB", "SB"), {-2, -2, -2, -2, -2, -2, -2, -2}, "table unchanged");
    ExpectLevelsNear(amplifier->ControlGainsForInput(*amplifier->PinesENTRADA()[1]),
                     {-30, -30, -30, -30, 25, 25, 25, 25}, "controls of input 2");
    amplifier->ModoterActual = 0;
    Feed(LevelVector::Filled(50.0), LevelVector::Filled(100.0));
    ExpectLevelsNear(Out(0), {63, 61, 61, 61, 51, 51, 51, 51}, "catalogue row plus controls");
}

TEST_F(LineLevels, ModeBeyondTheCurvesAndModesStartingAboveOne) {
    amplifier->ModoterActual = 4;
    Feed(LevelVector::Filled(50.0), LevelVector::Filled(0.0));
    ExpectLevelsNear(Out(0), {60, 60, 60, 60, 50, 50, 50, 50}, "no curve");

    // Modes 2 and 3: mode 2 takes the first curve text, mode 3 the second.
    auto lines = TwoChannelScript();
    lines.resize(lines.size() - 6);
    for (std::string_view line : {"MINMODOTER=2", "MAXMODOTER=3", "MODOTERACT=2", "MODOPASIVO=0",
                                  "CURVAMODOTER2=EA/SB", "CURVAMODOTER3=EA/SA"}) {
        lines.push_back(line);
    }
    auto* late = FromLines<TLinAmp>(lines, 20);
    EXPECT_EQ(late->CurvaModoter1, (std::vector<std::string>{"EA/SB", "EA/SA"}));
    ExpectLevelsNear(late->ModeCurve(2), {0, 5, 5, 5, 5, 5, 5, 5}, "mode 2");
    ExpectLevelsNear(late->ModeCurve(3), {3, 1, 1, 1, 1, 1, 1, 1}, "mode 3");
    EXPECT_EQ(late->ModeCurve(1), LevelVector());
    EXPECT_EQ(late->ModeCurve(4), LevelVector());
    late->ReceiveLevel(LevelVector::Filled(50.0), late->PinesENTRADA()[0]);
    ExpectLevelsNear(late->PinesSALIDA()[0]->Levels(), {60, 65, 65, 65, 55, 55, 55, 55}, "mode 2 levels");
}

TEST_F(LineLevels, ACableLoopEndsAfterOneRound) {
    auto* back = TwoChannel<TLinAmp>();
    ASSERT_TRUE(amplifier->ConnectPin(0, PinKind::Output, 0.0, nullptr, 0, PinKind::Input, *back));
    ASSERT_TRUE(back->ConnectPin(0, PinKind::Output, 0.0, nullptr, 0, PinKind::Input, *amplifier));
    amplifier->ReceiveLevel(LevelVector::Filled(10.0), amplifier->PinesENTRADA()[0]);
    ExpectLevelsNear(back->PinesSALIDA()[0]->Levels(), {22, 32, 32, 32, 12, 12, 12, 12}, "second amplifier");
    // The loop brought 22;32;... back into the first amplifier's input, which was computing.
    ExpectLevelsNear(amplifier->PinesENTRADA()[0]->Levels(), {22, 32, 32, 32, 12, 12, 12, 12}, "returned");
}

TEST_F(Amplifiers, TerrestrialHeadendSendsItsLevelToOutputsAndTaps) {
    auto* headend = FromLines<TCabeceraTerrestre>(
        {"NENTRADAS=1", "TIPOCENT=1", "ENTRADASPDC=0;0;0;0", "NSALIDAS=1", "TIPOCSAL=1", "SALIDASPDC=0;0;0;0",
         "NDERIVACIONES=1", "TIPOCDER=1", "DERIVACIONESPDC=0;0;0;0", "ECUACIONES",
         "EA/SA=-50;-50;-50;-50;-50;-50;-50;-50", "FINECUACIONES"});
    auto* line = TwoChannel<TLinAmp>();
    line->ModoterActual = 0;
    ASSERT_TRUE(headend->ConnectPin(0, PinKind::Output, 0.0, nullptr, 0, PinKind::Input, *line));
    ASSERT_TRUE(
        line->ConnectPin(0, PinKind::Output, 0.0, nullptr, 0, PinKind::Input, *headend)); // a loop back
    const LevelVector level = Levels({90, 91, 92, 93, 0, 0, 0, 0});
    headend->SetNivelTerr(level);
    headend->ReceiveLevel(LevelVector(), nullptr);
    EXPECT_EQ(headend->PinesSALIDA()[0]->Levels(), level);
    EXPECT_EQ(headend->PinesDERIVACION()[0]->Levels(), level);
    ExpectLevelsNear(line->PinesSALIDA()[0]->Levels(), {103, 102, 103, 104, 1, 1, 1, 1}, "after the line");
    // The level that came back round the loop is stored at the headend's input and goes no further.
    ExpectLevelsNear(headend->PinesENTRADA()[0]->Levels(), {103, 102, 103, 104, 1, 1, 1, 1}, "returned");
    // Without the loop a level given at the input stays there.
    line->UnlinkPins(PinKind::Output, 0);
    headend->ReceiveLevel(LevelVector::Filled(7.0), headend->PinesENTRADA()[0]);
    EXPECT_EQ(headend->PinesENTRADA()[0]->Levels(), LevelVector::Filled(7.0));
}

} // namespace
} // namespace ixo
