#pragma once

#include <string>
#include <string_view>

namespace ixo {

// Catalogue files hold single-byte Windows-1252 text; inside Ixo every string is UTF-8.
// These two convert at the file boundary.
std::string Cp1252ToUtf8(std::string_view bytes);
// The same into out, whose storage is reused (a reader decoding value after value allocates once).
void AssignCp1252AsUtf8(std::string& out, std::string_view bytes);

// Characters that Windows-1252 cannot hold become '?'; malformed UTF-8 bytes are taken as Latin-1.
std::string Utf8ToCp1252(std::string_view text);

// Whether every byte is below 0x80: such text is the same in both encodings.
[[nodiscard]] bool IsAsciiText(std::string_view text);

} // namespace ixo
