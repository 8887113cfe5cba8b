#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace ixo {

// The bytes of a whole file, read at once into a buffer that is not first filled with zeros: opening a
// large project reads tens of megabytes, and clearing them before the read doubled the pages touched.
// (A mapping would save the copy too, but a file cut short by another program while mapped would stop
// the process; a copy cannot.)
class FileContents {
public:
    // Reads the file at path; false, with the system's reason in Error(), when it cannot be opened or
    // read (a directory, a missing file, no permission, a read error).
    [[nodiscard]] bool Read(const std::filesystem::path& path);

    std::span<const std::uint8_t> Bytes() const { return {m_data.get(), m_size}; }
    const std::string& Error() const { return m_error; }

private:
    std::unique_ptr<std::uint8_t[]> m_data;
    std::size_t m_size = 0;
    std::string m_error;
};

} // namespace ixo
