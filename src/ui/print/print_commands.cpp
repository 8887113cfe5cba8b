#include "ui/print/print_commands.h"

#include "common/paths.h"
#include "render/sheet_export.h"
#include "ui/main/window_rules.h"
#include "ui/print/image_export_dialog.h"
#include "ui/print/page_setup_rules.h"
#include "ui/project/progress_window.h"
#include "ui/project/recent_files.h"
#include "ui/sheet/sheet_presenter.h"
#include "ui/sheet/wait_cursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>

#include <cmath>

namespace ixo {
namespace {

QString Title() {
    return QString::fromStdString(std::string(kApplicationTitle));
}

// The print dialog's "Pages" tab: one sheet or the drawing set, and every floor.
QWidget* PagesTab(SheetPagesChoice& choice) {
    auto* tab = new QWidget;
    tab->setWindowTitle(QStringLiteral("Pages"));
    auto* form = new QFormLayout(tab);
    auto* pages = new QComboBox(tab);
    for (const std::string& item : SheetPagesChoice::Items()) {
        pages->addItem(QString::fromStdString(item));
    }
    pages->setCurrentIndex(choice.Index());
    form->addRow(QStringLiteral("Pages"), pages);
    auto* everyFloor = new QCheckBox(QStringLiteral("Draw every floor (else floors drawn alike once)"), tab);
    everyFloor->setChecked(choice.EveryFloor());
    form->addRow(QString(), everyFloor);
    QObject::connect(pages, &QComboBox::currentIndexChanged, tab, [&choice](int i) { choice.SetIndex(i); });
    QObject::connect(everyFloor, &QCheckBox::toggled, tab, [&choice](bool on) { choice.SetEveryFloor(on); });
    return tab;
}

} // namespace

PrintCommands::PrintCommands(QWidget& parent, SheetPresenter& sheet, RecentFiles& files,
                             std::function<void(const QString&, const QString&)> showError)
    : m_parent(parent), m_sheet(sheet), m_files(files), m_showError(std::move(showError)) {
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
    SetPage(TakePageSetup(true, m_pageDialog));
    ApplyPageToPrinter();
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::SetPage(const PageSetup& page) {
    m_page = page;
    m_sheet.SetPage(page);
}

void PrintCommands::SetUpPage() {
    QPageSetupDialog dialog(m_printer.get(), &m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    TakePrinterPage();
    m_sheet.Repaint();
}

// The page setup follows the printer's paper, orientation and margins (hundredths of a millimetre).
void PrintCommands::TakePrinterPage() {
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
    SetPage(TakePageSetup(false, m_pageDialog));
}

void PrintCommands::Print() {
    if (!m_sheet.Showing()) {
        return;
    }
    const bool wasLandscape = m_printer->pageLayout().orientation() == QPageLayout::Landscape;
    QPrintDialog dialog(m_printer.get(), &m_parent);
    dialog.setOptionTabs({PagesTab(m_printPages)});
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    FollowPrinter(wasLandscape);
    PrintTo(*m_printer);
}

void PrintCommands::FollowPrinter(bool wasLandscape) {
    const QPageLayout layout = m_printer->pageLayout();
    // The paper as the printer knows it, upright, in tenths of a millimetre.
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    m_pageDialog =
        SyncPageSizeWithPrinter(m_pageDialog, static_cast<int>(std::lround(paper.width() * 10)),
                                static_cast<int>(std::lround(paper.height() * 10)), landscape, wasLandscape);
    m_landscape = landscape;
    SetPage(TakePageSetup(false, m_pageDialog));
    ApplyPageToPrinter();
}

// The printer prints with the window's margins.
void PrintCommands::ApplyPageToPrinter() {
    m_printer->setPageMargins(QMarginsF(m_page.marginLeft / 100.0, m_page.marginTop / 100.0,
                                        m_page.marginRight / 100.0, m_page.marginBottom / 100.0),
                              QPageLayout::Millimeter);
}

bool PrintCommands::PrintTo(QPrinter& printer) {
    if (!m_sheet.Showing()) {
        return false;
    }
    bool printed = false;
    {
        WaitCursor wait;
        printed = PaintPages(printer);
    }
    // Printing rescaled the schematic for the paper: the screen is laid out again.
    m_sheet.NeedLayout();
    m_sheet.Repaint();
    if (!printed) {
        m_showError(Title(), QStringLiteral("The sheet could not be printed on %1.")
                                 .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                                         : printer.outputFileName()));
    }
    return printed;
}

bool PrintCommands::PaintPages(QPrinter& printer) {
    const SheetContent content = m_sheet.Content(printer.resolution(), 1.0);
    const DrawingSetOptions setOptions =
        DrawingSetOptionsForPrinter(printer, content, m_printPages.EveryFloor());
    if (m_printPages.UsesSet(*m_sheet.Schematic(), setOptions)) {
        const DrawingSet set = PlanDrawingSet(*m_sheet.Project(), *m_sheet.Schematic(), setOptions);
        m_previewRules.SetPainted(true, static_cast<int>(set.pages.size()));
        return PrintDrawingSet(printer, *m_sheet.Schematic(), set, setOptions, content, printer.copyCount());
    }
    m_previewRules.SetPainted(false, 1);
    return PrintSchematic(printer, *m_sheet.Schematic(), content, printer.copyCount());
}

void PrintCommands::PrintPreview() {
    if (!m_sheet.Showing()) {
        return;
    }
    QPrintPreviewDialog dialog(m_printer.get(), &m_parent);
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    auto* status = new QLabel(&dialog);
    const auto showRules = [&] {
        if (preview != nullptr) {
            m_previewRules.SetCurrentPage(preview->currentPage());
        }
        dialog.setWindowTitle(QString::fromStdString(m_previewRules.Title()));
        status->setText(QString::fromStdString(m_previewRules.PageLine()));
    };
    // The same choice of pages as the print dialog's, on the preview's tool bar.
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        auto* pages = new QComboBox(bar);
        pages->setObjectName(QStringLiteral("pages"));
        for (const std::string& item : SheetPagesChoice::Items()) {
            pages->addItem(QString::fromStdString(item));
        }
        pages->setCurrentIndex(m_printPages.Index());
        auto* everyFloor = new QCheckBox(QStringLiteral("Every floor"), bar);
        everyFloor->setChecked(m_printPages.EveryFloor());
        bar->addSeparator();
        bar->addWidget(pages);
        bar->addWidget(everyFloor);
        bar->addWidget(status);
        QObject::connect(pages, &QComboBox::currentIndexChanged, &dialog, [this, preview](int i) {
            m_printPages.SetIndex(i);
            if (preview != nullptr) {
                preview->updatePreview();
            }
        });
        QObject::connect(everyFloor, &QCheckBox::toggled, &dialog, [this, preview](bool on) {
            m_printPages.SetEveryFloor(on);
            if (preview != nullptr) {
                preview->updatePreview();
            }
        });
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* printer) {
        WaitCursor wait;
        if (!PaintPages(*printer)) {
            m_showError(Title(), QStringLiteral("The pages could not be drawn for the preview."));
        }
    });
    if (preview != nullptr) {
        QObject::connect(preview, &QPrintPreviewWidget::previewChanged, &dialog, showRules);
    }
    dialog.exec();
    // Painting rescaled the schematic for the paper: the screen is laid out again.
    m_sheet.NeedLayout();
    m_sheet.Repaint();
}

