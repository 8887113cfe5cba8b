#pragma once

// The project commands of the window: new (the wizard, then the building made with its progress
// window), open, close, save, save as, a file dropped on the window, and the standard the outlets are
// checked against. They change the window's open design and tell the window through their hooks.
#include "ui/main/window_rules.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace ixo {

class AppSession;
class RecentFiles;
struct OpenDesign;
struct WizardResults;

class ProjectCommands {
public:
    struct Hooks {
        std::function<SaveAnswer(const std::string&)> askSaveChanges;
        std::function<QString(const QString& start)> chooseSaveFile;
        std::function<void(const QString& caption, const QString& text)> showError;
        // A project was made or opened: the window shows it.
        std::function<void()> opened;
        // The project was closed (or a new one given up): the window shows none.
        std::function<void()> closed;
        // Saved under a new name: the caption follows.
        std::function<void()> renamed;
        // The project's limits changed (the standard): the outlet check, its colours and the status follow.
        std::function<void()> limitsChanged;
    };
    ProjectCommands(QWidget& parent, AppSession& session, OpenDesign& design, RecentFiles& files,
                    Hooks hooks);

    void NewProject();
    // New after the wizard's OK: builds the installation and its schematic with the progress window.
    bool CreateProjectFromWizard(const WizardResults& results);
    void OpenProject();
    bool OpenProjectFile(const QString& path);
    // Close; false when the user kept the project (Cancel in the save question).
    bool CloseProject();
    bool SaveProject();
    bool SaveProjectAs();
    bool ConfirmSaveChanges();
    // Files dropped on the window: only the first is looked at, and opens when it is a project file.
    bool OpenDroppedFiles(const QList<QUrl>& urls);
    void ChooseStandard();

private:
    bool WriteProject(const std::filesystem::path& path);

    QWidget& m_parent;
    AppSession& m_session;
    OpenDesign& m_design;
    RecentFiles& m_files;
    Hooks m_hooks;
};

} // namespace ixo
