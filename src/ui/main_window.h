#pragma once

// The main window: it owns the open project, its schematic, the edit history and the view state, and
// carries the commands of the menus and tool bars (new, open, close, save, save as, save image, page
// setup, print, exit, zoom, pan, undo, redo, help, about). The rules it follows live in small classes
// (WindowRules, ZoomSteps, PageSetupRules, ImageExportSettings); the window calls the core and shows.
#include "render/sheet_export.h"
#include "schematic/view.h"
#include "ui/window_rules.h"

#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPrinter;
class QTimer;

namespace ixo {

class AppSession;
class NetworkEditor;
class ProgressWindow;
class SheetTiles;
class SheetView;
class TextCache;
class TpadreGraficosMS;
class Tproyecto;
class ImageExportSettings;
struct WizardResults;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(AppSession& session);
    ~MainWindow() override;

    // The commands.
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
    void SaveImage();
    // Save image after the dialog's OK; false with the reason shown when the export failed.
    bool ExportImage(const ImageExportSettings& settings);
    // Reports: the chooser, then the chosen report generated with its status window, saved beside the
    // project and opened with the desktop's application for its kind; Open shows a saved report.
    void CreateReport();
    bool GenerateReport(int index);
    void OpenReport();
    // The file of the report generated last (empty before the first).
    const QString& LastReport() const { return m_lastReport; }
    void SetUpPage();
    // After the page setup dialog's OK: the window's page becomes the printer's paper, orientation and
    // margins (hundredths of a millimetre).
    void TakePrinterPage();
    void Print();
    // After the print dialog's OK: the page follows the paper and orientation chosen there, the margins
    // turned with the page when the orientation changed (wasLandscape: before the dialog); the printer
    // prints with those margins.
    void FollowPrinter(bool wasLandscape);
    QPrinter& Printer() const { return *m_printer; }
    // Prints the sheet on a printer already set up (the print dialog's OK); also prints to PDF.
    bool PrintTo(QPrinter& printer);
    void ZoomIn();
    void ZoomOut();
    void ZoomAll();
    void ChooseZoomStep(int index);
    void TogglePan();
    void Undo();
    void Redo();
    void ShowHelp();
    void ShowAbout();
    void ChooseStandard();
    // Paints the sheet anew (the layout first when needed) and shows it: every change of the project,
    // the schematic, the zoom or the page comes here and drops the painted tiles.
    void Repaint();
    // Shows the sheet at the scroll bars' position from the painted tiles, painting only the tiles
    // missing (scrolling and panning).
    void RepaintScrolled();
    // Puts the objects on view where the view shows them, for the mouse's hit tests (painting tiles leaves
    // them where the tiles are).
    void PlaceObjectsOnView();
    // How many sheet tiles the last repaint painted (0 when it only copied painted ones).
    std::size_t TilesPaintedLastTime() const;
    // After a zoom step the view first shows the previous view scaled, and the sharp tiles replace it
    // one by one while the user does nothing. Sharp: no tile of the view is a stand-in any more.
    bool ViewSharp() const { return !m_refining; }
    // Paints at once every tile the view still shows from the previous zoom.
    void FinishRefining();

    // State, for the status bar and for tests.
    Tproyecto* Project() const { return m_project.get(); }
    TpadreGraficosMS* Schematic() const { return m_schematic.get(); }
    bool ProjectOpen() const { return m_projectOpen; }
    int ZoomIndex() const { return m_zoomIndex; }
    double CurrentPercent() const;
    const ixo::PageSetup& PageSize() const { return m_page; }
    SheetView* View() const { return m_view; }
    QAction* Action(const QString& name) const;
    QString StatusText() const;
    // The status's tip: the outlets failing the project's standard beyond the level limits.
    QString StatusToolTip() const;
    const ViewResult& ViewLayout() const { return m_layout; }
    std::size_t OutletsOutOfLimits() const { return m_outletsOutOfLimits; }
    // Outlets failing the project's standard beyond the level limits (C/N, tilt); 0 without a standard.
    std::size_t OutletsFailingStandard() const { return m_outletsFailingStandard; }
    const std::vector<QString>& RecentFiles() const { return m_recentFiles; }
    // The time the last repaint took, in milliseconds.
    double LastRepaintMs() const { return m_lastRepaintMs; }

