#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ixo {

// True when the file exists and must not be written: no write permission bit is set (the read-only
// attribute of the file) or this process may not write it.
bool IsReadOnlyFile(const std::filesystem::path& path);

// Replaces the file's contents by `contents`, or creates it. The text goes to a new file beside it that
// is then renamed over it, so a failure at any point (read-only folder, missing folder, full disk)
// leaves the old file untouched and no half-written file behind. A symbolic link is followed and its
// target replaced; an existing file keeps its permissions. Refuses read-only files and anything that is
// not a regular file. Returns false on any failure. Temporary files of this target left by a process
// that was killed while writing are removed first.
[[nodiscard]] bool ReplaceFileContents(const std::filesystem::path& path, std::string_view contents);

// Copies `from` over `to` the same way: `to` is replaced whole or not at all (a read-only `to` is
// replaced too: it is a copy the program keeps, like a backup). False when `from` cannot be read or `to`
// not written.
[[nodiscard]] bool CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);

// Keeps `from` as `to` before `from` is replaced by a new file: `to` gets the file itself (a second
// name for it, renamed into place whole, so nothing is copied) or, where the file system has no second
// names, a copy made as CopyFileAtomically makes it. Savers replace a file by renaming a new one over
// it, never by writing into it, so the kept file does not change after. False as CopyFileAtomically.
[[nodiscard]] bool KeepAsBackup(const std::filesystem::path& from, const std::filesystem::path& to);
// Why the last failed write of this thread failed, in the system's words ("Permission denied", "Is a
// directory", "No space left on device"), for the message that tells the user.
const std::string& LastFileError();
void SetLastFileError(std::string reason);

} // namespace ixo
