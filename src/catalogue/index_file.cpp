#include "catalogue/index_file.h"

#include <algorithm>
#include <limits>

namespace ixo {

bool IndexFile::Load(const std::filesystem::path& path) {
    Unload();
    auto stamp = StampOf(path);
    if (!stamp.has_value() || m_recordSize == 0) {
        return false;
    }
    if (stamp != m_stamp) {
        auto bytes = ReadWholeFile(path);
        if (!bytes.has_value()) {
            m_stamp.reset();
            return false;
        }
        m_bytes = std::move(*bytes);
        m_stamp = stamp;
        std::size_t count = m_bytes.size() / m_recordSize;
        m_count =
            static_cast<std::int32_t>(std::min<std::size_t>(count, std::numeric_limits<std::int32_t>::max()));
    }
    m_loaded = true;
    return true;
}

void IndexFile::Unload() {
    m_loaded = false;
    m_position = 0;
}

void IndexFile::SetPosition(std::int32_t record) {
    m_position = std::clamp(record, 0, Count());
}

std::span<const std::uint8_t> IndexFile::Record(std::int32_t n) const {
    const auto* data = reinterpret_cast<const std::uint8_t*>(m_bytes.data());
    return {data + static_cast<std::size_t>(n) * m_recordSize, m_recordSize};
}

std::optional<std::span<const std::uint8_t>> IndexFile::ReadNext() {
    if (AtEnd()) {
        return std::nullopt;
    }
    return Record(m_position++);
}

} // namespace ixo
