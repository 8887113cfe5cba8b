// The values of a settings file pass the same checks as `--set`: a value out of its range keeps its
// default and is reported with its line; the lines named stay right whatever the file's line ends.
#include "settings/ini_document.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::TempDir;
using test::WriteFileBytes;

struct Read {
    SettingsRecord record;
    std::vector<SettingsProblem> problems;
    bool readable = false;
};

Read ReadText(const TempDir& dir, const std::string& text) {
    WriteFileBytes(dir / "Ixo.ini", text);
    Read read;
    read.readable = ReadSettings(dir / "Ixo.ini", read.record, &read.problems);
    return read;
}

// Negative distances made cables of -3 m, a distance of 1e300 an outlet at -1.8e302 dBµV, a headend
// level of -500 dBµV was taken: each now keeps its default and is reported with its line and why.
TEST(SettingsValidation, ValuesOutOfRangeKeepTheirDefaults) {
    TempDir dir;
    const Read read = ReadText(dir, "[DISTANCE]\nD_STAIR=20\nD_FLOOR=-3\nD_OUTLET=1e300\n"
                                    "[HEADER LEVEL]\nLV_TERR=-500\nLV_FI=85\n"
                                    "[DISTRIBUTION]\nINJECTOR=7\nPS_MODEL=-4\n");
    EXPECT_FALSE(read.readable);
    EXPECT_EQ(read.record.DistanciaEscaleras, 20.0);
    EXPECT_EQ(read.record.DistanciaPlantas, 3.0);
    EXPECT_EQ(read.record.DistanciaTomas, 5.0);
    EXPECT_EQ(read.record.LV_TERR, 100.0);
    EXPECT_EQ(read.record.LV_FI, 85.0);
    EXPECT_EQ(read.record.ConInyector, 1);
    EXPECT_EQ(read.record.DIS_MODELOFUENTE, 2);
    ASSERT_EQ(read.problems.size(), 5u);
    EXPECT_EQ(read.problems[0].line, 3);
    EXPECT_EQ(read.problems[0].key, "D_FLOOR");
    EXPECT_EQ(read.problems[0].reason, "is out of range: it must be a distance from 0 to 1000 m");
    EXPECT_EQ(read.problems[0].defaultValue, "3");
    EXPECT_EQ(read.problems[1].key, "D_OUTLET");
    EXPECT_EQ(read.problems[1].line, 4);
    std::vector<std::string> keys;
    for (const SettingsProblem& problem : read.problems) {
        keys.push_back(problem.key);
    }
    EXPECT_NE(std::find(keys.begin(), keys.end(), "LV_TERR"), keys.end());
    EXPECT_NE(std::find(keys.begin(), keys.end(), "INJECTOR"), keys.end());
    EXPECT_NE(std::find(keys.begin(), keys.end(), "PS_MODEL"), keys.end());
}

TEST(SettingsValidation, LimitsOutOfRangeOrReversedKeepTheirDefaults) {
    TempDir dir;
    WriteFileBytes(dir / "Ixo.ini", "[OUTLET_LEVELS]\nLNUMBER=2\nLNAME1=TERR\nLMIN1=-1e300\nLMAX1=1e300\n"
                                    "LNAME2=SAT\nLMIN2=75\nLMAX2=55\n");
    TMatestructuranivel limits;
    std::vector<SettingsProblem> problems;
    EXPECT_TRUE(ReadLevelLimits(limits, dir / "Ixo.ini", &problems));
    EXPECT_EQ(limits, DefaultLevelLimits());
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].key, "LMIN1");
    EXPECT_EQ(problems[0].line, 4);
    EXPECT_EQ(problems[0].reason, "is out of range: it must be a level from 0 to 140 dBµV");
    EXPECT_EQ(problems[1].key, "LMAX1");
    EXPECT_EQ(problems[1].line, 5);
    EXPECT_EQ(problems[2].key, "LMIN2");
    EXPECT_EQ(problems[2].line, 7);
    EXPECT_EQ(problems[2].reason,
              "is above LMAX2=55 (line 8): the limits are reversed; the default maximum 70 is used too");
}

