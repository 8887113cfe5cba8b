#include "ui/main_window.h"

#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "common/file_replace.h"
#include "common/paths.h"
#include "common/progress.h"
#include "design/overdrive_check.h"
#include "design/power_check.h"
#include "editing/network_editor.h"
#include "levels/calculo_niveles.h"
#include "persistence/project_file.h"
#include "render/qpainter_canvas.h"
#include "render/sheet_tiles.h"
#include "render/text_cache.h"
#include "render/text_document_writer.h"
#include "reports/informe.h"
#include "schematic/layout.h"
#include "schematic/schematic.h"
#include "schematic/sheet.h"
#include "ui/app_session.h"
#include "ui/cursors.h"
#include "ui/help_key.h"
#include "ui/image_export_dialog.h"
#include "ui/page_setup_rules.h"
#include "ui/progress_window.h"
#include "ui/quality_status.h"
#include "ui/report_progress_window.h"
#include "ui/sheet_view.h"
#include "ui/splash_window.h"
#include "ui/standard_dialog.h"
#include "ui/wizard_dialog.h"
#include "ui/zoom_steps.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <new>

namespace ixo {
namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString Title() {
    return Qs(std::string(kApplicationTitle));
}

// The hourglass cursor while a command works; restored however the command ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

constexpr int kRecentFiles = 6;
// How far outside a painted region objects are still painted, in pixels, so that labels reaching over a
// tile's edge are in both tiles.
constexpr std::int32_t kTileBleed = 48;
// On screen, texts lower than 3 pixels are left out and texts lower than 5 pixels, too small to read, are
// drawn as grey lines; both cost as much as readable texts.
constexpr int kMinimumTextPx = 3;
constexpr int kGreekingTextPx = 5;
const char* const kProjectFilter = "Ixo project (*.XPJ *.xpj)";

} // namespace

MainWindow::MainWindow(AppSession& session)
    : m_session(session), m_tiles(std::make_unique<SheetTiles>()),
      m_textCache(std::make_unique<TextCache>()) {
    m_view = new SheetView(this);
    setCentralWidget(m_view);
    MakeActions();
    MakeMenusAndToolBars();
    m_outletsLabel = new QLabel(this);
    statusBar()->addPermanentWidget(m_outletsLabel);
    setAcceptDrops(true);

    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    m_printer->setPageOrientation(QPageLayout::Landscape);
    m_landscape = true;
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        // The printer takes the paper of the page setup's start page (A4), or the smallest that holds it.
        std::vector<PrinterPaper> papers;
        for (const QPageSize& size : QPrinterInfo(*m_printer).supportedPageSizes()) {
            const QSizeF mm = size.size(QPageSize::Millimeter);
            papers.push_back({static_cast<int>(papers.size()), size.name().toStdString(),
                              static_cast<int>(std::lround(mm.width() * 10)),
                              static_cast<int>(std::lround(mm.height() * 10))});
        }
        if (const auto paper = SelectPrinterPaper(papers, m_pageDialog.width, m_pageDialog.height)) {
            m_printer->setPageSize(QPrinterInfo(*m_printer).supportedPageSizes().at(paper->id));
        }
    }
    m_page = TakePageSetup(true, m_pageDialog);
    ApplyPageToPrinter();

    openDocument = [this](const QString& file) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
            QMessageBox::information(
                this, Title(),
                QStringLiteral("Saved as %1. No application of this desktop opens it.").arg(file));
        }
    };
    showError = [this](const QString& caption, const QString& text) {
        QMessageBox::critical(this, caption, text);
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

    SheetSurface* surface = m_view->Surface();
    surface->onPress = [this](QMouseEvent* e) { MousePressed(e); };
    surface->onMove = [this](QMouseEvent* e) { MouseMoved(e); };
    surface->onRelease = [this](QMouseEvent* e) { MouseReleased(e); };
    surface->onResize = [this] {
        m_needsLayout = true;
        Repaint();
    };
    m_prefetch = new QTimer(this);
    m_prefetch->setSingleShot(true);
    m_prefetch->setInterval(0);
    connect(m_prefetch, &QTimer::timeout, this, [this] { PaintAhead(); });
    connect(m_view->Horizontal(), &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
    connect(m_view->Vertical(), &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });

    // F1 in the program's dialogs opens the manual as the Help command does.
    SetHelpCommand([this] { ShowHelp(); });
    LoadWindowSettings();
    UpdateCaption({});
    UpdateActions();
    UpdateStatus();
}

MainWindow::~MainWindow() {
    FreeProject();
}

QAction* MainWindow::MakeAction(const char* name, const QString& caption, const QString& hint,
                                const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    m_actions[action->objectName()] = action;
    return action;
}

QAction* MainWindow::Action(const QString& name) const {
    const auto found = m_actions.find(name);
    return found == m_actions.end() ? nullptr : found->second;
}

