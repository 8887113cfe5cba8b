#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace ixo {

// Little-endian field access inside fixed-size records. Every read is bounded by the record.
inline std::int32_t ReadInt32LE(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | bytes[offset + static_cast<std::size_t>(i)];
    }
    return static_cast<std::int32_t>(value);
}

inline void WriteInt32LE(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

// A short string field: one length byte and up to fieldSize - 1 characters. A length byte that
// claims more than the field holds is clamped to the field. The raw bytes are returned as stored.
inline std::string ReadShortStringField(std::span<const std::uint8_t> bytes, std::size_t offset,
                                        std::size_t fieldSize) {
    std::size_t length = bytes[offset];
    if (length > fieldSize - 1) {
        length = fieldSize - 1;
    }
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset + 1), length);
}

// Writes the raw bytes of text (cut to the field) and zero-fills the rest of the field.
inline void WriteShortStringField(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t fieldSize,
                                  std::string_view text) {
    std::size_t length = text.size() < fieldSize - 1 ? text.size() : fieldSize - 1;
    std::memset(bytes.data() + offset, 0, fieldSize);
    bytes[offset] = static_cast<std::uint8_t>(length);
    std::memcpy(bytes.data() + offset + 1, text.data(), length);
}

} // namespace ixo
