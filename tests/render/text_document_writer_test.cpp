#include "render/text_document_writer.h"

#include "common/file_replace.h"
#include "render/render_test_support.h"
#include "render/report_export.h"
#include "support/temp_dir.h"

#include <QTextBlock>
#include <QTextTable>

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

class TextDocumentWriterTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureGui(); }

    QTextTable* TableAt(int index) {
        int seen = 0;
        for (QTextBlock block = writer.Document().begin(); block.isValid(); block = block.next()) {
            QTextCursor cursor(block);
            if (QTextTable* table = cursor.currentTable();
                table != nullptr && cursor.position() == table->firstPosition()) {
                if (seen++ == index) {
                    return table;
                }
            }
        }
        return nullptr;
    }
    static QString CellText(QTextTable* table, int row, int column) {
        const QTextTableCell cell = table->cellAt(row, column);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cursor.selectedText();
    }

    TextDocumentWriter writer;
};

TEST_F(TextDocumentWriterTest, TablesCellsFormatsAndWidths) {
    writer.SetFontSize(9);
    writer.InsertarTexto("Heading\n", Atributos(12, true), true);
    const int table = writer.InsertarTabla(2, 3);
    EXPECT_EQ(table, 11);
    writer.AnchosColumnas(table, {2.0, 3.0, 1.5});
    writer.TextoCelda(table, 1, 1, "Code");
    writer.TextoCelda(table, 2, 3, "12.8");
    writer.TextoCelda(table, 1, 2, "FREC.\n(MHz)");
    writer.FormatoCelda(table, 1, 1, false, false, true);
    writer.AlineacionCeldas(table, 3, Alineacion::Right, 2, 2);
    writer.TextoCelda(table, 3, 1, "outside"); // no row 3: nothing happens
    writer.TrasTabla();
    writer.InsertarTexto("after", Atributos(10, false), true);
    EXPECT_EQ(writer.InsertarTabla(1, 1), 12);

    QTextTable* first = TableAt(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->rows(), 2);
    EXPECT_EQ(first->columns(), 3);
    EXPECT_EQ(CellText(first, 0, 0), "Code");
    EXPECT_EQ(CellText(first, 1, 2), "12.8");
    EXPECT_EQ(CellText(first, 0, 1), QString("FREC.") + QChar(QChar::ParagraphSeparator) + "(MHz)");
    EXPECT_EQ(first->cellAt(0, 0).firstCursorPosition().charFormat().fontWeight(), QFont::Bold);
    EXPECT_NE(first->cellAt(1, 2).firstCursorPosition().charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(first->cellAt(1, 2).firstCursorPosition().blockFormat().alignment() & Qt::AlignRight);
    EXPECT_EQ(first->cellAt(1, 2).firstCursorPosition().charFormat().fontPointSize(), 9.0);
    const auto widths = first->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 3);
    // 2 cm at 96 pixels to the inch: 2 / 2.54 * 96 = 75.59 pixels, the cell two 1-pixel borders of its
    // own frame narrower.
    EXPECT_FALSE(first->format().borderCollapse());
    EXPECT_NEAR(widths[0].rawValue(), 75.590551 - 2, 1e-5);
    EXPECT_EQ(widths[0].type(), QTextLength::FixedLength);
    // "after" follows the table, outside it.
    EXPECT_TRUE(writer.Document().toPlainText().contains("after"));
    ASSERT_NE(TableAt(1), nullptr);
    EXPECT_EQ(CellText(TableAt(0), 1, 2), "12.8");
}

TEST_F(TextDocumentWriterTest, PageBreakStartsANewPageOnlyOnce) {
    writer.InsertarTexto("first\n", Atributos(10, false), true);
    writer.SaltoPagina();
    writer.InsertarTexto("second\nthird", Atributos(10, false), true);
    int breaks = 0;
    for (QTextBlock block = writer.Document().begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) {
            ++breaks;
            EXPECT_EQ(block.text(), "second");
        }
    }
    EXPECT_EQ(breaks, 1);
    EXPECT_EQ(ReportPageCount(writer), 2);
}

// The same report written whole and written in parts apart, for printing only.
void WriteThreePages(TextDocumentWriter& writer) {
    writer.InsertarTexto("Outlet levels\n", Atributos(14, false), true);
    for (int page = 0; page < 3; ++page) {
        if (page > 0) {
            writer.SaltoPagina();
        }
        writer.InsertarTexto("\n", Atributos(10, false), true);
        const int table = writer.InsertarTabla(3, 2);
        writer.AnchosColumnas(table, {2.7, 1.7});
        writer.TextoCelda(table, 1, 1, "FLATS");
        writer.FormatoCelda(table, 1, 1, false, false, true);
        writer.TextoCelda(table, 2, 2, std::to_string(60 + page) + ".5");
        writer.AlineacionCeldas(table, 2, Alineacion::Right, 2, 3);
        writer.TrasTabla();
        writer.InsertarTexto("\n", Atributos(10, false), true);
    }
}

