#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ixo::catalogue_tool {

// One output file: its name inside the output folder and its bytes.
struct OutputFile {
    std::string Name;
    std::string Bytes;
};

// A file that could not be read or written (not a fault of the input: exit status 1).
class FileAccessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file as bytes; FileAccessError when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Writes every file into dir (created when missing) under a temporary name first and renames them into
// place only when all were written, so a failure leaves the previous files as they were.
void WriteFilesAtomically(const std::filesystem::path& dir, const std::vector<OutputFile>& files);

} // namespace ixo::catalogue_tool
