#include "reports/compliance_report.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/signal_quality.h"
#include "building/vivienda.h"
#include "model/cabecera_terrestre.h"
#include "model/componente_base.h"
#include "model/pc_lector_fichero.h"
#include "model/toma_tv.h"
#include "reports/document_writer.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace ixo {
namespace {

constexpr std::int16_t kTitleSize = 14;
constexpr std::int16_t kHeadingSize = 11;
constexpr std::int16_t kTextSize = 10;
constexpr std::int16_t kTableSize = 8;

std::string Fixed(double value) {
    if (std::isinf(value)) {
        return "-";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

void Heading(DocumentWriter& writer, std::string_view text) {
    writer.InsertarTexto("\n", Atributos(kTextSize, false), true);
    writer.InsertarTexto(std::string(text) + "\n", Atributos(kHeadingSize, true), true);
}

void Line(DocumentWriter& writer, const std::string& text) {
    writer.InsertarTexto(text + "\n", Atributos(kTextSize, false), true);
}

const CriterionResult* Criterion(const OutletVerdict& verdict, std::string_view name) {
    for (const CriterionResult& criterion : verdict.criteria) {
        if (criterion.criterion == name) {
            return &criterion;
        }
    }
    return nullptr;
}

double Lowest(const LevelVector& values, std::size_t first, std::size_t last) {
    double lowest = values[first];
    for (std::size_t band = first + 1; band <= last; ++band) {
        lowest = std::min(lowest, values[band]);
    }
    return lowest;
}

double Highest(const LevelVector& values, std::size_t first, std::size_t last) {
    double highest = values[first];
    for (std::size_t band = first + 1; band <= last; ++band) {
        highest = std::max(highest, values[band]);
    }
    return highest;
}

void WriteHeadend(DocumentWriter& writer, const Tproyecto& project) {
    const TpreferenciasProyecto& preferences = project.Preferencias();
    const SignalQuality& quality = project.Quality();
    Heading(writer, "Headend and its settings");
    Line(writer, "Polarities: " + std::to_string(preferences.Npolaridades) +
                     "; terrestrial amplifier: " + (preferences.HD_ICTERR ? "yes" : "no"));
    // The headend's output as it stands (the design or the user may have regulated it away from the
    // settings' level).
    double terrestrialOutput = preferences.LV_TERR;
    if (const tplanta* floor = project.PlantaCabecera()) {
        for (const auto& entry : floor->ETV()) {
            if (const auto* headend = dynamic_cast<const TCabeceraTerrestre*>(entry.Object)) {
                terrestrialOutput = headend->NivelTerr()[1];
                break;
            }
        }
    }
    Line(writer, "Terrestrial headend output: " + Fixed(terrestrialOutput) +
                     " dBuV; satellite IF at the LNB outputs: " + Fixed(preferences.LV_FI) + " dBuV");
    Line(writer, "Terrestrial signal at the antenna: " + Fixed(quality.terrestrialAntennaLevel) + " dBuV" +
                     (quality.terrestrialAntennaCn ? ", C/N " + Fixed(*quality.terrestrialAntennaCn) + " dB"
                                                   : std::string(", C/N not given")));
    std::string lnb = "C/N at the LNB output (950/1350/1750/2150 MHz):";
    for (double value : quality.satelliteLnbCn) {
        lnb += " " + Fixed(value);
    }
    Line(writer, lnb + " dB");
    Line(writer,
         "Noise bandwidths: 8 MHz terrestrial (thermal noise 3.8 dBuV), 27.5 MHz satellite (9.2 dBuV), "
         "at 290 K into 75 ohm");
    if (const tplanta* headend = project.PlantaCabecera()) {
        std::string elements;
        for (const auto& entry : headend->ETV()) {
            const auto* element = dynamic_cast<const TPCLectorFichero*>(entry.Object);
            if (element == nullptr) {
                continue;
            }
            elements += (elements.empty() ? "" : ", ") + std::string(entry.Object->Name());
            if (!element->Modelo.empty()) {
                elements += " (" + element->Modelo + ")";
            }
        }
        Line(writer, "Headend elements: " + (elements.empty() ? std::string("none") : elements));
    }
}

void WriteOutletTable(DocumentWriter& writer, const std::vector<OutletVerdict>& verdicts, bool terrestrial) {
    Heading(writer, "Outlets");
    Line(writer, "Levels in dBuV (lowest-highest over every polarity), C/N in dB (lowest over every "
                 "polarity), tilt in dB (largest level spread over 950-2150 MHz).");
    writer.SetFontSize(kTableSize);
    const int rows = static_cast<int>(verdicts.size()) + 1;
    const int table = writer.InsertarTabla(rows, 9);
    writer.AnchosColumnas(table, {3.9, 1.9, 1.9, 1.3, 1.3, 1.1, 1.2, 1.2, 1.3});
    const char* headers[] = {"Outlet", "TER level", "SAT level", "TER C/N", "SAT C/N",
                             "Tilt",   "Level",     "C/N",       "Result"};
    for (int column = 1; column <= 9; ++column) {
        writer.TextoCelda(table, 1, column, headers[column - 1]);
        writer.FormatoCelda(table, 1, column, false, false, true);
    }
    const std::size_t lastTerrestrial = kFirstSatelliteBand - 1;
    int row = 2;
    for (const OutletVerdict& verdict : verdicts) {
        const OutletQuality& q = verdict.quality;
        const std::string place = OutletPlace(q);
        const CriterionResult* terLevel = Criterion(verdict, "TER level");
        const CriterionResult* satLevel = Criterion(verdict, "SAT level");
        const CriterionResult* terCn = Criterion(verdict, "TER C/N");
        const CriterionResult* satCn = Criterion(verdict, "SAT C/N");
        const bool levelPasses = (terLevel == nullptr || terLevel->passes) && satLevel->passes;
        const bool cnPasses = (terCn == nullptr || terCn->passes) && satCn->passes;
        writer.TextoCelda(table, row, 1, place);
        writer.TextoCelda(table, row, 2,
                          terrestrial ? Fixed(Lowest(q.lowestLevel, 1, lastTerrestrial)) + "-" +
                                            Fixed(Highest(q.highestLevel, 1, lastTerrestrial))
                                      : "-");
        writer.TextoCelda(table, row, 3,
                          Fixed(Lowest(q.lowestLevel, kFirstSatelliteBand, kBandCount - 1)) + "-" +
                              Fixed(Highest(q.highestLevel, kFirstSatelliteBand, kBandCount - 1)));
        writer.TextoCelda(table, row, 4, terrestrial ? Fixed(Lowest(q.worstCn, 1, lastTerrestrial)) : "-");
        writer.TextoCelda(table, row, 5, Fixed(Lowest(q.worstCn, kFirstSatelliteBand, kBandCount - 1)));
        writer.TextoCelda(table, row, 6, Fixed(q.satelliteTilt));
        writer.TextoCelda(table, row, 7, levelPasses ? "pass" : "FAIL");
        writer.TextoCelda(table, row, 8, cnPasses ? "pass" : "FAIL");
        writer.TextoCelda(table, row, 9, verdict.Passes() ? "pass" : "FAIL");
        if (!verdict.Passes()) {
            writer.FormatoCelda(table, row, 9, false, false, true);
        }
        ++row;
    }
    for (int column = 2; column <= 9; ++column) {
        writer.AlineacionCeldas(table, column, Alineacion::Right, 2, rows);
    }
    writer.TrasTabla();
    writer.SetFontSize(kTextSize);
}

void WriteList(DocumentWriter& writer, std::string_view heading, const std::vector<std::string>& items,
               std::string_view none) {
    Heading(writer, heading);
    if (items.empty()) {
        Line(writer, std::string(none));
    }
    for (const std::string& item : items) {
        Line(writer, "- " + item);
    }
}

} // namespace

ComplianceSummary EscribirInformeConformidad(DocumentWriter& writer, Tproyecto& project,
                                             const ComplianceFindings& findings) {
    const std::vector<OutletVerdict> verdicts = CheckQuality(project, findings.limits);
    ComplianceSummary summary;
    summary.outlets = static_cast<int>(verdicts.size());
    std::vector<std::string> failures;
    for (const OutletVerdict& verdict : verdicts) {
        if (!verdict.Passes()) {
            ++summary.failingOutlets;
            failures.push_back(OutletPlace(verdict.quality) + ": " + verdict.FailureText());
        }
    }
    summary.complies = summary.outlets > 0 && summary.failingOutlets == 0 && findings.powering.empty() &&
                       findings.overdrive.empty() && findings.notBuilt.empty() &&
                       findings.verdictReasons.empty();

    const std::string projectName = project.NombreFichero.empty()
                                        ? std::string("(not saved)")
                                        : std::filesystem::path(project.NombreFichero).filename().string();
    writer.Reiniciar();
    writer.CabeceraPie("Compliance report", projectName, "Page ");
    writer.InsertarTexto("Compliance report\n", Atributos(kTitleSize, true), true);
    Line(writer, "Project: " + projectName);
    for (const std::string& line : project.Datosproyecto()) {
        if (!line.empty()) {
            Line(writer, line);
        }
    }

    Heading(writer, "Standard");
    const QualityLimits& limits = findings.limits;
    Line(writer,
         findings.standardTitle + (findings.standardNote.empty() ? "" : ": " + findings.standardNote));
    if (limits.terrestrial) {
        Line(writer, "Terrestrial (175-862 MHz): level " + Fixed(limits.terrestrialMinimum) + "-" +
                         Fixed(limits.terrestrialMaximum) + " dBuV, C/N at least " +
                         Fixed(limits.terrestrialMinimumCn) + " dB");
    } else {
        Line(writer, "Terrestrial bands: not distributed, not checked");
    }
    Line(writer,
         "Satellite IF (950-2150 MHz): level " + Fixed(limits.satelliteMinimum) + "-" +
             Fixed(limits.satelliteMaximum) + " dBuV, C/N at least " + Fixed(limits.satelliteMinimumCn) +
             " dB" +
             (limits.maximumSatelliteTilt ? ", tilt at most " + Fixed(*limits.maximumSatelliteTilt) + " dB"
                                          : std::string()));

    WriteHeadend(writer, project);
    WriteOutletTable(writer, verdicts, limits.terrestrial);
    WriteList(writer, "Outlets failing the standard", failures, "None.");
    WriteList(writer, "Parts not built", findings.notBuilt, "None: the installation was built whole.");
    WriteList(writer, "Powering", findings.powering,
              "Every active element is fed and no supply is overloaded.");
    WriteList(writer, "Overdrive", findings.overdrive,
              "No amplifier output or multiswitch input is past its maximum level.");

    Heading(writer, "Summary");
    Line(writer, std::to_string(summary.outlets) + " outlets checked, " +
                     std::to_string(summary.outlets - summary.failingOutlets) + " pass, " +
                     std::to_string(summary.failingOutlets) + " fail; " +
                     std::to_string(findings.powering.size()) + " powering and " +
                     std::to_string(findings.overdrive.size()) + " overdrive finding(s).");
    writer.InsertarTexto(summary.complies
                             ? "The design complies with " + findings.standardTitle + ".\n"
                             : "The design does NOT comply with " + findings.standardTitle + ".\n",
                         Atributos(kHeadingSize, true), true);
    if (!summary.complies && !findings.verdictReasons.empty()) {
        std::string reasons;
        for (const std::string& reason : findings.verdictReasons) {
            reasons += (reasons.empty() ? "" : "; ") + reason;
        }
        Line(writer, "Why: " + reasons + ".");
    }
    Line(writer, "\nChecked by: ______________________________    Date: ______________");
    Line(writer, "\nSignature: ______________________________");
    return summary;
}

} // namespace ixo
