#include "ui/report_editor/report_editor_rules.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace ixo {

namespace {

std::string LowerExtension(std::string_view fileName) {
    return LowerAscii(std::filesystem::path(std::string(fileName)).extension().string());
}

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

constexpr std::string_view kHtmlFilter = "Report (*.html *.htm)";
constexpr std::string_view kOdtFilter = "ODF text (*.odt)";
constexpr std::string_view kPdfFilter = "PDF (*.pdf)";

} // namespace

ReportFileKind ReportFileKindOf(std::string_view fileName) {
    const std::string extension = LowerExtension(fileName);
    if (extension == ".html" || extension == ".htm") {
        return ReportFileKind::Html;
    }
    if (extension == ".odt") {
        return ReportFileKind::Odt;
    }
    if (extension == ".pdf") {
        return ReportFileKind::Pdf;
    }
    if (extension == ".txt") {
        return ReportFileKind::PlainText;
    }
    return ReportFileKind::Unknown;
}

std::string ReportEditorRules::Caption(std::string_view documentName) {
    if (documentName.empty()) {
        return std::string(kCaption);
    }
    return std::string(kCaption) + " - " +
           std::filesystem::path(std::string(documentName)).filename().string();
}

std::string ReportEditorRules::OpenFilter() {
    return "Documents (*.html *.htm *.odt *.txt);;" + std::string(kHtmlFilter) + ";;" +
           std::string(kOdtFilter) + ";;Text (*.txt)";
}

std::string ReportEditorRules::SaveFilter() {
    return std::string(kHtmlFilter) + ";;" + std::string(kOdtFilter);
}

ReportFileKind ReportEditorRules::SaveKind(std::string& fileName, std::string_view chosenFilter) {
    const ReportFileKind kind = ReportFileKindOf(fileName);
    if (kind == ReportFileKind::Html || kind == ReportFileKind::Odt) {
        return kind;
    }
    if (chosenFilter == kOdtFilter) {
        fileName += ".odt";
        return ReportFileKind::Odt;
    }
    fileName += ".html";
    return ReportFileKind::Html;
}

std::string ReportEditorRules::UnableToOpenMessage(std::string_view file, std::string_view reason) {
    std::string text = "Unable to open " + std::string(file);
    if (!reason.empty()) {
        text += "\n" + std::string(reason);
    }
    return text;
}

std::string ReportEditorRules::UnableToSaveMessage(std::string_view file, std::string_view reason) {
    std::string text = "Unable to save " + std::string(file);
    if (!reason.empty()) {
        text += "\n" + std::string(reason);
    }
    return text + "\nThe document stays open in the editor.";
}

std::optional<std::string> ReportEditorRules::UnreadableKindReason(ReportFileKind kind) {
    switch (kind) {
    case ReportFileKind::Html:
    case ReportFileKind::Odt:
    case ReportFileKind::PlainText:
        return std::nullopt;
    case ReportFileKind::Pdf:
        return std::string("A PDF file is a printed report; the editor opens the report's HTML or ODF text.");
    case ReportFileKind::Unknown:
        break;
    }
    return std::string("The editor opens reports (.html), ODF text (.odt) and plain text (.txt); save a DOC "
                       "or RTF document as ODF text in its word processor first.");
}

EditCommandStates ReportEditorRules::Commands(bool hasSelection, bool canUndo, bool canRedo, bool inTable) {
    EditCommandStates states;
    states.cut = hasSelection;
    states.copy = hasSelection;
    states.undo = canUndo;
    states.redo = canRedo;
    states.tableFormat = inTable;
    return states;
}

std::optional<int> ReportEditorRules::ZoomFromText(std::string_view text) {
    while (!text.empty() && (text.back() == '%' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    const std::optional<int> value = WholeNumber(text);
    if (!value) {
        return std::nullopt;
    }
    return std::clamp(*value, kMinZoom, kMaxZoom);
}

std::optional<std::string> ReportEditorRules::PageSetupProblem(const EditorPageSetup& setup) {
    if (setup.width <= 0 || setup.height <= 0) {
        return std::string("The page must have a width and a height.");
    }
    if (setup.left < 0 || setup.top < 0 || setup.right < 0 || setup.bottom < 0) {
        return std::string("Margins cannot be negative.");
    }
    // At least a centimetre of text each way.
    if (setup.left + setup.right > setup.width - 1000 || setup.top + setup.bottom > setup.height - 1000) {
        return std::string("The margins leave no room for the text.");
    }
    return std::nullopt;
}

ReportPageLayout ReportEditorRules::Layout(const EditorPageSetup& setup) {
    return {setup.width / 100.0, setup.height / 100.0, setup.left / 100.0,
            setup.top / 100.0,   setup.right / 100.0,  setup.bottom / 100.0};
}

EditorPageSetup ReportEditorRules::SetupOf(const ReportPageLayout& layout) {
    auto hundredths = [](double mm) { return static_cast<int>(std::lround(mm * 100.0)); };
    return {hundredths(layout.widthMm), hundredths(layout.heightMm), hundredths(layout.leftMm),
            hundredths(layout.topMm),   hundredths(layout.rightMm),  hundredths(layout.bottomMm)};
}

int ReportEditorRules::PageCount(const std::vector<double>& partHeights, double bodyHeight) {
    if (bodyHeight <= 0) {
        return 1;
    }
    int pages = 0;
    for (const double height : partHeights) {
        pages += std::max(1, static_cast<int>(std::ceil(height / bodyHeight - 1e-9)));
    }
    return std::max(1, pages);
}

int ReportEditorRules::PageAt(const std::vector<double>& partHeights, double bodyHeight, double y) {
    if (bodyHeight <= 0) {
        return 1;
    }
    int page = 1;
    double top = 0;
    for (const double height : partHeights) {
        const int pages = std::max(1, static_cast<int>(std::ceil(height / bodyHeight - 1e-9)));
        if (y < top + height || &height == &partHeights.back()) {
            const int within = static_cast<int>(std::max(0.0, y - top) / bodyHeight);
            return page + std::min(within, pages - 1);
        }
        top += height;
        page += pages;
    }
    return page;
}

bool InsertTableRules::KeyAccepted(char32_t key) {
    return (key >= U'0' && key <= U'9') || key == U'-' || (key < U' ' && key != U'\r');
}

std::optional<InsertTableRules::Size> InsertTableRules::Accept(std::string_view columnsText,
                                                               std::string_view rowsText) {
    const std::optional<int> columns = WholeNumber(columnsText);
    const std::optional<int> rows = WholeNumber(rowsText);
    if (!columns || !rows || *columns < 1 || *columns > kMaxColumns || *rows < 1 || *rows > kMaxRows) {
        return std::nullopt;
    }
    return Size{*rows, *columns};
}

} // namespace ixo
