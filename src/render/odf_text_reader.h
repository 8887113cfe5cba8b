#pragma once

#include <filesystem>
#include <string>

class QTextDocument;

namespace ixo {

// Reads an ODF text document (.odt, as word processors and ReportFormat::Odt write it) into document:
// paragraphs and headings with their alignment and page breaks, character formats (bold, italic,
// underline, strike-through, font and size), and tables with their column widths and cell texts. Images,
// frames, notes and the styles of styles.xml are not read. False, with the reason in error and document
// untouched, when the file is not a readable ODF text.
[[nodiscard]] bool ReadOdfText(const std::filesystem::path& file, QTextDocument& document,
                               std::string& error);

} // namespace ixo
