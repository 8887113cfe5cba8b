#pragma once

#include "model/level_vector.h"

#include <array>
#include <memory>
#include <vector>

namespace ixo {

class LevelSample;
class TAmpliBase;
class TPotenciometroBase8;
class TMultiswitch;
class Tproyecto;
class tplanta;

// A floor's riser multiswitch and the model of its family to put in its place.
struct TapGrade {
    const tplanta* floor = nullptr;
    TMultiswitch* element = nullptr; // the floor's multiswitch fed by the riser
    const TMultiswitch* model = nullptr;
};

// The tap grade of every floor of every riser, from the levels of sample (a network whose controls the
// regulation has set). A cascade's floors see the riser's levels less the through losses of every floor
// above them; the grade (the tap loss) of each floor sets how much of that reaches its outlets. Per riser
// segment (from the headend or from a line amplifier down to the next), each floor may take any current
// model of its multiswitch's family with the same inputs, outputs and taps that has no controls and draws
// nothing (or keep its own); a choice moves that floor's outlets by the difference of the tap losses and
// every floor below by the difference of the through losses. The choice maximises the segment's worst
// outlet margin once the segment's levels are shifted, band by band, to where that worst margin is
// largest (the shift the regulation can make), the first segment's upward shift bounded by headendRoom
// (dB per band: what the headend's controls have left); ties go to the model in place. Floors are
// visited from the headend down, a few passes. Returns the floors whose choice differs from the model in
// place; deterministic.
std::vector<TapGrade> PlanTapGrades(const Tproyecto& project, const LevelSample& sample,
                                    const std::array<double, kBandCount>& headendRoom);

// The first and top band of each band group a tilt is measured over: 0 terrestrial 175-862 MHz, 1
// satellite 950-2150 MHz.
inline constexpr std::size_t kTiltBands[2][2] = {{1, kFirstSatelliteBand - 1},
                                                 {kFirstSatelliteBand, kBandCount - 1}};

// What the source of a riser segment (the headend, a line amplifier) can still do to its levels: lift
// each band by at most lift[band] dB, and tilt each band group (0: terrestrial 175-862 MHz, 1: satellite
// 950-2150 MHz) by tiltLow to tiltHigh dB, a tilt being the shift at the group's top band less the shift
// at its first band, spread linearly over the bands between.
struct SourceRoom {
    std::array<double, kBandCount> lift;
    std::array<double, 2> tiltLow{0.0, 0.0};
    std::array<double, 2> tiltHigh{0.0, 0.0};

    SourceRoom();
    // Any tilt at all (a source whose tilt the design does not know, such as a floor's multiswitch).
    void OpenTilts();
    // Narrows the tilts to what the slope controls can still add from their positions (several controls
    // of a group: what each of them can, as every line must take the same tilt).
    void TakeSlopes(const std::vector<TPotenciometroBase8*>& slopes);
};

// How a riser segment is served: its worst outlet margin, and the shift, band by band, the riser's levels
// below the segment's last floor take from it once its source and tap grades are set as the budget chose
// (the shift it was given at its first floor, its source's level and tilt, and the differences of the
// chosen grades' through losses), dB relative to the levels of the sample.
struct SegmentFit {
    double margin = 0.0;
    std::array<double, kBandCount> exit{};
    std::array<double, kBandCount> source{}; // the source's own shift (level and tilt) the budget chose
};

// The level budget of the risers as the grading sees it (from the levels of sample): per floor the margins
// of its outlets and the tap grades its multiswitch may take.
class RiserBudget {
public:
    RiserBudget(const Tproyecto& project, const LevelSample& sample);
    ~RiserBudget();
    RiserBudget(const RiserBudget&) = delete;
    RiserBudget& operator=(const RiserBudget&) = delete;

    // Whether the floor has a multiswitch fed by the riser and outlets checked.
    [[nodiscard]] bool Has(const tplanta* floor) const;
    // The worst outlet margin floors (a riser segment, top down: each floor's through loss reaches the
    // floors below it) reach with the tap grades PlanTapGrades would choose and their levels shifted
    // band by band to where that margin is largest within what the segment's source can still do (its
    // lift band by band and its tilt per band group; the grades are chosen for the lift alone).
    [[nodiscard]] double SegmentMargin(const std::vector<const tplanta*>& floors,
                                       const SourceRoom& room) const;
    // The same for floors whose levels the sources above them (the headend, line amplifiers planned
    // above) have shifted by offset at the segment's first floor, band by band (room then relative to
    // the shifted levels), and the shift the segment passes on below it.
    [[nodiscard]] SegmentFit FitSegment(const std::vector<const tplanta*>& floors, const SourceRoom& room,
                                        const std::array<double, kBandCount>& offset) const;

private:
    struct Floors;
    std::unique_ptr<Floors> m_floors;
};

// How far an amplifier of model feeding fed may lift the riser's level at fed's inputs, band by band:
// to kMaximumGuard below the model's rated output maximum (infinity where it rates none), the amplifier
// standing at fed's inputs, and tilted as far as the model's slope controls go from where they stand.
SourceRoom AmplifierRoom(const TAmpliBase& model, const TMultiswitch& fed);

} // namespace ixo
