#include "common/file_replace.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ixo {
namespace {

namespace fs = std::filesystem;

thread_local std::string t_lastFileError;
ReplaceFault g_fault = nullptr;

bool FaultAt(ReplaceStage stage) {
    return g_fault != nullptr && g_fault(stage);
}

// Records why a write failed (the system's reason for errno) and answers false.
bool Fail(int error) {
    t_lastFileError = std::strerror(error);
    return false;
}

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

// The name of this process's temporary files beside target, less the attempt number: it starts with a
// dot so that it stays out of sight, and names the process so that leftovers can be told apart.
std::string SiblingStem(const fs::path& target) {
    std::string stem(".");
    stem.append(target.filename().string()).append(".tmp").append(std::to_string(::getpid())).append("-");
    return stem;
}

// Creates a new, empty file beside the target.
int CreateSibling(const fs::path& target, fs::path& sibling) {
    const fs::path folder = FolderOf(target);
    const std::string stem = SiblingStem(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        sibling = folder / (stem + std::to_string(attempt));
        const int fd = ::open(sibling.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

} // namespace

const std::string& LastFileError() {
    return t_lastFileError;
}

void SetLastFileError(std::string reason) {
    t_lastFileError = std::move(reason);
}

bool IsReadOnlyFile(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (!fs::exists(status)) {
        return false;
    }
    return (status.permissions() & kAnyWrite) == fs::perms::none || ::access(path.c_str(), W_OK) != 0;
}

namespace {

// Copies the open file `in` into `out` in pieces: a copy of a large project costs no memory.
bool CopyInto(int in, int out) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        if (!WriteAll(out, std::string_view(buffer, static_cast<std::size_t>(got)))) {
            return false;
        }
    }
}

// The file `from` under a new name beside `to`, ready to be renamed over it: a second name for the file
// itself where the file system has them, otherwise a complete copy. Empty when neither can be made.
fs::path StageBackup(const fs::path& from, const fs::path& to) {
    std::error_code error;
    const auto target = fs::symlink_status(to, error);
    if (fs::exists(target) && !fs::is_regular_file(target)) {
        return {};
    }
    RemoveLeftovers(to);
    const fs::path folder = FolderOf(to);
    const std::string stem = SiblingStem(to);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path sibling = folder / (stem + std::to_string(attempt));
        if (::link(from.c_str(), sibling.c_str()) == 0) {
            return sibling;
        }
        if (errno != EEXIST) {
            break; // no second names here (or not allowed): copy instead
        }
    }
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return {};
    }
    fs::path sibling;
    const int out = CreateSibling(to, sibling);
    bool ok = out >= 0 && CopyInto(in, out) && ::fsync(out) == 0;
    ok = (out < 0 || ::close(out) == 0) && ok;
    ::close(in);
    if (!ok) {
        if (out >= 0) {
            ::unlink(sibling.c_str());
        }
        return {};
    }
    return sibling;
}

// Lets `write` fill a new file beside target (it answers false with errno set on failure) and renames it
// over target. With a backup, the file target held is renamed to it once the new file is in place.
template <typename Write>
bool WriteThroughSibling(const fs::path& target, const fs::file_status& status, Write write,
                         const fs::path* backup = nullptr) {
    RemoveLeftovers(target);
    fs::path sibling;
    const int fd = CreateSibling(target, sibling);
    if (fd < 0) {
        return Fail(errno);
    }
    int error = 0;
    const auto check = [&error](bool ok) {
        if (!ok && error == 0) {
            error = errno != 0 ? errno : EIO;
        }
    };
    check(write(fd));
    if (error == 0 && fs::exists(status)) {
        check(::fchmod(fd, static_cast<mode_t>(status.permissions() & fs::perms::mask)) == 0);
    }
    if (error == 0) {
        check(::fsync(fd) == 0);
    }
    check(::close(fd) == 0);
    if (error == 0 && FaultAt(ReplaceStage::NewFileWritten)) {
        error = ENOSPC;
    }
    fs::path stagedBackup;
    if (error == 0 && backup != nullptr && fs::is_regular_file(status)) {
        stagedBackup = StageBackup(target, *backup);
    }
    if (error == 0) {
        check(::rename(sibling.c_str(), target.c_str()) == 0);
    }
    if (error != 0) {
        ::unlink(sibling.c_str());
        if (!stagedBackup.empty()) {
            ::unlink(stagedBackup.c_str());
        }
        return Fail(error);
    }
    if (!stagedBackup.empty()) {
        // The new file is in place: only now does the backup change. A failure here (or a fault) keeps
        // the previous backup; the save itself has succeeded.
        if (FaultAt(ReplaceStage::NewFileInPlace) || ::rename(stagedBackup.c_str(), backup->c_str()) != 0) {
            ::unlink(stagedBackup.c_str());
        }
    }
    return true;
}

// The target a replace of path writes: path itself, or the file a symbolic link names. Answers false
// (LastFileError says why) when that is not a regular file or is read-only.
bool ReplaceTarget(const fs::path& path, fs::path& target, fs::file_status& status) {
    std::error_code error;
    target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::weakly_canonical(path, error);
        if (error) {
            return Fail(error.value());
        }
    }
    status = fs::status(target, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return Fail(fs::is_directory(status) ? EISDIR : EINVAL);
    }
    if (fs::exists(status) && IsReadOnlyFile(target)) {
        return Fail(EACCES);
    }
    return true;
}

} // namespace

void SetReplaceFaultForTesting(ReplaceFault fault) {
    g_fault = fault;
}

bool ReplaceFileContents(const fs::path& path, std::string_view contents) {
    fs::path target;
    fs::file_status status;
    if (!ReplaceTarget(path, target, status)) {
        return false;
    }
    return WriteThroughSibling(target, status, [contents](int fd) { return WriteAll(fd, contents); });
}

bool ReplaceFileKeepingBackup(const fs::path& path, std::string_view contents, const fs::path& backup) {
    fs::path target;
    fs::file_status status;
    if (!ReplaceTarget(path, target, status)) {
        return false;
    }
    return WriteThroughSibling(
        target, status, [contents](int fd) { return WriteAll(fd, contents); }, &backup);
}

bool CopyFileAtomically(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (!fs::is_regular_file(from, error)) {
        return Fail(error ? error.value() : EINVAL);
    }
    const auto status = fs::status(to, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return Fail(fs::is_directory(status) ? EISDIR : EINVAL);
    }
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return Fail(errno);
    }
    const bool ok = WriteThroughSibling(to, fs::file_status{}, [in](int out) { return CopyInto(in, out); });
    ::close(in);
    return ok;
}

} // namespace ixo
