#include "tools/catalogue/catalogue_source.h"

namespace ixo::catalogue_tool {

std::string LocatedMessage(std::string_view file, int line, std::string_view message) {
    std::string text(file);
    if (line > 0) {
        text.append(":").append(std::to_string(line));
    }
    text.append(": ").append(message);
    return text;
}

std::vector<std::string> ScriptLines(std::string_view script) {
    std::vector<std::string> lines;
    while (!script.empty()) {
        std::size_t end = script.find("\r\n");
        if (end == std::string_view::npos) {
            lines.emplace_back(script); // not produced by the tool, but keep a last unterminated line
            break;
        }
        lines.emplace_back(script.substr(0, end));
        script.remove_prefix(end + 2);
    }
    return lines;
}

} // namespace ixo::catalogue_tool
