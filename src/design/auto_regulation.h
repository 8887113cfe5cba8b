#pragma once

#include "design/control_effects.h"

#include <string>
#include <vector>

namespace ixo {

class EditJournal;
class LevelSample;
class NetworkEditor;
class TPotenciometroBase8;
class Tproyecto;

// How far below its rated maximum output the design may set a terrestrial headend, dB.
inline constexpr double kTerrestrialRange = 40.0;
// The most a terrestrial headend's 47 MHz output may lie below its 862 MHz output, dB (the channel
// filters of a programmable headend are set one by one; see RegulationSetting).
inline constexpr double kTerrestrialTiltRange = 15.0;

// One control moved by the automatic regulation.
struct ControlChange {
    std::string element; // the amplifier's or multiswitch's name
    std::string model;
    std::string control; // its caption, or "level" for a terrestrial headend's output level
    std::string slider;  // the control's slider in the regulation ("G_SAT1"); empty for a level
    double before = 0.0; // Ajuste in percent, or the level in dBµV
    double after = 0.0;
    std::string unit = "%";

    // The same control of the same element (controls of one element may share a caption).
    bool SameControl(const ControlChange& other) const {
        return element == other.element && control == other.control && slider == other.slider;
    }
};

// How the regulation finds the levels' coefficients: from the structure of the network (one walk up
// from every level, each setting's gain per unit measured on its own element), by one full recalculation
// per setting, or from the structure where the walk knows every element on the way and by recalculation
// otherwise.
enum class RegulationMethod { Automatic, Structure, Probes };

struct AutoRegulationResult {
    std::vector<ControlChange> changes;
    double marginBefore = 0.0; // worst margin to the limits, dB (negative: some level is beyond them)
    double marginAfter = 0.0;
    int recalculations = 0;
    bool applied = false;    // the positions were changed by one edit of the editor (undoable)
    bool structural = false; // the coefficients came from the structure, not from probe recalculations
    // The ascent ran every phase within its work budget and the levels moved as its model said.
    bool settled = false;
};

// Every adjustable gain and slope control of the installation: the amplifiers' (but the terrestrial
// headend's) and the multiswitches', in network order.
std::vector<TPotenciometroBase8*> AdjustableControls(const Tproyecto& project);

// What the regulation chooses when given no controls: every adjustable control (0 to 100 %) and the
// output level of every terrestrial headend (kTerrestrialRange dB below its maximum output up to it)
// and its tilt (0 to kTerrestrialTiltRange dB).
std::vector<RegulationSetting> RegulationSettings(const Tproyecto& project);

// Moves setting to value as a step of journal (a control's position, or a terrestrial headend's output
// level or tilt, restored on undo).
void RecordSetting(const RegulationSetting& setting, EditJournal& journal, double value);
// The changes of the settings whose values moved from before to after (by setting), named as the
// design's output lists them; each element's regulation is built once for the labels of its sliders.
std::vector<ControlChange> ChangesOfSettings(Tproyecto& project,
                                             const std::vector<RegulationSetting>& settings,
                                             const std::vector<double>& before,
                                             const std::vector<double>& after);

// The worst margin of the installation as calculated: over every outlet at every polarity its flat
// selects and every checked band, the distance to the nearer limit (negative beyond it), and over every
// amplifier output and multiswitch input the distance below its maximum. Leaves the network as it was.
double WorstMargin(Tproyecto& project);

// Chooses the positions of controls that maximise the worst margin, and applies them as one edit of
// editor. With controls empty: every adjustable control and the output level of every terrestrial
// headend (from kTerrestrialRange dB below its maximum output up to that maximum).
//
// Method: levels are additive in dB along each path and a control's gain is linear in its position, so
// every level the check looks at is, to a very good approximation, an affine function of the positions:
// the same gain step on every outlet below the control in its band, zero elsewhere. The coefficients come
// from the structure (ControlEffects: the chain of settings above each level, each setting's gain per
// unit measured on its own element), or, where the structure is not known, from one probe recalculation
// per setting. The worst margin is then the minimum of affine functions, a concave
// function of the positions; it is maximised by exact one-dimensional searches over one control at a
// time, repeated until no control improves it. The result is applied, recalculated and measured; the
// probes are taken again around it (nonlinear effects: clipping, terrestrial mixing) while that helps.
AutoRegulationResult RegulateAutomatically(NetworkEditor& editor,
                                           const std::vector<TPotenciometroBase8*>& controls = {},
                                           RegulationMethod method = RegulationMethod::Automatic);

// The same over every adjustable control and terrestrial headend, for a caller that keeps a sample of the
// levels: sample must hold the levels of the network as it stands (taken after its last recalculation);
// the regulation starts from it instead of recalculating, and leaves in it the levels at the positions
// applied (measured by a full recalculation at exactly those positions).
AutoRegulationResult RegulateAutomatically(NetworkEditor& editor, LevelSample& sample,
                                           RegulationMethod method = RegulationMethod::Automatic);

} // namespace ixo
