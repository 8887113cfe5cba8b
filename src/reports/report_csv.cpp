#include "reports/report_csv.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/vivienda.h"
#include "model/toma_tv.h"
#include "reports/report_numbers.h"

#include <ostream>

namespace ixo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void Row(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out << (i > 0 ? "," : "") << CsvField(fields[i]);
    }
    out << kLineEnd;
}

} // namespace

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

void WriteMaterialsCsv(std::ostream& out, const std::vector<TElementoRec>& lines, bool terrestrialHeadend) {
    Row(out, {"Code", "Model", "Description", "Quantity", "Unit"});
    if (terrestrialHeadend) {
        Row(out, {"", "Terrestrial amplifier", "Terrestrial amplifier", "1", "pcs"});
    }
    for (const TElementoRec& line : lines) {
        Row(out, {line.Codigo, line.Nombre, line.Descripcion, FixedOneDecimal(line.Cantidad),
                  line.Tipo == TipoMaterial::Cable ? "m" : "pcs"});
    }
}

void WriteOutletLevelsCsv(std::ostream& out, const std::vector<TNodotoma>& outlets, std::size_t firstBand) {
    std::vector<std::string> header = {"Stair", "Floor", "Flat", "Outlet"};
    for (std::size_t band = firstBand; band < kBandCount; ++band) {
        header.push_back(GeneralNumber(kBandFrequenciesMHz[band]) + " MHz (dBµV)");
    }
    Row(out, header);
    for (const TNodotoma& node : outlets) {
        std::vector<std::string> row = {
            node.Escalera != nullptr ? std::to_string(node.Escalera->Numero_Interno()) : "",
            node.Planta != nullptr ? std::to_string(node.Planta->Nivel) : "",
            node.Vivienda != nullptr ? node.Vivienda->NombreViv : "",
            node.Toma != nullptr ? std::to_string(node.Toma->Numero_Interno()) : ""};
        for (std::size_t band = firstBand; band < kBandCount; ++band) {
            row.push_back(node.TieneDerivacion ? FixedOneDecimal(node.Niveles[band]) : "");
        }
        Row(out, row);
    }
}

} // namespace ixo
