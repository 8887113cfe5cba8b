#include "model/binary_property.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/potenciometro.h"
#include "model/script_numbers.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ixo {
namespace {

using test::AppendDoubleBits;
using test::ByteVector;

constexpr double kTolerance = 1e-9;

void ExpectLevels(const LevelVector& actual, const LevelVector& expected, const std::string& what) {
    for (std::size_t band = 0; band < kBandCount; ++band) {
        EXPECT_NEAR(actual[band], expected[band], kTolerance) << what << ", band " << band;
    }
}

// A level with one value in the terrestrial bands and one in the satellite bands.
LevelVector Split(double terrestrial, double satellite) {
    LevelVector level;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        level[band] = band < kFirstSatelliteBand ? terrestrial : satellite;
    }
    return level;
}

std::string Repeat(const std::string& item, int times, const std::string& separator = ";") {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += (i > 0 ? separator : "") + item;
    }
    return text;
}

// The pin lines of one kind for a letter string.
std::string PinLines(const std::string& count, const std::string& letters, const std::string& lettersKey,
                     const std::string& connectorKey, const std::string& dcKey) {
    auto n = static_cast<int>(letters.size());
    return count + "=" + std::to_string(n) + "\r\n" + lettersKey + "=" + letters + "\r\n" + connectorKey +
           "=" + Repeat("1", n) + "\r\n" + dcKey + "=" + Repeat("0;0;4000;0", n) + "\r\n";
}

// A script with inputs, outputs and taps of those letters, the rows given and any further key lines.
std::string Script(const std::string& inputs, const std::string& outputs, const std::string& taps,
                   const std::string& rows, const std::string& keys) {
    std::string script = PinLines("NENTRADAS", inputs, "TIPOENTRADA", "TIPOCENT", "ENTRADASPDC");
    script += outputs.empty() ? "NSALIDAS=0\r\n"
                              : PinLines("NSALIDAS", outputs, "TIPOSALIDA", "TIPOCSAL", "SALIDASPDC");
    script += PinLines("NDERIVACIONES", taps, "TIPODERIVACION", "TIPOCDER", "DERIVACIONESPDC");
    script += "ECUACIONES\r\n" + rows + "FINECUACIONES\r\n" + keys;
    return script;
}

// Rows of a terminal model with letters A (terrestrial) and B: the satellite path loses 10 dB (isolation
// -30 at the terrestrial bands), the terrestrial path 5 dB (isolation -30 at the satellite bands).
const std::string kTerminalRows = "EB/DA=-30;-30;-30;-30;-10;-10;-10;-10\r\n"
                                  "EA/DA=-5;-5;-5;-5;-30;-30;-30;-30\r\n";

class MultiswitchTest : public ::testing::Test {
protected:
    TMultiswitch* Make(const std::string& script, std::int32_t familia = 5999) {
        TRECConScript record;
        record.Indice = 7;
        record.Familia = familia;
        record.Modelo = "MS-TEST";
        record.Script = script;
        return TComponenteBase::CreateFromRecord<TMultiswitch>(owner.get(), record, nullptr);
    }
    // Gives every input of ms its level (each pin polarity k: satellite 80 - 2k; terrestrial input 90).
    static void Feed(TMultiswitch& ms) {
        for (TPin* in : ms.PinesENTRADA()) {
            ms.ReceiveLevel(in->polaridad < 0 ? Split(90, 40) : Split(40, 80 - 2.0 * in->polaridad), in);
        }
    }
    static std::vector<std::int32_t> Polarities(const PinList& pins) {
        std::vector<std::int32_t> numbers;
        for (const TPin* pin : pins) {
            numbers.push_back(pin->polaridad);
        }
        return numbers;
    }

    std::unique_ptr<TPadreTV> owner = TPrimerComponente::CreateRoot<TPadreTV>();
};

