#include "catalogue/file_lookup.h"

#include "common/ascii_case.h"

#include <fstream>
#include <system_error>

namespace ixo {

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& directory,
                                                          const std::string& name) {
    std::error_code error;
    std::filesystem::path exact = directory / name;
    if (std::filesystem::exists(exact, error)) {
        return exact;
    }
    std::optional<std::filesystem::path> best;
    std::filesystem::directory_iterator entries(directory.empty() ? "." : directory, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::string candidate = entries->path().filename().string();
        if (EqualsIgnoringAsciiCase(candidate, name) &&
            (!best.has_value() || candidate < best->filename().string())) {
            best = directory / candidate;
        }
    }
    return best;
}

std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    FileStamp stamp{path, std::filesystem::file_size(path, error), {}};
    if (error) {
        return std::nullopt;
    }
    stamp.time = std::filesystem::last_write_time(path, error);
    if (error) {
        return std::nullopt;
    }
    return stamp;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes;
    in.seekg(0, std::ios::end);
    auto size = in.tellg();
    if (size < 0) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0, std::ios::beg);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace ixo
