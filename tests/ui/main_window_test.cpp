#include "design/design_verdict.h"
#include "render/qpainter_canvas.h"
#include "render/sheet_tiles.h"
#include "render/text_cache.h"
#include "render/text_document_writer.h"
#include "schematic/sheet.h"
#include "schematic/wire.h"
#include "ui/main/app_session.h"
#include "ui/main/main_window.h"

#include "design/design_verdict.h"
#include "ui/print/image_export_dialog.h"
#include "ui/project/progress_window.h"
#include "ui/project/standard_dialog.h"
#include "ui/project/wizard_dialog.h"
#include "ui/report_editor/report_editor_window.h"
#include "ui/reports/report_progress_window.h"
#include "ui/sheet/cursors.h"
#include "ui/sheet/sheet_view.h"
#include "ui/sheet/zoom_steps.h"
#include "widgets_app.h"

#include "building/proyecto.h"
#include "schematic/schematic.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace ixo {
namespace {

// The demo building of the run command: 2 stairs x 6 floors x 4 flats x 3 outlets, 8 polarities.
// The page objects of a PDF ("/Type /Page" not followed by "s").
int PdfPages(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1)) {
        pages += at + 11 < pdf.size() && pdf[at + 11] != 's' ? 1 : 0;
    }
    return pages;
}

WizardResults DemoBuilding() {
    WizardResults r;
    r.Npolaridades = 8;
    r.Nverticales = 2;
    r.Nplantas = 6;
    r.VertHeader = 1;
    r.Nviv = 48;
    r.NoutletViv = 3;
    r.TipoDistribucionViv = 0;
    r.TipoDistribucionCab = 1;
    r.DisViv.assign(2, std::vector<std::int32_t>(6, 4));
    return r;
}

// How many pixels of the image are not white.
int InkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            inked += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
        }
    }
    return inked;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        std::string message;
        ASSERT_TRUE(session.Load(message)) << message;
        window = std::make_unique<MainWindow>(session);
        window->resize(1000, 700);
        window->showError = [this](const QString& caption, const QString& text) {
            errors.push_back(caption + ": " + text);
        };
        window->askSaveChanges = [this](const std::string& question) {
            questions.push_back(question);
            return answer;
        };
        window->chooseSaveFile = [this](const QString&) { return saveAs; };
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        if (window != nullptr && window->Project() != nullptr) {
            window->Project()->Modificado = false;
        }
        window.reset();
    }
    bool Enabled(const char* action) const {
        return window->Action(QString::fromLatin1(action))->isEnabled();
    }

    test::TempDir temp;
    AppSession session{test::BinDirectory()};
    std::unique_ptr<MainWindow> window;
    std::vector<QString> errors;
    std::vector<std::string> questions;
    SaveAnswer answer = SaveAnswer::Cancel;
    QString saveAs;
};

