#include "settings/settings_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace ixo {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// Lines of the file that start with `prefix`.
int CountLines(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    int count = 0;
    for (std::string line; std::getline(in, line);) {
        count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    }
    return count;
}

SettingsRecord ReadFrom(const std::filesystem::path& path, const std::string& text,
                        bool expectedResult = true) {
    WriteFileBytes(path, text);
    SettingsRecord record;
    EXPECT_EQ(ReadSettings(path, record), expectedResult);
    return record;
}

TEST(SettingsFile, RecordStartsZeroedAndDefaultsComeFromReading) {
    const SettingsRecord zeroed;
    EXPECT_EQ(zeroed.DistanciaEscaleras, 0.0);
    EXPECT_EQ(zeroed.HD_FAM_REP_CAB, 0);
    EXPECT_FALSE(zeroed.HD_ICTERR);

    TempDir dir;
    SettingsRecord record;
    EXPECT_TRUE(ReadSettings(dir / "Ixo.ini", record)); // no file: nothing to report
    EXPECT_EQ(record, DefaultSettings());
    EXPECT_EQ(record.DistanciaEscaleras, 15.0);
    EXPECT_EQ(record.Viv_FamiliaAmplificador, 39000);
    EXPECT_TRUE(record.HD_ICTERR);
}

TEST(SettingsFile, DistanceWithADecimalCommaReadsAsAPoint) {
    TempDir dir;
    const SettingsRecord record = ReadFrom(dir / "Ixo.ini", "[DISTANCE]\nD_STAIR=12,5\nD_OUTLET=7.25\n");
    EXPECT_EQ(record.DistanciaEscaleras, 12.5);
    EXPECT_EQ(record.DistanciaPlantas, 3.0);
    EXPECT_EQ(record.DistanciaTomas, 7.25);
}

// A value that is not a number takes its key's default alone: the keys after it are read as usual (a
// file once read as 0 for every key after a bad distance, and built a building of no outlets), and
// the reader names the line and the key.
TEST(SettingsFile, ValueThatIsNotANumberTakesItsDefaultAloneAndIsReported) {
    TempDir dir;
    const std::string text = "[DISTANCE]\nD_STAIR=20\nD_FLOOR=three\nD_OUTLET=4\n"
                             "[TV_APARTMENTS]\nOUTLETS_FAM=77\n";
    WriteFileBytes(dir / "Ixo.ini", text);
    SettingsRecord record;
    std::vector<SettingsProblem> problems;
    EXPECT_FALSE(ReadSettings(dir / "Ixo.ini", record, &problems));
    EXPECT_EQ(record.DistanciaEscaleras, 20.0);
    EXPECT_EQ(record.DistanciaPlantas, 3.0);
    EXPECT_EQ(record.DistanciaTomas, 4.0);
    EXPECT_EQ(record.Viv_FamiliaTomasES, 77);
    EXPECT_TRUE(record.HD_ICTERR);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].line, 3);
    EXPECT_EQ(problems[0].key, "D_FLOOR");
    EXPECT_EQ(problems[0].value, "three");
    EXPECT_EQ(problems[0].defaultValue, "3");

    // An empty value is present but no number either.
    EXPECT_EQ(ReadFrom(dir / "Ixo.ini", "[DISTANCE]\nD_STAIR=\n", false).DistanciaEscaleras, 15.0);
}

// Comments: whole lines starting with ";" or "#", and a comment after a number.
TEST(SettingsFile, CommentsAreAccepted) {
    TempDir dir;
    const SettingsRecord record =
        ReadFrom(dir / "Ixo.ini", "; the distances\n[DISTANCE]\n# in metres\nD_STAIR=12   ; between stairs\n"
                                  "D_FLOOR=2,5\t# floors\n[HEADER]\nFAM_MS_4POL=5013 ;\n");
    EXPECT_EQ(record.DistanciaEscaleras, 12.0);
    EXPECT_EQ(record.DistanciaPlantas, 2.5);
    EXPECT_EQ(record.HD_FAMMS4POL, 5013);
}

TEST(SettingsFile, IntegerThatIsMissingOrNotAnIntegerTakesItsDefault) {
    TempDir dir;
    const SettingsRecord record = ReadFrom(dir / "Ixo.ini",
                                           "[TV_APARTMENTS]\nOUTLETS_FAM=12abc\nCABLE_MODEL=1.5\nCABLE_FAM=\n"
                                           "SPLITTER_FAM= 1003 \nAMP_FAM=-2\n"
                                           "[distribution]\ncable_model_hd=27\nPS_MODEL=99999999999\n"
                                           "INJECTOR=0\n",
                                           false);
    EXPECT_EQ(record.Viv_FamiliaTomasES, 5);
    EXPECT_EQ(record.Viv_ModeloCable, 24);
    EXPECT_EQ(record.Viv_FamiliaCable, 9001);
    EXPECT_EQ(record.Viv_FamiliaRepartidores, 1003);
    EXPECT_EQ(record.Viv_FamiliaAmplificador, 39000); // no family has a negative number
    EXPECT_EQ(record.DIS_HDISModeloCable, 27);        // sections and keys match regardless of case
    EXPECT_EQ(record.DIS_MODELOFUENTE, 2);
    EXPECT_EQ(record.ConInyector, 0);
}

TEST(SettingsFile, TerrestrialAmplifierIsOnForAnyPositiveInteger) {
    TempDir dir;
    const struct {
        const char* value;
        bool expected;
        bool readable;
    } cases[] = {{"0", false, true},  {"1", true, true},    {"7", true, true},
                 {"-1", false, true}, {"yes", true, false}, {"", true, false}};
    for (const auto& c : cases) {
        const SettingsRecord record =
            ReadFrom(dir / "Ixo.ini", std::string("[HEADER]\nTERRESTRIAL_AMP=") + c.value + "\n", c.readable);
        EXPECT_EQ(record.HD_ICTERR, c.expected) << '"' << c.value << '"';
    }
}

