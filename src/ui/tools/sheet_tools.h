#pragma once

// The six tools of the Tools menu on the sheet: change length, levels, edit component, add amplifier,
// remove amplifier and regulation, and the input levels of dishes and the terrestrial headend. A tool
// works on the symbol and pin under the mouse when the left button is released (or on a double click,
// which edits the component). Every change of the network goes through the edit history as one step,
// so that Undo and Redo take it back and forth; a refused edit says why and changes nothing.
//
// The windows a tool opens (levels, regulation, the catalogue explorer) come through Windows, so that
// the main window decides which exist.
#include "schematic/schematic.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace ixo {

class TCableTV;
class TComponenteBase;
class TPin;
class Tproyecto;
struct OpenDesign;

class SheetTools {
public:
    enum Tool : int {
        None = 0,
        ChangeLength,
        Levels,
        EditComponent,
        AddAmplifier,
        RemoveAmplifier,
        Regulate
    };

    // A model chosen in the catalogue explorer.
    struct Choice {
        std::int32_t family = 0;
        std::int32_t indice = 0;
    };
    struct Windows {
        // The explorer on family / model, group filter, exact mode; none when cancelled.
        std::function<std::optional<Choice>(std::int32_t family, std::int32_t indice, std::int32_t group,
                                            bool exact)>
            chooseModel;
        // The catalogue group of a family (0 when it has none), the explorer's filter for multiswitches.
        std::function<std::int32_t(std::int32_t family)> familyGroup;
        std::function<void(TPin& pin)> showLevels;
        std::function<void()> closeLevels;
        // The regulation window of an amplifier or a multiswitch (modal); it records into the history.
        std::function<void(TComponenteBase& element)> regulate;
        std::function<void(const QString& text)> showError;
        // The network changed (an edit, a regulation): levels, schematic, sheet, status and lists follow.
        std::function<void()> refreshAfterEdit;
        // Only levels changed (a length, an input level): the wire labels, outlet colours, sheet, status and
        // lists follow, the schematic stays.
        std::function<void()> levelsChanged;
        // Options > Project information, the title block's editor (one step when it changes anything).
        std::function<void()> projectInformation;
    };

    // tools: the six actions in the order of Tool (1 to 6).
    SheetTools(QWidget& parent, OpenDesign& design, std::vector<QAction*> tools, Windows windows);

    int Current() const { return m_current; }
    // Selecting the active tool again turns every tool off.
    void Select(int tool);
    // The left button released over hit: the active tool runs.
    void Dispatch(const HitResult& hit);
    // A double click: inside the title block drawn on the sheet it edits the project information,
    // elsewhere the component under the mouse.
    void DoubleClickAt(const HitResult& hit, bool inTitleBlock);
    void EditComponentAt(const HitResult& hit);

    void ChangeLengthAt(const HitResult& hit);
    void ShowLevelsAt(const HitResult& hit);
    void AddAmplifierAt(const HitResult& hit);
    void RemoveAmplifierAt(const HitResult& hit);
    void RegulateAt(const HitResult& hit);
    void EditInputLevels(TComponenteBase& element);

private:
    void EditCable(Tproyecto& project, TCableTV& cable);
    // Runs an edit as one step; false (with the reason shown) when the network refused it.
    bool Edit(const std::function<bool(class EditJournal&, std::string& why)>& edit, bool levelsOnly = false);

    QWidget& m_parent;
    OpenDesign& m_design;
    std::vector<QAction*> m_tools;
    Windows m_windows;
    int m_current = None;
};

} // namespace ixo
