#include "render/odf_text_reader.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>
#include <QXmlStreamReader>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <variant>
#include <vector>

namespace ixo {

namespace {

// ---- the ZIP container: one entry read out of it ----

constexpr qsizetype kMaxEntryBytes = 256 * 1024 * 1024;

std::uint32_t U16(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

std::uint32_t U32(const QByteArray& bytes, qsizetype at) {
    return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

std::optional<QByteArray> Inflate(const QByteArray& packed, qsizetype expected) {
    QByteArray out(expected, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) { // raw deflate, as ZIP keeps it
        return std::nullopt;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool complete = result == Z_STREAM_END && stream.total_out == static_cast<uLong>(expected);
    inflateEnd(&stream);
    if (!complete) {
        return std::nullopt;
    }
    return out;
}

// The entry called name, through the central directory at the end of the archive.
std::optional<QByteArray> ZipEntry(const QByteArray& zip, const QByteArray& name) {
    const qsizetype size = zip.size();
    qsizetype end = -1;
    for (qsizetype at = size - 22; at >= 0 && at >= size - 22 - 65535; --at) {
        if (U32(zip, at) == 0x06054b50) {
            end = at;
            break;
        }
    }
    if (end < 0) {
        return std::nullopt;
    }
    const std::uint32_t count = U16(zip, end + 10);
    qsizetype at = U32(zip, end + 16);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at < 0 || at + 46 > size || U32(zip, at) != 0x02014b50) {
            return std::nullopt;
        }
        const std::uint32_t method = U16(zip, at + 10);
        const qsizetype packedSize = U32(zip, at + 20);
        const qsizetype plainSize = U32(zip, at + 24);
        const qsizetype nameLength = U16(zip, at + 28);
        const qsizetype extra = U16(zip, at + 30) + U16(zip, at + 32);
        const qsizetype local = U32(zip, at + 42);
        if (at + 46 + nameLength > size) {
            return std::nullopt;
        }
        if (zip.mid(at + 46, nameLength) == name) {
            if (local + 30 > size || U32(zip, local) != 0x04034b50 || plainSize > kMaxEntryBytes) {
                return std::nullopt;
            }
            const qsizetype data = local + 30 + U16(zip, local + 26) + U16(zip, local + 28);
            if (data + packedSize > size) {
                return std::nullopt;
            }
            const QByteArray packed = zip.mid(data, packedSize);
            if (method == 0) {
                return packed;
            }
            return method == 8 ? Inflate(packed, plainSize) : std::nullopt;
        }
        at += 46 + nameLength + extra;
    }
    return std::nullopt;
}

// ---- the content: automatic styles and the text body ----

struct Style {
    QTextCharFormat character;
    QTextBlockFormat block;
    double columnWidth = 0; // document pixels, for table columns
};

// "2.5cm", "10pt", "1in", "12mm", "3px" in document pixels (96 to the inch).
double Length(const QString& text) {
    static const std::pair<const char*, double> units[] = {{"cm", 96.0 / 2.54}, {"mm", 96.0 / 25.4},
                                                           {"in", 96.0},        {"pt", 96.0 / 72.0},
                                                           {"pc", 16.0},        {"px", 1.0}};
    for (const auto& [unit, factor] : units) {
        if (text.endsWith(QLatin1String(unit))) {
            return text.chopped(2).toDouble() * factor;
        }
    }
    return text.toDouble();
}

class ContentReader {
public:
    explicit ContentReader(const QByteArray& xml) : m_xml(xml) {}

    bool Read(QTextDocument& document);
    QString Error() const { return m_xml.errorString(); }

private:
    struct Run {
        QString text;
        QTextCharFormat format;
    };
    struct Paragraph {
        QTextBlockFormat format;
        std::vector<Run> runs;
    };
    struct Table {
        std::vector<double> columnWidths;
        std::vector<std::vector<std::vector<Paragraph>>> rows; // row, cell, paragraphs
    };
    using Item = std::variant<Paragraph, Table>;

    QStringView Attribute(const char* qualified) const;
    void ReadStyle();
    Paragraph ReadParagraph();
    void ReadRuns(Paragraph& paragraph, QTextCharFormat format);
    Table ReadTable();
    void ReadFlow(std::vector<Item>& items, std::vector<Paragraph>* paragraphsOnly);
    static void Insert(QTextCursor& cursor, const Paragraph& paragraph, bool newBlock);
    static void Insert(QTextCursor& cursor, const Table& table);

    QXmlStreamReader m_xml;
    std::map<QString, Style> m_styles;
};

QStringView ContentReader::Attribute(const char* qualified) const {
    return m_xml.attributes().value(QLatin1String(qualified));
}

void ContentReader::ReadStyle() {
    Style& style = m_styles[Attribute("style:name").toString()];
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.qualifiedName();
        if (name == QLatin1String("style:text-properties")) {
            QTextCharFormat& format = style.character;
            if (Attribute("fo:font-weight") == QLatin1String("bold")) {
                format.setFontWeight(QFont::Bold);
            }
            if (Attribute("fo:font-style") == QLatin1String("italic")) {
                format.setFontItalic(true);
            }
            const QStringView underline = Attribute("style:text-underline-style");
            if (!underline.isEmpty() && underline != QLatin1String("none")) {
                format.setFontUnderline(true);
            }
            const QStringView strike = Attribute("style:text-line-through-style");
            if (!strike.isEmpty() && strike != QLatin1String("none")) {
                format.setFontStrikeOut(true);
            }
            const QStringView size = Attribute("fo:font-size");
            if (size.endsWith(QLatin1String("pt"))) {
                format.setFontPointSize(size.chopped(2).toDouble());
            }
            QString family = Attribute("fo:font-family").toString();
            family = family.isEmpty() ? Attribute("style:font-name").toString() : family;
            if (!family.isEmpty()) {
                format.setFontFamilies({family.remove(QLatin1Char('\''))});
            }
        } else if (name == QLatin1String("style:paragraph-properties")) {
            const QStringView align = Attribute("fo:text-align");
            if (align == QLatin1String("center")) {
                style.block.setAlignment(Qt::AlignHCenter);
            } else if (align == QLatin1String("end") || align == QLatin1String("right")) {
                style.block.setAlignment(Qt::AlignRight);
            } else if (align == QLatin1String("justify")) {
                style.block.setAlignment(Qt::AlignJustify);
            } else if (!align.isEmpty()) {
                style.block.setAlignment(Qt::AlignLeft);
            }
            if (Attribute("fo:break-before") == QLatin1String("page")) {
                style.block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            }
        } else if (name == QLatin1String("style:table-column-properties")) {
            style.columnWidth = Length(Attribute("style:column-width").toString());
        }
        m_xml.skipCurrentElement();
    }
}

void ContentReader::ReadRuns(Paragraph& paragraph, QTextCharFormat format) {
    while (!m_xml.atEnd()) {
        const auto token = m_xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            return;
        }
        if (token == QXmlStreamReader::Characters) {
            paragraph.runs.push_back({m_xml.text().toString(), format});
        } else if (token == QXmlStreamReader::StartElement) {
            const QStringView name = m_xml.qualifiedName();
            if (name == QLatin1String("text:span") || name == QLatin1String("text:a")) {
                QTextCharFormat inner = format;
                inner.merge(m_styles[Attribute("text:style-name").toString()].character);
                ReadRuns(paragraph, inner);
                continue;
            }
            if (name == QLatin1String("text:s")) {
                const int count = std::max(1, Attribute("text:c").toInt());
                paragraph.runs.push_back({QString(std::min(count, 1000), QLatin1Char(' ')), format});
            } else if (name == QLatin1String("text:tab")) {
                paragraph.runs.push_back({QStringLiteral("\t"), format});
            } else if (name == QLatin1String("text:line-break")) {
                paragraph.runs.push_back({QString(QChar::LineSeparator), format});
            }
            m_xml.skipCurrentElement();
        }
    }
}

ContentReader::Paragraph ContentReader::ReadParagraph() {
    const Style& style = m_styles[Attribute("text:style-name").toString()];
    Paragraph paragraph;
    paragraph.format = style.block;
    ReadRuns(paragraph, style.character);
    return paragraph;
}

ContentReader::Table ContentReader::ReadTable() {
    Table table;
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.qualifiedName();
        if (name == QLatin1String("table:table-column")) {
            const int repeated = std::clamp(Attribute("table:number-columns-repeated").toInt(), 1, 1000);
            const double width = m_styles[Attribute("table:style-name").toString()].columnWidth;
            table.columnWidths.insert(table.columnWidths.end(), static_cast<std::size_t>(repeated), width);
            m_xml.skipCurrentElement();
        } else if (name == QLatin1String("table:table-row")) {
            auto& row = table.rows.emplace_back();
            while (m_xml.readNextStartElement()) {
                if (m_xml.qualifiedName() == QLatin1String("table:table-cell") ||
                    m_xml.qualifiedName() == QLatin1String("table:covered-table-cell")) {
                    std::vector<Item> ignored;
                    ReadFlow(ignored, &row.emplace_back());
                } else {
                    m_xml.skipCurrentElement();
                }
            }
        } else if (name == QLatin1String("table:table-header-rows") ||
                   name == QLatin1String("table:table-rows")) {
            const Table inner = ReadTable();
            table.rows.insert(table.rows.end(), inner.rows.begin(), inner.rows.end());
        } else {
            m_xml.skipCurrentElement();
        }
    }
    return table;
}