TEST_F(MainWindowTest, StartsEmptyWithProjectCommandsDisabled) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ixo2 "));
    EXPECT_FALSE(window->ProjectOpen());
    for (const char* name : {"Aclose", "ASave", "Asaveas", "ABmp", "APrint", "AZoomP", "AzoomM", "AZoomAll",
                             "Encuadre", "AUndo", "ARedo", "Errorlevel", "Aruler", "CrearInformes"}) {
        EXPECT_FALSE(Enabled(name)) << name;
    }
    for (const char* name : {"AFilenew", "AFileopen", "AExit", "AHelpC", "AAbout", "APagesetup"}) {
        EXPECT_TRUE(Enabled(name)) << name;
    }
    EXPECT_EQ(window->Action(QStringLiteral("AFilenew"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(window->Action(QStringLiteral("AUndo"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(window->Action(QStringLiteral("ARedo"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(window->Action(QStringLiteral("AHelpC"))->shortcut(), QKeySequence(Qt::Key_F1));
    // Without a project the view is white.
    EXPECT_EQ(InkedPixels(window->View()->Surface()->Image()), 0);
    // The page starts as a landscape A4.
    EXPECT_EQ(window->PageSize().width, 29700);
    EXPECT_EQ(window->PageSize().height, 21000);
}

TEST_F(MainWindowTest, NewDrawsTheSheetAndEnablesTheProjectCommands) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    ASSERT_NE(window->Project(), nullptr);
    ASSERT_NE(window->Schematic(), nullptr);
    EXPECT_GT(window->Schematic()->ObjectCount(), 48u);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Ixo2  [")));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("Project1.XPJ]")));
    for (const char* name :
         {"Aclose", "ASave", "Asaveas", "ABmp", "APrint", "AZoomP", "AzoomM", "AZoomAll"}) {
        EXPECT_TRUE(Enabled(name)) << name;
    }
    EXPECT_FALSE(Enabled("AUndo"));
    EXPECT_GT(InkedPixels(window->View()->Surface()->Image()), 500);
    EXPECT_FALSE(window->StatusText().isEmpty());
    EXPECT_EQ(window->ZoomIndex(), 0);
}

TEST_F(MainWindowTest, CancelInTheProgressWindowLeavesNoProject) {
    // Cancel is pressed as soon as the progress window first lets events through.
    QTimer::singleShot(0, window.get(), [this] {
        for (QDialog* dialog : window->findChildren<QDialog*>()) {
            if (auto* progress = dynamic_cast<ProgressWindow*>(dialog)) {
                progress->RequestCancel();
            }
        }
    });
    EXPECT_FALSE(window->CreateProjectFromWizard(DemoBuilding()));
    EXPECT_EQ(window->Project(), nullptr);
    EXPECT_EQ(window->Schematic(), nullptr);
    EXPECT_FALSE(Enabled("Aclose"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ixo2 "));
    // The next New works as usual.
    EXPECT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
}

TEST_F(MainWindowTest, ZoomStepsAndScrollBars) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    // "All" fits the whole page: no scroll bar.
    EXPECT_FALSE(window->View()->Horizontal()->isEnabled());
    const double fit = window->CurrentPercent();
    ASSERT_GT(fit, 0.0);
    window->ZoomIn();
    const int expected = ZoomStepPercent(ZoomInStep(0, fit));
    EXPECT_EQ(ZoomStepPercent(window->ZoomIndex()), expected);
    EXPECT_DOUBLE_EQ(window->CurrentPercent(), expected);
    window->ZoomAll();
    window->ChooseZoomStep(8); // 800 %: the page is far larger than the view
    EXPECT_TRUE(window->View()->Horizontal()->isEnabled());
    EXPECT_TRUE(window->View()->Vertical()->isEnabled());
    // Entering a zoom from a disabled bar centres it.
    QScrollBar* h = window->View()->Horizontal();
    EXPECT_EQ(h->value(), h->maximum() / 2);
    const QImage before = window->View()->Surface()->Image();
    h->setValue(0);
    EXPECT_NE(window->View()->Surface()->Image(), before); // scrolling repaints
    window->ChooseZoomStep(10);
    window->ZoomIn();
    EXPECT_EQ(window->ZoomIndex(), 10);
    window->ChooseZoomStep(1);
    window->ZoomOut();
    EXPECT_EQ(window->ZoomIndex(), 1);
    window->ZoomAll();
    EXPECT_EQ(window->ZoomIndex(), 0);
    EXPECT_FALSE(window->View()->Horizontal()->isEnabled());
}

TEST_F(MainWindowTest, PanNeedsAScrollBar) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    QAction* pan = window->Action(QStringLiteral("Encuadre"));
    pan->trigger();
    EXPECT_FALSE(pan->isChecked()); // nothing to pan at "All"
    window->ChooseZoomStep(7);
    pan->trigger();
    EXPECT_TRUE(pan->isChecked());
}

// The view painted in one piece, as the window shows it, without tiles; with the text cache or without.
QImage PaintedInOnePiece(MainWindow& window, bool textCache) {
    SheetSurface* surface = window.View()->Surface();
    QImage image(surface->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, static_cast<int>(surface->logicalDpiX()));
    canvas.SetMinimumTextHeight(3);
    canvas.SetGreekingHeight(5);
    canvas.SetAnchoredDots(true);
    TextCache cache;
    if (textCache) {
        canvas.SetTextCache(&cache);
    }
    SheetContent content;
    content.showTitleBlock = window.Project()->cajetinvisible;
    content.texts = window.Project()->Datosproyecto();
    content.titleBlockWidthMm = window.Project()->AnchoCajetin;
    content.titleBlockHeightMm = window.Project()->Altocajetin;
    content.dpi = surface->logicalDpiX();
    content.outputScale = window.ViewLayout().sheetZoom;
    content.showLegend = window.OutletsOutOfLimits() > 0;
    // Objects just outside the view are painted as the window paints them: their labels reach in.
    PaintSheet(canvas, Rect{-48, -48, image.width() + 48, image.height() + 48}, *window.Schematic(), content,
               window.ViewLayout().printable, window.ViewLayout().placement,
               Point{-window.View()->Horizontal()->value(), -window.View()->Vertical()->value()});
    painter.end();
    return image;
}

// Pixels whose colour differs by more than a quarter of the range on some channel.
int DifferentPixels(const QImage& a, const QImage& b) {
    int different = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            different += std::abs(qRed(p) - qRed(q)) > 64 || std::abs(qGreen(p) - qGreen(q)) > 64 ||
                                 std::abs(qBlue(p) - qBlue(q)) > 64
                             ? 1
                             : 0;
        }
    }
    return different;
}

TEST_F(MainWindowTest, TheViewPutTogetherFromTilesIsTheSheetPaintedInOnePiece) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    for (const int step : {0, 5, 7, 8}) { // "All", 100 %, 400 %, 800 %
        window->ChooseZoomStep(step);
        window->FinishRefining();
        QScrollBar* h = window->View()->Horizontal();
        QScrollBar* v = window->View()->Vertical();
        // Pan about so that the last view is made of tiles painted at several earlier positions.
        for (const double f : {0.1, 0.3, 0.45, 0.5}) {
            h->setValue(static_cast<int>(h->maximum() * f));
            v->setValue(static_cast<int>(v->maximum() * (1.0 - f)));
        }
        const QImage shown = window->View()->Surface()->Image();
        ASSERT_GT(InkedPixels(shown), 0) << step;
        const QImage reference = PaintedInOnePiece(*window, true);
        if (std::getenv("IXO_DUMP") != nullptr) {
            shown.save(QStringLiteral("%1/shown%2.png").arg(qEnvironmentVariable("IXO_DUMP")).arg(step));
            reference.save(QStringLiteral("%1/ref%2.png").arg(qEnvironmentVariable("IXO_DUMP")).arg(step));
        }
        // The raster engine cuts a long line at the edge of the image it paints, which may move the
        // line's end by a pixel; nothing else may differ.
        EXPECT_LE(DifferentPixels(shown, reference), 16) << "zoom step " << step;
        // Texts laid out once are drawn where laying them out each time draws them.
        EXPECT_LT(DifferentPixels(shown, PaintedInOnePiece(*window, false)),
                  shown.width() * shown.height() / 500)
            << "zoom step " << step;
    }
}

TEST_F(MainWindowTest, ScrollingPaintsOnlyTheTilesComingIntoView) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    window->ChooseZoomStep(8); // 800 %
    window->FinishRefining();
    const std::size_t full = window->TilesPaintedLastTime();
    EXPECT_GT(full, 4u);
    QScrollBar* h = window->View()->Horizontal();
    h->setValue(h->value() + 8);
    EXPECT_LE(window->TilesPaintedLastTime(), 6u) << "at most one column of tiles is new";
    h->setValue(h->value() - 8);
    EXPECT_EQ(window->TilesPaintedLastTime(), 0u) << "back where it was: nothing to paint";
    // A change of the picture paints everything again.
    window->Repaint();
    EXPECT_EQ(window->TilesPaintedLastTime(), full);
    // While the user does nothing the tiles around the view are painted: a step of a whole tile then
    // finds its tiles painted.
    for (int i = 0; i < 100; ++i) {
        QApplication::processEvents();
    }
    h->setValue(h->value() + SheetTiles::kTileSize);
    EXPECT_EQ(window->TilesPaintedLastTime(), 0u);
    QScrollBar* v = window->View()->Vertical();
    v->setValue(v->value() - SheetTiles::kTileSize / 2);
    EXPECT_EQ(window->TilesPaintedLastTime(), 0u);
}

// Pixels of standIn that show none of the four pixels of previous nearest to where they come from
// (the previous view scaled by f from the sheet's origin, the views' top-left corners at the scroll
// positions).
int StandInMisses(const QImage& standIn, QPoint newPosition, const QImage& previous, QPoint oldPosition,
                  double f) {
    int misses = 0;
    for (int y = 0; y < standIn.height(); ++y) {
        for (int x = 0; x < standIn.width(); ++x) {
            const double sx = (x + 0.5 + newPosition.x()) / f - oldPosition.x();
            const double sy = (y + 0.5 + newPosition.y()) / f - oldPosition.y();
            const int px = static_cast<int>(std::floor(sx));
            const int py = static_cast<int>(std::floor(sy));
            if (px < 1 || py < 1 || px + 1 >= previous.width() || py + 1 >= previous.height()) {
                continue; // at or beyond the previous view's edge
            }
            const QRgb shown = standIn.pixel(x, y);
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy) {
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    found = previous.pixel(px + dx, py + dy) == shown;
                }
            }
            misses += found ? 0 : 1;
        }
    }
    return misses;
}

TEST_F(MainWindowTest, AZoomStepShowsThePreviousViewScaledAtOnceThenTheSharpSheet) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    window->ChooseZoomStep(7); // 400 %
    window->FinishRefining();
    ASSERT_TRUE(window->ViewSharp());
    const QImage previous = window->View()->Surface()->Image();
    const QPoint oldPosition(window->View()->Horizontal()->value(), window->View()->Vertical()->value());
    const double oldZoom = window->ViewLayout().sheetZoom;

    window->ChooseZoomStep(8); // 800 %
    // The step itself paints no tile: the view shows the 400 % picture doubled, centred as the scroll
    // bars keep the centre.
    EXPECT_FALSE(window->ViewSharp());
    EXPECT_EQ(window->TilesPaintedLastTime(), 0u);
    EXPECT_DOUBLE_EQ(window->ViewLayout().sheetZoom / oldZoom, 2.0);
    const QImage standIn = window->View()->Surface()->Image();
    const QPoint position(window->View()->Horizontal()->value(), window->View()->Vertical()->value());
    ASSERT_GT(InkedPixels(standIn), 0);
    EXPECT_EQ(StandInMisses(standIn, position, previous, oldPosition, 2.0), 0);
    // A wrong offset would be seen: the same picture taken from a view 40 pixels to the side misses.
    EXPECT_GT(StandInMisses(standIn, position + QPoint(40, 0), previous, oldPosition, 2.0), 100);

    // The sharp tiles come one per pass of the event loop, and the view is then the sheet painted in one
    // piece at 800 %.
    int passes = 0;
    while (!window->ViewSharp() && passes < 1000) {
        QApplication::processEvents();
        ++passes;
    }
    ASSERT_TRUE(window->ViewSharp());
    EXPECT_GT(passes, 1);
    EXPECT_LE(DifferentPixels(window->View()->Surface()->Image(), PaintedInOnePiece(*window, true)), 16);
}

