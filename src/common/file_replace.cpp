#include "common/file_replace.h"

#include <cerrno>
#include <csignal>
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

fs::path FolderOf(const fs::path& target) {
    return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

// The temporary files are named "." + the target's file name + ".tmp" + the writing process's id + "-" +
// an attempt number. The process id of such a name, or -1 when the name is not one of them.
long TemporaryOwner(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return -1;
    }
    const std::size_t dash = name.find('-', prefix.size());
    if (dash == std::string::npos || dash == prefix.size() || dash + 1 == name.size()) {
        return -1;
    }
    long pid = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (i == dash) {
            continue;
        }
        if (c < '0' || c > '9') {
            return -1;
        }
        if (i < dash && pid < 100000000) {
            pid = pid * 10 + (c - '0');
        }
    }
    return pid;
}

// A save killed half-way leaves its temporary file behind. Before writing, the temporaries of this
// target that belong to this process or to a process that no longer runs are removed; those of a
// running process (another save in progress) are left alone.
void RemoveLeftovers(const fs::path& target) {
    const std::string prefix = "." + target.filename().string() + ".tmp";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(FolderOf(target), error)) {
        const std::string name = entry.path().filename().string();
        const long pid = TemporaryOwner(name, prefix);
        if (pid <= 0) {
            continue;
        }
        const bool running = pid != ::getpid() && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
        if (!running && entry.is_regular_file(error)) {
            fs::remove(entry.path(), error);
        }
    }
}

// Creates a new, empty file beside the target; its name starts with a dot so that it stays out of sight.
int CreateSibling(const fs::path& target, fs::path& sibling) {
    const fs::path folder = FolderOf(target);
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

namespace {

// Writes contents to a new file beside target and renames it over target.
bool WriteThroughSibling(const fs::path& target, std::string_view contents, const fs::file_status& status) {
    RemoveLeftovers(target);
    fs::path sibling;
    const int fd = CreateSibling(target, sibling);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, contents);
    if (ok && fs::exists(status)) {
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

} // namespace

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
    if (fs::exists(status) && (!fs::is_regular_file(status) || IsReadOnlyFile(target))) {
        return false;
    }
    return WriteThroughSibling(target, contents, status);
}

bool CopyFileAtomically(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (!fs::is_regular_file(from, error)) {
        return false;
    }
    const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    std::string contents;
    char buffer[1 << 16];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    const auto status = fs::status(to, error);
    if (!ok || (fs::exists(status) && !fs::is_regular_file(status))) {
        return false;
    }
    return WriteThroughSibling(to, contents, fs::file_status{});
}

} // namespace ixo
