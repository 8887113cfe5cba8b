#include "reports/recording_writer.h"

#include "common/file_replace.h"

#include <climits>
#include <stdexcept>

namespace ixo {

namespace {

constexpr int kPageBreak = INT_MIN;

std::string Flag(bool value) {
    return value ? "1" : "0";
}

} // namespace

const RecordingWriter::Cell& RecordingWriter::Table::At(int row, int column) const {
    if (row < 1 || row > Rows || column < 1 || column > Columns) {
        throw std::out_of_range("cell (" + std::to_string(row) + ", " + std::to_string(column) +
                                ") outside table " + std::to_string(Id));
    }
    return Cells[static_cast<std::size_t>((row - 1) * Columns + (column - 1))];
}

RecordingWriter::Cell& RecordingWriter::Table::At(int row, int column) {
    return const_cast<Cell&>(static_cast<const Table&>(*this).At(row, column));
}

void RecordingWriter::Reiniciar() {
    Record("Reiniciar");
    m_texts.clear();
    m_tables.clear();
    m_order.clear();
    m_page = 0;
    m_caretTable = 0;
    m_nextTable = 11;
    m_fontSize = 10;
}

void RecordingWriter::SetFontSize(std::int16_t points) {
    Record("SetFontSize|" + std::to_string(points));
    m_fontSize = points;
}

void RecordingWriter::SetTableGridLines(bool shown) {
    Record("SetTableGridLines|" + Flag(shown));
    m_gridLines = shown;
}

TRegistroatributo RecordingWriter::AtributosActuales() const {
    TRegistroatributo attributes;
    attributes.Tamano = m_fontSize;
    return attributes;
}

void RecordingWriter::InsertarTexto(std::string_view text, const TRegistroatributo& attributes, bool apply) {
    Record("InsertarTexto|" + std::string(text) + "|" + std::to_string(attributes.Tamano) + "|" +
           Flag(attributes.Negrita != 0) + "|" + Flag(apply));
    if (m_caretTable != 0) {
        m_errors.push_back("text inserted inside table " + std::to_string(m_caretTable));
        return;
    }
    m_order.push_back(static_cast<int>(m_texts.size()));
    m_texts.push_back(Text{std::string(text), apply ? attributes : AtributosActuales(), apply, m_page});
}

void RecordingWriter::SaltoPagina() {
    Record("SaltoPagina");
    if (m_caretTable != 0) {
        m_errors.push_back("page break inside table " + std::to_string(m_caretTable));
        return;
    }
    m_order.push_back(kPageBreak);
    ++m_page;
}

int RecordingWriter::InsertarTabla(int rows, int columns) {
    Record("InsertarTabla|" + std::to_string(rows) + "|" + std::to_string(columns));
    if (rows < 1 || columns < 1 || m_caretTable != 0) {
        m_errors.push_back("InsertarTabla: " + std::to_string(rows) + " x " + std::to_string(columns) +
                           (m_caretTable != 0 ? " inside a table" : ""));
        return 0;
    }
    Table table;
    table.Id = m_nextTable++;
    table.Rows = rows;
    table.Columns = columns;
    table.Page = m_page;
    table.GridLines = m_gridLines;
    table.FontSize = m_fontSize;
    table.Cells.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    m_order.push_back(-1 - static_cast<int>(m_tables.size()));
    m_tables.push_back(std::move(table));
    m_caretTable = m_tables.back().Id;
    return m_caretTable;
}

void RecordingWriter::AnchosColumnas(int table, const std::vector<double>& widths) {
    std::string call = "AnchosColumnas|" + std::to_string(table);
    for (double width : widths) {
        call += "|" + std::to_string(width);
    }
    Record(std::move(call));
    if (Table* found = Find(table, "AnchosColumnas")) {
        if (static_cast<int>(widths.size()) != found->Columns) {
            m_errors.push_back("AnchosColumnas: " + std::to_string(widths.size()) + " widths for " +
                               std::to_string(found->Columns) + " columns");
            return;
        }
        found->Widths = widths;
    }
}

void RecordingWriter::TextoCelda(int table, int row, int column, std::string_view text) {
    Record("TextoCelda|" + std::to_string(table) + "|" + std::to_string(row) + "|" + std::to_string(column) +
           "|" + std::string(text));
    if (Cell* cell = FindCell(table, row, column, "TextoCelda")) {
        cell->Text = text;
    }
}

void RecordingWriter::FormatoCelda(int table, int row, int column, bool italic, bool underline, bool bold) {
    Record("FormatoCelda|" + std::to_string(table) + "|" + std::to_string(row) + "|" +
           std::to_string(column) + "|" + Flag(italic) + Flag(underline) + Flag(bold));
    if (Cell* cell = FindCell(table, row, column, "FormatoCelda")) {
        cell->Italic = italic;
        cell->Underline = underline;
        cell->Bold = bold;
    }
}

void RecordingWriter::AlineacionCeldas(int table, int column, Alineacion alignment, int firstRow,
                                       int lastRow) {
    Record("AlineacionCeldas|" + std::to_string(table) + "|" + std::to_string(column) + "|" +
           std::to_string(static_cast<int>(alignment)) + "|" + std::to_string(firstRow) + "|" +
           std::to_string(lastRow));
    for (int row = firstRow; row <= lastRow; ++row) {
        if (Cell* cell = FindCell(table, row, column, "AlineacionCeldas")) {
            cell->Alignment = alignment;
        }
    }
}

void RecordingWriter::TrasTabla() {
    Record("TrasTabla");
    m_caretTable = 0;
}

void RecordingWriter::CabeceraPie(std::string_view header1, std::string_view header2,
                                  std::string_view footer) {
    Record("CabeceraPie|" + std::string(header1) + "|" + std::string(header2) + "|" + std::string(footer));
    m_header1 = header1;
    m_header2 = header2;
    m_footer = footer;
    m_headerFooterSet = true;
}

bool RecordingWriter::Guardar(const std::filesystem::path& file) {
    Record("Guardar|" + file.string());
    if (!ReplaceFileContents(file, PlainText())) {
        return false;
    }
    ++m_saved;
    return true;
}

std::string RecordingWriter::PlainText() const {
    std::string text;
    for (int item : m_order) {
        if (item == kPageBreak) {
            text += '\f';
        } else if (item >= 0) {
            text += m_texts[static_cast<std::size_t>(item)].Value;
        } else {
            const Table& table = m_tables[static_cast<std::size_t>(-1 - item)];
            for (int row = 1; row <= table.Rows; ++row) {
                for (int column = 1; column <= table.Columns; ++column) {
                    text += table.At(row, column).Text;
                    text += column < table.Columns ? '\t' : '\n';
                }
            }
        }
    }
    return text;
}

RecordingWriter::Table* RecordingWriter::Find(int table, const char* call) {
    for (Table& candidate : m_tables) {
        if (candidate.Id == table) {
            return &candidate;
        }
    }
    m_errors.push_back(std::string(call) + ": no table " + std::to_string(table));
    return nullptr;
}

RecordingWriter::Cell* RecordingWriter::FindCell(int table, int row, int column, const char* call) {
    Table* found = Find(table, call);
    if (found == nullptr) {
        return nullptr;
    }
    if (row < 1 || row > found->Rows || column < 1 || column > found->Columns) {
        m_errors.push_back(std::string(call) + ": cell (" + std::to_string(row) + ", " +
                           std::to_string(column) + ") outside table " + std::to_string(table));
        return nullptr;
    }
    return &found->At(row, column);
}

} // namespace ixo
