#include "render/text_document_writer.h"

#include "common/file_replace.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextTable>

#include <algorithm>

namespace ixo {

namespace {

constexpr char kFontName[] = "Arial";
// Where the page header and footer travel in the HTML head.
constexpr char kHeader1Meta[] = "ixo-page-header1";
constexpr char kHeader2Meta[] = "ixo-page-header2";
constexpr char kFooterMeta[] = "ixo-page-footer";
// The grid-line flag of a table, kept in its format for the editor.
constexpr int kGridLinesProperty = QTextFormat::UserProperty + 1;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Alignment AlignmentOf(Alineacion alignment) {
    switch (alignment) {
    case Alineacion::Right:
        return Qt::AlignRight | Qt::AlignAbsolute;
    case Alineacion::Centre:
        return Qt::AlignHCenter;
    case Alineacion::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignAbsolute;
}

QString Meta(const char* name, const QString& value) {
    return QStringLiteral("<meta name=\"%1\" content=\"%2\" />")
        .arg(QLatin1String(name), value.toHtmlEscaped());
}

QString MetaValue(const QString& html, const char* name) {
    const QRegularExpression pattern(
        QStringLiteral("<meta name=\"%1\" content=\"([^\"]*)\"").arg(QLatin1String(name)));
    const QRegularExpressionMatch match = pattern.match(html);
    if (!match.hasMatch()) {
        return {};
    }
    // Undo toHtmlEscaped.
    QString value = match.captured(1);
    value.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    value.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    value.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    value.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return value;
}

// Qt writes the margins and indents of every paragraph into its style attribute, even those of a plain
// paragraph, because HTML gives paragraphs margins of their own. Read back, each attribute is parsed
// as a style sheet of its own: most of the time of opening a long report. The plain paragraph's
// style is written once in the head instead, for every paragraph, and dropped from the paragraphs
// (a browser and Qt read the same paragraphs from either).
constexpr char kPlainParagraph[] =
    " margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; "
    "text-indent:0px;";

QString WithPlainParagraphsInTheHead(const QString& html) {
    const QString plain = QString::fromLatin1(kPlainParagraph);
    const qsizetype styleEnd = html.indexOf(QStringLiteral("</style>"));
    if (styleEnd < 0) {
        return html;
    }
    QString out;
    out.reserve(html.size());
    out += QStringView(html).left(styleEnd);
    out += QStringLiteral("p {") + plain + QStringLiteral(" }\n");
    qsizetype from = styleEnd;
    while (true) {
        const qsizetype found = html.indexOf(plain, from);
        if (found < 0) {
            break;
        }
        // Only in a paragraph's own tag.
        const qsizetype tag = html.lastIndexOf(QLatin1Char('<'), found);
        const bool paragraph = tag >= from && html.mid(tag, 3) == QStringLiteral("<p ") &&
                               html.indexOf(QLatin1Char('>'), tag) > found;
        if (!paragraph) {
            out += QStringView(html).mid(from, found + plain.size() - from);
            from = found + plain.size();
            continue;
        }
        QStringView before = QStringView(html).mid(from, found - from);
        const QStringView attribute = QStringLiteral(" style=\"");
        if (before.endsWith(attribute) && html.mid(found + plain.size(), 1) == QStringLiteral("\"")) {
            // The whole attribute goes.
            out += before.chopped(attribute.size());
            from = found + plain.size() + 1;
        } else {
            out += before;
            from = found + plain.size();
        }
    }
    out += QStringView(html).mid(from);
    return out;
}

} // namespace

TextDocumentWriter::TextDocumentWriter() : m_document(std::make_unique<QTextDocument>()) {
    // A generated report is not undone cell by cell: no undo history while writing (the editor that
    // shows the document turns it on).
    m_document->setUndoRedoEnabled(false);
    Reiniciar();
}

TextDocumentWriter::~TextDocumentWriter() = default;

void TextDocumentWriter::StartWriting() {
    if (!m_writing) {
        m_edit = QTextCursor(m_document.get());
        m_edit.beginEditBlock();
        m_writing = true;
    }
}

void TextDocumentWriter::FinishWriting() const {
    if (m_writing) {
        m_writing = false;
        m_edit.endEditBlock();
    }
}

void TextDocumentWriter::Reiniciar() {
    FinishWriting();
    m_earlierParts.clear();
    m_tables.clear();
    m_currentTable = nullptr;
    m_document->clear();
    m_nextTable = 11;
    m_fontSize = 10;
    KeepCellFormat();
    m_document->setDefaultFont(QFont(QString::fromLatin1(kFontName), m_fontSize));
    m_blockFormat = QTextBlockFormat();
    m_cursor = QTextCursor(m_document.get());
    m_cursor.setBlockFormat(m_blockFormat);
    m_cursor.setCharFormat(CellFormat());
}

void TextDocumentWriter::SetFontSize(std::int16_t points) {
    m_fontSize = points;
    KeepCellFormat();
    m_cursor.setCharFormat(CellFormat());
}

void TextDocumentWriter::SetTableGridLines(bool shown) {
    m_gridLines = shown;
}

TRegistroatributo TextDocumentWriter::AtributosActuales() const {
    TRegistroatributo attributes;
    const QFont font = m_cursor.charFormat().font();
    attributes.Fuente = font.family().toStdString();
    attributes.Tamano = static_cast<std::int16_t>(font.pointSize() > 0 ? font.pointSize() : m_fontSize);
    return attributes;
}

QTextCharFormat TextDocumentWriter::TextFormat(const TRegistroatributo& attributes) const {
    QTextCharFormat format;
    format.setFontFamilies({FromUtf8(attributes.Fuente)});
    format.setFontPointSize(attributes.Tamano);
    format.setFontWeight(attributes.Negrita != 0 ? QFont::Bold : QFont::Normal);
    format.setFontItalic(attributes.Cursiva != 0);
    format.setFontStrikeOut(attributes.Tachado != 0);
    format.setFontUnderline(attributes.Subrayado != 0);
    return format;
}

QTextCharFormat TextDocumentWriter::CellFormat() const {
    TRegistroatributo attributes;
    attributes.Tamano = m_fontSize;
    return TextFormat(attributes);
}

void TextDocumentWriter::KeepCellFormat() {
    m_cellFormat = CellFormat();
}

void TextDocumentWriter::InsertLines(QTextCursor& cursor, std::string_view text,
                                     const QTextCharFormat& format) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty()) {
            cursor.insertText(FromUtf8(line), format);
        }
        if (end == std::string_view::npos) {
            return;
        }
        // The new paragraph keeps the alignment but never a page break of the one it follows.
        QTextBlockFormat block = cursor.blockFormat();
        block.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        cursor.insertBlock(block, format);
        start = end + 1;
    }
}

