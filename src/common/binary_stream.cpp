#include "common/binary_stream.h"

#include <bit>
#include <limits>

namespace ixo {
namespace {

constexpr std::size_t kMaxShortString = 255;

void AppendLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t bits, std::size_t size) {
    const std::size_t at = out.size();
    out.resize(at + size);
    for (std::size_t i = 0; i < size; ++i) {
        out[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

} // namespace

void BinaryWriter::WriteUInt16(std::uint16_t value) {
    AppendLittleEndian(m_bytes, value, 2);
}

void BinaryWriter::WriteInt32(std::int32_t value) {
    AppendLittleEndian(m_bytes, static_cast<std::uint32_t>(value), 4);
}

void BinaryWriter::WriteDouble(double value) {
    AppendLittleEndian(m_bytes, std::bit_cast<std::uint64_t>(value), 8);
}

void BinaryWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void BinaryWriter::WriteBytes(std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    m_bytes.insert(m_bytes.end(), data, data + bytes.size());
}

void BinaryWriter::OverwriteInt32(std::size_t at, std::int32_t value) {
    if (at > m_bytes.size() || m_bytes.size() - at < 4) {
        throw StreamError("no four bytes written at offset " + std::to_string(at) + " to overwrite");
    }
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) {
        m_bytes[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

void BinaryWriter::WriteShortString(std::string_view bytes) {
    std::string_view cut = bytes.substr(0, kMaxShortString);
    WriteUInt8(static_cast<std::uint8_t>(cut.size()));
    WriteBytes(cut);
}

void BinaryWriter::WriteCountedString(std::string_view bytes) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw StreamError("string of " + std::to_string(bytes.size()) +
                          " bytes is too long for an int32 length");
    }
    WriteInt32(static_cast<std::int32_t>(bytes.size()));
    WriteBytes(bytes);
}

void BinaryReader::Missing(std::size_t count, std::string_view what) const {
    throw StreamError("unexpected end of data reading " + std::string(what) + " at offset " +
                      std::to_string(m_position) + ": " + std::to_string(count) + " bytes needed, " +
                      std::to_string(Remaining()) + " left");
}

std::uint16_t BinaryReader::ReadUInt16() {
    Need(2, "a 16-bit integer");
    auto value = static_cast<std::uint16_t>(m_bytes[m_position] | (m_bytes[m_position + 1] << 8));
    m_position += 2;
    return value;
}

std::int32_t BinaryReader::ReadInt32() {
    Need(4, "a 32-bit integer");
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(m_bytes[m_position + i]) << (8 * i);
    }
    m_position += 4;
    return static_cast<std::int32_t>(bits);
}

double BinaryReader::ReadDouble() {
    Need(8, "a double");
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        bits |= static_cast<std::uint64_t>(m_bytes[m_position + i]) << (8 * i);
    }
    m_position += 8;
    return std::bit_cast<double>(bits);
}

std::string BinaryReader::ReadString(std::size_t count) {
    Need(count, "string characters");
    std::string text(reinterpret_cast<const char*>(m_bytes.data() + m_position), count);
    m_position += count;
    return text;
}

std::string BinaryReader::ReadShortString() {
    std::size_t length = ReadUInt8();
    return ReadString(length);
}

std::string BinaryReader::ReadCountedString() {
    std::size_t at = m_position;
    std::int32_t length = ReadInt32();
    if (length < 0) {
        throw StreamError("negative string length " + std::to_string(length) + " at offset " +
                          std::to_string(at));
    }
    return ReadString(static_cast<std::size_t>(length));
}

std::size_t BinaryReader::ReadCount(std::size_t minItemSize, std::string_view what) {
    std::size_t at = m_position;
    std::int32_t count = ReadInt32();
    if (count < 0) {
        throw StreamError("negative count " + std::to_string(count) + " of " + std::string(what) +
                          " at offset " + std::to_string(at));
    }
    auto items = static_cast<std::size_t>(count);
    if (minItemSize > 0 && items > Remaining() / minItemSize) {
        throw StreamError("count " + std::to_string(count) + " of " + std::string(what) + " at offset " +
                          std::to_string(at) + " cannot fit in the " + std::to_string(Remaining()) +
                          " bytes left");
    }
    return items;
}

void BinaryReader::ExpectEnd(std::string_view what) const {
    if (!AtEnd()) {
        throw StreamError(std::to_string(Remaining()) + " unexpected bytes after " + std::string(what) +
                          " at offset " + std::to_string(m_position));
    }
}

} // namespace ixo
