#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ixo {

class TextDocumentWriter;

// The forms a report document is written in: HTML (the report's own document format, as the desktop's
// report editor saves and opens it), ODF text for word processors, PDF for printing and handing in.
enum class ReportFormat { Html, Odt, Pdf };

// "html", "odt" or "pdf" (any case); nothing for other names.
std::optional<ReportFormat> ReportFormatNamed(std::string_view name);
// ".html", ".odt", ".pdf".
std::string_view ExtensionOf(ReportFormat format);

// The page every report is printed on: A4 portrait, margins in millimetres left 30, top 20, right 20,
// bottom 25; the page header sits in the top margin, the footer with the page number in the bottom one.
struct ReportPage {
    static constexpr double kWidthMm = 210.0;
    static constexpr double kHeightMm = 297.0;
    static constexpr double kLeftMm = 30.0;
    static constexpr double kTopMm = 20.0;
    static constexpr double kRightMm = 20.0;
    static constexpr double kBottomMm = 25.0;
};

// The document's printed pages on the report page.
int ReportPageCount(const TextDocumentWriter& writer);

// Writes the document to file in that format (replacing the file whole or not at all); false with the
// reason in LastFileError(). A PDF's page count goes to pages when given.
[[nodiscard]] bool ExportReport(const TextDocumentWriter& writer, const std::filesystem::path& file,
                                ReportFormat format, int* pages = nullptr);

} // namespace ixo
