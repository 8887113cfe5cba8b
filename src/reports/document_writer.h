#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// Paragraph alignment with the numbers the text attributes store.
enum class Alineacion : std::int32_t { Left = 0, Right = 1, Centre = 2 };

// Text attributes: what InsertarTexto gives the inserted text and AtributosActuales reports.
struct TRegistroatributo {
    std::int32_t Negrita = 0;   // bold, 0/1
    std::int32_t Cursiva = 0;   // italic
    std::int32_t Tachado = 0;   // strike-through
    std::int32_t Subrayado = 0; // underline
    std::int16_t Tamano = 10;   // font size in points
    std::string Fuente = "Arial";
    Alineacion AlineacionParrafo = Alineacion::Left;
    std::int32_t Reservado = 0; // carried, always 0

    bool operator==(const TRegistroatributo&) const = default;
};

// The attributes of report text: the given size, Arial, bold or regular, left aligned.
TRegistroatributo Atributos(std::int16_t points, bool bold, Alineacion alignment = Alineacion::Left);

// The rich-text document a report is written into. The reports write only through this interface; the
// desktop and the command line hand in a writer on a real document, the tests one that records.
//
// Tables have ids (the first is 11, each new one one above the highest); rows and columns are numbered
// from 1, as the user sees them. Text holding "\n" breaks the paragraph there, also inside a cell.
class DocumentWriter {
public:
    virtual ~DocumentWriter() = default;

    // Empties the document; the default font becomes Arial 10 pt, regular.
    virtual void Reiniciar() = 0;
    // The size of text inserted from here on without attributes (and of table cells).
    virtual void SetFontSize(std::int16_t points) = 0;
    // Tables inserted from here on show grid lines on screen or not (the printed borders stay).
    virtual void SetTableGridLines(bool shown) = 0;

    // The font name and size at the caret; every other field 0.
    [[nodiscard]] virtual TRegistroatributo AtributosActuales() const = 0;
    // Inserts text at the caret; with apply, the text gets the attributes and the caret goes after it.
    virtual void InsertarTexto(std::string_view text, const TRegistroatributo& attributes, bool apply) = 0;
    virtual void SaltoPagina() = 0;
    // Inserts a table of that size at the caret (the caret goes into its first cell); its id.
    [[nodiscard]] virtual int InsertarTabla(int rows, int columns) = 0;
    // Column i gets widths[i] centimetres.
    virtual void AnchosColumnas(int table, const std::vector<double>& widths) = 0;
    virtual void TextoCelda(int table, int row, int column, std::string_view text) = 0;
    virtual void FormatoCelda(int table, int row, int column, bool italic, bool underline, bool bold) = 0;
    // The paragraphs of the cells of one column, rows firstRow to lastRow.
    virtual void AlineacionCeldas(int table, int column, Alineacion alignment, int firstRow, int lastRow) = 0;
    // Puts the caret after the end of the table it is in.
    virtual void TrasTabla() = 0;
    // The page header (two texts, 10 pt, left aligned) and footer (10 pt, centred, followed by the page
    // number) of every printed page.
    virtual void CabeceraPie(std::string_view header1, std::string_view header2, std::string_view footer) = 0;

    // Writes the document to file in the writer's own format; false with the reason in LastFileError().
    [[nodiscard]] virtual bool Guardar(const std::filesystem::path& file) = 0;
};

} // namespace ixo