TEST_F(MultiswitchTest, TerminalModelNumbersInputsByLetterAndTapTakesItsPolarityMixedWithTerrestrial) {
    TMultiswitch* ms = Make(Script("ABBBB", "", "AA", kTerminalRows, ""));
    EXPECT_FALSE(ms->IsCascadable());
    EXPECT_EQ(Polarities(ms->PinesENTRADA()), (std::vector<std::int32_t>{-1, 0, 1, 2, 3}));
    EXPECT_EQ(ms->InputOfPolarity(-1), ms->PinesENTRADA()[0]);
    EXPECT_EQ(ms->InputOfPolarity(2), ms->PinesENTRADA()[3]);
    EXPECT_EQ(ms->InputOfPolarity(4), nullptr);

    ms->PinesDERIVACION()[0]->polaridad = 2;
    ms->PinesDERIVACION()[1]->polaridad = 0;
    Feed(*ms);
    // Polarity 2 arrives at 76 dBuV: 66 at the satellite bands; the terrestrial 90 - 5 = 85 wins the
    // terrestrial bands over the satellite path's 40 - 30 = 10.
    ExpectLevels(ms->PinesDERIVACION()[0]->Levels(), Split(85, 66), "tap on polarity 2");
    ExpectLevels(ms->PinesDERIVACION()[1]->Levels(), Split(85, 70), "tap on polarity 0");

    // The level check moves a tap to another polarity and recomputes it alone.
    ms->PinesDERIVACION()[0]->polaridad = 3;
    ASSERT_TRUE(ms->ComputeOutput(ms->PinesDERIVACION()[0]));
    ExpectLevels(ms->PinesDERIVACION()[0]->Levels(), Split(85, 64), "tap moved to polarity 3");
}

TEST_F(MultiswitchTest, TapOnAPolarityWithoutInputIsNotComputed) {
    TMultiswitch* ms = Make(Script("ABB", "", "A", kTerminalRows, ""));
    Feed(*ms);
    TPin* tap = ms->PinesDERIVACION()[0];
    LevelVector before = tap->Levels();
    tap->polaridad = 2;
    LevelVector level = Split(1, 1);
    EXPECT_FALSE(ms->EvaluateOutput(tap, level));
    EXPECT_FALSE(ms->ComputeOutput(tap));
    EXPECT_EQ(level, Split(1, 1));
    EXPECT_EQ(tap->Levels(), before);
    EXPECT_FALSE(ms->ComputeOutput(nullptr));
}

TEST_F(MultiswitchTest, CascadablePassThroughIsUnmixedAndTapsAreMixed) {
    std::string rows = "EB/SB=-30;-30;-30;-30;-2;-2;-2;-2\r\n"
                       "EA/SA=-1;-1;-1;-1;-30;-30;-30;-30\r\n" +
                       kTerminalRows;
    TMultiswitch* ms = Make(Script("BBABB", "BBABB", "AA", rows, ""));
    ASSERT_TRUE(ms->IsCascadable());
    EXPECT_EQ(Polarities(ms->PinesENTRADA()), (std::vector<std::int32_t>{0, 1, -1, 2, 3}));
    EXPECT_EQ(Polarities(ms->PinesSALIDA()), (std::vector<std::int32_t>{0, 1, -1, 2, 3}));
    Feed(*ms);
    ExpectLevels(ms->PinesSALIDA()[0]->Levels(), Split(10, 78), "pass-through of polarity 0");
    ExpectLevels(ms->PinesSALIDA()[2]->Levels(), Split(89, 10), "terrestrial pass-through");
    ExpectLevels(ms->PinesSALIDA()[4]->Levels(), Split(10, 72), "pass-through of polarity 3");
    ExpectLevels(ms->PinesDERIVACION()[0]->Levels(), Split(85, 70), "tap on polarity 0");
}

TEST_F(MultiswitchTest, OnlyComputesOnceEveryConnectedInputHasALevel) {
    TMultiswitch* ms = Make(Script("ABB", "", "A", kTerminalRows, ""));
    TMultiswitch* source = Make(Script("ABB", "ABB", "A", "EA/SA=0;0;0;0;0;0;0;0\r\n", ""));
    ASSERT_TRUE(TPin::LinkPins(*source->PinesSALIDA()[0], *ms->PinesENTRADA()[0], nullptr, 0.0, 1));
    ASSERT_TRUE(TPin::LinkPins(*source->PinesSALIDA()[1], *ms->PinesENTRADA()[1], nullptr, 0.0, 1));
    TPin* tap = ms->PinesDERIVACION()[0];
    ms->ReceiveLevel(Split(90, 40), ms->PinesENTRADA()[0]);
    EXPECT_TRUE(ms->PinesENTRADA()[0]->Calculated());
    EXPECT_EQ(tap->Levels(), LevelVector()) << "one connected input still has no level";
    ms->ReceiveLevel(Split(40, 80), ms->PinesENTRADA()[1]);
    ExpectLevels(tap->Levels(), Split(85, 70), "all connected inputs calculated");
}

