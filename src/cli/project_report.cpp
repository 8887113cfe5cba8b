#include "cli/project_report.h"

#include "building/escalera.h"
#include "building/lista_niveles.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "cli/cli_app.h"
#include "common/decimal_text.h"
#include "levels/carrier_noise.h"
#include "levels/niveles_tomas.h"
#include "levels/quality_check.h"
#include "model/componente_base.h"
#include "model/especial.h"
#include "model/padre_tv.h"
#include "model/toma_tv.h"
#include "settings/standard_presets.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace ixo::cli {
namespace {

void CountElements(const TPrimerComponente& owner, ProjectReport& report) {
    for (const TPrimerComponente* component : owner.Components()) {
        if (dynamic_cast<const TComponenteBase*>(component) != nullptr) {
            ++report.elementsByClass[std::string(component->ClassName())];
        }
    }
}

std::string JsonString(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

// A CSV field: quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string Numbered(std::string_view prefix, std::int32_t number) {
    std::string text(prefix);
    text += std::to_string(number);
    return text;
}

// Stair, floor, flat and outlet numbers: the order a designer walks the building in.
std::array<std::int32_t, 4> BuildingOrder(const TNodoInfo& record) {
    std::array<std::int32_t, 4> key{};
    if (record.Toma == nullptr) {
        return key;
    }
    key[3] = record.Toma->Numero_Interno();
    if (const auto* flat = dynamic_cast<const Tvivienda*>(record.Toma->Container())) {
        key[2] = flat->Numero_Interno();
        if (const tplanta* floor = flat->Planta()) {
            key[1] = floor->Nivel;
            if (const TEscalera* stair = floor->Escalera()) {
                key[0] = stair->Numero_Interno();
            }
        }
    }
    return key;
}

std::string Place(const FilaError& row) {
    return row.Escalera + " " + row.Planta + " " + row.Vivienda + " " + row.Toma;
}

// A breach is worse than another of the same cause when it is further beyond the limit.
double Excess(const LimitBreach& breach) {
    return breach.aboveMaximum ? breach.level - breach.limit : breach.limit - breach.level;
}

std::vector<ProjectReport::Cause> CausesOf(const std::vector<ProjectReport::FailingOutlet>& outlets) {
    std::vector<ProjectReport::Cause> causes;
    for (const ProjectReport::FailingOutlet& outlet : outlets) {
        for (const LimitBreach& breach : outlet.breaches) {
            auto cause = std::find_if(causes.begin(), causes.end(), [&](const ProjectReport::Cause& c) {
                return c.aboveMaximum == breach.aboveMaximum && c.satellite == breach.satellite;
            });
            if (cause == causes.end()) {
                causes.push_back(
                    {breach.aboveMaximum, breach.satellite, breach.limit, 0, breach, Place(outlet.row)});
                cause = causes.end() - 1;
            } else if (Excess(breach) > Excess(cause->worst)) {
                cause->worst = breach;
                cause->worstPlace = Place(outlet.row);
            }
            ++cause->outlets;
        }
    }
    return causes;
}

std::string CauseName(bool aboveMaximum, bool satellite) {
    return std::string(aboveMaximum ? "above the " : "below the ") +
           (satellite ? "satellite" : "terrestrial") + (aboveMaximum ? " maximum" : " minimum");
}

std::string BreachText(const LimitBreach& breach) {
    return OneDecimalText(breach.level) + (breach.aboveMaximum ? " > " : " < ") +
           OneDecimalText(breach.limit) + " dBµV at " +
           std::to_string(static_cast<int>(breach.frequencyMHz)) + " MHz";
}

ProjectReport::StandardCheck StandardCheckOf(const DesignVerdict::StandardJudgement& judgement) {
    const QualityLimits& limits = judgement.limits;
    ProjectReport::StandardCheck check;
    check.standard = judgement.name;
    check.title = judgement.title;
    check.limits =
        (limits.terrestrial ? "TER " + OneDecimalText(limits.terrestrialMinimum) + "-" +
                                  OneDecimalText(limits.terrestrialMaximum) +
                                  " dBµV, C/N >= " + OneDecimalText(limits.terrestrialMinimumCn) + " dB; "
                            : std::string()) +
        "SAT " + OneDecimalText(limits.satelliteMinimum) + "-" + OneDecimalText(limits.satelliteMaximum) +
        " dBµV, C/N >= " + OneDecimalText(limits.satelliteMinimumCn) + " dB" +
        (limits.maximumSatelliteTilt ? ", tilt <= " + OneDecimalText(*limits.maximumSatelliteTilt) + " dB"
                                     : std::string());
    check.worstCn = LevelVector::Filled(std::numeric_limits<double>::infinity());
    for (const OutletVerdict& verdict : judgement.outlets) {
        ++check.outlets;
        for (std::size_t band = 0; band < kBandCount; ++band) {
            check.worstCn[band] = std::min(check.worstCn[band], verdict.quality.worstCn[band]);
        }
        if (!verdict.Passes()) {
            const OutletQuality& q = verdict.quality;
            check.failing.push_back(
                {Numbered("STAIR", q.Escalera->Numero_Interno()) + " " + Numbered("FLOOR", q.Planta->Nivel) +
                     " " + Numbered("FL", q.Vivienda->Numero_Interno()) + " " +
                     Numbered(std::string_view(q.Toma->Name()).substr(0, 1), q.Toma->Numero_Interno()),
                 verdict.FailureText()});
        }
    }
    return check;
}

void WriteDesignChecks(std::ostream& out, const DesignVerdict& verdict) {
    if (!verdict.powering.empty()) {
        out << "Powering: " << verdict.powering.size() << " problem(s)\n";
        for (const PowerProblem& problem : verdict.powering) {
            out << "  " << problem.Text() << "\n";
        }
    }
    if (!verdict.overdrive.empty()) {
        out << "Overdrive: " << verdict.overdrive.size() << " element pin(s) past their maximum\n";
        for (const OverdriveProblem& problem : verdict.overdrive) {
            out << "  " << problem.Text() << "\n";
        }
    }
}

std::string JsonTexts(const std::vector<std::string>& texts) {
    std::string json = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        json += (i == 0 ? "" : ", ") + JsonString(texts[i]);
    }
    return json + "]";
}

} // namespace

