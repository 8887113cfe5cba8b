#pragma once

#include "design/overdrive_check.h"
#include "design/power_check.h"
#include "levels/quality_check.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace ixo {

struct TNodoInfo;
class Tproyecto;

// Whether a design can be handed in, decided in one place for every command and the window: the
// installation is built and calculated, has outlets, the builder left nothing out, every outlet is within
// the project's level limits at every polarity, every active element is powered and no supplier is
// overloaded, no amplifier output and no multiswitch input is driven past its maximum and, when the
// project names a standard, every outlet meets it (levels, C/N, tilt).
struct DesignVerdict {
    bool built = false;
    std::size_t outlets = 0;
    // The outlet check's records, stairs in project order: one per outlet out of limits.
    std::vector<const TNodoInfo*> outletsOutOfLimits;
    std::size_t omissions = 0;
    std::vector<PowerProblem> powering;
    std::vector<OverdriveProblem> overdrive;

    // The project's standard, when it names one.
    struct StandardJudgement {
        std::string name;  // the preset's name, e.g. "EN60728-1"
        std::string title; // e.g. "EN 60728-1 (CENELEC)"
        QualityLimits limits;
        std::vector<OutletVerdict> outlets; // every outlet, in building order
        std::size_t failing = 0;            // of those, the outlets that fail
    };
    std::optional<StandardJudgement> standard;

    [[nodiscard]] bool Passes() const;
    // Why it does not pass, one short line per criterion, e.g. "12 outlets out of limits"; empty when
    // it passes.
    [[nodiscard]] std::vector<std::string> Reasons() const;
};

// Judges the project as last calculated. The standard's check measures every outlet at every polarity
// and leaves the network as it was. A standard name no preset has fails with that reason (the reader
// refuses such files, so only a caller that sets one by hand meets it).
[[nodiscard]] DesignVerdict JudgeDesign(Tproyecto& project);

} // namespace ixo