TEST_F(MultiswitchTest, CableLoopEndsAfterOneRound) {
    std::string rows = "EB/SB=-30;-30;-30;-30;-2;-2;-2;-2\r\n"
                       "EA/SA=-1;-1;-1;-1;-30;-30;-30;-30\r\n" +
                       kTerminalRows;
    TMultiswitch* a = Make(Script("AB", "AB", "A", rows, ""));
    TMultiswitch* b = Make(Script("AB", "AB", "A", rows, ""));
    ASSERT_TRUE(TPin::LinkPins(*a->PinesSALIDA()[1], *b->PinesENTRADA()[1], nullptr, 0.0, 1));
    ASSERT_TRUE(TPin::LinkPins(*b->PinesSALIDA()[1], *a->PinesENTRADA()[1], nullptr, 0.0, 1));
    a->ReceiveLevel(Split(40, 80), a->PinesENTRADA()[1]);
    // a: 80 - 2 = 78 to b; b: 78 - 2 = 76 back into a, stored at its input and pushed no further.
    ExpectLevels(b->PinesSALIDA()[1]->Levels(), Split(-20, 76), "b pass-through");
    ExpectLevels(a->PinesENTRADA()[1]->Levels(), Split(-20, 76), "loop back into a");
    ExpectLevels(a->PinesSALIDA()[1]->Levels(), Split(10, 78), "a computed once");
}

// A new-type model: the TER control adds to the terrestrial path of the taps; the attenuator set to 0
// replaces that path by the CURVAATTTER row and ignores the control.
const std::string kNewTypeKeys = "CONPOT=1\r\nTIPOPOTNUEVO=1\r\nNPG=2\r\nNREALPOT=3\r\n"
                                 "LG0=TER\r\nGMIN0=-10;-10;-10;-10;0;0;0;0\r\nGMAX0=0;0;0;0;0;0;0;0\r\n"
                                 "AJUSTEG0=40\r\n"
                                 "LG1=SAT\r\nGMIN1=0;0;0;0;-8;-8;-8;-8\r\nGMAX1=0;0;0;0;8;8;8;8\r\n"
                                 "AJUSTEG1=50\r\nATENUARTER=1\r\nCURVAATTTER=EA/SB\r\n";

TEST_F(MultiswitchTest, NewTypeControlsServeTheirPolarityAndTheAttenuatorSwitchesTheTerrestrialRow) {
    std::string rows = kTerminalRows + "EA/SB=-20;-20;-20;-20;-30;-30;-30;-30\r\n";
    TMultiswitch* ms = Make(Script("ABB", "", "AA", rows, kNewTypeKeys));
    ASSERT_TRUE(ms->tiponuevo);
    ASSERT_EQ(ms->LPG().size(), 3u);
    EXPECT_EQ(ms->LPG()[0].control->PotPol, -1);
    EXPECT_EQ(ms->LPG()[1].control->PotPol, 0);
    EXPECT_EQ(ms->LPG()[2].control->PotPol, 1);
    EXPECT_EQ(ms->ControlOfPolarity(1), 2);
    EXPECT_EQ(ms->ControlOfPolarity(5), -1);
    EXPECT_EQ(ms->AttenuarTer, 1);
    EXPECT_EQ(ms->MAXValueAttTer, 1);

    ms->LPG()[2].control->SetAjuste(75); // polarity 1: -8 + 16 x 0.75 = +4 dB
    ms->PinesDERIVACION()[0]->polaridad = 1;
    Feed(*ms);
    // Terrestrial: 90 - 5 + (-10 + 10 x 0.4 = -6) = 79; polarity 1: 78 - 10 + 4 = 72.
    ExpectLevels(ms->PinesDERIVACION()[0]->Levels(), Split(79, 72), "attenuator active");
    ExpectLevels(ms->PinesDERIVACION()[1]->Levels(), Split(79, 70), "polarity 0 control at 50 %");

    ms->AttenuarTer = 0;
    ASSERT_TRUE(ms->ComputeOutput(ms->PinesDERIVACION()[0]));
    ExpectLevels(ms->PinesDERIVACION()[0]->Levels(), Split(70, 72), "attenuated: 90 - 20, control ignored");
}