void MainWindow::MakeActions() {
    QStyle* s = style();
    MakeAction("AFilenew", QStringLiteral("&New"), QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N))
        ->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    MakeAction("AFileopen", QStringLiteral("&Open"), QStringLiteral("Open"),
               QKeySequence(Qt::CTRL | Qt::Key_O))
        ->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    MakeAction("Aclose", QStringLiteral("&Close"), QStringLiteral("Close"))
        ->setIcon(s->standardIcon(QStyle::SP_DialogCloseButton));
    MakeAction("ASave", QStringLiteral("&Save"), QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S))
        ->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    MakeAction("Asaveas", QStringLiteral("Save &as... "), QStringLiteral("Save as"));
    MakeAction("ABmp", QStringLiteral("Save image"), QStringLiteral("Save image"));
    MakeAction("APagesetup", QStringLiteral("Pa&ge setup"), QStringLiteral("Page setup"))
        ->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    MakeAction("APrint", QStringLiteral("&Print"),
               Qs(PrinterCaption(QPrinterInfo::defaultPrinterName().toStdString())),
               QKeySequence(Qt::CTRL | Qt::Key_P))
        ->setIcon(s->standardIcon(QStyle::SP_ComputerIcon));
    MakeAction("AExit", QStringLiteral("&Exit"), QStringLiteral("Exit"));
    MakeAction("AZoomP", QStringLiteral("Zoom in"), QStringLiteral("Zoom in"));
    MakeAction("AzoomM", QStringLiteral("Zoom out"), QStringLiteral("Zoom out"));
    MakeAction("AZoomAll", QStringLiteral("Zoom all"), QStringLiteral("Zoom all"));
    MakeAction("Encuadre", QStringLiteral("PAN"), QStringLiteral("PAN"))->setCheckable(true);
    MakeAction("Errorlevel", QStringLiteral("List of error levels"), QStringLiteral("List of error levels"));
    MakeAction("AConfiguration", QStringLiteral("Configuration"), QStringLiteral("Configuration"));
    MakeAction("AISchematic", QStringLiteral("Project information"), QStringLiteral("Project information"));
    MakeAction("AStandard", QStringLiteral("Standard and signal quality..."),
               QStringLiteral("The standard the outlets are checked against and the quality of the sources"));
    const struct {
        const char* name;
        const char* caption;
        Qt::Key key;
    } tools[] = {{"Aruler", "Change distance", Qt::Key_D}, {"Anivel", "Levels", Qt::Key_L},
                 {"Aedit", "Edit Components", Qt::Key_E},  {"AInsert", "Add amplifier", Qt::Key_I},
                 {"Amamp", "Remove amplifier", Qt::Key_R}, {"AAmpReg", "Component regulation", Qt::Key_V}};
    for (const auto& tool : tools) {
        const QString caption = QString::fromLatin1(tool.caption);
        MakeAction(tool.name, caption, caption, QKeySequence(Qt::CTRL | tool.key))->setCheckable(true);
    }
    MakeAction("CrearInformes", QStringLiteral("Create"), QStringLiteral("Create"));
    MakeAction("Verinformes", QStringLiteral("Open"), QStringLiteral("Open"));
    MakeAction("AUndo", QStringLiteral("&Undo"), QStringLiteral("Undo the last change"),
               QKeySequence(Qt::CTRL | Qt::Key_Z))
        ->setIcon(s->standardIcon(QStyle::SP_ArrowBack));
    MakeAction("ARedo", QStringLiteral("&Redo"), QStringLiteral("Redo the change undone last"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z))
        ->setIcon(s->standardIcon(QStyle::SP_ArrowForward));
    MakeAction("AHelpC", QStringLiteral("Contents"), QStringLiteral("Help"), QKeySequence(Qt::Key_F1))
        ->setIcon(s->standardIcon(QStyle::SP_DialogHelpButton));
    MakeAction("AAbout", QStringLiteral("About %1").arg(Title()), QStringLiteral("About %1").arg(Title()));

    connect(Action("AFilenew"), &QAction::triggered, this, [this] { NewProject(); });
    connect(Action("AFileopen"), &QAction::triggered, this, [this] { OpenProject(); });
    connect(Action("Aclose"), &QAction::triggered, this, [this] { CloseProject(); });
    connect(Action("ASave"), &QAction::triggered, this, [this] { SaveProject(); });
    connect(Action("Asaveas"), &QAction::triggered, this, [this] { SaveProjectAs(); });
    connect(Action("ABmp"), &QAction::triggered, this, [this] { SaveImage(); });
    connect(Action("APagesetup"), &QAction::triggered, this, [this] { SetUpPage(); });
    connect(Action("APrint"), &QAction::triggered, this, [this] { Print(); });
    connect(Action("AExit"), &QAction::triggered, this, [this] { close(); });
    connect(Action("AZoomP"), &QAction::triggered, this, [this] { ZoomIn(); });
    connect(Action("AzoomM"), &QAction::triggered, this, [this] { ZoomOut(); });
    connect(Action("AZoomAll"), &QAction::triggered, this, [this] { ZoomAll(); });
    connect(Action("Encuadre"), &QAction::triggered, this, [this] { TogglePan(); });
    connect(Action("AUndo"), &QAction::triggered, this, [this] { Undo(); });
    connect(Action("ARedo"), &QAction::triggered, this, [this] { Redo(); });
    connect(Action("CrearInformes"), &QAction::triggered, this, [this] { CreateReport(); });
    connect(Action("Verinformes"), &QAction::triggered, this, [this] { OpenReport(); });
    connect(Action("AHelpC"), &QAction::triggered, this, [this] { ShowHelp(); });
    connect(Action("AAbout"), &QAction::triggered, this, [this] { ShowAbout(); });
    connect(Action("AStandard"), &QAction::triggered, this, [this] { ChooseStandard(); });

    m_zoomGroup = new QActionGroup(this);
    m_zoomGroup->setExclusive(true);
    for (int i = 0; i < ZoomStepCount(); ++i) {
        auto* step = new QAction(Qs(ZoomStepText(i)), m_zoomGroup);
        step->setCheckable(true);
        step->setData(ZoomStepPercent(i));
        step->setChecked(i == 0);
        connect(step, &QAction::triggered, this, [this, i] { ChooseZoomStep(i); });
        m_zoomSteps.push_back(step);
    }
}

