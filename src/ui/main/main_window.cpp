#include "ui/main/main_window.h"

#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogue_lookups.h"
#include "common/paths.h"
#include "design/design_verdict.h"
#include "editing/network_editor.h"
#include "model/ampli_base.h"
#include "model/multiswitch.h"
#include "schematic/schematic.h"
#include "schematic/sheet.h"
#include "ui/catalogue_explorer/catalogue_explorer_dialog.h"
#include "ui/design/design_commands.h"
#include "ui/design/design_report_dialog.h"
#include "ui/errors/error_list_window.h"
#include "ui/levels/levels_window.h"
#include "ui/main/app_session.h"
#include "ui/main/help_key.h"
#include "ui/main/main_actions.h"
#include "ui/main/splash_window.h"
#include "ui/options/options_commands.h"
#include "ui/print/print_commands.h"
#include "ui/project/open_design.h"
#include "ui/project/project_commands.h"
#include "ui/project/quality_status.h"
#include "ui/project/recent_files.h"
#include "ui/regulation/regulation_model.h"
#include "ui/regulation/regulation_window.h"
#include "ui/report_editor/report_editor_rules.h"
#include "ui/report_editor/report_editor_window.h"
#include "ui/reports/report_commands.h"
#include "ui/results/result_windows.h"
#include "ui/sheet/sheet_navigation.h"
#include "ui/sheet/sheet_presenter.h"
#include "ui/sheet/sheet_view.h"
#include "ui/sheet/zoom_steps.h"
#include "ui/tools/sheet_mouse.h"
#include "ui/tools/sheet_tools.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

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

