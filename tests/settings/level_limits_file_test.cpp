#include "common/paths.h"
#include "settings/ini_values.h"
#include "settings/settings_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ixo {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

const std::string kCompleteLimits = "[OUTLET_LEVELS]\nLNUMBER=2\nLNAME1=Terrestre\nLMIN1=55,5\nLMAX1=75\n"
                                    "LNAME2=Satelite\nLMIN2=48\nLMAX2=72.25\n";

TEST(LevelLimitsFile, CompleteListIsRead) {
    TempDir dir;
    WriteFileBytes(dir / "Ixo.ini", kCompleteLimits);
    TMatestructuranivel limits;
    EXPECT_TRUE(ReadLevelLimits(limits, dir / "Ixo.ini"));
    const TMatestructuranivel expected = {{"Terrestre", 55.5, 75.0}, {"Satelite", 48.0, 72.25}};
    EXPECT_EQ(limits, expected);
}

TEST(LevelLimitsFile, MissingFileGivesTheDefaults) {
    TempDir dir;
    TMatestructuranivel limits = {{"X", 1, 2}, {"Y", 3, 4}, {"Z", 5, 6}};
    EXPECT_FALSE(ReadLevelLimits(limits, dir / "Ixo.ini"));
    const TMatestructuranivel expected = {{"TERR", 60.0, 80.0}, {"SAT", 50.0, 70.0}};
    EXPECT_EQ(limits, expected);
    EXPECT_EQ(DefaultLevelLimits(), expected);
}

TEST(LevelLimitsFile, CountOtherThanTwoGivesDefaultsAndTheNextWriteStoresTwo) {
    TempDir dir;
    const auto path = dir / "Ixo.ini";
    WriteFileBytes(path,
                   "[OUTLET_LEVELS]\nLNUMBER=3\nLNAME1=A\nLMIN1=1\nLMAX1=2\nLNAME2=B\nLMIN2=3\nLMAX2=4\n"
                   "LNAME3=C\nLMIN3=5\nLMAX3=6\n");
    TMatestructuranivel limits;
    EXPECT_FALSE(ReadLevelLimits(limits, path));
    EXPECT_EQ(limits, DefaultLevelLimits());

    std::string error;
    ASSERT_TRUE(WriteLevelLimits(limits, path, error));
    const std::string text = ReadFileBytes(path);
    EXPECT_NE(text.find("LNUMBER=2\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("LNAME3"), std::string::npos) << text; // the section was erased first
    EXPECT_TRUE(ReadLevelLimits(limits, path));
    EXPECT_EQ(limits, DefaultLevelLimits());
}

TEST(LevelLimitsFile, MissingKeyGivesBothDefaults) {
    TempDir dir;
    std::string text = kCompleteLimits;
    text.erase(text.find("LMAX2=72.25\n"));
    WriteFileBytes(dir / "Ixo.ini", text);
    TMatestructuranivel limits;
    EXPECT_FALSE(ReadLevelLimits(limits, dir / "Ixo.ini"));
    EXPECT_EQ(limits, DefaultLevelLimits());

    WriteFileBytes(dir / "Ixo.ini", "[OUTLET_LEVELS]\nLNUMBER=two\n" + text.substr(text.find("LNAME1")));
    EXPECT_FALSE(ReadLevelLimits(limits, dir / "Ixo.ini"));
    EXPECT_EQ(limits, DefaultLevelLimits());
}

// A limit of 0 would pass every outlet: a limit that is not a number takes that limit's default alone,
// and the reader says which line and key.
TEST(LevelLimitsFile, LimitThatIsNotANumberTakesItsDefaultAndIsReported) {
    TempDir dir;
    std::string text = kCompleteLimits;
    text.replace(text.find("LMAX1=75"), 8, "LMAX1=loud");
    WriteFileBytes(dir / "Ixo.ini", text);
    TMatestructuranivel limits;
    std::vector<SettingsProblem> problems;
    EXPECT_TRUE(ReadLevelLimits(limits, dir / "Ixo.ini", &problems));
    TMatestructuranivel defaults;
    DefaultLevelLimits(defaults);
    EXPECT_EQ(limits[0].minimum, 55.5);
    EXPECT_EQ(limits[0].maximum, defaults[0].maximum);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].key, "LMAX1");
    EXPECT_EQ(problems[0].value, "loud");
    EXPECT_EQ(problems[0].line,
              1 + static_cast<int>(std::count(
                      text.begin(), text.begin() + static_cast<std::ptrdiff_t>(text.find("LMAX1")), '\n')));
    EXPECT_EQ(problems[0].defaultValue, FormatIniDecimal(defaults[0].maximum));
}

TEST(LevelLimitsFile, WrongSizedArrayIsWrittenAsTheDefaults) {
    TempDir dir;
    TMatestructuranivel limits = {{"only", 1, 2}};
    std::string error;
    ASSERT_TRUE(WriteLevelLimits(limits, dir / "Ixo.ini", error));
    EXPECT_EQ(limits, DefaultLevelLimits());
    TMatestructuranivel back;
    EXPECT_TRUE(ReadLevelLimits(back, dir / "Ixo.ini"));
    EXPECT_EQ(back, DefaultLevelLimits());
}

TEST(LevelLimitsFile, NamesSurviveTheRoundTrip) {
    TempDir dir;
    TMatestructuranivel limits = {{"", 61.5, 79.5}, {"  Satélite ", 1e-3, 139.75}};
    std::string error;
    ASSERT_TRUE(WriteLevelLimits(limits, dir / "Ixo.ini", error));
    TMatestructuranivel back;
    EXPECT_TRUE(ReadLevelLimits(back, dir / "Ixo.ini"));
    EXPECT_EQ(back, limits);
}

TEST(ProjectDirectoryFile, DefaultIsTheDocumentsFolder) {
    TempDir dir;
    const std::string expected = (DocumentsDirectory() / "").string();
    EXPECT_EQ(DefaultProjectDirectory(), expected);
    EXPECT_EQ(expected.back(), '/');
    EXPECT_EQ(ReadProjectDirectory(dir / "Ixo.ini"), expected);
    WriteFileBytes(dir / "Ixo.ini", "[DIRECTORIES]\nDIR_PJT=\n");
    EXPECT_EQ(ReadProjectDirectory(dir / "Ixo.ini"), expected);
}

TEST(ProjectDirectoryFile, Utf8FolderSurvivesTheRoundTrip) {
    TempDir dir;
    const std::string folder = "/home/José/Proyectos ñ/";
    std::string error;
    ASSERT_TRUE(WriteProjectDirectory(dir / "Ixo.ini", folder, error));
    EXPECT_EQ(ReadProjectDirectory(dir / "Ixo.ini"), folder);
}

TEST(ProjectDirectoryFile, FolderWithALineBreakIsRefused) {
    TempDir dir;
    const auto path = dir / "Ixo.ini";
    std::string error;
    ASSERT_TRUE(WriteProjectDirectory(path, "/srv/a/", error));
    const std::string before = ReadFileBytes(path);
    EXPECT_FALSE(WriteProjectDirectory(path, "/srv/b\n[HEADER]\nTERRESTRIAL_AMP=0", error));
    EXPECT_EQ(error, UnableToWriteMessage(path));
    EXPECT_EQ(ReadFileBytes(path), before);
}

} // namespace
} // namespace ixo
