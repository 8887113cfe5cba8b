#pragma once

#include "editing/edit_journal.h"
#include "model/level_vector.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ixo {

class TAmpliBase;
class TCBFT;
class TMultiswitch;
class TPotenciometroBase8;
class TPrimerComponente;
class Tproyecto;

// One slider of the regulation window: a gain or slope control, or the terrestrial mode of an
// amplifier, or the terrestrial attenuator of a multiswitch.
struct RegulationSlider {
    enum class Kind { Control, Mode, Attenuator };
    Kind kind = Kind::Control;
    std::string name;                       // "TRACKBAR" + n, or "TRACKBAR1000" + n for mode and attenuator
    std::string label;                      // "G_SAT1", "T_TER1", "G_TER3", "A/P"
    TCBFT* element = nullptr;               // the amplifier or multiswitch it acts on
    TPotenciometroBase8* control = nullptr; // controls only
    int tag2 = 0;                           // the control's index in its list
    bool sat = false;                       // the control's caption contains "SAT"
    int min = 0;
    int max = 1000;
    int frequency = 100;
    int pageSize = 10;
    int position = 0;
};

// One line of the chart: bands 1 to 7 (band 0 is not shown); bands a line does not show are absent.
struct RegulationLine {
    std::string title;
    std::string colour;
    std::array<double, 7> levels{};
    std::array<bool, 7> shown{};
};

// The regulation of one amplifier (with its double and triple partners) or of one multiswitch, without
// widgets: the window only displays the sliders and lines and passes the user's moves on. Every move
// recalculates the levels of the project. The state at opening is kept: Cancel puts it back, and an
// edit journal takes the change from it to the state at OK, so a confirmed regulation can be undone.
class Regulation {
public:
    static constexpr double kSatelliteMargin = 12.041199826559248; // dB below the rated output, bands 4-7
    static constexpr const char* kColours[8] = {"red",  "green", "fuchsia", "blue",
                                                "aqua", "olive", "teal",    "purple"};

    Regulation(Tproyecto& project, TAmpliBase& amplifier);
    Regulation(Tproyecto& project, TMultiswitch& multiswitch);

    // Whether the regulation window opens for an element: an amplifier other than the terrestrial
    // headend, or a multiswitch with gain controls (Conpot) or a terrestrial attenuator.
    static bool Regulable(const TPrimerComponente& element);
    // Every control slider's control and label in the regulation of element (an amplifier or a
    // multiswitch), in slider order, as the window shows them and `edit gain` takes them ("G_SAT1");
    // empty for another element.
    static std::vector<std::pair<const TPotenciometroBase8*, std::string>> LabelsOf(Tproyecto& project,
                                                                                    TCBFT& element);

    const std::string& Caption() const { return m_caption; }
    const std::vector<RegulationSlider>& Sliders() const { return m_sliders; }
    // "Equal value": moving a control moves the other controls of the same kind (checked at start).
    bool equalValue = true;

    // The user moves slider index to position (clamped to its range). Control sliders follow the rules
    // of the window: the control takes Ajuste (1000 - position) / 10; a move upwards that takes the
    // watched output past the maximum line is undone; with equal value the like controls follow.
    // Answers false when the move was undone.
    bool MoveSlider(std::size_t index, int position);

    // The output lines after the last recalculation, and the maximum line.
    std::vector<RegulationLine> Series() const;
    RegulationLine MaximumLine() const;

    // Puts every control, mode and attenuator of the window back as they were at opening.
    void Cancel();
    // Records the change from the opening state to the current one in journal (OK); false when
    // nothing changed.
    bool RecordInto(EditJournal& journal) const;

    // Slider position of a control at Ajuste (1000 - Ajuste x 10) and back.
    static int PositionOf(double ajuste);
    static double AjusteOf(int position);

private:
    struct Saved {
        TPotenciometroBase8* control;
        double ajuste;
    };
    struct State {
        std::vector<Saved> controls;
        std::vector<std::pair<TAmpliBase*, std::int32_t>> modes;
        std::vector<std::pair<TMultiswitch*, std::int32_t>> attenuators;
    };
    State Take() const;
    EditJournal::Reach ReachOfElements() const;
    static void Restore(const State& state);
    void AddControlSlider(TCBFT& element, TPotenciometroBase8& control, int index, std::string label);
    void SyncSliders();
    // The level run and the outlet check of the stairs the regulated elements reach.
    void Recalculate();
    // The level run only (a step whose levels the window looks at before it is done).
    void Propagate();
    // The outlet check of those stairs on the levels as they are.
    void Check();
    bool PastMaximum(const RegulationSlider& slider) const;
    LevelVector MaximumOf(const TCBFT& element) const;
    bool Terrestrial(const RegulationSlider& slider) const;

    Tproyecto& m_project;
    std::vector<TAmpliBase*> m_amplifiers; // the amplifier and its partners
    TMultiswitch* m_multiswitch = nullptr;
    std::string m_caption;
    std::vector<RegulationSlider> m_sliders;
    State m_opening;
    EditJournal::Reach m_reach; // the stairs the regulated elements feed, or the whole project
    bool m_busy = false;
};

} // namespace ixo
