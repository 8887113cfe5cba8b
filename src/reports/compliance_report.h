#pragma once

#include "levels/quality_check.h"

#include <string>
#include <vector>

namespace ixo {

class DocumentWriter;
class Tproyecto;

// What the compliance report states besides the outlets: the standard and the findings of the checks
// of the design (powering, overdrive) and of the build, as texts made by the layers that check them.
struct ComplianceFindings {
    std::string standardTitle; // e.g. "ICT (Spain)"
    std::string standardNote;  // what the figures are for
    QualityLimits limits;
    std::vector<std::string> powering;  // one text per powering problem
    std::vector<std::string> overdrive; // one text per overdriven pin
    std::vector<std::string> notBuilt;  // one text per part the build left out
    // The design verdict's reasons against this standard (empty when it passes), e.g. "3 outlets out of
    // limits": the report says no more and no less than `check` of the same file.
    std::vector<std::string> verdictReasons;
};

// The outcome the report's summary states.
struct ComplianceSummary {
    int outlets = 0;
    int failingOutlets = 0;
    bool complies = false; // outlets, none failing, no design problem, nothing left out, the verdict passes
};

// Writes the compliance report: the standard and its limits, the headend and its settings (levels,
// polarities, source quality, noise bandwidths), one row per outlet with its lowest and highest levels,
// its lowest C/N, its satellite tilt and pass or fail per criterion, the failing outlets' reasons, the
// powering and overdrive findings, and a summary with a place to sign. The outlet measurement tries
// every polarity and leaves the network as it was.
ComplianceSummary EscribirInformeConformidad(DocumentWriter& writer, Tproyecto& project,
                                             const ComplianceFindings& findings);

} // namespace ixo