TEST_F(MainWindowTest, PanningAStandInPaintsNothingAndTheSharpViewFollowsWhereThePanEnded) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    window->ChooseZoomStep(7);
    window->FinishRefining();
    window->ChooseZoomStep(8);
    ASSERT_FALSE(window->ViewSharp());
    QScrollBar* h = window->View()->Horizontal();
    h->setValue(h->value() + 300);
    EXPECT_EQ(window->TilesPaintedLastTime(), 0u) << "the stand-in moved, nothing painted";
    EXPECT_FALSE(window->ViewSharp());
    for (int i = 0; i < 1000 && !window->ViewSharp(); ++i) {
        QApplication::processEvents();
    }
    ASSERT_TRUE(window->ViewSharp());
    EXPECT_LE(DifferentPixels(window->View()->Surface()->Image(), PaintedInOnePiece(*window, true)), 16);
}

TEST_F(MainWindowTest, TheMouseFindsObjectsRightAfterAZoomStep) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    window->ChooseZoomStep(5);
    window->FinishRefining();
    window->ChooseZoomStep(7);
    ASSERT_FALSE(window->ViewSharp());
    // The objects are still at the 100 % scale until something paints them or looks for them.
    const double scale = window->ViewLayout().placement.scale;
    TBaseGrafMS* first = window->Schematic()->Object(0);
    EXPECT_NE(first->Scale(), scale);
    window->PlaceObjectsOnView();
    for (std::size_t i = 0; i < window->Schematic()->ObjectCount(); ++i) {
        ASSERT_DOUBLE_EQ(window->Schematic()->Object(i)->Scale(), scale) << i;
    }
}