TEST_F(MultiswitchTest, NewTypeControlsAreIgnoredUntilEveryPolarityHasOne) {
    // Three polarity inputs, only two controls: fewer than the inputs less one.
    std::string keys = "CONPOT=1\r\nTIPOPOTNUEVO=1\r\nNPG=1\r\nLG0=SAT\r\n"
                       "GMIN0=0;0;0;0;5;5;5;5\r\nGMAX0=0;0;0;0;5;5;5;5\r\nNREALPOT=2\r\n";
    TMultiswitch* ms = Make(Script("ABBB", "", "A", kTerminalRows, keys));
    ASSERT_EQ(ms->LPG().size(), 2u);
    Feed(*ms);
    ExpectLevels(ms->PinesDERIVACION()[0]->Levels(), Split(85, 70), "no control applied");
}

TEST_F(MultiswitchTest, OldTypeControlIsTakenByPositionWhateverItsCaption) {
    std::string keys = "CONPOT=1\r\nNPG=2\r\n"
                       "LG0=SAT\r\nGMIN0=0;0;0;0;1;1;1;1\r\nGMAX0=0;0;0;0;1;1;1;1\r\n"
                       "LG1=TER\r\nGMIN1=0;0;0;0;3;3;3;3\r\nGMAX1=0;0;0;0;3;3;3;3\r\n";
    TMultiswitch* ms = Make(Script("ABBB", "", "AAA", kTerminalRows, keys));
    ASSERT_FALSE(ms->tiponuevo);
    ASSERT_EQ(ms->LPG().size(), 2u);
    EXPECT_EQ(ms->LPG()[1].control->PotPol, -1);
    for (std::int32_t p = 0; p < 3; ++p) {
        ms->PinesDERIVACION()[static_cast<std::size_t>(p)]->polaridad = p;
    }
    Feed(*ms);
    // Terrestrial paths carry no control in old-type models: 85 in every tap.
    ExpectLevels(ms->PinesDERIVACION()[0]->Levels(), Split(85, 71), "polarity 0: control 0");
    ExpectLevels(ms->PinesDERIVACION()[1]->Levels(), Split(85, 71), "polarity 1: control 1 (TER)");
    ExpectLevels(ms->PinesDERIVACION()[2]->Levels(), Split(85, 66), "polarity 2: no control");
}

TEST_F(MultiswitchTest, ControlsFromTheScriptTakeDefaultsAndCopiesUpToTheRealCount) {
    std::string keys = "CONPOT=1\r\nNPG=2\r\nNREALPOT=4\r\n"
                       "GMAX0=1;2;3;4;5;6;7;8\r\nAJUSTEG0=12,5\r\nREGULACIONG0=3\r\n"
                       "LG1=TER-SAT\r\nPOTVISIBLEG1=1\r\n";
    TMultiswitch* ms = Make(Script("ABB", "", "A", kTerminalRows, keys));
    ASSERT_EQ(ms->LPG().size(), 4u);
    const TPotenciometro& first = *ms->LPG()[0].control;
    EXPECT_EQ(first.Caption, "Noname");
    EXPECT_EQ(first.PotPol, 0);
    EXPECT_FALSE(first.Potvisible);
    EXPECT_EQ(first.Regulacion, 3);
    EXPECT_DOUBLE_EQ(first.Ajuste, 12.5);
    EXPECT_EQ(first.GainsAt0(), LevelVector());
    EXPECT_DOUBLE_EQ(first.Value()[7], 1.0);
    for (std::size_t i = 1; i < 4; ++i) {
        const TPotenciometro& control = *ms->LPG()[i].control;
        EXPECT_EQ(control.Caption, "TER-SAT");
        EXPECT_EQ(control.PotPol, -1) << "a caption containing TER serves the terrestrial path";
        EXPECT_TRUE(control.Potvisible);
        EXPECT_EQ(control.Owner(), ms);
        EXPECT_EQ(ms->LPG()[i].name, control.Name());
    }
    EXPECT_NE(ms->LPG()[2].name, ms->LPG()[3].name);
}

