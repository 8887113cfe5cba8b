#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ixo::test {

// The straightforward reading of a record's script, kept as the reference for the indexed reader:
// read the script file from its start line by line (CR LF or LF) until a line contains key, then take
// every following line, each followed by CR LF, until a line containing "@@INIRECOD_" or the end.
std::string NaiveReadScript(const std::string& fileBytes, std::string_view key);
std::string NaiveReadScriptFile(const std::filesystem::path& path, std::string_view key);

} // namespace ixo::test
