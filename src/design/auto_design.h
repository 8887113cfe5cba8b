#pragma once

#include "design/auto_regulation.h"

#include <string>
#include <vector>

namespace ixo {

class NetworkEditor;
class Progress;

// A line amplifier the design inserted.
struct AmplifierInsertion {
    std::string amplifier; // the new amplifier's name
    std::string model;
    std::string inFrontOf; // the multiswitch it feeds
    std::string place;     // "STAIR1 FLOOR7"
};

// An outlet the design could not bring within limits, and why.
struct UnservedOutlet {
    std::string place; // "STAIR1 FLOOR2 FL3 T1"
    std::string reason;
};

struct DesignOptions {
    bool regulate = true;
    bool amplify = true;
    // Stepped after every stage; once cancel is asked the design stops at its next stage (the edits
    // made so far stay, each undoable).
    Progress* progress = nullptr;
};

struct DesignResult {
    double marginBefore = 0.0; // worst margin, dB (negative: something is beyond its limits)
    double marginAfter = 0.0;
    std::vector<ControlChange> changes;    // every control moved, first position to last
    std::vector<std::string> replacements; // "AmpliHeaderRe1 (AFI-440) -> AFI-420": headend amplification
    std::vector<std::string> cables;       // "riser cable (CX-75) -> CX-110E": a lower-loss cable kept
    std::vector<std::string>
        grades; // "MultiswitchRe7 (MC-504-13) -> MC-504-22, STAIR1 FLOOR3": tap grades kept
    std::vector<std::string>
        ends; // "MultiswitchRe1 (MT-504) -> MC-504-13, STAIR1 FLOOR1": passive riser ends
    std::vector<AmplifierInsertion> amplifiers;
    std::vector<std::string> supplies; // "SupplyRe3 (FA-...) feeds AmpliHeaderRe2": powering mended
    std::vector<std::string> refusals; // amplifier insertions the catalogue or the network refused
    std::vector<UnservedOutlet> unserved;
    // The worst margin of each criterion after the design, dB (infinity where nothing is checked):
    // the outlets' terrestrial and satellite levels, and the element maxima (amplifier outputs,
    // multiswitch inputs).
    double terrestrialMargin = 0.0;
    double satelliteMargin = 0.0;
    double maximaMargin = 0.0;
    // Per stair with outlets still out of limits, the budget that binds it, with its figures.
    std::vector<std::string> budgets;
    int edits = 0; // steps added to the editor's history
    bool cancelled = false; // the user asked to stop before the design was done
};

// From a built installation to one that passes, as ordinary edits of editor (each undoable):
// regulation of every control (RegulateAutomatically); then, while levels remain out of limits, the
// catalogue's lowest-loss cable for the risers (and for the floor runs where the longest would gain at
// least 1 dB: a stand-alone headend feeds every flat through them), the other current models of the headend amplifiers'
// families and the tap grade of every riser's floors (PlanTapGrades), each kept when the regulation after
// it gains (Improves); then, while outlets remain out of limits, line amplifiers on the risers where each
// riser's level budget runs out (PlanLineAmplifiers, a round at a time, each round followed by the
// regulation and the grading of the segments it makes, kept whole when it gains), weighed together with
// a passive cascadable at each riser's end where the active end's input maximum binds (PlanPassiveEnds),
// for the budget's tight target and, when that fails by a little, its wide one; then an amplifier inside
// each flat still short of its minimum (PlanFlatAmplifiers, rounds kept while they gain). Active elements left
// without power get a supply of the preferences' model. The outlets still out of limits are named with
// the reason, each failing stair with its binding budget. Deterministic.
DesignResult DesignAutomatically(NetworkEditor& editor, const DesignOptions& options);

} // namespace ixo