MainWindow::MainWindow(AppSession& session)
    : m_session(session), m_design(std::make_unique<OpenDesign>()),
      m_recent(std::make_unique<ixo::RecentFiles>(Qs(session.ProjectDirectory()))) {
    m_view = new SheetView(this);
    setCentralWidget(m_view);
    m_sheet = new SheetPresenter(*m_view, this);
    m_actions = std::make_unique<MainActions>(*this);
    m_actions->MakeMenusAndToolBars(*this);
    m_outletsLabel = new QLabel(this);
    statusBar()->addPermanentWidget(m_outletsLabel);
    setAcceptDrops(true);

    openDocument = [this](const QString& file) {
        // Reports open in the report editor; other documents (a PDF) with the desktop's application.
        const ReportFileKind kind = ReportFileKindOf(file.toStdString());
        if (kind != ReportFileKind::Pdf) {
            ReportEditorWindow& editor = ReportEditor();
            if (editor.OpenFile(file)) {
                editor.showMaximized();
                editor.raise();
                editor.activateWindow();
            }
            return;
        }
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
            QMessageBox::information(
                this, Title(),
                QStringLiteral("Saved as %1. No application of this desktop opens it.").arg(file));
        }
    };
    showError = [this](const QString& caption, const QString& text) {
        QMessageBox::critical(this, caption, text);
    };
    showDesignReport = [this](const QString& report) {
        DesignReportDialog dialog(report, this);
        dialog.exec();
    };
    askSaveChanges = [this](const std::string& question) {
        QMessageBox box(QMessageBox::Information, Title(), Qs(question),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
        const int answer = box.exec();
        return answer == QMessageBox::Yes  ? SaveAnswer::Yes
               : answer == QMessageBox::No ? SaveAnswer::No
                                           : SaveAnswer::Cancel;
    };
    chooseSaveFile = [this](const QString& start) {
        QFileDialog dialog(this, QStringLiteral("Save Ixo project"), start,
                           QString::fromLatin1(kProjectFilter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("XPJ"));
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().front()
                   : QString();
    };

    MakeRooms();
    ConnectActions();
    // F1 in the program's dialogs opens the manual as the Help command does.
    SetHelpCommand([this] { ShowHelp(); });
    LoadWindowSettings();
    UpdateCaption();
    UpdateActions();
    UpdateStatus();
}

MainWindow::~MainWindow() {
    m_levels->Forget();
    m_errorList->Empty();
    DeselectAll();
    m_sheet->Show(nullptr, nullptr);
    m_design->Free();
}

// The rooms reach the window's questions through forwarding calls, so that a question replaced later
// (by a test) is the one asked.
void MainWindow::MakeRooms() {
    const auto error = [this](const QString& caption, const QString& text) { showError(caption, text); };
    ProjectCommands::Hooks project;
    project.askSaveChanges = [this](const std::string& question) { return askSaveChanges(question); };
    project.chooseSaveFile = [this](const QString& start) { return chooseSaveFile(start); };
    project.showError = error;
    project.opened = [this] { ShowOpened(); };
    project.closed = [this] { ShowClosed(); };
    project.renamed = [this] { UpdateCaption(); };
    project.limitsChanged = [this] { AfterLimitsChanged(); };
    m_projectCommands = std::make_unique<ProjectCommands>(*this, m_session, *m_design, *m_recent, project);
    m_printCommands = std::make_unique<PrintCommands>(*this, *m_sheet, *m_recent, error);
    ReportCommands::Hooks reports;
    reports.showError = error;
    reports.openDocument = [this](const QString& file) { openDocument(file); };
    reports.levelsChanged = [this] {
        UpdateStatus();
        Repaint();
    };
    m_reportCommands = std::make_unique<ReportCommands>(*this, *m_recent, reports);
    OptionsCommands::Hooks options;
    options.showError = error;
    options.limitsChanged = [this] { AfterHistoryMove(); };
    options.titleBlockChanged = [this] { AfterHistoryMove(); };
    m_optionsCommands = std::make_unique<OptionsCommands>(*this, m_session, *m_design, options);
    ResultWindows::Hooks results;
    // A regulation move or a polarity: the count of outlets out of limits follows each one; the standard's
    // C/N, powering and overdrive parts follow when the regulation closes (as after any edit).
    results.levelsChanged = [this] { UpdateOutletCount(); };
    results.edited = [this] { AfterHistoryMove(); };
    results.printer = [this]() -> QPrinter& { return Printer(); };
    m_results = std::make_unique<ResultWindows>(*this, results);
    DesignCommands::Hooks design;
    design.before = [this] {
        m_levels->Forget();
        DeselectAll();
        m_sheet->Show(nullptr, nullptr);
    };
    design.edited = [this] { RefreshAfterEdit(); };
    design.showReport = [this](const QString& report) { showDesignReport(report); };
    m_designCommands = std::make_unique<DesignCommands>(*this, *m_design, design);

    SheetSurface* surface = m_view->Surface();
    // An empty hint clears the status bar's message.
    m_mouse = std::make_unique<SheetMouse>(*m_sheet, *Action(QStringLiteral("Encuadre")), *surface,
                                           [this](const QString& hint) { statusBar()->showMessage(hint); });
    surface->onPress = [this](QMouseEvent* e) { m_mouse->Pressed(e); };
    surface->onMove = [this](QMouseEvent* e) { m_mouse->Moved(e); };
    surface->onRelease = [this](QMouseEvent* e) { ReleasedOnSheet(e); };
    surface->onDoubleClick = [this](QMouseEvent* e) { DoubleClickedOnSheet(e); };
    surface->onContextMenu = [this](QContextMenuEvent* e) {
        if (m_design->open) {
            m_sheetMenu->popup(e->globalPos());
        }
    };
    surface->onResize = [this] {
        m_sheet->NeedLayout();
        Repaint();
    };
    surface->onWheel = [this](QWheelEvent* e) {
        const QPoint angle = e->angleDelta();
        Navigate(WheelMove(angle.x(), angle.y(), e->modifiers().testFlag(Qt::ControlModifier),
                           e->modifiers().testFlag(Qt::ShiftModifier), NavigationSteps()));
    };
    surface->onKey = [this](QKeyEvent* e) {
        const SheetMove move = KeyMove(e->key(), e->modifiers().testFlag(Qt::ControlModifier),
                                       e->modifiers().testFlag(Qt::ShiftModifier), NavigationSteps());
        Navigate(move);
        return move.kind != SheetMove::Kind::None;
    };
    m_sheet->onZoomStepChosen = [this](int index) {
        m_actions->ZoomSteps()[static_cast<std::size_t>(index)]->setChecked(true);
    };
    m_recent->SetMenu(m_actions->RecentMenu(), [this](const QString& file) { OpenProjectFile(file); });
    MakeToolWindows();
}

void MainWindow::MakeToolWindows() {
    m_errorList = new ErrorListWindow(this);
    m_errorList->onLocate = [this](const TComponenteBase* element, const TPin* pin) {
        LocateElement(element, pin);
    };
    m_levels = &m_results->Levels();

    std::vector<QAction*> tools;
    for (const char* name : {"Aruler", "Anivel", "Aedit", "AInsert", "Amamp", "AAmpReg"}) {
        tools.push_back(Action(QString::fromLatin1(name)));
    }
    SheetTools::Windows windows;
    windows.chooseModel = [this](std::int32_t family, std::int32_t indice, std::int32_t group,
                                 bool exact) -> std::optional<SheetTools::Choice> {
        if (m_session.Store() == nullptr || m_session.Store()->Catalogue() == nullptr) {
            return std::nullopt;
        }
        const std::optional<CatalogueChoice> chosen =
            m_results->ChooseFromCatalogue(*m_session.Store()->Catalogue(), family, group, indice, exact);
        if (!chosen) {
            return std::nullopt;
        }
        return SheetTools::Choice{chosen->family, chosen->indice};
    };
    windows.familyGroup = [this](std::int32_t family) {
        const TCatalogo* catalogue = m_session.Store() != nullptr ? m_session.Store()->Catalogue() : nullptr;
        return catalogue != nullptr ? FamilyGroup(*catalogue, family) : 0;
    };
    windows.showLevels = [this](TPin& pin) {
        if (m_design->project != nullptr) {
            m_results->ShowLevels(*m_design->project, pin);
        }
    };
    windows.closeLevels = [this] { m_results->NetworkChanged(); };
    windows.regulate = [this](TComponenteBase& element) {
        if (m_design->project != nullptr && m_design->editor != nullptr &&
            !m_results->Regulate(*m_design->project, *m_design->editor, element)) {
            // Cancelled: the regulation put every control back; what is shown follows the levels again.
            AfterLevelsChanged();
        }
    };
    windows.showError = [this](const QString& text) { showError(Title(), text); };
    windows.refreshAfterEdit = [this] { RefreshAfterEdit(); };
    windows.levelsChanged = [this] { AfterLevelsChanged(); };
    windows.projectInformation = [this] { ShowProjectInformation(); };
    m_tools = std::make_unique<SheetTools>(*this, *m_design, tools, windows);
    for (std::size_t i = 0; i < tools.size(); ++i) {
        connect(tools[i], &QAction::triggered, this, [this, i] { m_tools->Select(static_cast<int>(i) + 1); });
    }
    connect(Action(QStringLiteral("Errorlevel")), &QAction::triggered, this, [this] { ShowErrorList(); });
    connect(Action(QStringLiteral("ADesign")), &QAction::triggered, this,
            [this] { m_designCommands->DesignAutomatically(); });

    // The window's shortcuts (undo, redo, the tools, help) work while a tool window has the focus.
    QList<QAction*> shortcuts(tools.begin(), tools.end());
    shortcuts << Action(QStringLiteral("AUndo")) << Action(QStringLiteral("ARedo"))
              << Action(QStringLiteral("AHelpC"));
    m_errorList->addActions(shortcuts);
    m_levels->addActions(shortcuts);

    m_sheetMenu = new QMenu(this);
    m_sheetMenu->addActions(tools.empty() ? QList<QAction*>() : QList<QAction*>(tools.begin(), tools.end()));
    m_sheetMenu->addSeparator();
    m_sheetMenu->addAction(Action(QStringLiteral("Encuadre")));
}

void MainWindow::ReleasedOnSheet(QMouseEvent* event) {
    m_mouse->Released(event);
    if (event->button() == Qt::LeftButton && m_design->open) {
        m_tools->Dispatch(m_sheet->HitTest(event->position().toPoint()));
    }
}

void MainWindow::DoubleClickedOnSheet(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_design->open) {
        return;
    }
    Action(QStringLiteral("Encuadre"))->setChecked(false);
    const QPoint point = event->position().toPoint();
    m_tools->DoubleClickAt(m_sheet->HitTest(point), m_sheet->PointInTitleBlock(point));
}