TEST_F(MainWindowTest, ObjectsOnViewAreFoundByTheMouseAfterScrolling) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    window->ChooseZoomStep(7);
    QScrollBar* h = window->View()->Horizontal();
    const int a = h->maximum() / 3;
    h->setValue(a);
    h->setValue(h->maximum()); // paints other tiles: the objects move there
    h->setValue(a);            // only copies tiles
    ASSERT_EQ(window->TilesPaintedLastTime(), 0u);
    window->PlaceObjectsOnView(); // as the mouse's first move does
    const QImage& shown = window->View()->Surface()->Image();
    const Rect view{0, 0, shown.width(), shown.height()};
    // The objects painted on their own (members of figures are painted by their figure) that the view
    // shows: each must sit at the view's offset from its base position.
    const SchematicPlacement& placement = window->ViewLayout().placement;
    const Point offset{-a + placement.centring.x + placement.area.left,
                       -window->View()->Vertical()->value() + placement.centring.y + placement.area.top};
    std::vector<std::pair<TBaseGrafMS*, Point>> placed;
    int elsewhere = 0;
    for (std::size_t i = 0; i < window->Schematic()->ObjectCount(); ++i) {
        TBaseGrafMS* object = window->Schematic()->Object(i);
        if (dynamic_cast<Tgraflinea*>(object) != nullptr || object->ParentGraf() != nullptr) {
            continue;
        }
        const bool atOffset =
            object->X() - object->BaseX() == offset.x && object->Y() - object->BaseY() == offset.y;
        if (atOffset && object->HitsRect(view)) {
            placed.emplace_back(object, Point{object->X(), object->Y()});
        } else if (!atOffset &&
                   Intersects(Rect{object->BaseX() + offset.x - 1, object->BaseY() + offset.y - 1,
                                   object->BaseX() + offset.x + 1, object->BaseY() + offset.y + 1},
                              view)) {
            ++elsewhere; // on view, but not put there
        }
    }
    ASSERT_GT(placed.size(), 10u);
    EXPECT_EQ(elsewhere, 0);
    // Painting the view in one piece puts every object where the copied view had left it.
    SheetSurface* surface = window->View()->Surface();
    QImage scratch(surface->size(), QImage::Format_RGB32);
    QPainter painter(&scratch);
    QPainterCanvas canvas(painter, 96);
    SheetContent content;
    content.showTitleBlock = false;
    PaintSheet(canvas, view, *window->Schematic(), content, window->ViewLayout().printable,
               window->ViewLayout().placement, Point{-a, -window->View()->Vertical()->value()});
    for (const auto& [object, where] : placed) {
        EXPECT_EQ(object->X(), where.x);
        EXPECT_EQ(object->Y(), where.y);
    }
    // The mouse finds a symbol on view at its centre, whatever the tiles painted last left elsewhere.
    h->setValue(h->maximum());
    h->setValue(a);
    window->PlaceObjectsOnView();
    int found = 0;
    for (const auto& [object, where] : placed) {
        const Rect b = object->GetBounds();
        const Point centre{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
        if (!Intersects(Rect{centre.x, centre.y, centre.x + 1, centre.y + 1}, view) ||
            !object->HitsRegion(Rect{centre.x - 2, centre.y - 2, centre.x + 2, centre.y + 2})) {
            continue;
        }
        const HitResult hit =
            HitTestView(*window->Schematic(), centre.x, centre.y, window->ViewLayout().placement,
                        Point{-a, -window->View()->Vertical()->value()});
        EXPECT_TRUE(hit.hit);
        found += hit.hit ? 1 : 0;
    }
    EXPECT_GT(found, 0);
    // The hand while panning is ours.
    QAction* pan = window->Action(QStringLiteral("Encuadre"));
    pan->trigger();
    ASSERT_TRUE(pan->isChecked());
    EXPECT_EQ(window->View()->Surface()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(window->View()->Surface()->cursor().pixmap().toImage(), HandCursor().pixmap().toImage());
}

TEST_F(MainWindowTest, SaveCloseAndOpenAgain) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    const std::size_t objects = window->Schematic()->ObjectCount();
    saveAs = QString::fromStdString((temp / "House.XPJ").string());
    ASSERT_TRUE(window->SaveProjectAs());
    EXPECT_TRUE(std::filesystem::exists(temp / "House.XPJ"));
    EXPECT_FALSE(window->Project()->Modificado);
    EXPECT_TRUE(window->Project()->Abierto);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ixo2  [") + saveAs + QStringLiteral("]"));
    ASSERT_TRUE(window->CloseProject());
    EXPECT_TRUE(questions.empty()); // saved: nothing to ask
    EXPECT_EQ(window->Project(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ixo2 "));
    EXPECT_EQ(InkedPixels(window->View()->Surface()->Image()), 0);
    ASSERT_TRUE(window->OpenProjectFile(saveAs));
    ASSERT_NE(window->Schematic(), nullptr);
    EXPECT_EQ(window->Schematic()->ObjectCount(), objects);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ixo2  [") + saveAs + QStringLiteral("]"));
    EXPECT_GT(InkedPixels(window->View()->Surface()->Image()), 500);
    ASSERT_FALSE(window->RecentFiles().empty());
    EXPECT_EQ(window->RecentFiles().front(), saveAs);
    // Opened and unchanged: closing asks nothing.
    EXPECT_TRUE(window->CloseProject());
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, SaveQuestionAnswers) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    answer = SaveAnswer::Cancel;
    EXPECT_FALSE(window->CloseProject());
    EXPECT_NE(window->Project(), nullptr); // Cancel keeps the project
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Save changes to project " + window->Project()->NombreFichero + "?");
    // Cancel when closing the window keeps it open.
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    // Yes with a save dialog cancelled: nothing is lost, the project stays.
    answer = SaveAnswer::Yes;
    saveAs.clear();
    EXPECT_FALSE(window->CloseProject());
    EXPECT_NE(window->Project(), nullptr);
    // Yes with a file: saved, then closed.
    saveAs = QString::fromStdString((temp / "Yes.XPJ").string());
    EXPECT_TRUE(window->CloseProject());
    EXPECT_TRUE(std::filesystem::exists(temp / "Yes.XPJ"));
    EXPECT_EQ(window->Project(), nullptr);
    // No: closed without saving.
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    answer = SaveAnswer::No;
    EXPECT_TRUE(window->CloseProject());
    EXPECT_EQ(window->Project(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(temp / "Project1.XPJ"));
}

TEST_F(MainWindowTest, ASaveThatFailsSaysWhy) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    saveAs = QString::fromStdString((temp / "missing-folder" / "House.XPJ").string());
    EXPECT_FALSE(window->SaveProjectAs());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("could not be saved"))) << errors[0].toStdString();
    EXPECT_TRUE(window->Project()->Modificado);
    EXPECT_FALSE(window->Project()->Abierto);
}