TEST_F(MultiswitchTest, ControlsOfSomeFamiliesAreAlwaysVisible) {
    std::string keys = "CONPOT=1\r\nNPG=1\r\nLG0=SAT\r\n";
    EXPECT_TRUE(Make(Script("AB", "", "A", kTerminalRows, keys), 5020)->LPG()[0].control->Potvisible);
    EXPECT_FALSE(Make(Script("AB", "", "A", kTerminalRows, keys), 5001)->LPG()[0].control->Potvisible);
    EXPECT_TRUE(Make(Script("AB", "", "A", kTerminalRows, keys), 5010)->LPG()[0].control->Potvisible);
}

TEST_F(MultiswitchTest, ControlsAreOnlyMadeWhenTheModelHasThem) {
    TMultiswitch* ms = Make(Script("AB", "", "A", kTerminalRows, "CONPOT=0\r\nNPG=1\r\nLG0=SAT\r\n"));
    EXPECT_TRUE(ms->LPG().empty());
    EXPECT_EQ(ms->NPG, 1);
}

TEST_F(MultiswitchTest, MalformedScriptsAbortBuilding) {
    std::size_t before = owner->ComponentCount();
    for (const char* keys : {"CONPOT=1\r\nNPG=1\r\nGMIN0=1;2;3\r\n", "CONPOT=1\r\nNPG=1\r\nAJUSTEG0=x\r\n",
                             "ATMEDIA=abc\r\n", "CONPOT=1\r\nNPG=y\r\n",
                             "CONPOT=1\r\nNPG=1\r\nNREALPOT=2000000000\r\n", "CONPOT=1\r\nNPG=65\r\n"}) {
        EXPECT_THROW(Make(Script("AB", "", "A", kTerminalRows, keys)), ScriptError) << keys;
    }
    EXPECT_EQ(owner->ComponentCount(), before) << "nothing of a refused model is left";
}

TEST_F(MultiswitchTest, ScalarKeysAreReadAndDefaulted) {
    TMultiswitch* plain = Make(Script("AB", "", "A", kTerminalRows, ""));
    EXPECT_EQ(plain->ATMedia, 0);
    EXPECT_FALSE(plain->Activo || plain->Conpot || plain->Conpletina || plain->CascadeableCabecera);
    EXPECT_EQ(plain->CURVAATTTER, "EA/SA");
    EXPECT_EQ(plain->MODELOPLETINA, "");
    EXPECT_FALSE(plain->TieneMaxnivelentrada);
    EXPECT_EQ(plain->MaxInputLevel(), LevelVector());

    TMultiswitch* full =
        Make(Script("AB", "", "A", kTerminalRows,
                    "ATMEDIA=16\r\nACTIVO=2\r\nCONPLETINA=1\r\nMODELOPLETINA=PL-9\r\nCABECERA=1\r\n"
                    "ATENUARTER=-1\r\nMAXNIVELENT=95;95;95;95;90\r\n"));
    EXPECT_EQ(full->ATMedia, 16);
    EXPECT_TRUE(full->Activo && full->Conpletina && full->CascadeableCabecera);
    EXPECT_FALSE(full->TieneAttTer) << "only a value above 0 fits the attenuator";
    EXPECT_EQ(full->MODELOPLETINA, "PL-9");
    EXPECT_TRUE(full->TieneMaxnivelentrada);
    EXPECT_EQ(full->MaxInputLevel(), Split(95, 90));
    LevelVector regulation = full->MaxInputForRegulation();
    ExpectLevels(regulation, Split(95, 90 - 12.041199826559248), "regulation limit");
    EXPECT_NEAR(regulation[5], 77.958800173440752, kTolerance);
}

