#pragma once

#include "design/design_verdict.h"
#include "levels/lista_errores.h"
#include "model/level_vector.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ixo {
class Tproyecto;
}

namespace ixo::cli {

// What `new` and `check` print about a calculated project.
struct ProjectReport {
    int stairs = 0;
    int floors = 0; // per stair, without the headend floor
    int flats = 0;
    int outlets = 0;
    int polarities = 0;
    std::string headendTopology;  // "stand-alone" or "cascadeable"
    std::string flatDistribution; // "star" or "cascade"
    bool terrestrial = true;
    int buildResult = 0;
    std::map<std::string, int> elementsByClass; // every network element, flats included
    // The outlets out of limits in building order (stair, floor, flat, outlet), each with the error
    // text of the error level list and the limits it breaks.
    struct FailingOutlet {
        FilaError row;
        std::vector<LimitBreach> breaches;
    };
    std::vector<FailingOutlet> failingOutlets;
    // The failing outlets grouped by the limit they break, with the worst case of each.
    struct Cause {
        bool aboveMaximum = false;
        bool satellite = false;
        double limit = 0;
        int outlets = 0;
        LimitBreach worst;
        std::string worstPlace; // "STAIR3 FLOOR2 FL43 T1"
    };
    std::vector<Cause> causes;
    // What the build left out, grouped by what (each with how often and the first place it happened).
    struct Omission {
        std::string kind; // "element" or "connection"
        std::string what;
        int count = 0;
        std::string firstWhere;
    };
    std::vector<Omission> notBuilt;
    std::vector<std::string> limits; // the limits in force, e.g. "terrestrial 60.0-80.0 dBµV"

    // The check against a standard preset (levels, C/N, tilt), when one is chosen.
    struct StandardCheck {
        std::string standard;
        std::string title;
        std::string limits; // e.g. "TER 45.0-74.0 dBµV, C/N >= 25.0 dB; SAT 47.0-77.0 dBµV, C/N >= 11.0 dB"
        int outlets = 0;
        LevelVector worstCn; // the lowest C/N of every outlet, per band
        struct Failing {
            std::string place; // "STAIR3 FLOOR2 FL43 T1"
            std::string failure;
        };
        std::vector<Failing> failing;
    };
    std::optional<StandardCheck> standardCheck;

    // The one verdict on the design (design/design_verdict.h): outlets, omissions, powering, overdrive
    // and the project's standard.
    DesignVerdict verdict;

    bool Passes() const { return buildResult > 0 && verdict.Passes(); }
};

// Judges the calculated project (JudgeDesign) and gathers what `new`, `check`, `edit`, `design` and
// `info` print of it; buildResult <= 0 for an installation that could not be built.
ProjectReport MakeProjectReport(Tproyecto& project, int buildResult);
// The summary, ending with the powering and overdrive findings and the "Verdict:" line.
void WriteReportText(std::ostream& out, const ProjectReport& report);
// "passes", or "fails: " and the reasons, e.g. "fails: 3 outlets out of limits; 1 powering problem".
std::string VerdictText(const ProjectReport& report);
void WriteReportJson(std::ostream& out, const ProjectReport& report);

// One row per outlet: stair, floor, flat, outlet, then the worst and the received levels of bands 1 to
// 7 (dBµV, one decimal; the header names the frequency and the unit, e.g. "worst_950MHz_dBuV"), then the
// lowest C/N over the polarities of bands 1 to 7 ("cn_950MHz_dB"; "inf" where no source reaches). The
// polarities are tried as the outlet check tries them.
std::string OutletLevelsCsv(Tproyecto& project);

} // namespace ixo::cli