TEST_F(MainWindowTest, OpeningSomethingElseShowsWhyAndLeavesNoProject) {
    test::WriteFileBytes(temp / "Bad.XPJ", "not a project at all");
    EXPECT_FALSE(window->OpenProjectFile(QString::fromStdString((temp / "Bad.XPJ").string())));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Error: This file is not a Ixo project\nthe header")))
        << errors[0].toStdString();
    EXPECT_EQ(window->Project(), nullptr);
    EXPECT_FALSE(Enabled("Aclose"));
}

TEST_F(MainWindowTest, DroppedProjectFilesOpenOthersDoNot) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    saveAs = QString::fromStdString((temp / "Drop.xpj").string());
    ASSERT_TRUE(window->SaveProjectAs());
    ASSERT_TRUE(window->CloseProject());
    const auto drop = [this](const std::vector<QString>& files) {
        QList<QUrl> urls;
        for (const QString& file : files) {
            urls << QUrl::fromLocalFile(file);
        }
        return window->OpenDroppedFiles(urls);
    };
    test::WriteFileBytes(temp / "notes.txt", "x");
    EXPECT_FALSE(drop({QString::fromStdString((temp / "notes.txt").string()), saveAs}));
    EXPECT_EQ(window->Project(), nullptr); // only the first file is looked at
    EXPECT_TRUE(drop({saveAs}));
    EXPECT_NE(window->Project(), nullptr);
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? std::string() : errors.front().toStdString());
}

TEST_F(MainWindowTest, ImageExportWritesTheFileAndRestoresTheView) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    const QImage screen = window->View()->Surface()->Image();
    ImageExportSettings settings(temp.Path());
    settings.Pages().SetIndex(static_cast<int>(SheetPages::Single));
    settings.ChooseFile((temp / "sheet.png").string());
    ASSERT_TRUE(window->ExportImage(settings));
    QImage written(QString::fromStdString((temp / "sheet.png").string()));
    EXPECT_EQ(written.size(), QSize(1754, 1240));
    EXPECT_EQ(window->View()->Surface()->Image(), screen); // the screen is laid out again
    settings.ChooseFile((temp / "sheet.bmp").string());
    ASSERT_TRUE(window->ExportImage(settings));
    const std::string bmp = test::ReadFileBytes(temp / "sheet.bmp");
    ASSERT_GT(bmp.size(), 2u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    // A folder that does not exist: the reason is shown and the view is restored all the same.
    settings.ChooseFile((temp / "nowhere" / "sheet.jpg").string());
    EXPECT_FALSE(window->ExportImage(settings));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(window->View()->Surface()->Image(), screen);
}

TEST_F(MainWindowTest, ThePrintPreviewShowsThePagesPrintWouldPrintWithTheSameChoice) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    const QImage screen = window->View()->Surface()->Image();
    QString singleTitle;
    QString setTitle;
    int setPages = 0;
    int waited = 0;
    // The preview is modal: it is looked at from the event loop, once it has painted its pages.
    std::function<void()> look = [&] {
        auto* dialog = window->findChild<QPrintPreviewDialog*>();
        auto* preview = dialog != nullptr ? dialog->findChild<QPrintPreviewWidget*>() : nullptr;
        if ((preview == nullptr || preview->pageCount() == 0) && ++waited < 200) {
            QTimer::singleShot(20, window.get(), look);
            return;
        }
        ASSERT_NE(preview, nullptr);
        // The tool bar's choice of pages paints the preview again: one sheet, then the drawing set.
        auto* pages = dialog->findChild<QComboBox*>(QStringLiteral("pages"));
        ASSERT_NE(pages, nullptr);
        pages->setCurrentIndex(static_cast<int>(SheetPages::Single));
        singleTitle = dialog->windowTitle();
        EXPECT_EQ(preview->pageCount(), 1);
        pages->setCurrentIndex(static_cast<int>(SheetPages::PerStair));
        setTitle = dialog->windowTitle();
        setPages = preview->pageCount();
        dialog->reject();
    };
    QTimer::singleShot(0, window.get(), look);
    window->Action(QStringLiteral("APrintPreview"))->trigger();
    EXPECT_EQ(singleTitle, QStringLiteral("Print preview - one sheet"));
    EXPECT_GT(setPages, 1);
    EXPECT_EQ(setTitle, QStringLiteral("Print preview - drawing set, %1 pages").arg(setPages));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(window->View()->Surface()->Image(), screen); // the screen is laid out again
}

