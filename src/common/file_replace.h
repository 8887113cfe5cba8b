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

// Replaces the file's contents as ReplaceFileContents does and keeps the file it replaces as `backup`.
// The backup changes only once the new file is complete and in place: the old file gets a second name
// (or, where the file system has none, a copy) beside `backup` just before the new file is renamed over
// it, and that name is renamed over `backup` just after. A save that fails or is killed before the new
// file is in place leaves both the file and the previous backup as they were. A backup that cannot be
// made does not stop the save (the previous backup then stays).
[[nodiscard]] bool ReplaceFileKeepingBackup(const std::filesystem::path& path, std::string_view contents,
                                            const std::filesystem::path& backup);

// Points of a replace at which a test may stop it, to see what a failure or a killed process leaves.
enum class ReplaceStage {
    NewFileWritten, // the new file is complete beside the target, nothing renamed yet
    NewFileInPlace, // the new file has replaced the target, the backup is not yet renamed into place
};
// Called at each stage; answering true makes the replace fail there (as a full disk would). Tests only;
// nullptr (the default) for none.
using ReplaceFault = bool (*)(ReplaceStage);
void SetReplaceFaultForTesting(ReplaceFault fault);

// Why the last failed write of this thread failed, in the system's words ("Permission denied", "Is a
// directory", "No space left on device"), for the message that tells the user.
const std::string& LastFileError();
void SetLastFileError(std::string reason);

} // namespace ixo
