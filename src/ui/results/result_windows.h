#pragma once

// The windows the design loop opens from the sheet, held for the main window: the levels window (one for
// the whole run, over the main window), the regulation window of an amplifier or multiswitch (modal,
// made per use) and the catalogue explorer (modal, per use). The tools ask here; the main window is told
// when the levels changed (a regulation move, a polarity chosen: its status bar and error list follow)
// and when a regulation became a step of the history (it refreshes as after any edit).
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QPrinter;
class QWidget;

namespace ixo {

class CatalogueExplorerDialog;
class LevelsWindow;
class NetworkEditor;
class RegulationWindow;
class TCatalogo;
class TPin;
class TPrimerComponente;
class Tproyecto;

struct CatalogueChoice {
    std::int32_t family = 0;
    std::int32_t indice = 0; // the requested one when only a family was chosen
    std::string name;        // the model's, or the family's when no model was chosen
    bool modelChosen = false;
};

class ResultWindows {
public:
    struct Hooks {
        std::function<void()> levelsChanged; // the network's levels and outlet check changed in place
        std::function<void()> edited;        // a regulation was confirmed as a step of the history
        std::function<QPrinter&()> printer;  // the window's printer, for the levels window's Print
    };
    ResultWindows(QWidget& window, Hooks hooks);
    ~ResultWindows();

    LevelsWindow& Levels() const { return *m_levels; }
    // The levels of a pin of project's network (the levels tool, a double click on an error row).
    void ShowLevels(Tproyecto& project, TPin& pin);
    // The network may have lost the pin shown (an edit, undo, redo, close): the levels window forgets it.
    void NetworkChanged();

    // The regulation window for element when it is regulable (Regulation::Regulable); true when Ok made
    // the regulation a step of the history. Nothing happens for another element.
    bool Regulate(Tproyecto& project, NetworkEditor& editor, TPrimerComponente& element);
    // How a made window is run; exec() by default (tests move its sliders and close it themselves).
    std::function<int(RegulationWindow&)> runRegulation;

    // The catalogue explorer on the request; the choice after Ok, nothing after Cancel.
    std::optional<CatalogueChoice> ChooseFromCatalogue(const TCatalogo& catalogue, std::int32_t family,
                                                       std::int32_t group, std::int32_t indice, bool exact);
    std::function<int(CatalogueExplorerDialog&)> runExplorer;
    // The print dialog on the window's printer before the levels window prints; the printer after its
    // Ok, null after Cancel (replaceable by tests).
    std::function<QPrinter*()> choosePrinter;

private:
    QWidget& m_window;
    Hooks m_hooks;
    LevelsWindow* m_levels = nullptr; // a child of the window
};

} // namespace ixo