TEST_F(MainWindowTest, AnUprightExportTurnsTheSheetForItsRunAndBack) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    const PageSetup before = window->PageSize();
    const QImage screen = window->View()->Surface()->Image();
    ImageExportSettings settings(temp.Path());
    settings.Pages().SetIndex(static_cast<int>(SheetPages::Single));
    settings.ChooseFile((temp / "upright.png").string());
    settings.SetOrientationIndex(0); // "Vertical"
    ASSERT_TRUE(window->ExportImage(settings));
    // A4 upright at 150 dpi: 210 mm -> 1240 pixels across, 297 mm -> 1754 down.
    EXPECT_EQ(QImage(QString::fromStdString((temp / "upright.png").string())).size(), QSize(1240, 1754));
    EXPECT_EQ(window->PageSize().width, before.width);
    EXPECT_EQ(window->PageSize().height, before.height);
    EXPECT_EQ(window->View()->Surface()->Image(), screen);
}

TEST_F(MainWindowTest, ThePageFollowsThePrintersPaperAndOrientation) {
    QPrinter& printer = window->Printer();
    // Margins that show which side is which: left 5, top 10, right 15, bottom 20 mm.
    printer.setPageMargins(QMarginsF(5, 10, 15, 20), QPageLayout::Millimeter);
    window->TakePrinterPage();
    EXPECT_EQ(window->PageSize().width, 29700);
    EXPECT_EQ(window->PageSize().marginLeft, 500);
    EXPECT_EQ(window->PageSize().marginBottom, 2000);
    // The print dialog turns the paper upright and chooses A3: the page follows, its margins turned.
    const bool wasLandscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    ASSERT_TRUE(wasLandscape);
    printer.setPageSize(QPageSize(QPageSize::A3));
    printer.setPageOrientation(QPageLayout::Portrait);
    window->FollowPrinter(wasLandscape);
    const PageSetup& page = window->PageSize();
    EXPECT_EQ(page.width, 29700);  // A3 upright: 297 mm across
    EXPECT_EQ(page.height, 42000); // and 420 mm down
    EXPECT_EQ(page.marginLeft, 1000);
    EXPECT_EQ(page.marginTop, 500);
    EXPECT_EQ(page.marginRight, 2000);
    EXPECT_EQ(page.marginBottom, 1500);
    // The printer prints with those margins.
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    EXPECT_NEAR(margins.left(), 10.0, 0.01);
    EXPECT_NEAR(margins.top(), 5.0, 0.01);
}

TEST_F(MainWindowTest, PrintsToAPdfFile) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((temp / "print.pdf").string()));
    printer.setPageOrientation(QPageLayout::Landscape);
    window->PrintPages().SetIndex(static_cast<int>(SheetPages::Single));
    ASSERT_TRUE(window->PrintTo(printer));
    const std::string pdf = test::ReadFileBytes(temp / "print.pdf");
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPages(pdf), 1);
}

TEST_F(MainWindowTest, PrintAndSaveImageGiveTheDrawingSetWhereOneSheetCannotBeRead) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    const QImage screen = window->View()->Surface()->Image();
    // Forty-eight flats on one A4 sheet are far too small to read: the default is the drawing set.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((temp / "set.pdf").string()));
    printer.setPageOrientation(QPageLayout::Landscape);
    ASSERT_EQ(window->PrintPages().Pages(), SheetPages::Readable);
    ASSERT_TRUE(window->PrintTo(printer));
    const int printed = PdfPages(test::ReadFileBytes(temp / "set.pdf"));
    EXPECT_GE(printed, 3); // the headend and at least a page per stair
    EXPECT_EQ(window->View()->Surface()->Image(), screen);
    // Save image writes the same set, one file a page.
    ImageExportSettings settings(temp.Path());
    settings.ChooseFile((temp / "set.png").string());
    ASSERT_TRUE(window->ExportImage(settings));
    EXPECT_FALSE(std::filesystem::exists(temp / "set.png"));
    EXPECT_TRUE(std::filesystem::exists(temp / "set-01.png"));
    EXPECT_EQ(QImage(QString::fromStdString((temp / "set-01.png").string())).size(), QSize(1754, 1240));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(window->View()->Surface()->Image(), screen);
    // Drawing every floor gives more pages.
    window->PrintPages().SetEveryFloor(true);
    printer.setOutputFileName(QString::fromStdString((temp / "every.pdf").string()));
    ASSERT_TRUE(window->PrintTo(printer));
    EXPECT_GT(PdfPages(test::ReadFileBytes(temp / "every.pdf")), printed);
}