void MainWindow::MakeMenusAndToolBars() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addActions({Action("AFilenew"), Action("AFileopen"), Action("Aclose")});
    m_recentMenu = file->addMenu(QStringLiteral("Recent files"));
    file->addSeparator();
    file->addActions({Action("ASave"), Action("Asaveas"), Action("ABmp")});
    file->addSeparator();
    file->addActions({Action("APagesetup"), Action("APrint")});
    file->addSeparator();
    file->addAction(Action("AExit"));
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addActions({Action("AUndo"), Action("ARedo")});
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->addActions({Action("AZoomP"), Action("AzoomM"), Action("AZoomAll")});
    view->addSeparator();
    view->addAction(Action("Errorlevel"));
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->addAction(Action("AConfiguration"));
    options->addAction(Action("AStandard"));
    options->addSeparator();
    options->addAction(Action("AISchematic"));
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->addActions({Action("Aruler"), Action("Anivel"), Action("Aedit"), Action("AInsert"),
                       Action("Amamp"), Action("AAmpReg")});
    QMenu* reports = menuBar()->addMenu(QStringLiteral("&Reports"));
    reports->addActions({Action("CrearInformes"), Action("Verinformes")});
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(Action("AHelpC"));
    help->addSeparator();
    help->addAction(Action("AAbout"));

    QToolBar* standard = addToolBar(QStringLiteral("Standard"));
    standard->setObjectName(QStringLiteral("StandardBar"));
    standard->addActions({Action("AFilenew"), Action("AFileopen"), Action("ASave")});
    standard->addSeparator();
    standard->addActions({Action("APagesetup"), Action("APrint"), Action("Aclose"), Action("AUndo"),
                          Action("ARedo"), Action("AHelpC")});
    QToolBar* viewBar = addToolBar(QStringLiteral("View"));
    viewBar->setObjectName(QStringLiteral("ViewBar"));
    viewBar->addAction(Action("AZoomP"));
    auto* zoomMenu = new QMenu(this);
    zoomMenu->addActions(m_zoomGroup->actions());
    if (auto* button = qobject_cast<QToolButton*>(viewBar->widgetForAction(Action("AZoomP")))) {
        button->setMenu(zoomMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    viewBar->addActions({Action("AzoomM"), Action("AZoomAll"), Action("Encuadre")});
    QToolBar* toolBar = addToolBar(QStringLiteral("Tools"));
    toolBar->setObjectName(QStringLiteral("ToolsBar"));
    toolBar->addActions({Action("Aruler"), Action("Anivel"), Action("Aedit"), Action("AInsert"),
                         Action("Amamp"), Action("AAmpReg")});
    FillRecentMenu();
}

bool MainWindow::CanPrint() const {
    // Besides the installed printers, the print dialog always offers printing to a PDF file.
    return true;
}

void MainWindow::UpdateActions() {
    const bool canUndo = m_editor != nullptr && m_editor->CanUndo();
    const bool canRedo = m_editor != nullptr && m_editor->CanRedo();
    const ActionStates states = StatesFor(m_projectOpen, CanPrint(), canUndo, canRedo);
    Action("Aclose")->setEnabled(states.close);
    Action("ASave")->setEnabled(states.save);
    Action("Asaveas")->setEnabled(states.saveAs);
    Action("ABmp")->setEnabled(states.saveImage);
    Action("APagesetup")->setEnabled(states.pageSetup);
    Action("APrint")->setEnabled(states.print);
    for (const char* name : {"AZoomP", "AzoomM", "AZoomAll", "Encuadre"}) {
        Action(QString::fromLatin1(name))->setEnabled(states.zoom);
    }
    for (QAction* step : m_zoomSteps) {
        step->setEnabled(states.zoom);
    }
    Action("Encuadre")->setChecked(false);
    Action("AUndo")->setEnabled(states.undo);
    Action("ARedo")->setEnabled(states.redo);
    for (const char* name : {"Errorlevel", "AConfiguration", "AISchematic", "Aruler", "Anivel", "Aedit",
                             "AInsert", "Amamp", "AAmpReg"}) {
        Action(QString::fromLatin1(name))->setEnabled(states.later);
    }
    Action("CrearInformes")->setEnabled(m_projectOpen);
    Action("AStandard")->setEnabled(m_projectOpen);
    Action("Verinformes")->setEnabled(true);
}

void MainWindow::UpdateCaption(const std::string& fileName) {
    setWindowTitle(Qs(WindowCaption(fileName)));
}

void MainWindow::UpdateStatus() {
    m_outletsOutOfLimits = m_project != nullptr ? CountOutletsOutOfLimits(*m_project) : 0;
    m_outletsFailingStandard = 0;
    if (m_project == nullptr) {
        m_outletsLabel->setText(QString());
        m_outletsLabel->setToolTip(QString());
        return;
    }
    std::string text = OutletsOutOfLimitsText(m_outletsOutOfLimits);
    // The standard's C/N (and tilt) beside the level limits, with the failing outlets as the tip.
    const StandardFailures standard = FindStandardFailures(*m_project);
    m_outletsFailingStandard = standard.failing.size();
    if (const std::string quality = StandardFailuresText(standard); !quality.empty()) {
        text += "; " + quality;
    }
    const std::string design =
        DesignProblemsText(CheckPowering(*m_project).size(), CheckOverdrive(*m_project).size());
    if (!design.empty()) {
        text += "; " + design;
    }
    m_outletsLabel->setText(Qs(text));
    m_outletsLabel->setToolTip(Qs(StandardFailuresList(standard)));
}

QString MainWindow::StatusText() const {
    return m_outletsLabel->text();
}

QString MainWindow::StatusToolTip() const {
    return m_outletsLabel->toolTip();
}

// ---- project commands ----

bool MainWindow::ConfirmSaveChanges() {
    return ixo::ConfirmSaveChanges(m_project.get(), askSaveChanges, [this] { return SaveProject(); });
}

void MainWindow::NewProject() {
    if (!ConfirmSaveChanges() || !CloseProject()) {
        return;
    }
    WizardDialog wizard(this);
    if (wizard.exec() == QDialog::Accepted) {
        CreateProjectFromWizard(wizard.Model().Results());
    } else {
        CloseProject();
    }
    UpdateActions();
}

bool MainWindow::CreateProjectFromWizard(const WizardResults& results) {
    if (m_session.Store() == nullptr) {
        return false;
    }
    {
        WaitCursor wait;
        ProgressWindow progress(this);
        progress.show();
        NuevoProyecto created = CrearProyectoDesdeAsistente(*m_session.Store(), results, m_session.Settings(),
                                                            m_session.Limits(), progress);
        if (progress.CancelRequested() || created.Proyecto == nullptr) {
            // Cancelled: nothing half-built stays open.
            return false;
        }
        m_project = std::move(created.Proyecto);
        m_project->NombreFichero = Tproyecto::NombreFicheroEn(m_session.ProjectDirectory());
        if (created.Resultado > 0) {
            m_schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
            progress.SetPosition(0);
            progress.SetCaption("Draw the graphics");
            if (!BuildSchematic(*m_project, *m_schematic, progress) || progress.CancelRequested()) {
                // Cancelled while drawing: the new project goes as well, as when cancelled while building.
                FreeProject();
                return false;
            }
            MarkOutletErrors(*m_project, *m_schematic);
        }
        m_editor = std::make_unique<NetworkEditor>(*m_project);
        m_projectOpen = true;
        m_needsLayout = true;
        progress.hide();
    }
    UpdateCaption(m_project->NombreFichero);
    UpdateStatus(); // the legend of the outlet colours is painted when some are out of limits
    Repaint();
    UpdateActions();
    return true;
}

void MainWindow::OpenProject() {
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Open Ixo project"), LastFolder(),
                                                      QString::fromLatin1(kProjectFilter));
    if (!file.isEmpty()) {
        OpenProjectFile(file);
    }
}

