#pragma once

#include <filesystem>
#include <string>

namespace ixo::test {

// A fresh folder under the system temporary folder, removed with everything in it when it goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Reads and writes whole files as bytes.
std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

// The folder of the built programs and of the demo catalogue BD/ beside them.
std::filesystem::path BinDirectory();
std::filesystem::path DemoCatalogueDirectory();

} // namespace ixo::test
