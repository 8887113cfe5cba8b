#pragma once

#include "reports/document_writer.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTableFormat>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QTextTable;

namespace ixo {

// The document writer on Qt's rich-text document: the report is a QTextDocument that the desktop shows
// and edits, and that is saved as HTML (Qt's own rich-text form, read back without loss) or exported
// (report_export.h). Needs a QGuiApplication (fonts); headless programs use the offscreen platform.
//
// Column widths in centimetres become fixed widths in document pixels (96 to the inch). The page header
// and footer are not part of the text flow: they are kept beside the document, drawn on each printed
// page and carried in the HTML's head.
class TextDocumentWriter : public DocumentWriter {
public:
    TextDocumentWriter();
    ~TextDocumentWriter() override;

    void Reiniciar() override;
    void SetFontSize(std::int16_t points) override;
    void SetTableGridLines(bool shown) override;
    [[nodiscard]] TRegistroatributo AtributosActuales() const override;
    void InsertarTexto(std::string_view text, const TRegistroatributo& attributes, bool apply) override;
    void SaltoPagina() override;
    [[nodiscard]] int InsertarTabla(int rows, int columns) override;
    void AnchosColumnas(int table, const std::vector<double>& widths) override;
    void TextoCelda(int table, int row, int column, std::string_view text) override;
    void FormatoCelda(int table, int row, int column, bool italic, bool underline, bool bold) override;
    void AlineacionCeldas(int table, int column, Alineacion alignment, int firstRow, int lastRow) override;
    void TrasTabla() override;
    void CabeceraPie(std::string_view header1, std::string_view header2, std::string_view footer) override;
    // Saves the document as HTML.
    [[nodiscard]] bool Guardar(const std::filesystem::path& file) override;

    // The document, its layout brought up to date with everything written so far.
    QTextDocument& Document() {
        FinishWriting();
        return *m_document;
    }
    const QTextDocument& Document() const {
        FinishWriting();
        return *m_document;
    }
    const QString& Header1() const { return m_header1; }
    const QString& Header2() const { return m_header2; }
    const QString& Footer() const { return m_footer; }
    bool HeaderFooterShown() const { return m_headerFooter; }

    // A report written only to be printed: each page break starts a document of its own (Document()
    // and Html() then hold the last one), the parts printed one after the other as PartsApart().
    // Printing cuts a document at its page breaks anyway (report_export.cpp); written apart, the parts
    // are not copied out of the whole. Set before writing.
    void SetPartsApart(bool apart) { m_partsApart = apart; }
    bool PartsAreApart() const { return m_partsApart; }
    // Every part written apart, in order (the last is Document()).
    std::vector<QTextDocument*> PartsApart() const;

    // The document as HTML, with the page header and footer in its head.
    std::string Html() const;
    // Replaces the document by a report saved with Html(); its header and footer come back too.
    void SetHtml(const std::string& html);

    // The format of a report table: a solid one-pixel grid drawn as each cell's own frame, two pixels
    // of padding, left-aligned; gridLines is kept for the editor (the report's grid-line setting).
    static QTextTableFormat TableFormat(bool gridLines);

    // Document pixels per centimetre.
    static constexpr double kPixelsPerCm = 96.0 / 2.54;

private:
    // A report is written as one edit of the document: Qt rescans the document's frames after every
    // edit, so table by table the writing would grow with the square of the report's length. The edit
    // is closed when the document is handed out.
    void StartWriting();
    void FinishWriting() const;
    QTextTable* Table(int id) const;
    QTextCharFormat TextFormat(const TRegistroatributo& attributes) const;
    QTextCharFormat CellFormat() const;
    void KeepCellFormat(); // m_cellFormat after a change of the font size
    void InsertLines(QTextCursor& cursor, std::string_view text, const QTextCharFormat& format);

    std::unique_ptr<QTextDocument> m_document;
    bool m_partsApart = false;
    std::vector<std::unique_ptr<QTextDocument>> m_earlierParts; // written apart, before m_document
    QTextCursor m_cursor;
    std::map<int, QTextTable*> m_tables;  // owned by the document
    QTextTable* m_currentTable = nullptr; // the table the caret is in, while writing
    mutable QTextCursor m_edit;           // holds the open edit
    mutable bool m_writing = false;
    QTextBlockFormat m_blockFormat; // the paragraph format new paragraphs take
    int m_nextTable = 11;
    std::int16_t m_fontSize = 10;
    QTextCharFormat m_cellFormat; // the format of a cell's text, CellFormat()
    bool m_gridLines = true;
    QString m_header1;
    QString m_header2;
    QString m_footer;
    bool m_headerFooter = false;
};

} // namespace ixo
