// Exporting the schematic sheet from the command line, run as the built program (without a display it
// paints on Qt's offscreen platform).
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace ixo {
namespace {

struct Result {
    int status = -1;
    std::string out;
};

Result RunCliProgram(const std::string& arguments) {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                (test::BinDirectory() / "ixo-cli").string() + "' " + arguments + " 2>&1";
    Result result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        result.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The pages of a PDF: its page objects ("/Type /Page" not followed by "s").
int PdfPageCount(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    int pages = 0;
    for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos;
         at = bytes.find("/Type /Page", at + 1)) {
        pages += at + 11 < bytes.size() && bytes[at + 11] != 's' ? 1 : 0;
    }
    return pages;
}

std::string Head(const std::filesystem::path& path, std::size_t n) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes(n, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(n));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

class ExportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const Result made = RunCliProgram("new --stairs 1 --floors 2 --flats-per-floor 2 --outlets 2 -o '" +
                                          project.string() + "'");
        // 0 or 1: the outlet check's verdict does not matter here, the project file does.
        ASSERT_LE(made.status, 1) << made.out;
        ASSERT_TRUE(std::filesystem::exists(project));
    }
    test::TempDir dir;
    std::filesystem::path project = dir.Path() / "house.XPJ";
};

TEST_F(ExportCommand, WritesEachFormatOfAProjectFile) {
    const Result png = RunCliProgram("export '" + project.string() + "' -o '" +
                                     (dir.Path() / "s.png").string() + "' --pages single");
    ASSERT_EQ(png.status, 0) << png.out;
    EXPECT_EQ(Head(dir.Path() / "s.png", 8), "\x89PNG\r\n\x1a\n");
    const Result bmp =
        RunCliProgram("export '" + project.string() + "' -o '" + (dir.Path() / "s.bmp").string() +
                      "' --paper A3 --orientation vertical --no-title-block --pages single");
    ASSERT_EQ(bmp.status, 0) << bmp.out;
    const std::string header = Head(dir.Path() / "s.bmp", 30);
    ASSERT_EQ(header.size(), 30u);
    EXPECT_EQ(header.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(header[28]), 8); // bits per pixel
    // A3 upright at 150 dpi: 297 x 420 mm -> 1754 x 2480 (0x06DA x 0x09B0).
    EXPECT_EQ(static_cast<unsigned char>(header[18]) | static_cast<unsigned char>(header[19]) << 8, 1754);
    EXPECT_EQ(static_cast<unsigned char>(header[22]) | static_cast<unsigned char>(header[23]) << 8, 2480);
    const Result pdf = RunCliProgram("export '" + project.string() + "' -o '" +
                                     (dir.Path() / "s.pdf").string() + "' --pages single");
    ASSERT_EQ(pdf.status, 0) << pdf.out;
    EXPECT_EQ(Head(dir.Path() / "s.pdf", 5), "%PDF-");
    EXPECT_EQ(PdfPageCount(dir.Path() / "s.pdf"), 1);
}

// The number after "Drawing set: " in the command's output.
int SetPages(const std::string& out) {
    const std::size_t at = out.find("Drawing set: ");
    return at == std::string::npos ? 0 : std::atoi(out.c_str() + at + 13);
}

TEST_F(ExportCommand, AHouseTooSmallToReadOnOneSheetBecomesADrawingSetOfPngPages) {
    // Four flats on one A4 sheet would show their texts well below 1.8 mm: the default is the set.
    const Result run =
        RunCliProgram("export '" + project.string() + "' -o '" + (dir.Path() / "s.png").string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    const int pages = SetPages(run.out);
    ASSERT_GE(pages, 2) << run.out;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "s.png"));
    for (int page = 1; page <= pages; ++page) {
        char name[32];
        std::snprintf(name, sizeof name, "s-%02d.png", page);
        EXPECT_EQ(Head(dir.Path() / name, 8), "\x89PNG\r\n\x1a\n") << name;
    }
    char after[32];
    std::snprintf(after, sizeof after, "s-%02d.png", pages + 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / after));
}

TEST_F(ExportCommand, APdfDrawingSetHoldsEveryPage) {
    const Result condensed = RunCliProgram("export '" + project.string() + "' -o '" +
                                           (dir.Path() / "set.pdf").string() + "' --pages per-stair");
    ASSERT_EQ(condensed.status, 0) << condensed.out;
    EXPECT_EQ(PdfPageCount(dir.Path() / "set.pdf"), SetPages(condensed.out));
    EXPECT_GE(SetPages(condensed.out), 2);
    EXPECT_EQ(RunCliProgram("export '" + project.string() + "' -o '" + (dir.Path() / "set.pdf").string() +
                            "' --pages both")
                  .status,
              2);
}

TEST_F(ExportCommand, BadInputExitsWithTwoAndAnUnwritableFileWithThree) {
    EXPECT_EQ(RunCliProgram("export '" + project.string() + "' -o '" + (dir.Path() / "s.gif").string() + "'")
                  .status,
              2);
    EXPECT_EQ(RunCliProgram("export '" + project.string() + "' -o '" + (dir.Path() / "s.jpg").string() +
                            "' --quality 0")
                  .status,
              2);
    EXPECT_EQ(RunCliProgram("export '" + project.string() + "' -o '" + (dir.Path() / "s.png").string() +
                            "' --paper A5")
                  .status,
              2);
    EXPECT_EQ(RunCliProgram("export '" + project.string() + "' -o '" + (dir.Path() / "s.png").string() +
                            "' --dpi 600")
                  .status,
              2);
    EXPECT_EQ(RunCliProgram("export '" + (dir.Path() / "none.XPJ").string() + "' -o '" +
                            (dir.Path() / "s.png").string() + "'")
                  .status,
              2);
    const Result unwritable =
        RunCliProgram("export '" + project.string() + "' -o '" +
                      (dir.Path() / "no" / "such" / "s.png").string() + "' --pages single");
    EXPECT_EQ(unwritable.status, 3);
    EXPECT_NE(unwritable.out.find("s.png"), std::string::npos) << unwritable.out;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "s.gif"));
}

TEST_F(ExportCommand, NewExportsTheSheetOfTheProjectItBuilds) {
    const auto sheet = dir.Path() / "new.jpg";
    const Result run = RunCliProgram("new --stairs 1 --floors 1 --flats-per-floor 1 --export '" +
                                     sheet.string() + "' --quality 90");
    ASSERT_LE(run.status, 1) << run.out;
    EXPECT_EQ(Head(sheet, 2), "\xFF\xD8");
    // A bad sheet name is refused before anything is built.
    EXPECT_EQ(RunCliProgram("new --export '" + (dir.Path() / "x.tiff").string() + "'").status, 2);
}

} // namespace
} // namespace ixo
