#pragma once

#include "reports/document_writer.h"

#include <map>
#include <string>
#include <vector>

namespace ixo {

// A document writer that keeps what it is told: every call as one line of text, and the document it
// describes (paragraph texts with their attributes, tables with their cells, page breaks, header and
// footer). The tests check reports against it without a rich-text engine; Guardar writes the plain
// text. Calls that do not fit the document (an unknown table, a cell outside its table, text inserted
// while the caret is in a table) are kept in Errors() and change nothing.
class RecordingWriter : public DocumentWriter {
public:
    struct Cell {
        std::string Text;
        bool Bold = false;
        bool Italic = false;
        bool Underline = false;
        Alineacion Alignment = Alineacion::Left;
    };
    struct Table {
        int Id = 0;
        int Rows = 0;
        int Columns = 0;
        int Page = 0; // 0-based page of the document
        bool GridLines = true;
        std::int16_t FontSize = 10;
        std::vector<double> Widths;
        std::vector<Cell> Cells; // row by row

        // Cell (row, column), 1-based; throws std::out_of_range outside the table.
        const Cell& At(int row, int column) const;
        Cell& At(int row, int column);
    };
    struct Text {
        std::string Value;
        TRegistroatributo Attributes;
        bool Applied = false;
        int Page = 0;
    };

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
    [[nodiscard]] bool Guardar(const std::filesystem::path& file) override;

    const std::vector<std::string>& Calls() const { return m_calls; }
    const std::vector<std::string>& Errors() const { return m_errors; }
    const std::vector<Text>& Texts() const { return m_texts; }
    // Tables in the order they were inserted.
    const std::vector<Table>& Tables() const { return m_tables; }
    int PageCount() const { return m_page + 1; }
    int SavedCount() const { return m_saved; }
    const std::string& Header1() const { return m_header1; }
    const std::string& Header2() const { return m_header2; }
    const std::string& Footer() const { return m_footer; }
    bool HeaderFooterSet() const { return m_headerFooterSet; }
    // Every text and cell in document order: paragraphs as inserted, cells row by row separated by
    // tabs and ending their row with "\n", a page break as "\f".
    std::string PlainText() const;

private:
    Table* Find(int table, const char* call);
    Cell* FindCell(int table, int row, int column, const char* call);
    void Record(std::string call) { m_calls.push_back(std::move(call)); }

    std::vector<std::string> m_calls;
    std::vector<std::string> m_errors;
    std::vector<Text> m_texts;
    std::vector<Table> m_tables;
    // Document order: a text (index into m_texts), a table (-1 - index) or a page break (INT_MIN).
    std::vector<int> m_order;
    int m_page = 0;
    int m_caretTable = 0; // id of the table the caret is in, 0 outside
    int m_nextTable = 11;
    std::int16_t m_fontSize = 10;
    bool m_gridLines = true;
    std::string m_header1;
    std::string m_header2;
    std::string m_footer;
    bool m_headerFooterSet = false;
    int m_saved = 0;
};

} // namespace ixo
