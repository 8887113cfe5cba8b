#include "tools/catalogue/file_set_io.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace ixo::catalogue_tool {
namespace {

std::filesystem::path TemporaryPathOf(const std::filesystem::path& dir, const std::string& name) {
    return dir / ("." + name + ".partial");
}

void RemoveQuietly(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

void WriteOne(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw FileAccessError("cannot write " + path.string());
    }
}

} // namespace

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw FileAccessError("cannot read " + path.string());
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw FileAccessError("cannot read " + path.string());
    }
    return bytes;
}

void WriteFilesAtomically(const std::filesystem::path& dir, const std::vector<OutputFile>& files) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        throw FileAccessError("cannot create the folder " + dir.string() + ": " + error.message());
    }
    std::vector<std::filesystem::path> written;
    try {
        for (const OutputFile& file : files) {
            written.push_back(TemporaryPathOf(dir, file.Name));
            WriteOne(written.back(), file.Bytes);
        }
    } catch (...) {
        for (const auto& path : written) {
            RemoveQuietly(path);
        }
        throw;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::filesystem::rename(written[i], dir / files[i].Name, error);
        if (error) {
            for (std::size_t j = i; j < files.size(); ++j) {
                RemoveQuietly(written[j]);
            }
            throw FileAccessError("cannot rename " + written[i].string() + ": " + error.message());
        }
    }
}

} // namespace ixo::catalogue_tool