TEST_F(TextDocumentWriterTest, PartsWrittenApartPrintTheSamePagesAsTheWholeDocument) {
    WriteThreePages(writer);
    TextDocumentWriter apart;
    apart.SetPartsApart(true);
    WriteThreePages(apart);
    ASSERT_EQ(apart.PartsApart().size(), 3u) << "a document for each page break's part";
    EXPECT_EQ(apart.PartsApart()[1]->begin().blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
    EXPECT_EQ(ReportPageCount(apart), 3);
    EXPECT_EQ(ReportPageCount(writer), 3);
    TempDir dir;
    ASSERT_TRUE(ExportReport(writer, dir / "whole.pdf", ReportFormat::Pdf));
    ASSERT_TRUE(ExportReport(apart, dir / "apart.pdf", ReportFormat::Pdf));
    // The same file from its first page on (the creation time is written before it).
    auto pages = [](const std::string& pdf) { return pdf.substr(pdf.find("/Type /Page")); };
    EXPECT_EQ(pages(ReadFileBytes(dir / "apart.pdf")), pages(ReadFileBytes(dir / "whole.pdf")));
}

TEST_F(TextDocumentWriterTest, HtmlKeepsTextTablesHeaderAndFooter) {
    writer.InsertarTexto("Outlet levels <&> \"x\"\n", Atributos(14, false), true);
    const int table = writer.InsertarTabla(2, 2);
    writer.AnchosColumnas(table, {2.7, 1.7});
    writer.TextoCelda(table, 2, 2, "97.4");
    writer.FormatoCelda(table, 2, 2, false, false, true);
    writer.TrasTabla();
    writer.CabeceraPie("Outlet levels", "Block \"A\" & <B>", "");
    const std::string html = writer.Html();

    TextDocumentWriter reopened;
    reopened.SetHtml(html);
    EXPECT_EQ(reopened.Document().toPlainText(), writer.Document().toPlainText());
    EXPECT_EQ(reopened.Header1(), "Outlet levels");
    EXPECT_EQ(reopened.Header2(), "Block \"A\" & <B>");
    EXPECT_TRUE(reopened.HeaderFooterShown());
    QTextTable* table2 = nullptr;
    for (QTextBlock block = reopened.Document().begin(); block.isValid() && table2 == nullptr;
         block = block.next()) {
        table2 = QTextCursor(block).currentTable();
    }
    ASSERT_NE(table2, nullptr);
    EXPECT_EQ(table2->cellAt(1, 1).firstCursorPosition().charFormat().fontWeight(), QFont::Bold);
    const auto widths = table2->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    // 2.7 cm = 102.05 pixels less the cell's two borders; HTML keeps whole pixels.
    EXPECT_NEAR(widths[0].rawValue(), 2.7 * TextDocumentWriter::kPixelsPerCm - 2, 0.5);
    // Qt writes what it read in its own normal form: a second round changes nothing.
    TextDocumentWriter again;
    again.SetHtml(reopened.Html());
    EXPECT_EQ(again.Html(), reopened.Html());
}

// A table the user made wider than the page's body (its last column starts 5 mm into the right margin of
// the A4 page's 160 mm body) prints that column as the editor shows it, instead of cutting it off.
TEST_F(TextDocumentWriterTest, ATableWiderThanTheBodyPrintsIntoTheRightMargin) {
    const int table = writer.InsertarTabla(1, 3);
    writer.AnchosColumnas(table, {2.0, 14.5, 3.0});
    writer.TextoCelda(table, 1, 1, "Code");
    writer.TextoCelda(table, 1, 3, "Count");
    writer.TrasTabla();
    writer.CabeceraPie("", "", "");
    TempDir dir;
    ASSERT_TRUE(ExportReport(writer, dir / "wide.pdf", ReportFormat::Pdf));
    const std::string text = PdfText(dir / "wide.pdf");
    EXPECT_NE(text.find("Code"), std::string::npos) << text;
    EXPECT_NE(text.find("Count"), std::string::npos) << text;
}

TEST_F(TextDocumentWriterTest, ExportsOdtAndPdfAndReportsFailures) {
    writer.InsertarTexto("List of materials\n", Atributos(12, true), true);
    const int table = writer.InsertarTabla(1, 2);
    writer.TextoCelda(table, 1, 1, "RP-2");
    writer.TrasTabla();
    writer.CabeceraPie("", "", "");
    TempDir dir;
    ASSERT_TRUE(ExportReport(writer, dir / "r.odt", ReportFormat::Odt));
    const std::string odt = ReadFileBytes(dir / "r.odt");
    EXPECT_EQ(odt.substr(0, 2), "PK");
    EXPECT_NE(odt.find("application/vnd.oasis.opendocument.text"), std::string::npos);

    ASSERT_TRUE(ExportReport(writer, dir / "r.pdf", ReportFormat::Pdf));
    EXPECT_EQ(ReadFileBytes(dir / "r.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPages(dir / "r.pdf"), 1);
    const std::string text = PdfText(dir / "r.pdf");
    EXPECT_NE(text.find("List of materials"), std::string::npos) << text;
    EXPECT_NE(text.find("RP-2"), std::string::npos) << text;

    EXPECT_FALSE(ExportReport(writer, dir / "missing" / "r.pdf", ReportFormat::Pdf));
    EXPECT_FALSE(LastFileError().empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_TRUE(ReportFormatNamed("PDF") == ReportFormat::Pdf);
    EXPECT_FALSE(ReportFormatNamed("doc").has_value());
}

} // namespace
} // namespace ixo::test
