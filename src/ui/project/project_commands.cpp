#include "ui/project/project_commands.h"

#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "common/file_replace.h"
#include "common/progress.h"
#include "editing/network_editor.h"
#include "levels/calculo_niveles.h"
#include "persistence/project_file.h"
#include "schematic/layout.h"
#include "schematic/schematic.h"
#include "schematic/sheet.h"
#include "ui/main/app_session.h"
#include "ui/project/open_design.h"
#include "ui/project/progress_window.h"
#include "ui/project/recent_files.h"
#include "ui/project/standard_dialog.h"
#include "ui/project/wizard_dialog.h"
#include "ui/sheet/wait_cursor.h"

#include <QFileDialog>

#include <new>

namespace ixo {
namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString Title() {
    return Qs(std::string(kApplicationTitle));
}

const char* const kProjectFilter = "Ixo project (*.XPJ *.xpj)";

} // namespace

ProjectCommands::ProjectCommands(QWidget& parent, AppSession& session, OpenDesign& design, RecentFiles& files,
                                 Hooks hooks)
    : m_parent(parent), m_session(session), m_design(design), m_files(files), m_hooks(std::move(hooks)) {}

bool ProjectCommands::ConfirmSaveChanges() {
    return ixo::ConfirmSaveChanges(m_design.project.get(), m_hooks.askSaveChanges,
                                   [this] { return SaveProject(); });
}

void ProjectCommands::NewProject() {
    if (!ConfirmSaveChanges() || !CloseProject()) {
        return;
    }
    WizardDialog wizard(&m_parent);
    if (wizard.exec() == QDialog::Accepted) {
        CreateProjectFromWizard(wizard.Model().Results());
    } else {
        CloseProject();
    }
}

bool ProjectCommands::CreateProjectFromWizard(const WizardResults& results) {
    if (m_session.Store() == nullptr) {
        return false;
    }
    // The new project replaces an open one. It goes first, with the window's view of it: the progress
    // window lets the sheet paint while the new one is built, and it must not paint a freed project.
    if (m_design.project != nullptr || m_design.schematic != nullptr) {
        m_design.Free();
        m_hooks.closed();
    }
    {
        WaitCursor wait;
        ProgressWindow progress(&m_parent);
        progress.show();
        NuevoProyecto created = CrearProyectoDesdeAsistente(*m_session.Store(), results, m_session.Settings(),
                                                            m_session.Limits(), progress);
        if (progress.CancelRequested() || created.Proyecto == nullptr) {
            // Cancelled: nothing half-built stays open.
            return false;
        }
        m_design.project = std::move(created.Proyecto);
        m_design.project->NombreFichero = Tproyecto::NombreFicheroEn(m_session.ProjectDirectory());
        if (created.Resultado > 0) {
            m_design.schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
            progress.SetPosition(0);
            progress.SetCaption("Draw the graphics");
            if (!BuildSchematic(*m_design.project, *m_design.schematic, progress) ||
                progress.CancelRequested()) {
                // Cancelled while drawing: the new project goes as well, as when cancelled while building.
                m_design.Free();
                return false;
            }
            MarkOutletErrors(*m_design.project, *m_design.schematic);
        }
        m_design.editor = std::make_unique<NetworkEditor>(*m_design.project);
        m_design.open = true;
        progress.hide();
    }
    m_hooks.opened();
    return true;
}

void ProjectCommands::OpenProject() {
    const QString file =
        QFileDialog::getOpenFileName(&m_parent, QStringLiteral("Open Ixo project"), m_files.LastFolder(),
                                     QString::fromLatin1(kProjectFilter));
    if (!file.isEmpty()) {
        OpenProjectFile(file);
    }
}

bool ProjectCommands::OpenProjectFile(const QString& path) {
    if (!ConfirmSaveChanges() || !CloseProject()) {
        return false;
    }
    OpenedProject opened;
    bool outOfMemory = false;
    try {
        WaitCursor wait;
        auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
        opened = ixo::OpenProject(std::filesystem::path(path.toStdString()), m_session.Store(),
                                  [&schematic](Tproyecto& project) {
                                      // Without a cancel request the schematic is always built.
                                      (void)BuildSchematic(project, *schematic, NoProgress());
                                  });
        if (opened.result == OpenResult::Ok && opened.project != nullptr) {
            m_design.project = std::move(opened.project);
            m_design.schematic = std::move(schematic);
            MarkOutletErrors(*m_design.project, *m_design.schematic);
            // Nothing has changed yet: closing at once asks no question.
            m_design.editor = std::make_unique<NetworkEditor>(*m_design.project);
            m_design.editor->MarkSaved();
        }
    } catch (const std::bad_alloc&) {
        // What the open had read is freed on the way here: not a fault of the file.
        m_design.editor.reset();
        m_design.project.reset();
        outOfMemory = true;
    }
    if (m_design.project == nullptr) {
        m_hooks.showError(QStringLiteral("Error"),
                          Qs(outOfMemory
                                 ? OpenOutOfMemoryMessage()
                                 : OpenFailureMessage(opened.result, opened.version, opened.problem)));
        CloseProject();
        return false;
    }
    m_design.open = true;
    m_hooks.opened();
    m_files.RememberFolder(path);
    m_files.Add(path);
    return true;
}

bool ProjectCommands::CloseProject() {
    if (!ConfirmSaveChanges()) {
        return false;
    }
    WaitCursor wait;
    m_design.Free();
    m_hooks.closed();
    return true;
}

bool ProjectCommands::WriteProject(const std::filesystem::path& path) {
    if (!ixo::SaveProject(*m_design.project, path)) {
        m_hooks.showError(Title(), Qs(SaveFailureMessage(path, LastFileError())));
        return false;
    }
    if (m_design.editor != nullptr) {
        m_design.editor->MarkSaved();
    }
    const QString file = QString::fromStdString(path.string());
    m_files.RememberFolder(file);
    m_files.Add(file);
    return true;
}

bool ProjectCommands::SaveProject() {
    if (m_design.project == nullptr) {
        return false;
    }
    if (m_design.project->Abierto) {
        return WriteProject(m_design.project->NombreFichero);
    }
    return SaveProjectAs();
}

bool ProjectCommands::SaveProjectAs() {
    if (m_design.project == nullptr) {
        return false;
    }
    const QString file = m_hooks.chooseSaveFile(Qs(m_design.project->NombreFichero));
    if (file.isEmpty()) {
        return false;
    }
    if (!WriteProject(file.toStdString())) {
        return false;
    }
    m_design.project->Abierto = true;
    m_hooks.renamed();
    return true;
}

bool ProjectCommands::OpenDroppedFiles(const QList<QUrl>& urls) {
    if (urls.isEmpty()) {
        return false;
    }
    const QString first = urls.front().toLocalFile();
    if (first.isEmpty() || !OpensWhenDropped(first.toStdString())) {
        return false;
    }
    return OpenProjectFile(first);
}

// The standard and the source quality are the project's: a change sets its limits (for a preset) and
// is saved with it; the levels do not change, the outlet check and its colours may.
void ProjectCommands::ChooseStandard() {
    if (!m_design.open || m_design.project == nullptr) {
        return;
    }
    StandardDialog dialog(&m_parent, *m_design.project);
    if (dialog.exec() != QDialog::Accepted || !dialog.Choice().Apply(*m_design.project)) {
        return;
    }
    Recalcular(*m_design.project);
    m_hooks.limitsChanged();
}

} // namespace ixo
