#include "persistence/stored_omissions.h"

#include "project_file_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ixo::test {
namespace {

BuildOmission Omission(BuildOmission::Kind kind, std::string description, std::string where) {
    BuildOmission omission;
    omission.kind = kind;
    omission.description = std::move(description);
    omission.where = std::move(where);
    return omission;
}

void ExpectSame(const std::vector<BuildOmission>& a, const std::vector<BuildOmission>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].kind, b[i].kind) << i;
        EXPECT_EQ(a[i].description, b[i].description) << i;
        EXPECT_EQ(a[i].where, b[i].where) << i;
    }
}

// The header's reserved string of a project file.
std::string ReservedOf(const FileBytes& file) {
    BinaryReader in(file);
    in.ReadInt32();
    in.ReadCountedString();
    in.ReadCountedString();
    return in.ReadCountedString();
}

TEST(StoredOmissions, NoneIsTheEmptyString) {
    EXPECT_EQ(EncodeOmissions({}), "");
    const auto decoded = DecodeOmissions("");
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(decoded->empty());
}

TEST(StoredOmissions, AreWrittenAsMarkerAndOneTabSeparatedLineEach) {
    const std::vector<BuildOmission> omissions = {
        Omission(BuildOmission::Kind::Element, "no outlet model of family 1003 in the catalogue", "FL1"),
        Omission(BuildOmission::Kind::Connection, "no free input on RepartidorPr2", "")};
    EXPECT_EQ(EncodeOmissions(omissions), "IxoOmissions 1\n"
                                          "element\tno outlet model of family 1003 in the catalogue\tFL1\n"
                                          "connection\tno free input on RepartidorPr2\t\n");
}

TEST(StoredOmissions, TabsLineFeedsBackslashesAndNonAsciiTextComeBackAsWritten) {
    const std::vector<BuildOmission> omissions = {
        Omission(BuildOmission::Kind::Element, "model \"A\tB\"\nnext \\ line\\", "Escalera ñ 1"),
        Omission(BuildOmission::Kind::Connection, "", "\\t is not a tab")};
    const std::string text = EncodeOmissions(omissions);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3); // the marker and one line each
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 4); // two separators a line
    const auto decoded = DecodeOmissions(text);
    ASSERT_TRUE(decoded.has_value());
    ExpectSame(*decoded, omissions);
}

// Only the empty string holds no omissions: a text without the marker line (a damaged marker, CR LF
// line ends, a text of another program) could be a partial design, and is refused with the reason.
TEST(StoredOmissions, TextWithoutTheMarkerIsRefused) {
    for (std::string_view text : {"something else", "IxoOmissions 2\nelement\ta\tb\n", "IxoOmissions 1",
                                  "IxoOmissions 1\r\nelement\ta\tb\r\n"}) {
        std::string problem;
        EXPECT_FALSE(DecodeOmissions(text, &problem).has_value()) << text;
        EXPECT_NE(problem.find("does not start with the line \"IxoOmissions 1\""), std::string::npos)
            << problem;
    }
    const auto empty = DecodeOmissions("");
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());
}

TEST(StoredOmissions, DamagedTextIsRefused) {
    for (std::string_view line : {"part\ta\tb\n", "element\ta\n", "element\ta\tb\tc\n", "element\ta\\x\tb\n",
                                  "element\ta\tb\\\n", "element\ta\tb"}) {
        const std::string text = "IxoOmissions 1\n" + std::string(line);
        std::string problem;
        EXPECT_FALSE(DecodeOmissions(text, &problem).has_value()) << line;
        EXPECT_NE(problem.find("line 2"), std::string::npos) << problem;
    }
}

// A project whose build left parts out keeps them through saving and opening, and they are written
// again the same way.
TEST(StoredOmissions, TravelWithTheProjectFile) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    original->Omissions() = {
        Omission(BuildOmission::Kind::Element, "no outlet model of family 1003 in the catalogue", "FL1"),
        Omission(BuildOmission::Kind::Connection, "no free input on MultiswitchPr3", "STAIR1")};
    const FileBytes bytes = ProjectFileBytes(*original);
    EXPECT_EQ(ReservedOf(bytes), EncodeOmissions(original->Omissions()));
    OpenedProject opened = Open(bytes);
    ASSERT_EQ(opened.result, OpenResult::Ok);
    ExpectSame(opened.project->Omissions(), original->Omissions());
    EXPECT_EQ(ProjectFileBytes(*opened.project), bytes);
}

// Without omissions the file is what it always was: an empty reserved string, and the tree right after.
TEST(StoredOmissions, AProjectWithoutOmissionsKeepsTheEmptyReservedString) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    ASSERT_TRUE(original->Omissions().empty());
    const FileBytes bytes = ProjectFileBytes(*original);
    EXPECT_EQ(ReservedOf(bytes), "");
    const FileBytes header = HeaderBytes(222, "Ixo", "0.1.0");
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    OpenedProject opened = Open(bytes);
    ASSERT_EQ(opened.result, OpenResult::Ok);
    EXPECT_TRUE(opened.project->Omissions().empty());
}

// A reserved string with the marker that cannot be read fails the open: the parts not built would be
// lost and the design could pass.
TEST(StoredOmissions, ADamagedRecordFailsTheOpen) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    const FileBytes tree = TreeBytes(ProjectFileBytes(*original));
    BinaryWriter out;
    out.WriteInt32(222);
    out.WriteCountedString("Ixo");
    out.WriteCountedString("0.1.0");
    out.WriteCountedString("IxoOmissions 1\nelement\tno tab after this\n");
    out.WriteBytes(tree);
    EXPECT_EQ(Open(out.Bytes()).result, OpenResult::NotAProject);
}

} // namespace
} // namespace ixo::test