TEST_F(MainWindowTest, ReportsAreSavedBesideTheProjectAndShown) {
    EXPECT_TRUE(Enabled("Verinformes"));
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    EXPECT_TRUE(Enabled("CrearInformes"));
    saveAs = QString::fromStdString((temp / "House.XPJ").string());
    ASSERT_TRUE(window->SaveProjectAs());
    std::vector<QString> shown;
    window->openDocument = [&shown](const QString& file) { shown.push_back(file); };
    const std::string status = window->StatusText().toStdString();

    ASSERT_TRUE(window->GenerateReport(1));
    const QString levels = QString::fromStdString((temp / "House_Outlet levels.html").string());
    ASSERT_EQ(shown, std::vector<QString>{levels});
    QFile file(levels);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("OUTLET LEVELS"))) << html.left(400).toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("POLARITY 1")));
    // The report leaves the levels as they were.
    EXPECT_EQ(window->StatusText().toStdString(), status);

    ASSERT_TRUE(window->GenerateReport(0));
    EXPECT_EQ(shown.back(), QString::fromStdString((temp / "House_List of materials.html").string()));
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, ACreatedReportIsShownInTheEditorAsWrittenUnderItsFile) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    saveAs = QString::fromStdString((temp / "House.XPJ").string());
    ASSERT_TRUE(window->SaveProjectAs());
    ASSERT_TRUE(window->GenerateReport(1));
    const QString levels = QString::fromStdString((temp / "House_Outlet levels.html").string());
    ReportEditorWindow& editor = window->ReportEditor();
    EXPECT_EQ(editor.DocumentName(), levels);
    EXPECT_FALSE(editor.Modified());
    EXPECT_TRUE(editor.Writer().Document().toPlainText().contains(QStringLiteral("POLARITY 1")));
    // The saved file reads back as the document shown.
    ReportEditorWindow reopened;
    ASSERT_TRUE(reopened.OpenFile(levels));
    EXPECT_EQ(reopened.Writer().Document().toPlainText(), editor.Writer().Document().toPlainText());
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, ACancelledReportWritesNothing) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    saveAs = QString::fromStdString((temp / "House.XPJ").string());
    ASSERT_TRUE(window->SaveProjectAs());
    std::vector<QString> shown;
    window->openDocument = [&shown](const QString& file) { shown.push_back(file); };
    QTimer::singleShot(0, window.get(), [this] {
        for (QDialog* dialog : window->findChildren<QDialog*>()) {
            if (auto* progress = dynamic_cast<ReportProgressWindow*>(dialog)) {
                progress->RequestCancel();
            }
        }
    });
    EXPECT_FALSE(window->GenerateReport(1));
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(std::filesystem::exists(temp / "House_Outlet levels.html"));
    EXPECT_TRUE(errors.empty());
}

// A standard chosen in its dialog is checked beyond the level limits: a weak antenna signal fails every
// outlet's C/N, which the status bar counts and its tip lists, though no level is out of its limits.
TEST_F(MainWindowTest, TheStatusShowsTheOutletsFailingTheStandardsCn) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    EXPECT_EQ(window->OutletsFailingStandard(), 0u);
    EXPECT_FALSE(window->StatusText().contains(QStringLiteral("C/N")));
    const auto choose = [this](int standard, const QString& antennaLevel) {
        QTimer::singleShot(0, window.get(), [this, standard, antennaLevel] {
            for (QDialog* dialog : window->findChildren<QDialog*>()) {
                if (auto* choice = dynamic_cast<StandardDialog*>(dialog)) {
                    choice->StandardBox()->setCurrentIndex(standard);
                    choice->AntennaEdit()->setText(antennaLevel);
                    choice->accept();
                }
            }
        });
        window->ChooseStandard();
    };
    choose(2, QStringLiteral("30")); // ICT (Spain)
    ASSERT_EQ(window->Project()->Quality().standard, "ICT");
    // 2 stairs x 6 floors x 4 flats x 3 outlets. The headend's noise figure (9 dB) against 30 dBµV and the
    // thermal noise of 8 MHz (3.8 dBµV) alone give 30 - 9 - 3.8 = 17.2 dB, under ICT's 25 dB everywhere.
    EXPECT_EQ(window->OutletsFailingStandard(), 144u);
    EXPECT_TRUE(window->StatusText().contains(QStringLiteral("144 outlets fail the C/N of ICT (Spain)")))
        << window->StatusText().toStdString();
    const QString tip = window->StatusToolTip();
    // The design fails, and the tip says why first, as `check` does, then lists the outlets as the check
    // measures them: stair, floor bottom up, flat, the flat's outlets from T3.
    EXPECT_TRUE(window->StatusText().startsWith(QStringLiteral("Design fails: ")));
    EXPECT_TRUE(tip.startsWith(QStringLiteral("Fails: "))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("144 outlets fail ICT (Spain)"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral(
        "\nOutlets failing ICT (Spain):\nSTAIR1 FLOOR1 FL1 T3: TER C/N 17.2 dB at 175 MHz (>= 25.0 dB)\n")))
        << tip.toStdString();
    EXPECT_TRUE(tip.endsWith(QStringLiteral("\nand 119 more"))) << tip.toStdString();

    // A good antenna signal: every outlet meets the C/N, and the tip has nothing to list.
    choose(2, QStringLiteral("75"));
    EXPECT_EQ(window->OutletsFailingStandard(), 0u);
    EXPECT_TRUE(window->StatusText().contains(QStringLiteral("C/N meets ICT (Spain)")))
        << window->StatusText().toStdString();
    EXPECT_FALSE(window->StatusToolTip().contains(QStringLiteral("Outlets failing")));
    // The status says what the one verdict says, and its tip is empty only for a design that passes.
    const DesignVerdict verdict = JudgeDesign(*window->Project());
    EXPECT_EQ(window->StatusText().startsWith(QStringLiteral("Design passes: ")), verdict.Passes());
    EXPECT_EQ(window->StatusToolTip().isEmpty(), verdict.Passes());
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, HelpWithoutTheManualSaysWhichFile) {
    // The test program's folder holds no manual.
    window->ShowHelp();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Ixo2: No such file or directory\r\n")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].endsWith(QStringLiteral("/Ixo.pdf")));
}

