#pragma once

// The Reports menu: Create (the chooser, then the chosen report generated with its status window, saved
// beside the project and shown in the report editor) and Open (a saved report, in the editor).
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace ixo {

class RecentFiles;
class ReportChooserDialog;
class TextDocumentWriter;
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
    ~ReportCommands();
    ReportCommands(const ReportCommands&) = delete;
    ReportCommands& operator=(const ReportCommands&) = delete;

    void CreateReport(Tproyecto& project);
    bool GenerateReport(Tproyecto& project, int index);
    // project: the open one, whose folder is offered first; may be null.
    void OpenReport(const Tproyecto* project);
    // The file of the report generated last (empty before the first).
    const QString& LastReport() const { return m_lastReport; }
    // The document of the report generated last when file is its file, once (else null): shown as it
    // is, a long report is not read back from the file it was just saved in.
    std::unique_ptr<TextDocumentWriter> TakeGenerated(const QString& file);
    // Runs the report chooser (exec by default; tests choose in it).
    std::function<int(ReportChooserDialog& chooser)> chooseReport;

private:
    QWidget& m_parent;
    RecentFiles& m_files;
    Hooks m_hooks;
    QString m_lastReport;
    std::unique_ptr<TextDocumentWriter> m_generated;
};

} // namespace ixo
