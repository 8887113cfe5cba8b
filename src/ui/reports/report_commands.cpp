#include "ui/reports/report_commands.h"

#include "building/proyecto.h"
#include "common/file_replace.h"
#include "render/text_document_writer.h"
#include "reports/informe.h"
#include "ui/main/window_rules.h"
#include "ui/project/recent_files.h"
#include "ui/reports/report_progress_window.h"
#include "ui/sheet/wait_cursor.h"

#include <QFileDialog>
#include <QInputDialog>

namespace ixo {
namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString Title() {
    return Qs(std::string(kApplicationTitle));
}

} // namespace

ReportCommands::ReportCommands(QWidget& parent, RecentFiles& files, Hooks hooks)
    : m_parent(parent), m_files(files), m_hooks(std::move(hooks)) {}

void ReportCommands::CreateReport(Tproyecto& project) {
    QStringList names;
    for (const std::string_view name : kNombresInformes) {
        names << Qs(std::string(name));
    }
    bool chosen = false;
    const QString name = QInputDialog::getItem(&m_parent, QStringLiteral("Reports"), QStringLiteral("Report"),
                                               names, 0, false, &chosen);
    if (chosen) {
        GenerateReport(project, static_cast<int>(names.indexOf(name)));
    }
}

bool ReportCommands::GenerateReport(Tproyecto& project, int index) {
    TextDocumentWriter writer;
    ReportOutcome outcome = ReportOutcome::Failed;
    {
        WaitCursor wait;
        ReportProgressWindow progress(&m_parent);
        progress.show();
        outcome = GenerarInforme(index, project, writer, progress);
    }
    m_hooks.levelsChanged();
    if (outcome == ReportOutcome::Cancelled) {
        return false;
    }
    if (outcome == ReportOutcome::Failed) {
        m_hooks.showError(Title(), Qs(ReportFailure()));
        return false;
    }
    const std::filesystem::path file = FicheroInforme(project, index);
    if (!GuardarInforme(project, index, writer)) {
        m_hooks.showError(
            Title(),
            QStringLiteral("Cannot save the report %1: %2").arg(Qs(file.string()), Qs(LastFileError())));
        return false;
    }
    m_lastReport = Qs(file.string());
    m_hooks.openDocument(m_lastReport);
    return true;
}

void ReportCommands::OpenReport(const Tproyecto* project) {
    QString folder = m_files.LastFolder();
    if (project != nullptr && !project->NombreFichero.empty()) {
        folder = Qs(std::filesystem::path(project->NombreFichero).parent_path().string());
    }
    const QString file = QFileDialog::getOpenFileName(&m_parent, QStringLiteral("Open report"), folder,
                                                      QStringLiteral("Reports (*.html *.htm *.odt *.pdf)"));
    if (!file.isEmpty()) {
        m_hooks.openDocument(file);
    }
}

} // namespace ixo