void MainWindow::ShowErrorList() {
    if (!m_design->open) {
        return;
    }
    m_errorList->Refresh(m_design->project.get(), m_status.Powering(), m_status.Overdrive());
    if (!m_errorListPlaced) {
        // First shown centred over the window, as a tool window over the sheet.
        m_errorList->move(geometry().center() - m_errorList->rect().center());
        m_errorListPlaced = true;
    }
    m_errorList->show();
    m_errorList->raise();
}

// The list follows the project while it is on view; hidden, it is filled when shown.
void MainWindow::RefreshErrorList() {
    if (m_errorList == nullptr) {
        return;
    }
    if (m_design->project == nullptr) {
        m_errorList->Empty();
    } else if (m_errorList->isVisible()) {
        m_errorList->Refresh(m_design->project.get(), m_status.Powering(), m_status.Overdrive());
    }
}

void MainWindow::DeselectAll() {
    for (TBaseGrafMS* object : m_selection.Items()) {
        object->Selected = false;
    }
    m_selection.ClearSelection();
}

void MainWindow::RefreshAfterEdit() {
    m_levels->Forget();
    DeselectAll();
    AfterHistoryMove();
}

// A length or an input level changed: the network is the same, only its levels and the outlet check
// moved. The wires' labels and the outlets' colours follow without making the schematic again.
void MainWindow::AfterLevelsChanged() {
    if (m_design->schematic == nullptr || m_design->project == nullptr) {
        AfterHistoryMove();
        return;
    }
    if (m_levels->isVisible()) {
        m_levels->Refresh();
    }
    m_design->schematic->RefreshWireLabels();
    ClearOutletErrors(*m_design->schematic);
    MarkOutletErrors(*m_design->project, *m_design->schematic);
    UpdateStatus();
    Repaint();
    UpdateActions();
    m_mouse->RefreshHint();
}