bool MainWindow::OpenProjectFile(const QString& path) {
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
            m_project = std::move(opened.project);
            m_schematic = std::move(schematic);
            MarkOutletErrors(*m_project, *m_schematic);
            // Nothing has changed yet: closing at once asks no question.
            m_editor = std::make_unique<NetworkEditor>(*m_project);
            m_editor->MarkSaved();
        }
    } catch (const std::bad_alloc&) {
        // What the open had read is freed on the way here.
        m_project.reset();
        outOfMemory = true;
    }
    if (m_project == nullptr) {
        showError(QStringLiteral("Error"),
                  Qs(outOfMemory ? OpenOutOfMemoryMessage()
                                 : OpenFailureMessage(opened.result, opened.version, opened.reason)));
        CloseProject();
        return false;
    }
    UpdateCaption(m_project->NombreFichero);
    m_projectOpen = true;
    m_needsLayout = true;
    UpdateStatus();
    Repaint();
    UpdateActions();
    RememberFolder(path);
    AddRecentFile(path);
    return true;
}

void MainWindow::FreeProject() {
    m_viewCurrent = false;
    m_refining = false;
    m_objectsScaled = true;
    m_editor.reset();
    if (m_schematic != nullptr) {
        m_schematic->Clear();
        m_schematic.reset();
    }
    m_projectOpen = false;
    m_project.reset();
}

bool MainWindow::CloseProject() {
    if (!ConfirmSaveChanges()) {
        return false;
    }
    WaitCursor wait;
    m_panning = false;
    FreeProject();
    m_zoomIndex = 0;
    ZoomAll();
    UpdateCaption({});
    ResetScrollBars();
    Repaint();
    UpdateActions();
    UpdateStatus();
    m_view->Surface()->unsetCursor();
    return true;
}

bool MainWindow::WriteProject(const std::filesystem::path& path) {
    if (!ixo::SaveProject(*m_project, path)) {
        showError(Title(), Qs(SaveFailureMessage(path, LastFileError())));
        return false;
    }
    if (m_editor != nullptr) {
        m_editor->MarkSaved();
    }
    const QString file = QString::fromStdString(path.string());
    RememberFolder(file);
    AddRecentFile(file);
    return true;
}

bool MainWindow::SaveProject() {
    if (m_project == nullptr) {
        return false;
    }
    if (m_project->Abierto) {
        return WriteProject(m_project->NombreFichero);
    }
    return SaveProjectAs();
}

bool MainWindow::SaveProjectAs() {
    if (m_project == nullptr) {
        return false;
    }
    const QString file = chooseSaveFile(Qs(m_project->NombreFichero));
    if (file.isEmpty()) {
        return false;
    }
    if (!WriteProject(file.toStdString())) {
        return false;
    }
    m_project->Abierto = true;
    UpdateCaption(m_project->NombreFichero);
    return true;
}

// The standard and the source quality are the project's: a change sets its limits (for a preset) and
// is saved with it; the levels do not change, the outlet check and its colours may.
void MainWindow::ChooseStandard() {
    if (!m_projectOpen || m_project == nullptr) {
        return;
    }
    StandardDialog dialog(this, *m_project);
    if (dialog.exec() != QDialog::Accepted || !dialog.Choice().Apply(*m_project)) {
        return;
    }
    Recalcular(*m_project);
    UpdateStatus();
    Repaint();
    UpdateActions();
}

void MainWindow::Undo() {
    if (m_editor != nullptr && m_editor->Undo()) {
        AfterHistoryMove();
    }
}

void MainWindow::Redo() {
    if (m_editor != nullptr && m_editor->Redo()) {
        AfterHistoryMove();
    }
}

void MainWindow::AfterHistoryMove() {
    RebuildSchematic();
    m_needsLayout = true;
    UpdateStatus();
    Repaint();
    UpdateActions();
}

void MainWindow::RebuildSchematic() {
    if (m_project == nullptr) {
        return;
    }
    if (m_schematic == nullptr) {
        m_schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    }
    (void)BuildSchematic(*m_project, *m_schematic, NoProgress()); // nothing cancels it
    MarkOutletErrors(*m_project, *m_schematic);
}

// ---- view ----

