#include "settings/settings_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace ixo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Tries the three writers on `path`; each must fail with the message and leave things as they were.
void ExpectEveryWriterRefuses(const fs::path& path) {
    std::string error;
    EXPECT_FALSE(WriteSettings(DefaultSettings(), path, error));
    EXPECT_EQ(error, " Unable to write to  \n\r" + path.string());
    TMatestructuranivel limits = DefaultLevelLimits();
    error.clear();
    EXPECT_FALSE(WriteLevelLimits(limits, path, error));
    EXPECT_EQ(error, UnableToWriteMessage(path));
    error.clear();
    EXPECT_FALSE(WriteProjectDirectory(path, "/srv/", error));
    EXPECT_EQ(error, UnableToWriteMessage(path));
}

TEST(SettingsWriteFailure, ReadOnlyFileIsLeftUntouched) {
    TempDir dir;
    const auto path = dir / "Ixo.ini";
    const std::string original = "[DISTANCE]\nD_STAIR=20\n";
    WriteFileBytes(path, original);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ExpectEveryWriterRefuses(path);
    EXPECT_EQ(ReadFileBytes(path), original);
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"Ixo.ini"});
}

TEST(SettingsWriteFailure, MissingFolderOrAFileInPlaceOfTheFolder) {
    TempDir dir;
    ExpectEveryWriterRefuses(dir / "missing" / "Ixo.ini");
    WriteFileBytes(dir / "plain", "x");
    ExpectEveryWriterRefuses(dir / "plain" / "Ixo.ini");
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"plain"});
}

TEST(SettingsWriteFailure, FolderInPlaceOfTheFileReadsAsDefaults) {
    TempDir dir;
    fs::create_directory(dir / "Ixo.ini");
    SettingsRecord record;
    EXPECT_TRUE(ReadSettings(dir / "Ixo.ini", record));
    EXPECT_EQ(record, DefaultSettings());
    ExpectEveryWriterRefuses(dir / "Ixo.ini");
}

TEST(SettingsWriteFailure, ReadOnlyFolderIsLeftUntouched) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "the superuser may write into read-only folders";
    }
    TempDir dir;
    const auto folder = dir / "install";
    fs::create_directory(folder);
    const std::string original = "[DISTANCE]\nD_STAIR=20\n";
    WriteFileBytes(folder / "Ixo.ini", original);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    ExpectEveryWriterRefuses(folder / "Ixo.ini");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(ReadFileBytes(folder / "Ixo.ini"), original);
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"Ixo.ini"});
}

TEST(SettingsWriteFailure, SuccessfulWriteLeavesNoTemporaryFileAndKeepsPermissions) {
    TempDir dir;
    const auto path = dir / "Ixo.ini";
    WriteFileBytes(path, "");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);
    std::string error;
    ASSERT_TRUE(WriteSettings(DefaultSettings(), path, error));
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"Ixo.ini"});
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, mode);
}

TEST(SettingsWriteFailure, SymbolicLinkIsFollowed) {
    TempDir dir;
    fs::create_directory(dir / "shared");
    WriteFileBytes(dir / "shared" / "real.ini", "");
    fs::create_symlink(dir / "shared" / "real.ini", dir / "Ixo.ini");
    std::string error;
    ASSERT_TRUE(WriteSettings(DefaultSettings(), dir / "Ixo.ini", error));
    EXPECT_TRUE(fs::is_symlink(dir / "Ixo.ini"));
    EXPECT_NE(ReadFileBytes(dir / "shared" / "real.ini").find("D_STAIR=15"), std::string::npos);
}

TEST(SettingsWriteFailure, Utf8PathNames) {
    TempDir dir;
    const fs::path folder = dir.Path() / fs::path(u8"configuración ñ €");
    fs::create_directory(folder);
    const fs::path path = folder / "Ixo.ini";
    SettingsRecord record = DefaultSettings();
    record.DistanciaTomas = 6.5;
    std::string error;
    ASSERT_TRUE(WriteSettings(record, path, error)) << error;
    SettingsRecord back;
    ASSERT_TRUE(ReadSettings(path, back));
    EXPECT_EQ(back, record);

    fs::permissions(path, fs::perms::owner_read);
    EXPECT_FALSE(WriteSettings(record, path, error));
    EXPECT_EQ(error, std::string(" Unable to write to  \n\r") + path.string());
    EXPECT_NE(error.find("configuración ñ €"), std::string::npos);
}

} // namespace
} // namespace ixo
