#include "common/file_replace.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ixo {
namespace {

namespace fs = std::filesystem;

constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a new, empty file beside the target; its name starts with a dot so that it stays out of sight.
int CreateSibling(const fs::path& target, fs::path& sibling) {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string stem(".");
    stem.append(target.filename().string()).append(".tmp").append(std::to_string(::getpid())).append("-");
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = stem;
        name.append(std::to_string(attempt));
        sibling = folder / name;
        const int fd = ::open(sibling.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

} // namespace

bool IsReadOnlyFile(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (!fs::exists(status)) {
        return false;
    }
    return (status.permissions() & kAnyWrite) == fs::perms::none || ::access(path.c_str(), W_OK) != 0;
}

bool ReplaceFileContents(const fs::path& path, std::string_view contents) {
    std::error_code error;
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::weakly_canonical(path, error);
        if (error) {
            return false;
        }
    }
    const auto status = fs::status(target, error);
    const bool exists = fs::exists(status);
    if (exists && (!fs::is_regular_file(status) || IsReadOnlyFile(target))) {
        return false;
    }

    fs::path sibling;
    const int fd = CreateSibling(target, sibling);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, contents);
    if (ok && exists) {
        ok = ::fchmod(fd, static_cast<mode_t>(status.permissions() & fs::perms::mask)) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(sibling.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(sibling.c_str());
    }
    return ok;
}

} // namespace ixo