ProjectReport MakeProjectReport(Tproyecto& project, int buildResult) {
    const TpreferenciasProyecto& preferences = project.Preferencias();
    ProjectReport report;
    report.stairs = static_cast<int>(project.Escaleras().Count());
    report.floors = preferences.Nplantas;
    report.polarities = preferences.Npolaridades;
    report.headendTopology = preferences.TipoDistribucionCab == 0 ? "stand-alone" : "cascadeable";
    report.flatDistribution = preferences.TipoDistribucionViv == 0 ? "star" : "cascade";
    report.terrestrial = preferences.HD_ICTERR;
    report.buildResult = buildResult;
    CountElements(project.RedTV(), report);
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object == nullptr) {
            continue;
        }
        ++report.flats;
        CountElements(*flat.Object->Contenedor(), report);
        for (const auto& entry : flat.Object->ETV()) {
            report.outlets += dynamic_cast<const TTomaTV*>(entry.Object) != nullptr ? 1 : 0;
        }
    }
    // Outlets in building order, those of equal place in the order of the error list: the keys are
    // sorted with their positions (small), not the outlets' texts.
    if (buildResult > 0) {
        report.verdict = JudgeDesign(project);
    }
    const std::vector<const TNodoInfo*>& records = report.verdict.outletsOutOfLimits;
    std::vector<std::pair<std::array<std::int32_t, 4>, std::size_t>> order;
    order.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        order.emplace_back(BuildingOrder(*records[i]), i);
    }
    std::sort(order.begin(), order.end());
    report.failingOutlets.reserve(order.size());
    for (const auto& [key, i] : order) {
        report.failingOutlets.push_back({FilaDeError(*records[i]), BreachesOf(*records[i])});
    }
    report.causes = CausesOf(report.failingOutlets);
    for (const BuildOmission& omission : project.Omissions()) {
        auto same =
            std::find_if(report.notBuilt.begin(), report.notBuilt.end(),
                         [&](const ProjectReport::Omission& o) { return o.what == omission.description; });
        if (same == report.notBuilt.end()) {
            report.notBuilt.push_back(
                {omission.kind == BuildOmission::Kind::Element ? "element" : "connection",
                 omission.description, 0, omission.where});
            same = report.notBuilt.end() - 1;
        }
        ++same->count;
    }
    for (std::size_t i = 0; i < preferences.Niveles().Count() && i < 2; ++i) {
        report.limits.push_back(std::string(i == 0 ? "terrestrial" : "satellite") + " " +
                                OneDecimalText(preferences.Minimo(static_cast<int>(i))) + "-" +
                                OneDecimalText(preferences.Maximo(static_cast<int>(i))) + " dBµV");
    }
    if (report.verdict.standard) {
        report.standardCheck = StandardCheckOf(*report.verdict.standard);
    }
    return report;
}