// The children of the current element: paragraphs, headings, lists and tables. Inside a table cell
// (paragraphsOnly) a nested table's texts become paragraphs of the cell.
void ContentReader::ReadFlow(std::vector<Item>& items, std::vector<Paragraph>* paragraphsOnly) {
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.qualifiedName();
        if (name == QLatin1String("text:p") || name == QLatin1String("text:h")) {
            Paragraph paragraph = ReadParagraph();
            if (paragraphsOnly != nullptr) {
                paragraphsOnly->push_back(std::move(paragraph));
            } else {
                items.emplace_back(std::move(paragraph));
            }
        } else if (name == QLatin1String("table:table") && paragraphsOnly == nullptr) {
            items.emplace_back(ReadTable());
        } else if (name == QLatin1String("text:list") || name == QLatin1String("text:list-item") ||
                   name == QLatin1String("text:section") || name == QLatin1String("table:table")) {
            ReadFlow(items, paragraphsOnly);
        } else {
            m_xml.skipCurrentElement();
        }
    }
}

void ContentReader::Insert(QTextCursor& cursor, const Paragraph& paragraph, bool newBlock) {
    if (newBlock) {
        cursor.insertBlock(paragraph.format, QTextCharFormat());
    } else {
        cursor.setBlockFormat(paragraph.format);
    }
    for (const Run& run : paragraph.runs) {
        cursor.insertText(run.text, run.format);
    }
}

