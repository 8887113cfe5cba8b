#include "model/stream_text.h"

#include "common/text_encoding.h"

namespace ixo {
namespace {

constexpr std::size_t kMaxShortString = 255;

std::string ShortBytes(std::string_view text) {
    std::string bytes = Utf8ToCp1252(text);
    if (bytes.size() > kMaxShortString) {
        bytes.resize(kMaxShortString);
    }
    return bytes;
}

// Reads a short string that occupies size bytes (the length byte included).
std::string ReadShortTextOfSize(BinaryReader& reader, std::int64_t size, std::size_t at) {
    if (size < 1 || size > static_cast<std::int64_t>(kMaxShortString) + 1) {
        throw StreamError("short string size " + std::to_string(size) + " at offset " + std::to_string(at) +
                          " is outside 1..256");
    }
    std::size_t length = reader.ReadUInt8();
    if (length > static_cast<std::size_t>(size - 1)) {
        throw StreamError("short string of length " + std::to_string(length) + " at offset " +
                          std::to_string(at) + " does not fit its size " + std::to_string(size));
    }
    const std::span<const std::uint8_t> bytes = reader.ReadBytes(length);
    reader.ReadBytes(static_cast<std::size_t>(size - 1) - length);
    return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace

void WriteShortText(BinaryWriter& writer, std::string_view text) {
    writer.WriteShortString(ShortBytes(text));
}

std::string ReadShortText(BinaryReader& reader) {
    return Cp1252ToUtf8(reader.ReadShortString());
}

void WriteCountedText(BinaryWriter& writer, std::string_view text) {
    if (IsAsciiText(text)) {
        writer.WriteCountedString(text); // the same bytes in both encodings
        return;
    }
    writer.WriteCountedString(Utf8ToCp1252(text));
}

std::string ReadCountedText(BinaryReader& reader) {
    std::string bytes = reader.ReadCountedString();
    if (IsAsciiText(bytes)) {
        return bytes; // the same text in both encodings: no second string
    }
    return Cp1252ToUtf8(bytes);
}

void WriteSizedShortText16(BinaryWriter& writer, std::string_view text) {
    std::string bytes = ShortBytes(text);
    writer.WriteUInt16(static_cast<std::uint16_t>(bytes.size() + 1));
    writer.WriteShortString(bytes);
}

std::string ReadSizedShortText16(BinaryReader& reader) {
    std::size_t at = reader.Position();
    return ReadShortTextOfSize(reader, reader.ReadUInt16(), at);
}

void WriteSizedShortText32(BinaryWriter& writer, std::string_view text) {
    std::string bytes = ShortBytes(text);
    writer.WriteInt32(static_cast<std::int32_t>(bytes.size() + 1));
    writer.WriteShortString(bytes);
}

std::string ReadSizedShortText32(BinaryReader& reader) {
    std::size_t at = reader.Position();
    return ReadShortTextOfSize(reader, reader.ReadInt32(), at);
}

std::string CutToCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < count; ++characters) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    return std::string(text.substr(0, end));
}

} // namespace ixo
