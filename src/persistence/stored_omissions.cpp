#include "persistence/stored_omissions.h"

namespace ixo {
namespace {

constexpr std::string_view kElementKind = "element";
constexpr std::string_view kConnectionKind = "connection";

void AppendEscaped(std::string& out, std::string_view field) {
    for (char c : field) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
}

std::optional<std::string> Unescaped(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size()) {
            return std::nullopt;
        }
        switch (field[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

// One line without its line feed: kind, description and place, tab-separated.
std::optional<BuildOmission> DecodeLine(std::string_view line) {
    const std::size_t firstTab = line.find('\t');
    const std::size_t secondTab =
        firstTab == std::string_view::npos ? firstTab : line.find('\t', firstTab + 1);
    if (secondTab == std::string_view::npos || line.find('\t', secondTab + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view kind = line.substr(0, firstTab);
    BuildOmission omission;
    if (kind == kElementKind) {
        omission.kind = BuildOmission::Kind::Element;
    } else if (kind == kConnectionKind) {
        omission.kind = BuildOmission::Kind::Connection;
    } else {
        return std::nullopt;
    }
    std::optional<std::string> description = Unescaped(line.substr(firstTab + 1, secondTab - firstTab - 1));
    std::optional<std::string> where = Unescaped(line.substr(secondTab + 1));
    if (!description || !where) {
        return std::nullopt;
    }
    omission.description = std::move(*description);
    omission.where = std::move(*where);
    return omission;
}

} // namespace

std::string EncodeOmissions(const std::vector<BuildOmission>& omissions) {
    if (omissions.empty()) {
        return {};
    }
    std::string text(kOmissionsMarker);
    text += '\n';
    for (const BuildOmission& omission : omissions) {
        text += omission.kind == BuildOmission::Kind::Element ? kElementKind : kConnectionKind;
        text += '\t';
        AppendEscaped(text, omission.description);
        text += '\t';
        AppendEscaped(text, omission.where);
        text += '\n';
    }
    return text;
}

std::optional<std::vector<BuildOmission>> DecodeOmissions(std::string_view reserved, std::string* problem) {
    std::vector<BuildOmission> omissions;
    if (reserved.empty()) {
        return omissions;
    }
    const auto refuse = [problem](std::string why) -> std::optional<std::vector<BuildOmission>> {
        if (problem != nullptr) {
            *problem = "the record of the parts not built: " + std::move(why);
        }
        return std::nullopt;
    };
    const std::string marker = std::string(kOmissionsMarker) + '\n';
    if (!reserved.starts_with(marker)) {
        return refuse("it does not start with the line \"" + std::string(kOmissionsMarker) + "\"");
    }
    std::string_view rest = reserved.substr(marker.size());
    for (int number = 2; !rest.empty(); ++number) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) {
            return refuse("line " + std::to_string(number) + " does not end with a line feed");
        }
        std::optional<BuildOmission> omission = DecodeLine(rest.substr(0, end));
        if (!omission) {
            return refuse(
                "line " + std::to_string(number) +
                " is not a kind (element or connection), a description and a place separated by tabs");
        }
        omissions.push_back(std::move(*omission));
        rest.remove_prefix(end + 1);
    }
    return omissions;
}

} // namespace ixo
