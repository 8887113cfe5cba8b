#pragma once

// The window's Tools > Automatic design command: the progress window with Cancel while the design runs
// (the sheet shows nothing meanwhile: the network it draws is being edited), then the window refreshed
// as after any edit and the design's account shown.
#include <QString>

#include <functional>

class QWidget;

namespace ixo {

struct OpenDesign;

class DesignCommands {
public:
    struct Hooks {
        std::function<void()> before; // the sheet lets go of the schematic, the levels window forgets
        std::function<void()> edited; // the network changed (or went back): refresh as after an edit
        std::function<void(const QString& report)> showReport;
    };
    DesignCommands(QWidget& parent, OpenDesign& design, Hooks hooks);

    void DesignAutomatically();

private:
    QWidget& m_parent;
    OpenDesign& m_design;
    Hooks m_hooks;
};

} // namespace ixo