TEST_F(MainWindowTest, ImageDialogAcceptsOnlyANamedFile) {
    ImageExportDialog dialog(window.get(), temp.Path());
    EXPECT_FALSE(dialog.JpegButton()->isEnabled());
    dialog.ChooseFile(QStringLiteral("/x/a.jpg"));
    EXPECT_TRUE(dialog.JpegButton()->isEnabled());
    dialog.ChooseFile(QStringLiteral("/x/a.BMP"));
    EXPECT_FALSE(dialog.JpegButton()->isEnabled());
    dialog.FileEdit()->clear();
    emit dialog.FileEdit()->textEdited(QString());
    dialog.open();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()); // no file name: stays open
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
    JpegOptionsDialog jpeg(window.get(), 40);
    EXPECT_EQ(jpeg.Slider()->value(), 40);
    jpeg.PressDefault();
    EXPECT_EQ(jpeg.Quality(), 75);
}

class WizardDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        wizard = std::make_unique<WizardDialog>(nullptr);
        wizard->SetMessageSink([this](const QString& text) { messages.push_back(text); });
        wizard->show();
    }
    void Type(QLineEdit* edit, const QString& text) {
        edit->setText(text);
        emit edit->editingFinished();
    }
    std::unique_ptr<WizardDialog> wizard;
    std::vector<QString> messages;
};

TEST_F(WizardDialogTest, FirstPageShowsTheStartValues) {
    EXPECT_EQ(wizard->windowTitle(), QStringLiteral("Wizard"));
    EXPECT_EQ(wizard->FloorsEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(wizard->FlatsEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(wizard->TopologyGroup()->checkedId(), 1);
    EXPECT_FALSE(wizard->BackButton()->isEnabled());
    EXPECT_EQ(wizard->NextButton()->text(), QStringLiteral("Next >"));
    EXPECT_EQ(wizard->HeadendBox()->count(), 1);
    // The key filter drops letters.
    QString text = QStringLiteral("1a");
    int position = 0;
    EXPECT_EQ(wizard->FloorsEdit()->validator()->validate(text, position), QValidator::Invalid);
}

TEST_F(WizardDialogTest, FiveToThreeStairsMovesTheHeadend) {
    wizard->StairsBox()->setCurrentIndex(4);
    wizard->HeadendBox()->setCurrentIndex(4);
    wizard->StairsBox()->setCurrentIndex(2);
    EXPECT_EQ(wizard->HeadendBox()->count(), 3);
    EXPECT_EQ(wizard->HeadendBox()->currentIndex(), 2);
    EXPECT_EQ(wizard->Model().Results().VertHeader, 3);
}

TEST_F(WizardDialogTest, TooManyFlatsForStandAlone) {
    Type(wizard->FlatsEdit(), QStringLiteral("257"));
    EXPECT_EQ(wizard->TopologyGroup()->checkedId(), 1);
    wizard->TopologyGroup()->button(0)->click();
    EXPECT_EQ(wizard->TopologyGroup()->checkedId(), 1);
    Type(wizard->FlatsEdit(), QStringLiteral("256"));
    wizard->TopologyGroup()->button(0)->click();
    EXPECT_EQ(wizard->TopologyGroup()->checkedId(), 0);
}

TEST_F(WizardDialogTest, FloorsOutOfRangeKeepTheFirstPage) {
    Type(wizard->FloorsEdit(), QStringLiteral("101"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral(" Value must be between 1 and 100"));
    wizard->NextClicked(); // the same rejection is not shown twice
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(wizard->PageShown(), 0);
    wizard->FloorsEdit()->setText(QStringLiteral("0"));
    wizard->NextClicked();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(wizard->PageShown(), 0);
}

TEST_F(WizardDialogTest, GridPageAndCreate) {
    wizard->StairsBox()->setCurrentIndex(1);
    wizard->FloorsEdit()->setText(QStringLiteral("2"));
    wizard->FlatsEdit()->setText(QStringLiteral("5"));
    wizard->NextClicked();
    ASSERT_EQ(wizard->PageShown(), 1);
    EXPECT_TRUE(wizard->BackButton()->isEnabled());
    EXPECT_EQ(wizard->NextButton()->text(), QStringLiteral("Create >"));
    QTableWidget* grid = wizard->Grid();
    ASSERT_EQ(grid->rowCount(), 2);
    ASSERT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->verticalHeaderItem(0)->text(), QStringLiteral("Floor  2"));
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Stair 2"));
    grid->item(0, 0)->setText(QStringLiteral("2"));
    grid->item(1, 1)->setText(QStringLiteral("2"));
    wizard->NextClicked();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("The number of flats is 4. The valid value is 5"));
    EXPECT_EQ(wizard->PageShown(), 1);
    grid->item(1, 0)->setText(QStringLiteral("1"));
    wizard->NextClicked();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    const WizardResults& r = wizard->Model().Results();
    EXPECT_EQ(r.Nviv, 5);
    // Stair 1 (array 1): 2 on the top floor, 1 below; stair 2 (array 0): 0 and 2.
    EXPECT_EQ(r.DisViv[1], (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(r.DisViv[0], (std::vector<std::int32_t>{0, 2}));
}

TEST_F(WizardDialogTest, EmptyCellIsRefusedSilently) {
    wizard->FloorsEdit()->setText(QStringLiteral("2"));
    wizard->FlatsEdit()->setText(QStringLiteral("3"));
    wizard->NextClicked();
    ASSERT_EQ(wizard->PageShown(), 1);
    wizard->Grid()->item(0, 0)->setText(QStringLiteral("3"));
    wizard->Grid()->item(1, 0)->setText(QString());
    wizard->NextClicked();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(wizard->PageShown(), 1);
    EXPECT_EQ(wizard->Grid()->item(1, 0)->text(), QStringLiteral("0"));
    wizard->BackClicked();
    EXPECT_EQ(wizard->PageShown(), 0);
    EXPECT_FALSE(wizard->BackButton()->isEnabled());
}

} // namespace
} // namespace ixo
