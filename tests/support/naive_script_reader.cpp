#include "support/naive_script_reader.h"

#include "common/text_encoding.h"
#include "support/temp_dir.h"

#include <sstream>

namespace ixo::test {

std::string NaiveReadScript(const std::string& fileBytes, std::string_view key) {
    std::istringstream in(fileBytes);
    std::string line;
    auto next = [&]() {
        if (!std::getline(in, line)) {
            return false;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        line = Cp1252ToUtf8(line);
        return true;
    };
    bool found = false;
    while (!found && next()) {
        found = line.find(key) != std::string::npos;
    }
    std::string script;
    while (found && next() && line.find("@@INIRECOD_") == std::string::npos) {
        script += line + "\r\n";
    }
    return script;
}

std::string NaiveReadScriptFile(const std::filesystem::path& path, std::string_view key) {
    return NaiveReadScript(ReadFileBytes(path), key);
}

} // namespace ixo::test