void WriteReportText(std::ostream& out, const ProjectReport& report) {
    out << "Building: " << report.stairs << " stairs, " << report.floors << " floors, " << report.flats
        << " flats, " << report.outlets << " outlets (" << report.flatDistribution << ")\n";
    out << "Headend: " << report.polarities << " polarities, " << report.headendTopology << ", terrestrial "
        << (report.terrestrial ? "on" : "off") << "\n";
    out << "Build: " << (report.buildResult > 0 ? "built and calculated" : "not built") << "\n";
    if (!report.limits.empty()) {
        out << "Limits: ";
        for (std::size_t i = 0; i < report.limits.size(); ++i) {
            out << (i == 0 ? "" : ", ") << report.limits[i];
        }
        out << "\n";
    }
    for (const ProjectReport::Omission& omission : report.notBuilt) {
        out << "Not built (" << omission.kind << ", " << omission.count << "x): " << omission.what
            << (omission.firstWhere.empty() ? "" : " (first: " + omission.firstWhere + ")") << "\n";
    }
    out << "Elements:\n";
    for (const auto& [className, count] : report.elementsByClass) {
        out << "  " << std::left << std::setw(20) << className << std::right << std::setw(8) << count << "\n";
    }
    out << "Outlets out of limits: " << report.failingOutlets.size() << " of " << report.outlets << "\n";
    for (const ProjectReport::Cause& cause : report.causes) {
        out << "  " << cause.outlets << " " << CauseName(cause.aboveMaximum, cause.satellite) << " ("
            << OneDecimalText(cause.limit) << " dBµV), worst " << OneDecimalText(cause.worst.level)
            << " dBµV at " << static_cast<int>(cause.worst.frequencyMHz) << " MHz in " << cause.worstPlace
            << "\n";
    }
    for (const ProjectReport::FailingOutlet& outlet : report.failingOutlets) {
        out << "  " << Place(outlet.row) << "  " << outlet.row.Error;
        for (const LimitBreach& breach : outlet.breaches) {
            out << "  " << BreachText(breach);
        }
        out << "\n";
    }
    if (const auto& check = report.standardCheck) {
        out << "Standard: " << check->title << ": " << check->limits << "\n";
        out << "Lowest C/N (dB):";
        for (std::size_t band = 1; band < kBandCount; ++band) {
            out << " " << static_cast<int>(kBandFrequenciesMHz[band]) << " MHz "
                << OneDecimalText(check->worstCn[band]);
        }
        out << "\n";
        out << "Outlets failing the standard: " << check->failing.size() << " of " << check->outlets << "\n";
        for (const auto& failing : check->failing) {
            out << "  " << failing.place << "  " << failing.failure << "\n";
        }
    }
    WriteDesignChecks(out, report.verdict);
    out << "Verdict: " << VerdictText(report) << "\n";
}

std::string VerdictText(const ProjectReport& report) {
    if (report.Passes()) {
        return "passes";
    }
    std::vector<std::string> reasons = report.verdict.Reasons();
    if (reasons.empty()) {
        reasons.emplace_back("the installation is not built");
    }
    std::string text = "fails: ";
    for (std::size_t i = 0; i < reasons.size(); ++i) {
        text += (i == 0 ? "" : "; ") + reasons[i];
    }
    return text;
}