void MainWindow::LocateElement(const TComponenteBase* element, const TPin* pin) {
    if (element == nullptr || m_design->schematic == nullptr) {
        return;
    }
    DeselectAll();
    m_tools->Select(SheetTools::Regulate);
    TBaseGrafMS* symbol = m_design->schematic->FindGraphicOf(element);
    if (symbol != nullptr) {
        m_selection.Select(symbol);
        // A whole sheet shows an outlet too small to find: the view comes close enough to read it.
        if (m_sheet->ZoomIndex() == 0) {
            m_sheet->ChooseZoomStep(ZoomStepIndex(100));
            m_sheet->FinishRefining();
        }
        m_sheet->CentreOn(*symbol);
    }
    Repaint();
    if (pin != nullptr) {
        m_results->ShowLevels(*m_design->project, *const_cast<TPin*>(pin));
    }
}

void MainWindow::ConnectActions() {
    const auto on = [this](const char* name, auto command) {
        connect(Action(QString::fromLatin1(name)), &QAction::triggered, this, command);
    };
    on("AFilenew", [this] { NewProject(); });
    on("AFileopen", [this] { OpenProject(); });
    on("Aclose", [this] { CloseProject(); });
    on("ASave", [this] { SaveProject(); });
    on("Asaveas", [this] { SaveProjectAs(); });
    on("ABmp", [this] { SaveImage(); });
    on("APagesetup", [this] { SetUpPage(); });
    on("APrint", [this] { Print(); });
    on("APrintPreview", [this] { m_printCommands->PrintPreview(); });
    on("AExit", [this] { close(); });
    on("AZoomP", [this] { ZoomIn(); });
    on("AzoomM", [this] { ZoomOut(); });
    on("AZoomAll", [this] { ZoomAll(); });
    on("Encuadre", [this] { TogglePan(); });
    on("AUndo", [this] { Undo(); });
    on("ARedo", [this] { Redo(); });
    on("CrearInformes", [this] { CreateReport(); });
    on("Verinformes", [this] { OpenReport(); });
    on("AHelpC", [this] { ShowHelp(); });
    on("AAbout", [this] { ShowAbout(); });
    on("AStandard", [this] { ChooseStandard(); });
    on("AConfiguration", [this] { ShowConfiguration(); });
    on("AISchematic", [this] { ShowProjectInformation(); });
    const std::vector<QAction*>& steps = m_actions->ZoomSteps();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        connect(steps[i], &QAction::triggered, this, [this, i] { ChooseZoomStep(static_cast<int>(i)); });
    }
}