void TextDocumentWriter::InsertarTexto(std::string_view text, const TRegistroatributo& attributes,
                                       bool apply) {
    StartWriting();
    if (!apply) {
        InsertLines(m_cursor, text, m_cursor.charFormat());
        return;
    }
    QTextBlockFormat block = m_cursor.blockFormat();
    block.setAlignment(AlignmentOf(attributes.AlineacionParrafo));
    m_cursor.setBlockFormat(block);
    InsertLines(m_cursor, text, TextFormat(attributes));
}

void TextDocumentWriter::SaltoPagina() {
    StartWriting();
    QTextBlockFormat block = m_cursor.blockFormat();
    if (m_partsApart) {
        // The page starts a document of its own, its first paragraph as the one after a break.
        const QTextCharFormat characters = m_cursor.charFormat();
        FinishWriting();
        const QFont font = m_document->defaultFont();
        m_earlierParts.push_back(std::move(m_document));
        m_document = std::make_unique<QTextDocument>();
        m_document->setUndoRedoEnabled(false);
        m_document->setDefaultFont(font);
        m_cursor = QTextCursor(m_document.get());
        block.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        m_cursor.setBlockFormat(block);
        m_cursor.setBlockCharFormat(characters);
        m_cursor.setCharFormat(characters);
        StartWriting();
        return;
    }
    block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    m_cursor.insertBlock(block, m_cursor.charFormat());
}

std::vector<QTextDocument*> TextDocumentWriter::PartsApart() const {
    FinishWriting();
    std::vector<QTextDocument*> parts;
    for (const auto& part : m_earlierParts) {
        parts.push_back(part.get());
    }
    parts.push_back(m_document.get());
    return parts;
}

int TextDocumentWriter::InsertarTabla(int rows, int columns) {
    if (rows < 1 || columns < 1) {
        return 0;
    }
    StartWriting();
    m_cursor.setCharFormat(m_cellFormat);
    QTextTable* table = m_cursor.insertTable(rows, columns, TableFormat(m_gridLines));
    const int id = m_nextTable++;
    m_tables[id] = table;
    m_currentTable = table;
    return id;
}

QTextTableFormat TextDocumentWriter::TableFormat(bool gridLines) {
    QTextTableFormat format;
    format.setBorder(1.0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QBrush(Qt::black));
    // Each cell draws its own frame, touching its neighbours' (no spacing): the same grid as collapsed
    // borders, which Qt lays out and draws by looking up every cell's neighbours, several times slower
    // over a long report.
    format.setBorderCollapse(false);
    format.setCellSpacing(0);
    format.setCellPadding(2);
    format.setAlignment(Qt::AlignLeft);
    format.setProperty(kGridLinesProperty, gridLines);
    return format;
}

