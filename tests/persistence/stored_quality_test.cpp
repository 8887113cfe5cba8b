#include "persistence/stored_omissions.h"
#include "persistence/stored_quality.h"

#include "project_file_test_support.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

std::string ReservedOf(const FileBytes& file) {
    BinaryReader in(file);
    in.ReadInt32();
    in.ReadCountedString();
    in.ReadCountedString();
    return in.ReadCountedString();
}

SignalQuality Chosen() {
    SignalQuality quality;
    quality.standard = "ICT";
    quality.terrestrialAntennaLevel = 55.5;
    quality.terrestrialAntennaCn = 38.25;
    quality.satelliteLnbCn = {15.0, 16.0, 14.5, 13.1};
    return quality;
}

TEST(StoredQuality, NothingChosenAddsNothing) {
    EXPECT_EQ(EncodeReservedString({}, SignalQuality{}), "");
    BuildOmission omission;
    omission.description = "no free input";
    EXPECT_EQ(EncodeReservedString({omission}, SignalQuality{}), EncodeOmissions({omission}));
}

TEST(StoredQuality, OnlyFieldsAwayFromTheirDefaultsAreWritten) {
    SignalQuality quality;
    quality.standard = "EN60728-1";
    EXPECT_EQ(EncodeReservedString({}, quality), "IxoQuality 1\nstandard\tEN60728-1\n");
    EXPECT_EQ(EncodeReservedString({}, Chosen()),
              "IxoQuality 1\nstandard\tICT\nantennaLevel\t55.5\nantennaCn\t38.25\nlnbCn\t15;16;14.5;13.1\n");
}

TEST(StoredQuality, ComesBackAfterTheOmissions) {
    BuildOmission omission;
    omission.kind = BuildOmission::Kind::Connection;
    omission.description = "IxoQuality 1"; // an omission's text cannot be taken for the marker line
    omission.where = "STAIR1";
    const std::string text = EncodeReservedString({omission}, Chosen());
    const auto decoded = DecodeReservedString(text);
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->omissions.size(), 1u);
    EXPECT_EQ(decoded->omissions[0].description, "IxoQuality 1");
    EXPECT_EQ(decoded->quality, Chosen());
}

TEST(StoredQuality, UnknownFieldsAreSkippedAndDamageIsRefused) {
    const auto later = DecodeReservedString("IxoQuality 1\nstandard\tUK\nmer\t30\n");
    ASSERT_TRUE(later.has_value());
    EXPECT_EQ(later->quality.standard, "UK");
    EXPECT_FALSE(DecodeReservedString("IxoQuality 1\nantennaLevel\tsixty\n").has_value());
    EXPECT_FALSE(DecodeReservedString("IxoQuality 1\nantennaLevel 60\n").has_value());
    EXPECT_FALSE(DecodeReservedString("IxoQuality 1\nlnbCn\t1;2;3\n").has_value());
    EXPECT_FALSE(DecodeReservedString("IxoQuality 1\nstandard\tICT").has_value());
    // A string that is neither part is refused, never read as "nothing left out".
    std::string problem;
    EXPECT_FALSE(DecodeReservedString("written by someone else", &problem).has_value());
    EXPECT_NE(problem.find("parts not built"), std::string::npos) << problem;
    EXPECT_FALSE(DecodeReservedString("IxoQuality 1\r\nstandard\tICT\r\n").has_value());
}

// A standard is one a preset has; figures lie in the range the options take.
TEST(StoredQuality, UnknownStandardsAndFiguresOutOfRangeAreRefused) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"IxoQuality 1\nstandard\tFOO\n", "unknown standard 'FOO'"},
        {"IxoQuality 1\nantennaLevel\t1e6\n", "antennaLevel '1e6' is not a number from -50 to 150"},
        {"IxoQuality 1\nantennaCn\t-300\n", "antennaCn '-300' is not a number from -50 to 150"},
        {"IxoQuality 1\nlnbCn\t16;16;16;150.5\n", "lnbCn"},
        {"IxoQuality 1\nantennaLevel\tnan\n", "antennaLevel"}};
    for (const auto& [text, reason] : cases) {
        std::string problem;
        EXPECT_FALSE(DecodeReservedString(text, &problem).has_value()) << text;
        EXPECT_NE(problem.find(reason), std::string::npos) << problem;
        EXPECT_NE(problem.find("line 2"), std::string::npos) << problem;
    }
    const auto edges =
        DecodeReservedString("IxoQuality 1\nstandard\tict\nantennaLevel\t150\nantennaCn\t-50\n");
    ASSERT_TRUE(edges.has_value());
    EXPECT_EQ(edges->quality.standard, "ict");
    EXPECT_EQ(edges->quality.terrestrialAntennaLevel, 150.0);
    EXPECT_EQ(edges->quality.terrestrialAntennaCn, -50.0);
}

TEST(StoredQuality, TravelsWithTheProjectFile) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    original->Quality() = Chosen();
    const FileBytes bytes = ProjectFileBytes(*original);
    EXPECT_EQ(ReservedOf(bytes), EncodeReservedString({}, Chosen()));
    OpenedProject opened = Open(bytes);
    ASSERT_EQ(opened.result, OpenResult::Ok);
    EXPECT_EQ(opened.project->Quality(), Chosen());
    EXPECT_EQ(ProjectFileBytes(*opened.project), bytes);
}

// A file written before (empty reserved string) opens with the defaults and saves the same bytes.
TEST(StoredQuality, AnOlderFileOpensWithTheDefaults) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    const FileBytes bytes = ProjectFileBytes(*original);
    EXPECT_EQ(ReservedOf(bytes), "");
    OpenedProject opened = Open(bytes);
    ASSERT_EQ(opened.result, OpenResult::Ok);
    EXPECT_TRUE(opened.project->Quality().IsDefault());
    EXPECT_EQ(ProjectFileBytes(*opened.project), bytes);
}

TEST(StoredQuality, ADamagedSectionFailsTheOpen) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    const FileBytes tree = TreeBytes(ProjectFileBytes(*original));
    BinaryWriter out;
    out.WriteInt32(222);
    out.WriteCountedString("Ixo");
    out.WriteCountedString("0.1.0");
    out.WriteCountedString("IxoQuality 1\nantennaLevel\t\n");
    out.WriteBytes(tree);
    EXPECT_EQ(Open(out.Bytes()).result, OpenResult::NotAProject);
}

} // namespace
} // namespace ixo::test