void PrintCommands::SaveImage() {
    const QString folder = m_files.LastFolder();
    ImageExportDialog dialog(&m_parent, folder.isEmpty() ? DocumentsDirectory()
                                                         : std::filesystem::path(folder.toStdString()));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    dialog.hide();
    ExportImage(dialog.Settings());
}

bool PrintCommands::ExportImage(const ImageExportSettings& settings) {
    if (!m_sheet.Showing()) {
        m_showError(Title(),
                    QStringLiteral("There is no schematic to save: the installation was not built."));
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
            m_pageDialog = dialogPage;
            m_landscape = windowLandscape;
            SetPage(windowPage);
            m_sheet.Repaint();
        };
        const PaperMm upright = PaperSize(chosen.paper, PaperOrientation::Vertical);
        const bool exportLandscape = chosen.orientation == PaperOrientation::Horizontal;
        SetPage(SyncPageSizeWithPrinter(m_page, upright.width * 10, upright.height * 10, exportLandscape,
                                        windowLandscape));
        m_sheet.Repaint();
        ExportOptions options = chosen;
        options.margins = m_page;
        try {
            WaitCursor wait;
            ProgressWindow progress(&m_parent);
            progress.SetCaption("Saving image");
            progress.SetMin(0);
            progress.SetMaximum(100);
            progress.show();
            const SheetContent content = m_sheet.Content(options.dpi, 1.0);
            const DrawingSetOptions setOptions =
                DrawingSetOptionsFor(options, content, settings.Pages().EveryFloor());
            if (settings.Pages().UsesSet(*m_sheet.Schematic(), setOptions)) {
                const DrawingSet set = PlanDrawingSet(*m_sheet.Project(), *m_sheet.Schematic(), setOptions);
                const DrawingSetResult written = ExportDrawingSet(
                    settings.FileName(), *m_sheet.Schematic(), set, setOptions, content, options, progress);
                result.ok = written.ok;
                result.error = written.error;
            } else {
                result =
                    ExportSchematic(settings.FileName(), *m_sheet.Schematic(), content, options, progress);
            }
        } catch (const std::exception& error) {
            result.ok = false;
            result.error = error.what();
        }
        restore();
    }
    if (!result.ok) {
        m_showError(Title(), QString::fromStdString(result.error));
        return false;
    }
    m_files.RememberFolder(QString::fromStdString(settings.FileName()));
    return true;
}

} // namespace ixo
