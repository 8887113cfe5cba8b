#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class QPagedPaintDevice;

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

// A page a report is printed on, in millimetres: the report page unless the user set up another.
struct ReportPageLayout {
    double widthMm = ReportPage::kWidthMm;
    double heightMm = ReportPage::kHeightMm;
    double leftMm = ReportPage::kLeftMm;
    double topMm = ReportPage::kTopMm;
    double rightMm = ReportPage::kRightMm;
    double bottomMm = ReportPage::kBottomMm;

    bool operator==(const ReportPageLayout&) const = default;
};

// The document's printed pages on the page.
int ReportPageCount(const TextDocumentWriter& writer, const ReportPageLayout& layout = {});

// Writes the document to file in that format (replacing the file whole or not at all); false with the
// reason in LastFileError(). A PDF's page count goes to pages when given.
[[nodiscard]] bool ExportReport(const TextDocumentWriter& writer, const std::filesystem::path& file,
                                ReportFormat format, int* pages = nullptr,
                                const ReportPageLayout& layout = {});

// Prints pages firstPage to lastPage (1-based, inclusive; 0 for the last page) of the document on a
// device set up for the layout's paper with no margins of its own and a resolution of 96 dots to the inch
// (a printer: QPrinter::setResolution(96)), with the page header and the page-number footer. False when
// the device could not be painted on.
[[nodiscard]] bool PrintReport(const TextDocumentWriter& writer, QPagedPaintDevice& device,
                               const ReportPageLayout& layout = {}, int firstPage = 1, int lastPage = 0);

} // namespace ixo
