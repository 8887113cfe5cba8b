#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// Raised when binary data ends early or holds a length or count that cannot be right.
class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Appends little-endian fields to a growing byte buffer. Strings are written as the bytes given;
// converting text to the single-byte code page of the files is the caller's business.
class BinaryWriter {
public:
    void WriteInt8(std::int8_t value) { WriteUInt8(static_cast<std::uint8_t>(value)); }
    void WriteUInt8(std::uint8_t value) { m_bytes.push_back(value); }
    void WriteInt16(std::int16_t value) { WriteUInt16(static_cast<std::uint16_t>(value)); }
    void WriteUInt16(std::uint16_t value);
    void WriteInt32(std::int32_t value);
    void WriteDouble(double value);
    void WriteBytes(std::span<const std::uint8_t> bytes);
    void WriteBytes(std::string_view bytes);

    // A short string: one length byte and the bytes; longer text is cut to 255 bytes.
    void WriteShortString(std::string_view bytes);
    // A counted string: int32 length and the bytes.
    void WriteCountedString(std::string_view bytes);

    // Replaces the four bytes at offset at (written before) by value: a length known only after what it
    // counts was written.
    void OverwriteInt32(std::size_t at, std::int32_t value);

    // Room for size bytes in all, so that a large content is not copied as it grows.
    void Reserve(std::size_t size) { m_bytes.reserve(size); }

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    std::size_t Size() const { return m_bytes.size(); }
    std::vector<std::uint8_t> TakeBytes() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Reads little-endian fields from a byte span it does not own. Every read checks that the bytes are
// there and throws StreamError otherwise; lengths and counts are checked against the bytes left
// before anything is allocated for them.
class BinaryReader {
public:
    explicit BinaryReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::int8_t ReadInt8() { return static_cast<std::int8_t>(ReadUInt8()); }
    std::uint8_t ReadUInt8() {
        Need(1, "a byte");
        return m_bytes[m_position++];
    }
    std::int16_t ReadInt16() { return static_cast<std::int16_t>(ReadUInt16()); }
    std::uint16_t ReadUInt16();
    std::int32_t ReadInt32();
    double ReadDouble();
    // The next count bytes, as a view into the span read.
    std::span<const std::uint8_t> ReadBytes(std::size_t count) {
        Need(count, "raw bytes");
        auto bytes = m_bytes.subspan(m_position, count);
        m_position += count;
        return bytes;
    }
    std::string ReadString(std::size_t count);

    // A short string: one length byte and that many bytes.
    std::string ReadShortString();
    // A counted string: int32 length and that many bytes; a negative length is an error.
    std::string ReadCountedString();
    // An int32 count of items of at least minItemSize bytes each; a negative count or one whose
    // items cannot fit in the bytes left is an error.
    std::size_t ReadCount(std::size_t minItemSize, std::string_view what);

    // Up to count of the next bytes (fewer at the end), without reading them.
    std::span<const std::uint8_t> Ahead(std::size_t count) const {
        return m_bytes.subspan(m_position, std::min(count, Remaining()));
    }

    std::size_t Position() const { return m_position; }
    std::size_t Remaining() const { return m_bytes.size() - m_position; }
    bool AtEnd() const { return m_position == m_bytes.size(); }
    // Throws unless every byte has been read (what names the data for the message).
    void ExpectEnd(std::string_view what) const;

private:
    // Throws unless count more bytes are there. Inline: every byte read asks it.
    void Need(std::size_t count, std::string_view what) const {
        if (count > Remaining()) [[unlikely]] {
            Missing(count, what);
        }
    }
    [[noreturn]] void Missing(std::size_t count, std::string_view what) const;

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

} // namespace ixo
