#include "tools/catalogue/script_file.h"

#include <gtest/gtest.h>

namespace ixo::catalogue_tool {
namespace {

TEST(ScriptFile, KeyOfRecord1DoesNotMatchTheKeyLineOfRecord12) {
    ScriptFile file("@@INIRECOD_12@@\r\nA=12\r\n@@INIRECOD_1@@\r\nA=1\r\n");
    EXPECT_EQ(file.ReadScript("@@INIRECOD_1@@"), "A=1\r\n");
    EXPECT_EQ(file.ReadScript("@@INIRECOD_12@@"), "A=12\r\n");
}

TEST(ScriptFile, ScriptRunsToTheNextMarkerLineOrTheEnd) {
    // The second record's key line carries extra text; the marker alone ends the first script.
    ScriptFile file("@@INIRECOD_1@@\r\nA=1\r\n\r\nB=[x]\r\nold @@INIRECOD_2@@ rev\r\nC=2\r\nD=2");
    EXPECT_EQ(file.ReadScript("@@INIRECOD_1@@"), "A=1\r\n\r\nB=[x]\r\n");
    EXPECT_EQ(file.ReadScript("@@INIRECOD_2@@"), "C=2\r\nD=2\r\n"); // the unterminated last line counts
}

TEST(ScriptFile, TheFirstLineContainingTheKeyWins) {
    ScriptFile file("@@INIRECOD_5@@ first\r\nA=1\r\n@@INIRECOD_5@@\r\nA=2\r\n");
    EXPECT_EQ(file.ReadScript("@@INIRECOD_5@@"), "A=1\r\n");
}

TEST(ScriptFile, AKeyWithoutTheMarkerIsFoundOnAnyLine) {
    ScriptFile file("@@INIRECOD_1@@\r\nX=OLDKEY\r\nA=1\r\n@@INIRECOD_2@@\r\n");
    EXPECT_EQ(file.ReadScript("OLDKEY"), "A=1\r\n");
}

TEST(ScriptFile, LoneLineFeedsEndLinesAndOtherCarriageReturnsStay) {
    ScriptFile file("@@INIRECOD_1@@\nA=1\nB=2\r\r\nC\r3\r\n");
    EXPECT_EQ(file.ReadScript("@@INIRECOD_1@@"), "A=1\r\nB=2\r\r\nC\r3\r\n");
}

TEST(ScriptFile, MissingOrEmptyKeyGivesAnEmptyScript) {
    ScriptFile file("@@INIRECOD_1@@\r\nA=1\r\n");
    EXPECT_EQ(file.ReadScript("@@INIRECOD_2@@"), "");
    EXPECT_EQ(file.ReadScript(""), "");
    EXPECT_EQ(ScriptFile("").ReadScript("@@INIRECOD_1@@"), "");
}

TEST(ScriptFile, KeyOnTheLastLineGivesAnEmptyScript) {
    EXPECT_EQ(ScriptFile("A\r\n@@INIRECOD_1@@\r\n").ReadScript("@@INIRECOD_1@@"), "");
    EXPECT_EQ(ScriptFile("@@INIRECOD_1@@").ReadScript("@@INIRECOD_1@@"), "");
}

} // namespace
} // namespace ixo::catalogue_tool