QTextTable* TextDocumentWriter::Table(int id) const {
    const auto found = m_tables.find(id);
    return found != m_tables.end() ? found->second : nullptr;
}

void TextDocumentWriter::AnchosColumnas(int table, const std::vector<double>& widths) {
    StartWriting();
    QTextTable* found = Table(table);
    if (found == nullptr) {
        return;
    }
    QList<QTextLength> constraints;
    QTextTableFormat format = found->format();
    // A cell's own frame takes a border on either side of it: the cell is narrower by both, so that the
    // column keeps its width.
    const double frames = format.borderCollapse() ? 0.0 : 2 * format.border();
    for (double width : widths) {
        constraints.append(
            QTextLength(QTextLength::FixedLength, std::max(1.0, width * kPixelsPerCm - frames)));
    }
    format.setColumnWidthConstraints(constraints);
    found->setFormat(format);
}

void TextDocumentWriter::TextoCelda(int table, int row, int column, std::string_view text) {
    StartWriting();
    QTextTable* found = Table(table);
    if (found == nullptr || row < 1 || row > found->rows() || column < 1 || column > found->columns()) {
        return;
    }
    const QTextTableCell cell = found->cellAt(row - 1, column - 1);
    QTextCursor cursor = cell.firstCursorPosition();
    const int last = cell.lastPosition();
    if (last > cursor.position()) {
        cursor.setPosition(last, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    InsertLines(cursor, text, m_cellFormat);
}

void TextDocumentWriter::FormatoCelda(int table, int row, int column, bool italic, bool underline,
                                      bool bold) {
    StartWriting();
    QTextTable* found = Table(table);
    if (found == nullptr || row < 1 || row > found->rows() || column < 1 || column > found->columns()) {
        return;
    }
    const QTextTableCell cell = found->cellAt(row - 1, column - 1);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    cursor.mergeCharFormat(format);
}

void TextDocumentWriter::AlineacionCeldas(int table, int column, Alineacion alignment, int firstRow,
                                          int lastRow) {
    StartWriting();
    QTextTable* found = Table(table);
    if (found == nullptr || column < 1 || column > found->columns()) {
        return;
    }
    QTextBlockFormat format;
    format.setAlignment(AlignmentOf(alignment));
    for (int row = std::max(firstRow, 1); row <= std::min(lastRow, found->rows()); ++row) {
        const QTextTableCell cell = found->cellAt(row - 1, column - 1);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        cursor.mergeBlockFormat(format);
    }
}

void TextDocumentWriter::TrasTabla() {
    // The caret is in the table last inserted until it is put after it (the frames are not scanned
    // during the edit, so the cursor cannot tell).
    QTextTable* table = m_writing ? m_currentTable : m_cursor.currentTable();
    m_currentTable = nullptr;
    if (table == nullptr) {
        return;
    }
    m_cursor = table->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_cursor.setCharFormat(CellFormat());
}

void TextDocumentWriter::CabeceraPie(std::string_view header1, std::string_view header2,
                                     std::string_view footer) {
    m_header1 = FromUtf8(header1);
    m_header2 = FromUtf8(header2);
    m_footer = FromUtf8(footer);
    m_headerFooter = true;
}

std::string TextDocumentWriter::Html() const {
    FinishWriting();
    QString html = WithPlainParagraphsInTheHead(m_document->toHtml());
    if (m_headerFooter) {
        const QString metas =
            Meta(kHeader1Meta, m_header1) + Meta(kHeader2Meta, m_header2) + Meta(kFooterMeta, m_footer);
        const qsizetype head = html.indexOf(QStringLiteral("<head>"));
        if (head >= 0) {
            html.insert(head + 6, metas);
        }
    }
    return html.toStdString();
}

void TextDocumentWriter::SetHtml(const std::string& html) {
    Reiniciar();
    const QString text = QString::fromStdString(html);
    m_document->setHtml(text);
    m_headerFooter = text.contains(QLatin1String(kFooterMeta));
    m_header1 = MetaValue(text, kHeader1Meta);
    m_header2 = MetaValue(text, kHeader2Meta);
    m_footer = MetaValue(text, kFooterMeta);
    m_cursor = QTextCursor(m_document.get());
    m_cursor.movePosition(QTextCursor::End);
}

bool TextDocumentWriter::Guardar(const std::filesystem::path& file) {
    return ReplaceFileContents(file, Html());
}

} // namespace ixo