SheetContent MainWindow::Content(double dpi, double outputScale) const {
    SheetContent content;
    if (m_project != nullptr) {
        content.showTitleBlock = m_project->cajetinvisible;
        content.texts = m_project->Datosproyecto();
        content.titleBlockWidthMm = m_project->AnchoCajetin;
        content.titleBlockHeightMm = m_project->Altocajetin;
    }
    content.dpi = dpi;
    content.outputScale = outputScale;
    content.showLegend = m_outletsOutOfLimits > 0;
    return content;
}

void MainWindow::Repaint() {
    m_tiles->Clear();
    m_refining = false;
    RepaintScrolled();
}

std::size_t MainWindow::TilesPaintedLastTime() const {
    return m_tiles->PaintedLastTime();
}

void MainWindow::LayOut(const QSize& imageSize, bool rescaleObjects) {
    SheetSurface* surface = m_view->Surface();
    const double dpiX = surface->logicalDpiX();
    const double dpiY = surface->logicalDpiY();
    ViewRequest request;
    request.imageWidth = imageSize.width();
    request.imageHeight = imageSize.height();
    request.zoomPercent = ZoomStepPercent(m_zoomIndex);
    request.showTitleBlock = m_project->cajetinvisible;
    request.titleBlockHeightPx = MmToPx(dpiY, m_project->Altocajetin * 100.0);
    request.page = m_page;
    request.dpiX = dpiX;
    request.dpiY = dpiY;
    request.rescaleObjects = rescaleObjects;
    m_layout = ComputeView(*m_schematic, request, m_horizontal, m_vertical);
    m_objectsScaled = rescaleObjects;
    ApplyScrollBars();
    m_needsLayout = false;
    m_tiles->Clear();
}

void MainWindow::EnsureObjectsScaled() {
    if (!m_objectsScaled && m_schematic != nullptr) {
        m_schematic->RescaleAll(m_layout.placement.scale);
        m_objectsScaled = true;
        m_objectsPlaced = false;
    }
}