void ContentReader::Insert(QTextCursor& cursor, const Table& table) {
    std::size_t columns = table.columnWidths.size();
    for (const auto& row : table.rows) {
        columns = std::max(columns, row.size());
    }
    if (table.rows.empty() || columns == 0) {
        return;
    }
    QTextTableFormat format;
    format.setCellPadding(2);
    format.setBorder(0);
    QList<QTextLength> widths;
    for (std::size_t c = 0; c < columns; ++c) {
        const double width = c < table.columnWidths.size() ? table.columnWidths[c] : 0;
        widths << (width > 0 ? QTextLength(QTextLength::FixedLength, width) : QTextLength());
    }
    format.setColumnWidthConstraints(widths);
    QTextTable* inserted =
        cursor.insertTable(static_cast<int>(table.rows.size()), static_cast<int>(columns), format);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            QTextCursor cell =
                inserted->cellAt(static_cast<int>(r), static_cast<int>(c)).firstCursorPosition();
            const auto& paragraphs = table.rows[r][c];
            for (std::size_t p = 0; p < paragraphs.size(); ++p) {
                Insert(cell, paragraphs[p], p > 0);
            }
        }
    }
    cursor.movePosition(QTextCursor::End);
}

bool ContentReader::Read(QTextDocument& document) {
    std::vector<Item> items;
    bool body = false;
    while (!m_xml.atEnd()) {
        if (m_xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QStringView name = m_xml.qualifiedName();
        if (name == QLatin1String("style:style")) {
            ReadStyle();
        } else if (name == QLatin1String("office:text")) {
            body = true;
            ReadFlow(items, nullptr);
        }
    }
    if (m_xml.hasError() || !body) {
        return false;
    }
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const Item& item : items) {
        if (const auto* paragraph = std::get_if<Paragraph>(&item)) {
            Insert(cursor, *paragraph, !first);
        } else {
            Insert(cursor, std::get<Table>(item));
        }
        first = false;
    }
    return true;
}

} // namespace

bool ReadOdfText(const std::filesystem::path& file, QTextDocument& document, std::string& error) {
    QFile input(QString::fromStdString(file.string()));
    if (!input.open(QIODevice::ReadOnly)) {
        error = input.errorString().toStdString();
        return false;
    }
    const QByteArray zip = input.readAll();
    const std::optional<QByteArray> content = ZipEntry(zip, "content.xml");
    if (!content) {
        error = "not an ODF text document";
        return false;
    }
    QTextDocument read;
    read.setDefaultFont(document.defaultFont());
    ContentReader reader(*content);
    if (!reader.Read(read)) {
        error = "the document's text cannot be read: " + reader.Error().toStdString();
        return false;
    }
    document.clear();
    QTextCursor(&document).insertFragment(QTextDocumentFragment(&read));
    return true;
}

} // namespace ixo
