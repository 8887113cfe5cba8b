#include "catalogue/script_file.h"

#include "catalogue/records.h"
#include "support/naive_script_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace ixo {
namespace {

using test::NaiveReadScript;

ScriptFile Loaded(std::string_view bytes) {
    ScriptFile file;
    file.LoadBytes(bytes);
    return file;
}

TEST(ScriptFile, ScriptRunsFromKeyLineToNextMarker) {
    auto file = Loaded("@@INIRECOD_1@@\r\nA=1\r\nB=2\r\n@@INIRECOD_12@@\r\nC=3\r\n");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(1)), "A=1\r\nB=2\r\n");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(12)), "C=3\r\n");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(2)), "");
}

TEST(ScriptFile, KeyOfOneDoesNotMatchKeyOfTwelve) {
    auto file = Loaded("@@INIRECOD_12@@\r\nTWELVE=1\r\n");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(1)), "");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(12)), "TWELVE=1\r\n");
}

TEST(ScriptFile, FirstLineWithTheKeyWins) {
    auto file = Loaded("x @@INIRECOD_5@@ y\r\nFIRST=1\r\n@@INIRECOD_5@@\r\nSECOND=1\r\n");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(5)), "FIRST=1\r\n");
}

TEST(ScriptFile, AnyLineWithTheMarkerEndsTheScript) {
    auto file = Loaded("@@INIRECOD_3@@\r\nA=1\r\nnot a key @@INIRECOD_ here\r\nB=2\r\n");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(3)), "A=1\r\n");
}

TEST(ScriptFile, LoneLineFeedsAndMissingLastBreakAreAccepted) {
    auto file = Loaded("@@INIRECOD_7@@\nA=1\nB=2");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(7)), "A=1\r\nB=2\r\n");
    auto cut = Loaded("@@INIRECOD_7@@\r\nA=1\r");
    EXPECT_EQ(cut.TextOf(ScriptKeyOf(7)), "A=1\r\n");
}

TEST(ScriptFile, NonStandardKeysFallBackToTheScan) {
    auto file = Loaded("HEAD=0\r\nX=1\r\n@@INIRECOD_9@@ tail\r\nA=1\r\n");
    EXPECT_EQ(file.TextOf(""), "X=1\r\n"); // every line contains the empty key: the first one starts
    EXPECT_EQ(file.TextOf("tail"), "A=1\r\n");
    EXPECT_EQ(file.TextOf("HEAD"), "X=1\r\n");
    EXPECT_EQ(file.TextOf("NOWHERE"), "");
    EXPECT_EQ(file.TextOf("@@INIRECOD_9@"), "A=1\r\n");
}

TEST(ScriptFile, NegativeIndiceKeysAreIndexed) {
    auto file = Loaded("@@INIRECOD_-4@@\r\nNEG=1\r\n@@INIRECOD_4@@\r\nPOS=1\r\n");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(-4)), "NEG=1\r\n");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(4)), "POS=1\r\n");
}

TEST(ScriptFile, TextIsConvertedFromWindows1252) {
    auto file = Loaded("@@INIRECOD_1@@\r\nDESC=Atenuaci\xF3n 10\x80\r\n");
    EXPECT_EQ(file.TextOf(ScriptKeyOf(1)), "DESC=Atenuaci\xC3\xB3n 10\xE2\x82\xAC\r\n");
}

TEST(ScriptFile, EmptyAndUnloadedFilesGiveNothing) {
    auto empty = Loaded("");
    EXPECT_EQ(empty.TextOf(""), "");
    EXPECT_EQ(empty.TextOf(ScriptKeyOf(1)), "");
    ScriptFile unloaded;
    EXPECT_EQ(unloaded.TextOf(""), "");
}

// Random script files built from lines that stress the index: several keys per line, keys inside
// other text, near-keys, bare markers, lone LF and stray CR.
std::string RandomScriptFile(std::mt19937& random) {
    std::uniform_int_distribution<int> number(-3, 30);
    std::uniform_int_distribution<int> pick(0, 13);
    std::uniform_int_distribution<int> lines(0, 40);
    auto key = [&] { return ScriptKeyOf(number(random)); };
    std::string text;
    int count = lines(random);
    for (int i = 0; i < count; ++i) {
        switch (pick(random)) {
        case 0:
        case 1:
        case 2:
            text += key();
            break;
        case 3:
            text += "junk " + key() + " and " + key();
            break;
        case 4:
            text += "@@INIRECOD_";
            break;
        case 5:
            text += "@@INIRECOD_" + std::to_string(number(random)) + "@";
            break;
        case 6:
            text += "@@INIRECOD_@@INIRECOD_" + std::to_string(number(random)) + "@@";
            break;
        case 7:
            text += "";
            break;
        case 8:
            text += "A=\r1";
            break;
        case 9:
            text += "@@INIRECOD_--" + std::to_string(number(random)) + "@@";
            break;
        case 10:
            text += "\xE9t\xE9=1;2,5";
            break;
        default:
            text += "KEY" + std::to_string(i) + "=" + std::to_string(number(random));
            break;
        }
        text += random() % 4 == 0 ? "\n" : "\r\n";
    }
    if (random() % 3 == 0 && !text.empty()) {
        text.pop_back(); // a last line without its line feed
    }
    return text;
}

TEST(ScriptFile, MatchesTheNaiveReaderOnRandomFiles) {
    std::mt19937 random(20240611);
    const std::vector<std::string> oddKeys = {"",         "@@INIRECOD_",   "INIRECOD_1",       "1@@",
                                              "=",        "@@INIRECOD_1@", "@@INIRECOD_--1@@", "A=\r1",
                                              "\xC3\xA9t"};
    for (int round = 0; round < 400; ++round) {
        std::string bytes = RandomScriptFile(random);
        auto file = Loaded(bytes);
        for (int n = -4; n <= 31; ++n) {
            ASSERT_EQ(file.TextOf(ScriptKeyOf(n)), NaiveReadScript(bytes, ScriptKeyOf(n)))
                << "round " << round;
        }
        for (const std::string& key : oddKeys) {
            ASSERT_EQ(file.TextOf(key), NaiveReadScript(bytes, key)) << "round " << round << " key " << key;
        }
    }
}

} // namespace
} // namespace ixo
