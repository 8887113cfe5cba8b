#pragma once

// The main window: it holds the open design (the project, its schematic and edit history) and the
// window's state, and wires the rooms that carry the commands: the project commands (new, open, close,
// save, standard), the sheet (layout, painting, zoom, scrolling), the mouse and tools on the sheet, the
// page commands (page setup, print, save image) and the reports. The rules they follow live in small
// classes of their own (WindowRules, ZoomSteps, PageSetupRules, ImageExportSettings).
#include "render/sheet_export.h"
#include "schematic/schematic.h"
#include "schematic/view.h"
#include "ui/main/design_status.h"
#include "ui/main/window_rules.h"

#include <QList>
#include <QMainWindow>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QMouseEvent;
class QPrinter;

namespace ixo {

class AppSession;
class ErrorListWindow;
class LevelsWindow;
class SheetTools;
class TComponenteBase;
class TPin;
class ImageExportSettings;
class SheetPagesChoice;
class MainActions;
class OptionsCommands;
class ReportEditorWindow;
class NetworkEditor;
class PrintCommands;
class ProjectCommands;
class RecentFiles;
class ReportCommands;
class ResultWindows;
class DesignCommands;
class SheetMouse;
class SheetPresenter;
class SheetView;
class TpadreGraficosMS;
class Tproyecto;
struct OpenDesign;
struct SheetMove;
struct SheetSteps;
struct WizardResults;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(AppSession& session);
    ~MainWindow() override;

    // The project commands.
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
    // Options: the configuration dialog and the project information (title block) dialog.
    void ShowConfiguration();
    void ShowProjectInformation();
    OptionsCommands& Options() const { return *m_optionsCommands; }
    // The report editor, made when a report is first shown.
    ReportEditorWindow& ReportEditor();
    void Undo();
    void Redo();

    // The page commands.
    void SaveImage();
    // Save image after the dialog's OK; false with the reason shown when the export failed.
    bool ExportImage(const ImageExportSettings& settings);
    void SetUpPage();
    // After the page setup dialog's OK: the window's page becomes the printer's paper, orientation and
    // margins (hundredths of a millimetre).
    void TakePrinterPage();
    void Print();
    // After the print dialog's OK: the page follows the paper and orientation chosen there.
    void FollowPrinter(bool wasLandscape);
    QPrinter& Printer() const;
    // Prints the sheet on a printer already set up (the print dialog's OK); also prints to PDF.
    bool PrintTo(QPrinter& printer);
    // Print's choice of one sheet or the drawing set (the print dialog's "Pages" tab).
    SheetPagesChoice& PrintPages();

    // Reports: the chooser, then the chosen report generated, saved beside the project and shown in the
    // report editor; Open shows a saved report there (a PDF with the desktop's application).
    void CreateReport();
    bool GenerateReport(int index);
    void OpenReport();
    // The file of the report generated last (empty before the first).
    const QString& LastReport() const;

    // The sheet.
    void ZoomIn();
    void ZoomOut();
    void ZoomAll();
    void ChooseZoomStep(int index);
    void TogglePan();
    // Paints the sheet anew (the layout first when needed) and shows it.
    void Repaint();
    // Shows the sheet at the scroll bars' position from the painted tiles, painting only the missing.
    void RepaintScrolled();
    // Puts the objects on view where the view shows them, for the mouse's hit tests.
    void PlaceObjectsOnView();
    // How many sheet tiles the last repaint painted (0 when it only copied painted ones).
    std::size_t TilesPaintedLastTime() const;
    // After a zoom step the view first shows the previous view scaled, and the sharp tiles replace it
    // one by one while the user does nothing. Sharp: no tile of the view is a stand-in any more.
    bool ViewSharp() const;
    // Paints at once every tile the view still shows from the previous zoom.
    void FinishRefining();

    void ShowHelp();
    void ShowAbout();

    // The error level list (View > List of error levels), refreshed after every change.
    void ShowErrorList();
    ErrorListWindow* ErrorList() const { return m_errorList; }
    // The tools on the sheet, and the windows they open.
    SheetTools& Tools() const { return *m_tools; }
    LevelsWindow* Levels() const { return m_levels; }
    // Selects the element's symbol, shows it in the middle of the view and its pin's levels (a double
    // click in the error list).
    void LocateElement(const TComponenteBase* element, const TPin* pin);
    // After any change of the network: the schematic made again, the sheet, the status, the lists.
    void RefreshAfterEdit();
    const TlistaObjSel& Selection() const { return m_selection; }
    // The pop-up menu of the sheet: the six tools and PAN.
    QMenu* SheetMenu() const { return m_sheetMenu; }

