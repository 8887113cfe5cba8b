#pragma once

// The Reports menu: Create (the chooser, then the chosen report generated with its status window, saved
// beside the project and opened with the desktop's application for its kind) and Open (a saved report).
#include <QString>

#include <functional>

class QWidget;

namespace ixo {

class RecentFiles;
class Tproyecto;

class ReportCommands {
public:
    struct Hooks {
        std::function<void(const QString& caption, const QString& text)> showError;
        std::function<void(const QString& file)> openDocument;
        // The outlet levels report recalculates: what the window shows follows the levels.
        std::function<void()> levelsChanged;
    };
    ReportCommands(QWidget& parent, RecentFiles& files, Hooks hooks);

    void CreateReport(Tproyecto& project);
    bool GenerateReport(Tproyecto& project, int index);
    // project: the open one, whose folder is offered first; may be null.
    void OpenReport(const Tproyecto* project);
    // The file of the report generated last (empty before the first).
    const QString& LastReport() const { return m_lastReport; }

private:
    QWidget& m_parent;
    RecentFiles& m_files;
    Hooks m_hooks;
    QString m_lastReport;
};

} // namespace ixo
