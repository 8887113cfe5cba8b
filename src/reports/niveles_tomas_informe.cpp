#include "reports/niveles_tomas_informe.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "common/ascii_case.h"
#include "levels/calculo_niveles.h"
#include "model/ampli_base.h"
#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/toma_tv.h"
#include "reports/document_writer.h"
#include "reports/report_numbers.h"
#include "reports/report_progress.h"

#include <algorithm>
#include <string>

namespace ixo {

namespace {

constexpr int kOutletsPerTable = 7;
constexpr int kOutletHeaderRows = 5;
constexpr int kOutputsPerTable = 7;
constexpr char kNombreInforme[] = "Outlet levels";

// Polarity 0 on every flat for the report's life; then every flat's own polarity (the records) and a
// recalculation, however the report ends.
class PolaridadCero {
public:
    explicit PolaridadCero(Tproyecto& project)
        : m_project(project), m_list(std::make_unique<TListaInfoPau>(project)) {}
    ~PolaridadCero() {
        m_list.reset();
        Recalcular(m_project);
    }
    PolaridadCero(const PolaridadCero&) = delete;
    PolaridadCero& operator=(const PolaridadCero&) = delete;

    void Seleccionar() {
        m_list->SeleccionarPolaridad(0);
        Recalcular(m_project);
    }
    const TListaInfoPau& Lista() const { return *m_list; }

private:
    Tproyecto& m_project;
    std::unique_ptr<TListaInfoPau> m_list;
};

std::string Frecuencia(std::size_t band) {
    return GeneralNumber(kBandFrequenciesMHz[band]);
}

// One outlet table: the flats' and outlets' names over the levels of the bands shown.
void TablaTomas(DocumentWriter& writer, const std::vector<TNodotoma>& group, std::size_t firstBand) {
    const int bandRows = static_cast<int>(kBandCount - firstBand);
    const int rows = kOutletHeaderRows + bandRows;
    const int columns = 2 + static_cast<int>(group.size());
    const int table = writer.InsertarTabla(rows, columns);
    std::vector<double> widths = {2.7, 1.2};
    widths.resize(static_cast<std::size_t>(columns), 1.7);
    writer.AnchosColumnas(table, widths);

    const char* const labels[] = {"FLATS", "FLOOR", "STAIR", "OUTLET"};
    for (int row = 1; row <= 4; ++row) {
        writer.TextoCelda(table, row, 1, labels[row - 1]);
        writer.FormatoCelda(table, row, 1, false, false, true);
    }
    writer.TextoCelda(table, kOutletHeaderRows, 2, "FREC.\n(MHz)");
    writer.FormatoCelda(table, kOutletHeaderRows, 2, false, false, true);
    writer.AlineacionCeldas(table, 2, Alineacion::Centre, kOutletHeaderRows, kOutletHeaderRows);
    for (int i = 0; i < bandRows; ++i) {
        writer.TextoCelda(table, kOutletHeaderRows + 1 + i, 2,
                          Frecuencia(firstBand + static_cast<std::size_t>(i)));
    }

    int column = 3;
    for (const TNodotoma& node : group) {
        writer.TextoCelda(table, 1, column, node.Vivienda->NombreViv);
        writer.TextoCelda(table, 2, column,
                          "Floor" + std::to_string(node.Planta != nullptr ? node.Planta->Nivel : 0));
        writer.TextoCelda(table, 3, column,
                          "Stair" +
                              std::to_string(node.Escalera != nullptr ? node.Escalera->Numero_Interno() : 0));
        writer.TextoCelda(table, 4, column, "Outlet" + std::to_string(node.Toma->Numero_Interno()));
        for (int i = 0; i < bandRows; ++i) {
            const std::size_t band = firstBand + static_cast<std::size_t>(i);
            writer.TextoCelda(table, kOutletHeaderRows + 1 + i, column,
                              node.TieneDerivacion ? FixedOneDecimal(node.Niveles[band]) : "");
        }
        writer.AlineacionCeldas(table, column, Alineacion::Right, kOutletHeaderRows + 1, rows);
        ++column;
    }
}

// "... output level [model] [place]" for the heading of an element's output levels.
std::string TituloSalidas(const TCBFT& element) {
    std::string title;
    if (element.Is<TCabeceraTerrestre>()) {
        return "Terrestrial amplifier output level";
    }
    if (element.Is<TAmpliBase>()) {
        title = "Satellite amplifier output level [" + element.Modelo + "]";
        if (const auto* flat = dynamic_cast<const Tvivienda*>(element.Container())) {
            return title + " [" + flat->NombreViv + "]";
        }
        const std::string& name = element.Name();
        return title + " [" + name.substr(0, 1) + std::to_string(element.Numero_Interno()) + "]";
    }
    return "Multiswitch output level [" + element.Modelo + "]";
}

// The band rows of one output table of element, and its first band.
std::pair<int, std::size_t> BandasSalidas(const TCBFT& element, bool severalTables, bool terrestrialHeadend) {
    if (element.Is<TCabeceraTerrestre>()) {
        return {3, 1};
    }
    if (element.Is<TAmpliBase>()) {
        const auto* line = dynamic_cast<const TLinAmp*>(&element);
        const bool terrestrial = line != nullptr && terrestrialHeadend && line->TieneterrestreConectada();
        const int rows = severalTables || terrestrial ? 7 : 4;
        return {rows, rows < 6 ? std::size_t{4} : std::size_t{1}};
    }
    // A multiswitch carries the terrestrial bands and every satellite band: all seven are shown (four
    // rows from band 1 would stop at 950 MHz and hide three satellite bands).
    return {7, 1};
}

void TablasSalidas(DocumentWriter& writer, const TCBFT& element, bool terrestrialHeadend) {
    writer.InsertarTexto("\n" + TituloSalidas(element) + "\n", Atributos(12, true), true);
    writer.InsertarTexto("\n", Atributos(10, false), true);
    const auto& outputs = element.PinesSALIDA();
    const int count = static_cast<int>(outputs.size());
    const bool severalTables = count >= 8;
    const auto [bandRows, firstBand] = BandasSalidas(element, severalTables, terrestrialHeadend);
    const int perTable = severalTables ? kOutputsPerTable : std::max(count, 1);
    for (int first = 0; first < count; first += perTable) {
        const int inTable = std::min(perTable, count - first);
        const int table = writer.InsertarTabla(1 + bandRows, 1 + inTable);
        writer.AnchosColumnas(table, std::vector<double>(static_cast<std::size_t>(1 + inTable), 2.0));
        writer.TextoCelda(table, 1, 1, "FREC.\n(MHz)");
        writer.FormatoCelda(table, 1, 1, false, false, true);
        for (int i = 0; i < bandRows; ++i) {
            writer.TextoCelda(table, 2 + i, 1, Frecuencia(firstBand + static_cast<std::size_t>(i)));
        }
        for (int k = 0; k < inTable; ++k) {
            const int column = 2 + k;
            const TPin& output = *outputs[static_cast<std::size_t>(first + k)];
            writer.TextoCelda(table, 1, column, "Level\nOUT " + std::to_string(first + k + 1) + "\n(dbuV)");
            writer.FormatoCelda(table, 1, column, false, false, true);
            for (int i = 0; i < bandRows; ++i) {
                const std::size_t band = firstBand + static_cast<std::size_t>(i);
                writer.TextoCelda(table, 2 + i, column, FixedOneDecimal(output.Levels()[band]));
            }
            writer.AlineacionCeldas(table, column, Alineacion::Right, 2, 1 + bandRows);
        }
        writer.TrasTabla();
        writer.InsertarTexto("\n", Atributos(10, false), true);
    }
}

template <typename Visit> void ElementosDe(const NamedList<TComponenteBase>& elements, Visit visit) {
    for (const auto& entry : elements) {
        if (const auto* element = dynamic_cast<const TCBFT*>(entry.Object)) {
            visit(*element);
        }
    }
}

// The headend's terrestrial amplifier (when the headend has one), IF amplifiers and multiswitches.
std::vector<const TCBFT*> ElementosCabecera(const Tproyecto& project, bool terrestrialHeadend) {
    std::vector<const TCBFT*> found;
    const tplanta* headend = project.PlantaCabecera();
    if (headend == nullptr) {
        return found;
    }
    if (terrestrialHeadend) {
        ElementosDe(headend->ETV(), [&](const TCBFT& element) {
            if (element.Is<TCabeceraTerrestre>()) {
                found.push_back(&element);
            }
        });
    }
    ElementosDe(headend->ETV(), [&](const TCBFT& element) {
        if (element.Is<TAmpliHeader>() || element.Is<TMultiswitch>()) {
            found.push_back(&element);
        }
    });
    return found;
}

// The amplifiers of the stairs: floors from the bottom up (the headend floor left out), each floor's
// elements, then each of its flats' elements.
std::vector<const TCBFT*> Amplificadores(const Tproyecto& project) {
    std::vector<const TCBFT*> found;
    const auto take = [&](const TCBFT& element) {
        if (element.Is<TAmpliBase>()) {
            found.push_back(&element);
        }
    };
    for (const auto& stair : project.Escaleras()) {
        if (stair.Object == nullptr) {
            continue;
        }
        for (const auto& floor : stair.Object->ListaPlantas()) {
            if (floor.Object == nullptr || floor.Object->HeaderPl) {
                continue;
            }
            ElementosDe(floor.Object->ETV(), take);
            for (const auto& flat : floor.Object->LViviendas()) {
                if (flat.Object != nullptr) {
                    ElementosDe(flat.Object->ETV(), take);
                }
            }
        }
    }
    return found;
}

bool SeccionSalidas(DocumentWriter& writer, const std::vector<const TCBFT*>& elements,
                    bool terrestrialHeadend, ReportProgress& progress) {
    progress.SetPartialMaximum(static_cast<int>(elements.size()));
    int done = 0;
    for (const TCBFT* element : elements) {
        if (progress.CancelRequested()) {
            return false;
        }
        progress.SetCurrentItem(element->Name());
        TablasSalidas(writer, *element, terrestrialHeadend);
        progress.SetPartialPosition(++done);
    }
    progress.Step();
    return true;
}

} // namespace

std::vector<TNodotoma> NivelesTomasPolaridadCero(Tproyecto& project) {
    PolaridadCero polarity(project);
    polarity.Seleccionar();
    return polarity.Lista().Tomas();
}

bool EscribirNivelesTomas(Tproyecto& project, DocumentWriter& writer, ReportProgress& progress) {
    const bool terrestrialHeadend = project.Preferencias().HD_ICTERR;
    PolaridadCero polarity(project);
    writer.Reiniciar();
    writer.SetFontSize(9);
    writer.SetTableGridLines(false);
    writer.InsertarTexto(UpperAscii(kNombreInforme) + " (dBuV)\n", Atributos(14, false), true);
    writer.InsertarTexto("\n", Atributos(10, false), true);
    progress.SetCurrentItem("POLARITY 1");
    polarity.Seleccionar();
    progress.Step();
    writer.InsertarTexto("POLARITY 1", Atributos(12, true), true);
    writer.InsertarTexto("\n", Atributos(10, false), true);

    const std::vector<TNodotoma> outlets = polarity.Lista().Tomas();
    const std::size_t firstBand = terrestrialHeadend ? 1 : kFirstSatelliteBand;
    const int tablesPerPage = terrestrialHeadend ? 3 : 4;
    const int tableCount = static_cast<int>((outlets.size() + kOutletsPerTable - 1) / kOutletsPerTable);
    progress.SetPartialMaximum(tableCount);
    for (int t = 0; t < tableCount; ++t) {
        if (progress.CancelRequested()) {
            return false;
        }
        if (t > 0 && t % tablesPerPage == 0) {
            writer.SaltoPagina();
        }
        const auto first = outlets.begin() + static_cast<std::ptrdiff_t>(t) * kOutletsPerTable;
        const auto last = first + std::min<std::ptrdiff_t>(kOutletsPerTable, outlets.end() - first);
        progress.SetCurrentItem(first->Vivienda->NombreViv);
        writer.InsertarTexto("\n", Atributos(10, false), true);
        TablaTomas(writer, std::vector<TNodotoma>(first, last), firstBand);
        writer.TrasTabla();
        writer.InsertarTexto("\n", Atributos(10, false), true);
        progress.SetPartialPosition(t + 1);
    }
    progress.Step();

    writer.SaltoPagina();
    if (!SeccionSalidas(writer, ElementosCabecera(project, terrestrialHeadend), terrestrialHeadend,
                        progress)) {
        return false;
    }
    writer.SaltoPagina();
    return SeccionSalidas(writer, Amplificadores(project), terrestrialHeadend, progress);
}

} // namespace ixo