    // The window's questions and dialogs, replaceable by tests (message boxes and file dialogs by
    // default).
    std::function<SaveAnswer(const std::string&)> askSaveChanges;
    std::function<QString(const QString& start)> chooseSaveFile;
    std::function<void(const QString& caption, const QString& text)> showError;
    // Shows a saved document (a report) with the desktop's application for its kind.
    std::function<void(const QString& file)> openDocument;
    // Opens the project named on the command line when the window is first shown.
    void OpenWhenShown(const QString& path) { m_openWhenShown = path; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* MakeAction(const char* name, const QString& caption, const QString& hint,
                        const QKeySequence& shortcut = {});
    void MakeActions();
    void MakeMenusAndToolBars();
    void UpdateActions();
    void UpdateCaption(const std::string& fileName);
    void UpdateStatus();
    void ResetScrollBars();
    void ApplyScrollBars();
    // Paints the sheet region whose top-left corner is origin (sheet pixels) into region.
    void PaintRegion(QImage& region, QPoint origin);
    // One tile of the ring around the view, while the user does nothing; again until the ring is done.
    // After a zoom step, first the view's own tiles.
    void PaintAhead();
    // Lays out the view at the chosen zoom step without painting and shows the previous view scaled to
    // it; the objects are rescaled and the tiles painted later (PaintAhead).
    void ZoomWithStandIn();
    // The previous view's picture scaled from zoom oldZoom at scroll position oldPosition to the layout
    // now at newPosition: a picture of the view's size.
    QImage ScaledStandIn(const QImage& previous, QPoint oldPosition, double oldZoom,
                         QPoint newPosition) const;
    // Rescales the objects to the layout when a zoom step left them at the old scale.
    void EnsureObjectsScaled();
    void LayOut(const QSize& imageSize, bool rescaleObjects);
    void ScrollChanged();
    bool AnyScrollBarEnabled() const;
    void MousePressed(QMouseEvent* event);
    void MouseMoved(QMouseEvent* event);
    void MouseReleased(QMouseEvent* event);
    bool PanTo(const QPoint& point);
    void FreeProject();
    void AfterHistoryMove();
    void RebuildSchematic();
    SheetContent Content(double dpi, double outputScale) const;
    bool WriteProject(const std::filesystem::path& path);
    void AddRecentFile(const QString& path);
    void FillRecentMenu();
    void RememberFolder(const QString& file);
    QString LastFolder() const;
    void LoadWindowSettings();
    void SaveWindowSettings();
    bool CanPrint() const;
    void ApplyPageToPrinter();

    AppSession& m_session;
    std::unique_ptr<SheetTiles> m_tiles;
    std::unique_ptr<TextCache> m_textCache;
    std::unique_ptr<Tproyecto> m_project;
    QString m_lastReport;
    std::unique_ptr<TpadreGraficosMS> m_schematic;
    std::unique_ptr<NetworkEditor> m_editor;
    SheetView* m_view = nullptr;
    std::map<QString, QAction*> m_actions;
    QActionGroup* m_zoomGroup = nullptr;
    std::vector<QAction*> m_zoomSteps;
    QMenu* m_recentMenu = nullptr;
    QLabel* m_outletsLabel = nullptr;
    std::vector<QString> m_recentFiles;

    bool m_projectOpen = false;
    bool m_needsLayout = false;
    bool m_scrollRedraw = false;
    int m_zoomIndex = 0;
    ScrollBar m_horizontal;
    ScrollBar m_vertical;
    ViewResult m_layout;
    ixo::PageSetup m_pageDialog; // the page setup dialog's values
    ixo::PageSetup m_page;       // the window's page (PageSize, PageMargins)
    bool m_landscape = true;
    std::unique_ptr<QPrinter> m_printer;
    QPoint m_panStart;
    QPoint m_panStartScroll;
    bool m_panning = false;
    std::size_t m_outletsOutOfLimits = 0;
    std::size_t m_outletsFailingStandard = 0;
    double m_lastRepaintMs = 0.0;
    QString m_openWhenShown;
    bool m_shown = false;
    bool m_objectsPlaced = false;
    // The shown image is the current project's sheet at m_layout (sharp or a stand-in).
    bool m_viewCurrent = false;
    // A zoom step's stand-in is still on view; the objects await their rescale.
    bool m_refining = false;
    bool m_objectsScaled = true;
    QTimer* m_prefetch = nullptr;
};

} // namespace ixo