SheetSteps MainWindow::NavigationSteps() const {
    SheetSteps steps;
    steps.pageX = m_sheet->PageStepX();
    steps.pageY = m_sheet->PageStepY();
    return steps;
}

void MainWindow::Navigate(const SheetMove& move) {
    if (!m_design->open) {
        return;
    }
    switch (move.kind) {
    case SheetMove::Kind::Scroll:
        m_sheet->ScrollBy(move.dx, move.dy);
        break;
    case SheetMove::Kind::ZoomIn:
        ZoomIn();
        break;
    case SheetMove::Kind::ZoomOut:
        ZoomOut();
        break;
    case SheetMove::Kind::None:
        break;
    }
}

QAction* MainWindow::Action(const QString& name) const {
    return m_actions->Action(name);
}

void MainWindow::UpdateActions() {
    const bool canUndo = m_design->editor != nullptr && m_design->editor->CanUndo();
    const bool canRedo = m_design->editor != nullptr && m_design->editor->CanRedo();
    // Besides the installed printers, the print dialog always offers printing to a PDF file.
    const bool canPrint = true;
    m_actions->Enable(StatesFor(m_design->open, canPrint, canUndo, canRedo));
}

void MainWindow::UpdateCaption() {
    setWindowTitle(
        Qs(WindowCaption(m_design->project != nullptr ? m_design->project->NombreFichero : std::string())));
}

void MainWindow::UpdateStatus() {
    // The one verdict of every command: the status says what `ixo-cli check` says of the same design.
    if (Tproyecto* project = m_design->project.get()) {
        m_status.Judge(*project);
    } else {
        m_status.Clear();
    }
    ShowStatus();
    RefreshErrorList();
}

void MainWindow::UpdateOutletCount() {
    if (const Tproyecto* project = m_design->project.get()) {
        m_status.RecountOutlets(*project);
        ShowStatus();
    }
}

void MainWindow::ShowStatus() {
    // The legend of the outlet colours is painted when some are out of limits.
    m_sheet->SetShowLegend(m_status.OutletsOutOfLimits() > 0);
    m_outletsLabel->setText(Qs(m_status.Text()));
    m_outletsLabel->setToolTip(Qs(m_status.Tip()));
    if (statusShown) {
        statusShown(m_outletsLabel->text());
    }
}

QString MainWindow::StatusText() const {
    return m_outletsLabel->text();
}

QString MainWindow::StatusToolTip() const {
    return m_outletsLabel->toolTip();
}