TEST_F(MultiswitchTest, EqualCaptionsMoveTogetherOnlyWhenAsked) {
    TMultiswitch* ms = Make(Script("ABB", "", "AA", kTerminalRows, kNewTypeKeys));
    TPotenciometro& ter = *ms->LPG()[0].control;
    ms->LPG()[1].control->SetAjuste(10);
    EXPECT_DOUBLE_EQ(ms->LPG()[2].control->Ajuste, 50);
    ms->PotJuntos = true;
    ms->LPG()[1].control->SetAjuste(20);
    EXPECT_DOUBLE_EQ(ms->LPG()[2].control->Ajuste, 20);
    EXPECT_DOUBLE_EQ(ter.Ajuste, 40);
    EXPECT_FALSE(ms->Igualando);
}

TEST_F(MultiswitchTest, CopyTakesEverythingOfThePrototype) {
    TMultiswitch* proto = Make(Script("ABB", "", "AA", kTerminalRows,
                                      kNewTypeKeys + "ATMEDIA=13\r\nCABECERA=1\r\nMAXNIVELENT=100\r\n"
                                                     "CONSUMOTERACTIVO=120\r\nMAXPOWERTER=600\r\n"));
    proto->PotJuntos = true;
    proto->AttenuarTer = 0;
    proto->LPG()[1].control->SetAjuste(90);
    TMultiswitch* copy = TComponenteBase::CreateCopy(owner.get(), *proto);
    EXPECT_TRUE(copy->PotJuntos) << "unlike an amplifier, a multiswitch copy keeps PotJuntos";
    EXPECT_EQ(copy->AttenuarTer, 0);
    EXPECT_EQ(copy->ATMedia, 13);
    EXPECT_TRUE(copy->CascadeableCabecera && copy->TieneAttTer && copy->tiponuevo &&
                copy->TieneMaxnivelentrada);
    EXPECT_EQ(copy->CURVAATTTER, "EA/SB");
    EXPECT_EQ(copy->MaxInputLevel(), LevelVector::Filled(100));
    EXPECT_EQ(copy->ConsumoActivo, 120);
    EXPECT_EQ(copy->CorrienteMaxima, 600);
    EXPECT_EQ(Polarities(copy->PinesENTRADA()), (std::vector<std::int32_t>{-1, 0, 1}));
    ASSERT_EQ(copy->LPG().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const TPotenciometro& a = *proto->LPG()[i].control;
        const TPotenciometro& b = *copy->LPG()[i].control;
        EXPECT_EQ(b.Owner(), copy);
        EXPECT_EQ(b.Caption, a.Caption);
        EXPECT_EQ(b.PotPol, a.PotPol);
        EXPECT_EQ(b.Ajuste, a.Ajuste);
        EXPECT_EQ(b.Value(), a.Value());
        EXPECT_EQ(copy->LPG()[i].name, b.Name());
    }
    // A control destroyed on its own leaves the list.
    TPrimerComponente::Destroy(copy->LPG()[0].control);
    EXPECT_EQ(copy->LPG().size(), 2u);
}

TEST_F(MultiswitchTest, MaximumInputLevelIsWrittenOnlyWhenTheModelHasOne) {
    TMultiswitch* without = Make(Script("AB", "", "A", kTerminalRows, ""));
    for (const auto& block : WriteBinaryProperties(*without)) {
        EXPECT_NE(block.name, "NivelSignalENT");
    }
    TMultiswitch* with = Make(Script("AB", "", "A", kTerminalRows, "MAXNIVELENT=95;95;95;95;90\r\n"));
    ByteVector expected;
    AppendDoubleBits(expected, 0x4057C00000000000, 4); // 95.0
    AppendDoubleBits(expected, 0x4056800000000000, 4); // 90.0
    bool found = false;
    for (const auto& block : WriteBinaryProperties(*with)) {
        if (block.name == "NivelSignalENT") {
            found = true;
            EXPECT_EQ(block.bytes, expected);
        }
    }
    EXPECT_TRUE(found);

    TMultiswitch* reader = Make(Script("AB", "", "A", kTerminalRows, ""));
    ASSERT_TRUE(ReadBinaryProperty(*reader, "NivelSignalENT", expected));
    EXPECT_EQ(reader->MaxInputLevel(), Split(95, 90));
    ByteVector shorter(expected.begin(), expected.end() - 1);
    EXPECT_THROW(ReadBinaryProperty(*reader, "NivelSignalENT", shorter), StreamError);
    EXPECT_EQ(reader->MaxInputLevel(), Split(95, 90));
}

} // namespace
} // namespace ixo
