#pragma once

// The rules of the regulation window: the core's Regulation of one amplifier (with its partners) or one
// multiswitch, and what the window adds to it: the sliders' column width, the chart's fixed range, titles
// and colours, OK as one step of the edit history, Cancel putting everything back, and the count of
// outlets out of limits after every move (the status bar and the error list follow it). The window only
// shows these and passes the user's moves on.
#include "editing/regulation.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ixo {

class NetworkEditor;
class TAmpliBase;
class TMultiswitch;
class Tproyecto;

class RegulationModel {
public:
    static constexpr double kAxisMinimum = 60.0; // dBµV
    static constexpr double kAxisMaximum = 120.0;
    static constexpr const char* kLevelAxisTitle = "Output level (dBuV)";
    static constexpr const char* kFrequencyAxisTitle = "Frequency (MHz)";
    static constexpr const char* kEqualValue = "Equal value";
    static constexpr int kSliderWidth = 26;
    static constexpr int kSliderHeight = 105;

    RegulationModel(Tproyecto& project, TAmpliBase& amplifier);
    RegulationModel(Tproyecto& project, TMultiswitch& multiswitch);
    ~RegulationModel();

    const std::string& Caption() const { return m_regulation->Caption(); }
    const std::vector<RegulationSlider>& Sliders() const { return m_regulation->Sliders(); }
    bool ForMultiswitch() const { return m_multiswitch; }
    // The width of a slider's column in a panel of that width: panel / (sliders + 1), at least 70
    // pixels for an amplifier and 52 for a multiswitch.
    int ColumnWidth(int panelWidth) const;

    bool EqualValue() const { return m_regulation->equalValue; }
    void SetEqualValue(bool equal) { m_regulation->equalValue = equal; }

    // The user moves slider index to position: the core's rules, the levels recalculated and the outlets
    // checked. False when the move was undone (an upward move past the maximum line).
    bool MoveSlider(std::size_t index, int position);
    // The output lines and the maximum line as they are now.
    std::vector<RegulationLine> Lines() const { return m_regulation->Series(); }
    RegulationLine MaximumLine() const { return m_regulation->MaximumLine(); }
    // Outlets with a level out of limits after the last recalculation.
    std::size_t OutletsOutOfLimits() const;
    // Whether the user moved a slider since the window opened.
    bool Moved() const { return m_moved; }
    // The value under a slider: a control's Ajuste ("75.0 %"), the terrestrial mode ("Mode 1") or the
    // attenuation step ("Att. 3").
    std::string ValueText(std::size_t index) const;
    // Slider positions grow downwards for controls (top is 100 %) and upwards for the mode and the
    // attenuator (top is mode 1, no attenuation): in both, higher is more signal.
    static bool TopIsMinimum(const RegulationSlider& slider) {
        return slider.kind == RegulationSlider::Kind::Control;
    }

    // OK: the change from opening becomes one step of the history (undoable); false when nothing changed
    // (no step). Cancel: every control, mode and attenuator back as at opening, levels recalculated.
    bool Confirm(NetworkEditor& editor);
    void Cancel();
    // Whether Ok made a step of the history.
    bool Confirmed() const { return m_confirmed; }

    // The chart colours of the line colour names, as 0xRRGGBB (black for an unknown name).
    static std::uint32_t ColourOf(const std::string& name);

private:
    Tproyecto& m_project;
    std::unique_ptr<Regulation> m_regulation;
    bool m_multiswitch = false;
    bool m_moved = false;
    bool m_closed = false;
    bool m_confirmed = false;
};

} // namespace ixo