void MainWindow::ShowOpened() {
    m_levels->Forget();
    m_levels->SetProject(m_design->project.get());
    m_sheet->Show(m_design->schematic.get(), m_design->project.get());
    UpdateCaption();
    UpdateStatus();
    Repaint();
    UpdateActions();
}

NetworkEditor* MainWindow::Editor() const {
    return m_design->editor.get();
}

void MainWindow::ShowClosed() {
    m_results->NetworkChanged();
    m_mouse->Reset();
    m_selection.ClearSelection();
    if (m_tools->Current() != SheetTools::None) {
        m_tools->Select(m_tools->Current());
    }
    m_levels->Forget();
    m_levels->SetProject(nullptr);
    m_errorList->Empty();
    m_errorList->hide();
    m_sheet->Show(nullptr, nullptr);
    m_sheet->ZoomAll();
    UpdateCaption();
    m_sheet->ResetScrollBars();
    Repaint();
    UpdateActions();
    UpdateStatus();
}

void MainWindow::AfterHistoryMove() {
    m_results->NetworkChanged();
    AfterLimitsChanged();
}

// New limits change which outlets fail: the schematic is made again so that every outlet's fill follows
// the check, those that pass now as well.
void MainWindow::AfterLimitsChanged() {
    DeselectAll();
    m_design->RebuildSchematic();
    m_sheet->Show(m_design->schematic.get(), m_design->project.get());
    UpdateStatus();
    Repaint();
    UpdateActions();
    if (m_mouse != nullptr) {
        m_mouse->RefreshHint(); // the object under a still pointer may have changed
    }
}

// ---- the rooms' commands ----

bool MainWindow::ConfirmSaveChanges() {
    return m_projectCommands->ConfirmSaveChanges();
}
void MainWindow::NewProject() {
    m_projectCommands->NewProject();
}
bool MainWindow::CreateProjectFromWizard(const WizardResults& results) {
    return m_projectCommands->CreateProjectFromWizard(results);
}
void MainWindow::OpenProject() {
    m_projectCommands->OpenProject();
}
bool MainWindow::OpenProjectFile(const QString& path) {
    return m_projectCommands->OpenProjectFile(path);
}
bool MainWindow::CloseProject() {
    return m_projectCommands->CloseProject();
}
bool MainWindow::SaveProject() {
    return m_projectCommands->SaveProject();
}
bool MainWindow::SaveProjectAs() {
    return m_projectCommands->SaveProjectAs();
}
bool MainWindow::OpenDroppedFiles(const QList<QUrl>& urls) {
    return m_projectCommands->OpenDroppedFiles(urls);
}
void MainWindow::ChooseStandard() {
    m_projectCommands->ChooseStandard();
}

void MainWindow::ShowConfiguration() {
    m_optionsCommands->ShowConfiguration();
}

void MainWindow::ShowProjectInformation() {
    m_optionsCommands->ShowProjectInformation();
}

ReportEditorWindow& MainWindow::ReportEditor() {
    if (m_reportEditor == nullptr) {
        m_reportEditor = std::make_unique<ReportEditorWindow>(nullptr);
        m_reportEditor->setWindowIcon(windowIcon());
    }
    return *m_reportEditor;
}

void MainWindow::Undo() {
    if (m_design->editor != nullptr && m_design->editor->Undo()) {
        AfterHistoryMove();
    }
}

void MainWindow::Redo() {
    if (m_design->editor != nullptr && m_design->editor->Redo()) {
        AfterHistoryMove();
    }
}

void MainWindow::SaveImage() {
    if (m_design->open) {
        m_printCommands->SaveImage();
    }
}
bool MainWindow::ExportImage(const ImageExportSettings& settings) {
    return m_printCommands->ExportImage(settings);
}
void MainWindow::SetUpPage() {
    m_printCommands->SetUpPage();
}
void MainWindow::TakePrinterPage() {
    m_printCommands->TakePrinterPage();
}
void MainWindow::Print() {
    m_printCommands->Print();
}
void MainWindow::FollowPrinter(bool wasLandscape) {
    m_printCommands->FollowPrinter(wasLandscape);
}
QPrinter& MainWindow::Printer() const {
    return m_printCommands->Printer();
}
bool MainWindow::PrintTo(QPrinter& printer) {
    return m_printCommands->PrintTo(printer);
}