TEST(SettingsFile, HeadendLevelThatCannotBeConvertedTakesItsDefault) {
    TempDir dir;
    const SettingsRecord record =
        ReadFrom(dir / "Ixo.ini", "[HEADER LEVEL]\nLV_FI=high\nLV_TERR=95,5\n", false);
    EXPECT_EQ(record.LV_FI, 80.0);
    EXPECT_EQ(record.LV_TERR, 95.5);
}

TEST(SettingsFile, WrittenDefaultFileHasTheKeysInOrder) {
    TempDir dir;
    const auto path = dir / "Ixo.ini";
    std::string error;
    TMatestructuranivel limits = DefaultLevelLimits();
    ASSERT_TRUE(WriteSettings(DefaultSettings(), path, error)) << error;
    ASSERT_TRUE(WriteLevelLimits(limits, path, error)) << error;
    ASSERT_TRUE(WriteProjectDirectory(path, "/home/installer/Proyectos/", error)) << error;
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(ReadFileBytes(path),
              ReadFileBytes(std::filesystem::path(IXO_TEST_DATA_DIR) / "settings" / "default_ixo.ini"));
}

TEST(SettingsFile, WritingTwiceGivesTheSameFileWithSplitterFamilyOnce) {
    TempDir dir;
    const auto path = dir / "Ixo.ini";
    SettingsRecord record = DefaultSettings();
    record.Viv_FamiliaRepartidores = 1010;
    std::string error;
    ASSERT_TRUE(WriteSettings(record, path, error));
    const std::string first = ReadFileBytes(path);
    ASSERT_TRUE(WriteSettings(record, path, error));
    EXPECT_EQ(ReadFileBytes(path), first);
    EXPECT_EQ(CountLines(first, "SPLITTER_FAM="), 1);
    EXPECT_EQ(CountLines(first, "SPLITTER_FAM=1010"), 1);
}

TEST(SettingsFile, EveryFieldSurvivesTheRoundTrip) {
    TempDir dir;
    SettingsRecord record;
    record.DistanciaEscaleras = 12.5;
    record.DistanciaPlantas = 2.8;
    record.DistanciaTomas = 1.0 / 3.0;
    record.LV_TERR = 97.3;
    record.LV_FI = 0.5;
    record.HD_ICTERR = false;
    // Every integer field gets its own value, so a key mixed up with another one shows.
    std::int32_t next = 100;
    for (std::int32_t* field : {&record.Viv_FamiliaTomasES,
                                &record.Viv_FamiliaTomascascada,
                                &record.Viv_FamiliaRepartidores,
                                &record.Viv_ModeloCable,
                                &record.Viv_FamiliaCable,
                                &record.DIs_DModeloCable,
                                &record.DIs_DFamiliaCable,
                                &record.DIs_FModeloCable,
                                &record.DIs_FFamiliaCable,
                                &record.Dis_FAMMSCAS,
                                &record.ConInyector,
                                &record.DIS_MODELOINYECTOR,
                                &record.DIS_FAMILIAINYECTOR,
                                &record.DIS_MODELOFUENTE,
                                &record.DIS_FAMILIAFUENTE,
                                &record.DIS_HDISModeloCable,
                                &record.DIS_HDISFamiliaCable,
                                &record.DIS_Final_CAscada,
                                &record.HD_HModeloCable,
                                &record.HD_HFamiliaCable,
                                &record.HD_FAMMS4POL,
                                &record.HD_FAMMS8POL,
                                &record.HD_ModeloParabola,
                                &record.HD_FamiliaParabola,
                                &record.HD_ModeloAmpFi,
                                &record.HD_FamiliaAmpFi,
                                &record.HD_FAM_REP_CAB,
                                &record.Viv_FamiliaAmplificador,
                                &record.HD_FAMMS16POL,
                                &record.DIS_FAMILIAMS16POL,
                                &record.HD_ModeloAmpFi16,
                                &record.HD_FamiliaAmpFi16,
                                &record.DIS_FAMILIAMS8POL,
                                &record.HD_ModeloAmpFI8,
                                &record.HD_FamiliaAmpFI8}) {
        *field = next++;
    }
    // The two switches are 0 or 1.
    record.ConInyector = 0;
    record.DIS_Final_CAscada = 1;
    std::string error;
    ASSERT_TRUE(WriteSettings(record, dir / "Ixo.ini", error));
    SettingsRecord back;
    ASSERT_TRUE(ReadSettings(dir / "Ixo.ini", back));
    EXPECT_EQ(back, record);
}

TEST(SettingsFile, WritingReplacesItsSectionsAndKeepsTheOthers) {
    TempDir dir;
    const auto path = dir / "Ixo.ini";
    WriteFileBytes(path, "; kept comment\n[CUSTOM]\nfoo=bar\n[DISTANCE]\nOLD_KEY=1\nD_STAIR=99\n"
                         "[DIRECTORIES]\nDIR_PJT=/srv/projects/\n");
    std::string error;
    ASSERT_TRUE(WriteSettings(DefaultSettings(), path, error));
    const std::string text = ReadFileBytes(path);
    EXPECT_EQ(text.rfind("; kept comment\n", 0), 0u) << text;
    EXPECT_NE(text.find("[CUSTOM]\nfoo=bar\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("OLD_KEY"), std::string::npos);
    EXPECT_EQ(CountLines(text, "D_STAIR="), 1);
    EXPECT_EQ(ReadProjectDirectory(path), "/srv/projects/");
}

} // namespace
} // namespace ixo
