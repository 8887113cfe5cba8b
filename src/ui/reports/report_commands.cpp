#include "ui/reports/report_commands.h"

#include "building/proyecto.h"
#include "common/file_replace.h"
#include "render/text_document_writer.h"
#include "reports/informe.h"
#include "ui/main/window_rules.h"
#include "ui/project/recent_files.h"
#include "ui/report_chooser/report_chooser_dialog.h"
#include "ui/reports/report_progress_window.h"
#include "ui/sheet/wait_cursor.h"

#include <QFileDialog>

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
    : m_parent(parent), m_files(files), m_hooks(std::move(hooks)) {
    chooseReport = [](ReportChooserDialog& chooser) { return chooser.exec(); };
}

ReportCommands::~ReportCommands() = default;

void ReportCommands::CreateReport(Tproyecto& project) {
    ReportChooserDialog chooser(&m_parent);
    if (chooseReport(chooser) == QDialog::Accepted && chooser.Chosen() >= 0) {
        GenerateReport(project, chooser.Chosen());
    }
}

bool ReportCommands::GenerateReport(Tproyecto& project, int index) {
    auto written = std::make_unique<TextDocumentWriter>();
    TextDocumentWriter& writer = *written;
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
    // The document just written is the file's: the editor shows it without reading the file back.
    m_generated = std::move(written);
    m_hooks.openDocument(m_lastReport);
    return true;
}

std::unique_ptr<TextDocumentWriter> ReportCommands::TakeGenerated(const QString& file) {
    if (m_generated == nullptr || file != m_lastReport) {
        return nullptr;
    }
    return std::move(m_generated);
}

void ReportCommands::OpenReport(const Tproyecto* project) {
    QString folder = m_files.LastFolder();
    if (project != nullptr && !project->NombreFichero.empty()) {
        folder = Qs(std::filesystem::path(project->NombreFichero).parent_path().string());
    }
    const QString file =
        QFileDialog::getOpenFileName(&m_parent, QStringLiteral("Open report"), folder,
                                     QStringLiteral("Reports (*.html *.htm *.odt *.txt *.pdf)"));
    if (!file.isEmpty()) {
        m_hooks.openDocument(file);
    }
}

} // namespace ixo