// The value used for a key given twice is the last one: that is the line reported.
TEST(SettingsValidation, AKeyGivenTwiceIsReportedAtTheLineWhoseValueIsUsed) {
    TempDir dir;
    const Read read =
        ReadText(dir, "[DISTANCE]\nD_STAIR=20\nD_FLOOR=4\n[TV_APARTMENTS]\n[distance]\nd_stair=25\n");
    EXPECT_TRUE(read.readable);
    EXPECT_EQ(read.record.DistanciaEscaleras, 25.0);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].line, 6);
    EXPECT_EQ(read.problems[0].key, "D_STAIR");
    EXPECT_EQ(read.problems[0].value, "25");
    EXPECT_EQ(read.problems[0].defaultValue, "");
    EXPECT_EQ(read.problems[0].reason,
              "is given more than once (also on line 2): this value, the last, is used");
}

// A byte-order mark, CR LF or lone CR line ends: the lines are counted as an editor shows them.
TEST(SettingsValidation, LineNumbersHoldWithAByteOrderMarkAndAnyLineEnd) {
    TempDir dir;
    for (const std::string end : {"\n", "\r\n", "\r"}) {
        const Read read = ReadText(dir, "\xEF\xBB\xBF[DISTANCE]" + end + "D_STAIR=x" + end + "; note" + end +
                                            "D_FLOOR=-1" + end);
        ASSERT_EQ(read.problems.size(), 2u) << int(end.back());
        EXPECT_EQ(read.problems[0].key, "D_STAIR");
        EXPECT_EQ(read.problems[0].line, 2) << int(end.back());
        EXPECT_EQ(read.problems[1].key, "D_FLOOR");
        EXPECT_EQ(read.problems[1].line, 4) << int(end.back());
    }
}

TEST(SettingsValidation, AFileThatIsNotASettingsFileSaysWhy) {
    TempDir dir;
    const auto path = dir / "Ixo.ini";
    EXPECT_EQ(SettingsFileProblem(path), std::nullopt); // missing: the defaults, nothing to say
    WriteFileBytes(path, "[DISTANCE]\nD_STAIR=20\n");
    EXPECT_EQ(SettingsFileProblem(path), std::nullopt);
    WriteFileBytes(path, std::string("\xFF\xFE[\0D\0", 6));
    EXPECT_EQ(SettingsFileProblem(path), "it is UTF-16 text; a settings file is UTF-8 (or plain ASCII)");
    WriteFileBytes(path, std::string("[DISTANCE]\nD_STAIR=2\0\n", 23));
    EXPECT_EQ(SettingsFileProblem(path), "it holds NUL bytes: it is not a text file");
    WriteFileBytes(path, std::string(17u << 20, ';'));
    EXPECT_EQ(SettingsFileProblem(path), "it is larger than 16 MB: a settings file is a few kilobytes");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(SettingsFileProblem(path), "it is a folder");
}

// The one range check both paths use.
TEST(SettingsValidation, TheRangesOfEveryKind) {
    EXPECT_TRUE(SettingValueProblem(*FindSettingField("D_FLOOR"), 1000.5));
    EXPECT_FALSE(SettingValueProblem(*FindSettingField("D_FLOOR"), 0));
    EXPECT_TRUE(SettingValueProblem(*FindSettingField("LV_FI"), 140.01));
    EXPECT_EQ(SettingValueProblem(*FindSettingField("FINALCASCADEEL"), 2), "0 or 1");
    EXPECT_FALSE(SettingValueProblem(*FindSettingField("FINALCASCADEEL"), 1));
    EXPECT_TRUE(SettingValueProblem(*FindSettingField("CABLE_FAM"), -1));
    EXPECT_TRUE(LevelLimitProblem(-0.5));
    EXPECT_FALSE(LevelLimitProblem(140));
    for (const SettingModel& model : SettingModels()) {
        ASSERT_NE(FindSettingField(model.modelKey), nullptr) << model.modelKey;
        EXPECT_EQ(FindSettingField(model.familyKey)->kind, SettingKind::Family) << model.familyKey;
    }
}

} // namespace
} // namespace ixo