void WriteReportJson(std::ostream& out, const ProjectReport& report) {
    out << "{\n";
    out << "  \"stairs\": " << report.stairs << ",\n";
    out << "  \"floors\": " << report.floors << ",\n";
    out << "  \"flats\": " << report.flats << ",\n";
    out << "  \"outlets\": " << report.outlets << ",\n";
    out << "  \"polarities\": " << report.polarities << ",\n";
    out << "  \"headendTopology\": " << JsonString(report.headendTopology) << ",\n";
    out << "  \"flatDistribution\": " << JsonString(report.flatDistribution) << ",\n";
    out << "  \"terrestrial\": " << (report.terrestrial ? "true" : "false") << ",\n";
    out << "  \"built\": " << (report.buildResult > 0 ? "true" : "false") << ",\n";
    out << "  \"passes\": " << (report.Passes() ? "true" : "false") << ",\n";
    out << "  \"notBuilt\": [";
    const char* comma = "\n";
    for (const ProjectReport::Omission& omission : report.notBuilt) {
        out << comma << "    {\"kind\": " << JsonString(omission.kind)
            << ", \"what\": " << JsonString(omission.what) << ", \"count\": " << omission.count
            << ", \"where\": " << JsonString(omission.firstWhere) << "}";
        comma = ",\n";
    }
    out << (report.notBuilt.empty() ? "],\n" : "\n  ],\n");
    out << "  \"elements\": {";
    const char* separator = "\n";
    for (const auto& [className, count] : report.elementsByClass) {
        out << separator << "    " << JsonString(className) << ": " << count;
        separator = ",\n";
    }
    out << (report.elementsByClass.empty() ? "},\n" : "\n  },\n");
    out << "  \"outletsOutOfLimits\": [";
    separator = "\n";
    for (const ProjectReport::FailingOutlet& outlet : report.failingOutlets) {
        const FilaError& row = outlet.row;
        out << separator << "    {\"stair\": " << JsonString(row.Escalera)
            << ", \"floor\": " << JsonString(row.Planta) << ", \"flat\": " << JsonString(row.Vivienda)
            << ", \"outlet\": " << JsonString(row.Toma) << ", \"error\": " << JsonString(row.Error)
            << ", \"breaches\": [";
        const char* inner = "";
        for (const LimitBreach& breach : outlet.breaches) {
            out << inner
                << "{\"kind\": " << JsonString(breach.aboveMaximum ? "above maximum" : "below minimum")
                << ", \"signal\": " << JsonString(breach.satellite ? "satellite" : "terrestrial")
                << ", \"band\": " << breach.band
                << ", \"frequencyMHz\": " << static_cast<int>(breach.frequencyMHz)
                << ", \"level\": " << OneDecimalText(breach.level)
                << ", \"limit\": " << OneDecimalText(breach.limit) << "}";
            inner = ", ";
        }
        out << "]}";
        separator = ",\n";
    }
    out << (report.failingOutlets.empty() ? "]" : "\n  ]");
    if (const auto& check = report.standardCheck) {
        out << ",\n  \"standard\": {\"name\": " << JsonString(check->standard)
            << ", \"limits\": " << JsonString(check->limits) << ", \"outlets\": " << check->outlets
            << ", \"lowestCnDb\": {";
        const char* inner = "";
        for (std::size_t band = 1; band < kBandCount; ++band) {
            const double cn = check->worstCn[band];
            out << inner << "\"" << static_cast<int>(kBandFrequenciesMHz[band])
                << "\": " << (std::isinf(cn) ? std::string("null") : OneDecimalText(cn));
            inner = ", ";
        }
        out << "}, \"failing\": [";
        inner = "";
        for (const auto& failing : check->failing) {
            out << inner << "\n    {\"place\": " << JsonString(failing.place)
                << ", \"failure\": " << JsonString(failing.failure) << "}";
            inner = ",";
        }
        out << (check->failing.empty() ? "]}" : "\n  ]}");
    }
    std::vector<std::string> powering;
    for (const PowerProblem& problem : report.verdict.powering) {
        powering.push_back(problem.Text());
    }
    std::vector<std::string> overdrive;
    for (const OverdriveProblem& problem : report.verdict.overdrive) {
        overdrive.push_back(problem.Text());
    }
    out << ",\n  \"powering\": " << JsonTexts(powering);
    out << ",\n  \"overdrive\": " << JsonTexts(overdrive);
    out << ",\n  \"failsBecause\": " << JsonTexts(report.verdict.Reasons());
    out << "\n}\n";
}

std::string OutletLevelsCsv(Tproyecto& project) {
    std::ostringstream csv;
    csv << "stair,floor,flat,outlet";
    for (const char* kind : {"worst", "received"}) {
        for (std::size_t band = 1; band < kBandCount; ++band) {
            csv << "," << kind << "_" << static_cast<int>(kBandFrequenciesMHz[band]) << "MHz_dBuV";
        }
    }
    for (std::size_t band = 1; band < kBandCount; ++band) {
        csv << ",cn_" << static_cast<int>(kBandFrequenciesMHz[band]) << "MHz_dB";
    }
    csv << "\n";
    // Both lists hold every outlet with a tap in building order.
    const std::vector<OutletQuality> quality = MeasureOutletQuality(project);
    std::size_t index = 0;
    for (const NivelesToma& row : NivelesDeTomas(project)) {
        csv << CsvField(Numbered("STAIR", row.Escalera->Numero_Interno())) << ","
            << CsvField(Numbered("FLOOR", row.Planta->Nivel)) << ","
            << CsvField(Numbered("FL", row.Vivienda->Numero_Interno())) << ","
            << CsvField(
                   Numbered(std::string_view(row.Toma->Name()).substr(0, 1), row.Toma->Numero_Interno()));
        for (const LevelVector* levels : {&row.Peor, &row.Recibido}) {
            for (std::size_t band = 1; band < kBandCount; ++band) {
                csv << "," << OneDecimalText((*levels)[band]);
            }
        }
        const bool same = index < quality.size() && quality[index].Toma == row.Toma;
        for (std::size_t band = 1; band < kBandCount; ++band) {
            csv << "," << (same ? OneDecimalText(quality[index].worstCn[band]) : std::string());
        }
        ++index;
        csv << "\n";
    }
    return csv.str();
}

} // namespace ixo::cli