SheetPagesChoice& MainWindow::PrintPages() {
    return m_printCommands->PrintPages();
}
const PageSetup& MainWindow::PageSize() const {
    return m_printCommands->Page();
}

void MainWindow::CreateReport() {
    if (m_design->open && m_design->project != nullptr) {
        m_reportCommands->CreateReport(*m_design->project);
    }
}
bool MainWindow::GenerateReport(int index) {
    return m_design->project != nullptr && m_reportCommands->GenerateReport(*m_design->project, index);
}
void MainWindow::OpenReport() {
    m_reportCommands->OpenReport(m_design->project.get());
}
const QString& MainWindow::LastReport() const {
    return m_reportCommands->LastReport();
}

void MainWindow::ZoomIn() {
    m_sheet->ZoomIn();
}
void MainWindow::ZoomOut() {
    m_sheet->ZoomOut();
}
void MainWindow::ZoomAll() {
    m_sheet->ZoomAll();
}
void MainWindow::ChooseZoomStep(int index) {
    m_sheet->ChooseZoomStep(index);
}
void MainWindow::TogglePan() {
    m_mouse->PanToggled();
}
void MainWindow::Repaint() {
    m_sheet->Repaint();
}
void MainWindow::RepaintScrolled() {
    m_sheet->RepaintScrolled();
}
void MainWindow::PlaceObjectsOnView() {
    m_sheet->PlaceObjectsOnView();
}
std::size_t MainWindow::TilesPaintedLastTime() const {
    return m_sheet->TilesPaintedLastTime();
}
bool MainWindow::ViewSharp() const {
    return m_sheet->ViewSharp();
}
void MainWindow::FinishRefining() {
    m_sheet->FinishRefining();
}

Tproyecto* MainWindow::Project() const {
    return m_design->project.get();
}
TpadreGraficosMS* MainWindow::Schematic() const {
    return m_design->schematic.get();
}
bool MainWindow::ProjectOpen() const {
    return m_design->open;
}
int MainWindow::ZoomIndex() const {
    return m_sheet->ZoomIndex();
}
double MainWindow::CurrentPercent() const {
    return m_sheet->CurrentPercent();
}
const ViewResult& MainWindow::ViewLayout() const {
    return m_sheet->Layout();
}
const std::vector<QString>& MainWindow::RecentFiles() const {
    return m_recent->Files();
}
double MainWindow::LastRepaintMs() const {
    return m_sheet->LastRepaintMs();
}

// ---- window events ----

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmSaveChanges()) {
        event->ignore();
        return;
    }
    SaveWindowSettings();
    CloseProject();
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    Repaint();
    if (!m_openWhenShown.isEmpty()) {
        const QString path = m_openWhenShown;
        m_openWhenShown.clear();
        QTimer::singleShot(0, this, [this, path] { OpenProjectFile(path); });
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (OpenDroppedFiles(event->mimeData()->urls())) {
        event->acceptProposedAction();
    }
}

// ---- help ----

void MainWindow::ShowHelp() {
    if (const QString problem = OpenManual(); !problem.isEmpty()) {
        showError(Title(), problem);
    }
}

void MainWindow::ShowAbout() {
    SplashWindow about(this, true);
    about.exec();
}

// ---- remembered between runs ----

void MainWindow::LoadWindowSettings() {
    QSettings settings;
    if (!restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray())) {
        resize(1280, 860); // the first run
    }
    m_recent->Load();
}

void MainWindow::SaveWindowSettings() {
    QSettings settings;
    settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
}

} // namespace ixo