void MainWindow::RepaintScrolled() {
    QElapsedTimer timer;
    timer.start();
    SheetSurface* surface = m_view->Surface();
    QImage image(surface->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (!m_projectOpen || m_schematic == nullptr) {
        image.fill(Qt::white);
        surface->SetImage(std::move(image));
        m_viewCurrent = false;
        m_refining = false;
        m_lastRepaintMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        return;
    }
    if (m_needsLayout) {
        m_refining = false;
        LayOut(image.size(), true);
    }
    const QPoint position(m_horizontal.position, m_vertical.position);
    if (m_refining) {
        // A pan while the zoom step's stand-in is on view moves the stand-in; the tiles follow.
        m_tiles->ComposeUnpainted(image, position);
    } else {
        m_tiles->Compose(image, position,
                         [this](QImage& region, QPoint origin) { PaintRegion(region, origin); });
    }
    // The tiles around the view are painted while the user does nothing, so that a pan step finds them.
    m_prefetch->start();
    // Painting the tiles left the objects where the tiles are; they are put on the view when the mouse
    // asks for them.
    m_objectsPlaced = false;
    m_viewCurrent = true;
    surface->SetImage(std::move(image));
    m_lastRepaintMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

QImage MainWindow::ScaledStandIn(const QImage& previous, QPoint oldPosition, double oldZoom,
                                 QPoint newPosition) const {
    QImage standIn(previous.size(), QImage::Format_RGB32);
    standIn.fill(Qt::white);
    // The sheet's pixels grow with the zoom from the page's top-left corner: sheet pixel p at the old
    // zoom is p x f at the new one. The new view's rectangle, taken back to the old view's pixels, is
    // cut to what the old view showed and drawn scaled.
    const double f = m_layout.sheetZoom / oldZoom;
    const QRectF wanted((newPosition.x() / f) - oldPosition.x(), (newPosition.y() / f) - oldPosition.y(),
                        standIn.width() / f, standIn.height() / f);
    const QRectF source = wanted.intersected(QRectF(previous.rect()));
    if (source.isEmpty()) {
        return standIn;
    }
    const QRectF target((source.left() - wanted.left()) * f, (source.top() - wanted.top()) * f,
                        source.width() * f, source.height() * f);
    QPainter painter(&standIn);
    // Nearest-pixel scaling: the stand-in shows for a moment only, and smoothing costs more than a frame.
    painter.drawImage(target, previous, source);
    return standIn;
}

void MainWindow::ZoomWithStandIn() {
    QElapsedTimer timer;
    timer.start();
    SheetSurface* surface = m_view->Surface();
    const QImage previous = surface->Image();
    const QPoint oldPosition(m_horizontal.position, m_vertical.position);
    const double oldZoom = m_layout.sheetZoom;
    LayOut(previous.size(), false);
    const QPoint position(m_horizontal.position, m_vertical.position);
    m_tiles->SetBackdrop(ScaledStandIn(previous, oldPosition, oldZoom, position), position);
    m_refining = true;
    QImage image(previous.size(), QImage::Format_RGB32);
    m_tiles->ComposeUnpainted(image, position);
    m_objectsPlaced = false;
    m_prefetch->start();
    surface->SetImage(std::move(image));
    m_lastRepaintMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void MainWindow::FinishRefining() {
    if (!m_refining) {
        return;
    }
    m_refining = false;
    RepaintScrolled();
}

void MainWindow::PaintRegion(QImage& region, QPoint origin) {
    EnsureObjectsScaled();
    SheetSurface* surface = m_view->Surface();
    const double dpiX = surface->logicalDpiX();
    QPainter painter(&region);
    QPainterCanvas canvas(painter, static_cast<int>(dpiX));
    canvas.SetMinimumTextHeight(kMinimumTextPx);
    canvas.SetGreekingHeight(kGreekingTextPx);
    canvas.SetAnchoredDots(true);
    canvas.SetTextCache(m_textCache.get());
    // Objects just outside the region are painted too: their labels may reach in.
    const Rect client{-kTileBleed, -kTileBleed, region.width() + kTileBleed, region.height() + kTileBleed};
    PaintSheet(canvas, client, *m_schematic, Content(dpiX, m_layout.sheetZoom), m_layout.printable,
               m_layout.placement, Point{-origin.x(), -origin.y()});
    m_objectsPlaced = false;
}

void MainWindow::PaintAhead() {
    if (!m_projectOpen || m_schematic == nullptr || m_needsLayout) {
        return;
    }
    const QPoint position(m_horizontal.position, m_vertical.position);
    const auto paint = [this](QImage& region, QPoint origin) { PaintRegion(region, origin); };
    if (m_refining && !m_objectsScaled) {
        // The rescale of every object is a pass of its own, so that no pass keeps the user waiting long.
        EnsureObjectsScaled();
        m_prefetch->start();
        return;
    }
    if (m_refining) {
        // The view's own tiles first, a row per pass of the event loop, each shown as soon as it is sharp.
        SheetSurface* surface = m_view->Surface();
        if (m_tiles->PaintVisibleRow(position, surface->Image().size(), paint)) {
            QImage image(surface->Image().size(), QImage::Format_RGB32);
            m_tiles->ComposeUnpainted(image, position);
            surface->SetImage(std::move(image));
        } else {
            m_refining = false;
        }
        m_prefetch->start();
        return;
    }
    if (m_tiles->PaintOneAround(position, m_view->Surface()->Image().size(), paint)) {
        m_prefetch->start();
    }
}

void MainWindow::PlaceObjectsOnView() {
    if (m_objectsPlaced || !m_projectOpen || m_schematic == nullptr) {
        return;
    }
    EnsureObjectsScaled();
    const QSize size = m_view->Surface()->Image().size();
    PlaceObjects(Rect{0, 0, size.width(), size.height()}, *m_schematic, m_layout.placement,
                 Point{-m_horizontal.position, -m_vertical.position});
    m_objectsPlaced = true;
}

void MainWindow::ApplyScrollBars() {
    m_scrollRedraw = false;
    const auto apply = [](QScrollBar* bar, const ScrollBar& model, int visible) {
        bar->setRange(model.minimum, std::max(model.minimum, model.maximum));
        bar->setValue(model.position);
        bar->setSingleStep(model.smallChange);
        bar->setPageStep(std::max(model.largeChange, visible));
        bar->setEnabled(model.enabled);
    };
    apply(m_view->Horizontal(), m_horizontal, m_view->Surface()->width());
    apply(m_view->Vertical(), m_vertical, m_view->Surface()->height());
    m_scrollRedraw = true;
}

void MainWindow::ResetScrollBars() {
    m_scrollRedraw = false;
    m_horizontal = ScrollBar{};
    m_vertical = ScrollBar{};
    for (QScrollBar* bar : {m_view->Horizontal(), m_view->Vertical()}) {
        bar->setEnabled(true);
        bar->setValue(bar->minimum());
        bar->setEnabled(false);
    }
    m_scrollRedraw = true;
}

void MainWindow::ScrollChanged() {
    if (!m_scrollRedraw) {
        return;
    }
    m_horizontal.position = m_view->Horizontal()->value();
    m_vertical.position = m_view->Vertical()->value();
    RepaintScrolled();
}

bool MainWindow::AnyScrollBarEnabled() const {
    return m_horizontal.enabled || m_vertical.enabled;
}

double MainWindow::CurrentPercent() const {
    return m_layout.sheetZoom * 100.0;
}

void MainWindow::ChooseZoomStep(int index) {
    if (index < 0 || index >= ZoomStepCount()) {
        return;
    }
    m_zoomSteps[static_cast<std::size_t>(index)]->setChecked(true);
    m_zoomIndex = index;
    const QImage& shown = m_view->Surface()->Image();
    if (m_projectOpen && m_schematic != nullptr && m_viewCurrent && !m_needsLayout &&
        m_layout.sheetZoom > 0.0 && shown.size() == m_view->Surface()->size()) {
        ZoomWithStandIn();
        return;
    }
    m_needsLayout = true;
    Repaint();
}

void MainWindow::ZoomIn() {
    ChooseZoomStep(ZoomInStep(m_zoomIndex, CurrentPercent()));
}

void MainWindow::ZoomOut() {
    ChooseZoomStep(ZoomOutStep(m_zoomIndex, CurrentPercent()));
}

void MainWindow::ZoomAll() {
    ChooseZoomStep(0);
}

void MainWindow::TogglePan() {
    QAction* pan = Action("Encuadre");
    // The action toggled itself; it stays checked only when there is something to pan.
    pan->setChecked(pan->isChecked() && AnyScrollBarEnabled());
    if (pan->isChecked()) {
        m_view->Surface()->setCursor(HandCursor());
    } else {
        m_view->Surface()->unsetCursor();
    }
}

bool MainWindow::PanTo(const QPoint& point) {
    m_scrollRedraw = false;
    if (m_horizontal.enabled) {
        m_horizontal.position = std::clamp(m_panStartScroll.x() + m_panStart.x() - point.x(), 0,
                                           std::max(0, m_horizontal.maximum));
    } else {
        m_horizontal.position = 0;
    }
    if (m_vertical.enabled) {
        m_vertical.position =
            std::clamp(m_panStartScroll.y() + m_panStart.y() - point.y(), 0, std::max(0, m_vertical.maximum));
    } else {
        m_vertical.position = 0;
    }
    m_view->Horizontal()->setValue(m_horizontal.position);
    m_view->Vertical()->setValue(m_vertical.position);
    if (!AnyScrollBarEnabled()) {
        m_scrollRedraw = true;
        return false;
    }
    RepaintScrolled();
    m_scrollRedraw = true;
    return true;
}

void MainWindow::MousePressed(QMouseEvent* event) {
    QAction* pan = Action("Encuadre");
    if (event->button() == Qt::MiddleButton && m_project != nullptr) {
        pan->setChecked(AnyScrollBarEnabled());
    }
    if (pan->isChecked() && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)) {
        m_panning = true;
        m_panStart = event->position().toPoint();
        m_panStartScroll = QPoint(m_horizontal.position, m_vertical.position);
        m_view->Surface()->setCursor(HandCursor());
    }
}

void MainWindow::MouseMoved(QMouseEvent* event) {
    if (!AnyScrollBarEnabled()) {
        Action("Encuadre")->setChecked(false);
    }
    if (m_panning && (event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
        PanTo(event->position().toPoint());
        statusBar()->clearMessage();
        return;
    }
    statusBar()->clearMessage();
    if (m_schematic == nullptr || !m_projectOpen) {
        return;
    }
    const QPoint p = event->position().toPoint();
    EnsureObjectsScaled();
    const HitResult hit = HitTestView(*m_schematic, p.x(), p.y(), m_layout.placement,
                                      Point{-m_horizontal.position, -m_vertical.position});
    if (hit.hit && hit.object != nullptr && !hit.object->Hint.empty()) {
        statusBar()->showMessage(Qs(hit.object->Hint));
    }
    if (hit.elementPin != nullptr) {
        m_view->Surface()->setCursor(TargetCursor());
    } else if (Action("Encuadre")->isChecked() && !hit.hit) {
        m_view->Surface()->setCursor(HandCursor());
    } else {
        m_view->Surface()->unsetCursor();
    }
}

void MainWindow::MouseReleased(QMouseEvent* event) {
    if (m_panning && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)) {
        PanTo(event->position().toPoint());
    }
    m_panning = false;
    m_scrollRedraw = true;
    QAction* pan = Action("Encuadre");
    pan->setChecked(pan->isChecked() && AnyScrollBarEnabled());
    if (pan->isChecked()) {
        m_view->Surface()->setCursor(HandCursor());
    } else {
        m_view->Surface()->unsetCursor();
    }
}

// ---- page setup, print, image ----

void MainWindow::SetUpPage() {
    QPageSetupDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    TakePrinterPage();
    m_needsLayout = true;
    Repaint();
}

// The page setup follows the printer's paper, orientation and margins (hundredths of a millimetre).
void MainWindow::TakePrinterPage() {
    const QPageLayout layout = m_printer->pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    m_pageDialog.width = static_cast<std::int32_t>(std::lround(full.width() * 100));
    m_pageDialog.height = static_cast<std::int32_t>(std::lround(full.height() * 100));
    m_pageDialog.marginLeft = static_cast<std::int32_t>(std::lround(margins.left() * 100));
    m_pageDialog.marginTop = static_cast<std::int32_t>(std::lround(margins.top() * 100));
    m_pageDialog.marginRight = static_cast<std::int32_t>(std::lround(margins.right() * 100));
    m_pageDialog.marginBottom = static_cast<std::int32_t>(std::lround(margins.bottom() * 100));
    m_landscape = layout.orientation() == QPageLayout::Landscape;
    m_page = TakePageSetup(false, m_pageDialog);
}

void MainWindow::Print() {
    if (!m_projectOpen) {
        return;
    }
    const bool wasLandscape = m_printer->pageLayout().orientation() == QPageLayout::Landscape;
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    FollowPrinter(wasLandscape);
    PrintTo(*m_printer);
}

void MainWindow::FollowPrinter(bool wasLandscape) {
    const QPageLayout layout = m_printer->pageLayout();
    // The paper as the printer knows it, upright, in tenths of a millimetre.
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    m_pageDialog =
        SyncPageSizeWithPrinter(m_pageDialog, static_cast<int>(std::lround(paper.width() * 10)),
                                static_cast<int>(std::lround(paper.height() * 10)), landscape, wasLandscape);
    m_landscape = landscape;
    m_page = TakePageSetup(false, m_pageDialog);
    ApplyPageToPrinter();
    m_needsLayout = true;
}

// The printer prints with the window's margins.
void MainWindow::ApplyPageToPrinter() {
    m_printer->setPageMargins(QMarginsF(m_page.marginLeft / 100.0, m_page.marginTop / 100.0,
                                        m_page.marginRight / 100.0, m_page.marginBottom / 100.0),
                              QPageLayout::Millimeter);
}

bool MainWindow::PrintTo(QPrinter& printer) {
    if (m_schematic == nullptr || m_project == nullptr) {
        return false;
    }
    bool printed = false;
    {
        WaitCursor wait;
        printed =
            PrintSchematic(printer, *m_schematic, Content(printer.resolution(), 1.0), printer.copyCount());
    }
    // Printing rescaled the schematic for the paper: the screen is laid out again.
    m_needsLayout = true;
    Repaint();
    if (!printed) {
        showError(Title(), QStringLiteral("The sheet could not be printed on %1.")
                               .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                                       : printer.outputFileName()));
    }
    return printed;
}

void MainWindow::SaveImage() {
    if (!m_projectOpen) {
        return;
    }
    const QString folder = LastFolder();
    ImageExportDialog dialog(this, folder.isEmpty() ? DocumentsDirectory()
                                                    : std::filesystem::path(folder.toStdString()));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    dialog.hide();
    ExportImage(dialog.Settings());
}

bool MainWindow::ExportImage(const ImageExportSettings& settings) {
    if (m_schematic == nullptr || m_project == nullptr) {
        showError(Title(), QStringLiteral("There is no schematic to save: the installation was not built."));
        return false;
    }
    ExportResult result;
    const ExportOptions chosen = settings.Options(m_page);
    {
        // The screen's sheet takes the export's paper and orientation while the export runs (its margins
        // turned with the page); the page and the view come back however the export ends.
        const PageSetup windowPage = m_page;
        const PageSetup dialogPage = m_pageDialog;
        const bool windowLandscape = m_landscape;
        const auto restore = [&] {
            m_page = windowPage;
            m_pageDialog = dialogPage;
            m_landscape = windowLandscape;
            m_needsLayout = true;
            Repaint();
        };
        const PaperMm upright = PaperSize(chosen.paper, PaperOrientation::Vertical);
        const bool exportLandscape = chosen.orientation == PaperOrientation::Horizontal;
        m_page = SyncPageSizeWithPrinter(m_page, upright.width * 10, upright.height * 10, exportLandscape,
                                         windowLandscape);
        m_needsLayout = true;
        Repaint();
        ExportOptions options = chosen;
        options.margins = m_page;
        try {
            WaitCursor wait;
            ProgressWindow progress(this);
            progress.SetCaption("Saving image");
            progress.SetMin(0);
            progress.SetMaximum(100);
            progress.show();
            const SheetContent content = Content(options.dpi, 1.0);
            result = ExportSchematic(settings.FileName(), *m_schematic, content, options, progress);
        } catch (const std::exception& error) {
            result.ok = false;
            result.error = error.what();
        }
        restore();
    }
    if (!result.ok) {
        showError(Title(), Qs(result.error));
        return false;
    }
    RememberFolder(Qs(settings.FileName()));
    return true;
}

// ---- reports ----

void MainWindow::CreateReport() {
    if (!m_projectOpen || m_project == nullptr) {
        return;
    }
    QStringList names;
    for (const std::string_view name : kNombresInformes) {
        names << Qs(std::string(name));
    }
    bool chosen = false;
    const QString name = QInputDialog::getItem(this, QStringLiteral("Reports"), QStringLiteral("Report"),
                                               names, 0, false, &chosen);
    if (chosen) {
        GenerateReport(static_cast<int>(names.indexOf(name)));
    }
}

bool MainWindow::GenerateReport(int index) {
    TextDocumentWriter writer;
    ReportOutcome outcome = ReportOutcome::Failed;
    {
        WaitCursor wait;
        ReportProgressWindow progress(this);
        progress.show();
        outcome = GenerarInforme(index, *m_project, writer, progress);
    }
    // The outlet levels report recalculates as it goes and at its end; what is shown follows the levels.
    UpdateStatus();
    Repaint();
    if (outcome == ReportOutcome::Cancelled) {
        return false;
    }
    if (outcome == ReportOutcome::Failed) {
        showError(Title(), Qs(ReportFailure()));
        return false;
    }
    const std::filesystem::path file = FicheroInforme(*m_project, index);
    if (!GuardarInforme(*m_project, index, writer)) {
        showError(
            Title(),
            QStringLiteral("Cannot save the report %1: %2").arg(Qs(file.string()), Qs(LastFileError())));
        return false;
    }
    m_lastReport = Qs(file.string());
    openDocument(m_lastReport);
    return true;
}

void MainWindow::OpenReport() {
    QString folder = LastFolder();
    if (m_project != nullptr && !m_project->NombreFichero.empty()) {
        folder = Qs(std::filesystem::path(m_project->NombreFichero).parent_path().string());
    }
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Open report"), folder,
                                                      QStringLiteral("Reports (*.html *.htm *.odt *.pdf)"));
    if (!file.isEmpty()) {
        openDocument(file);
    }
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

bool MainWindow::OpenDroppedFiles(const QList<QUrl>& urls) {
    if (urls.isEmpty()) {
        return false;
    }
    const QString first = urls.front().toLocalFile();
    if (first.isEmpty() || !OpensWhenDropped(first.toStdString())) {
        return false;
    }
    return OpenProjectFile(first);
}

// ---- help ----

void MainWindow::ShowHelp() {
    const std::filesystem::path manual = ExecutableDirectory() / "Ixo.pdf";
    const QString path = QString::fromStdString(manual.string());
    QString reason;
    if (!std::filesystem::exists(manual)) {
        reason = QString::fromLocal8Bit(std::strerror(ENOENT));
    } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        reason = QStringLiteral("No application could open the document.");
    }
    if (!reason.isEmpty()) {
        showError(Title(), reason + QStringLiteral("\r\n") + path);
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
    const QStringList recent = settings.value(QStringLiteral("recentFiles")).toStringList();
    m_recentFiles.assign(recent.begin(), recent.end());
    FillRecentMenu();
}

void MainWindow::SaveWindowSettings() {
    QSettings settings;
    settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
}

QString MainWindow::LastFolder() const {
    QSettings settings;
    const QString folder = settings.value(QStringLiteral("lastFolder")).toString();
    return folder.isEmpty() ? Qs(m_session.ProjectDirectory()) : folder;
}

void MainWindow::RememberFolder(const QString& file) {
    QSettings settings;
    settings.setValue(QStringLiteral("lastFolder"), QFileInfo(file).absolutePath());
}

void MainWindow::AddRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    std::erase(m_recentFiles, absolute);
    m_recentFiles.insert(m_recentFiles.begin(), absolute);
    if (m_recentFiles.size() > kRecentFiles) {
        m_recentFiles.resize(kRecentFiles);
    }
    QSettings settings;
    settings.setValue(QStringLiteral("recentFiles"), QStringList(m_recentFiles.begin(), m_recentFiles.end()));
    FillRecentMenu();
}

void MainWindow::FillRecentMenu() {
    if (m_recentMenu == nullptr) {
        return;
    }
    m_recentMenu->clear();
    int number = 1;
    for (const QString& file : m_recentFiles) {
        QAction* item = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(file));
        connect(item, &QAction::triggered, this, [this, file] { OpenProjectFile(file); });
    }
    m_recentMenu->setEnabled(!m_recentFiles.empty());
}

} // namespace ixo