    // State, for the status bar and for tests.
    Tproyecto* Project() const;
    TpadreGraficosMS* Schematic() const;
    bool ProjectOpen() const;
    int ZoomIndex() const;
    double CurrentPercent() const;
    const ixo::PageSetup& PageSize() const;
    SheetView* View() const { return m_view; }
    SheetPresenter& Sheet() const { return *m_sheet; }
    // The levels window, the regulation window and the catalogue explorer, for the tools.
    ResultWindows& Results() const { return *m_results; }
    // The open project's edit history (null without a project).
    NetworkEditor* Editor() const;
    QAction* Action(const QString& name) const;
    QString StatusText() const;
    // The status's tip: the outlets failing the project's standard beyond the level limits.
    QString StatusToolTip() const;
    const ViewResult& ViewLayout() const;
    std::size_t OutletsOutOfLimits() const { return m_status.OutletsOutOfLimits(); }
    // Outlets failing the project's standard beyond the level limits (C/N, tilt); 0 without a standard.
    std::size_t OutletsFailingStandard() const { return m_status.OutletsFailingStandard(); }
    const std::vector<QString>& RecentFiles() const;
    // The time the last repaint took, in milliseconds.
    double LastRepaintMs() const;

    // The window's questions and dialogs, replaceable by tests (message boxes and file dialogs by
    // default).
    std::function<SaveAnswer(const std::string&)> askSaveChanges;
    std::function<QString(const QString& start)> chooseSaveFile;
    std::function<void(const QString& caption, const QString& text)> showError;
    // Shows a saved document (a report) with the desktop's application for its kind.
    std::function<void(const QString& file)> openDocument;
    // The account of an automatic design (a dialog by default).
    std::function<void(const QString& report)> showDesignReport;
    // Told every text the status bar shows (set by a caller that records them, e.g. a scripted run).
    std::function<void(const QString& text)> statusShown;
    // Opens the project named on the command line when the window is first shown.
    void OpenWhenShown(const QString& path) { m_openWhenShown = path; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void MakeRooms();
    void ConnectActions();
    void UpdateActions();
    void UpdateCaption();
    void UpdateStatus();
    // Only the count of outlets out of limits, the rest of the status as UpdateStatus left it.
    void UpdateOutletCount();
    void ShowStatus();
    // The project was made or opened / closed.
    void ShowOpened();
    void ShowClosed();
    // The project changed (an edit, undo, redo, the standard): the check, the sheet and the commands
    // follow it.
    void AfterHistoryMove();
    void AfterLimitsChanged();
    void AfterLevelsChanged();
    void RefreshErrorList();
    void DeselectAll();
    void MakeToolWindows();
    void ReleasedOnSheet(QMouseEvent* event);
    void DoubleClickedOnSheet(QMouseEvent* event);
    // The wheel and the keys on the sheet.
    SheetSteps NavigationSteps() const;
    void Navigate(const SheetMove& move);
    void LoadWindowSettings();
    void SaveWindowSettings();

    AppSession& m_session;
    std::unique_ptr<OpenDesign> m_design;
    std::unique_ptr<ixo::RecentFiles> m_recent;
    std::unique_ptr<MainActions> m_actions;
    SheetView* m_view = nullptr;
    SheetPresenter* m_sheet = nullptr;
    std::unique_ptr<SheetMouse> m_mouse;
    std::unique_ptr<ProjectCommands> m_projectCommands;
    std::unique_ptr<PrintCommands> m_printCommands;
    std::unique_ptr<ReportCommands> m_reportCommands;
    std::unique_ptr<OptionsCommands> m_optionsCommands;
    std::unique_ptr<ReportEditorWindow> m_reportEditor;
    std::unique_ptr<ResultWindows> m_results;
    std::unique_ptr<DesignCommands> m_designCommands;
    QLabel* m_outletsLabel = nullptr;
    ErrorListWindow* m_errorList = nullptr;
    LevelsWindow* m_levels = nullptr;
    QMenu* m_sheetMenu = nullptr;
    std::unique_ptr<SheetTools> m_tools;
    TlistaObjSel m_selection;
    // What the verdict found at the last status update, for the status bar and the error list.
    DesignStatus m_status;
    QString m_openWhenShown;
    bool m_shown = false;
    bool m_errorListPlaced = false;
};

} // namespace ixo
