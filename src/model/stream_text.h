#pragma once

#include "common/binary_stream.h"

#include <string>
#include <string_view>

namespace ixo {

// Text fields of the model's binary data. Text is UTF-8 in memory and single-byte Windows-1252 in the
// data; these helpers convert at that boundary. A short string holds at most 255 bytes and longer
// text is cut.

// A short string: length byte and characters.
void WriteShortText(BinaryWriter& writer, std::string_view text);
std::string ReadShortText(BinaryReader& reader);

// A counted string: int32 length and characters.
void WriteCountedText(BinaryWriter& writer, std::string_view text);
std::string ReadCountedText(BinaryReader& reader);

// A short string preceded by its own size (length + 1, the length byte included) as a uint16 or an
// int32. The size must cover the length byte and the characters it announces; bytes beyond the
// length byte's count inside the size are skipped.
void WriteSizedShortText16(BinaryWriter& writer, std::string_view text);
std::string ReadSizedShortText16(BinaryReader& reader);
void WriteSizedShortText32(BinaryWriter& writer, std::string_view text);
std::string ReadSizedShortText32(BinaryReader& reader);

// Text cut to at most count characters (UTF-8 sequences are kept whole).
std::string CutToCharacters(std::string_view text, std::size_t count);

} // namespace ixo
