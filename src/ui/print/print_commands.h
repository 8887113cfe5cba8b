#pragma once

// The page commands of the window: page setup, print and save image. They own the printer and the
// window's page (paper and margins, hundredths of a millimetre) and give the page to the sheet.
#include "schematic/view.h"
#include "ui/print/print_preview_rules.h"
#include "ui/print/sheet_pages_choice.h"

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace ixo {

class ImageExportSettings;
class RecentFiles;
class SheetPresenter;

class PrintCommands {
public:
    // showError: how a failure is told (caption, text).
    PrintCommands(QWidget& parent, SheetPresenter& sheet, RecentFiles& files,
                  std::function<void(const QString&, const QString&)> showError);
    ~PrintCommands();

    void SetUpPage();
    // After the page setup dialog's OK: the window's page becomes the printer's paper, orientation and
    // margins.
    void TakePrinterPage();
    void Print();
    // After the print dialog's OK: the page follows the paper and orientation chosen there, the margins
    // turned with the page when the orientation changed (wasLandscape: before the dialog).
    void FollowPrinter(bool wasLandscape);
    // Prints the sheet, or the drawing set as PrintPages chooses, on a printer already set up; also
    // prints to PDF.
    bool PrintTo(QPrinter& printer);
    // The pages Print would print, on screen before printing (with the same choice of pages, and a
    // print button of its own).
    void PrintPreview();
    const PrintPreviewRules& PreviewRules() const { return m_previewRules; }
    // Print's choice of one sheet or the drawing set (offered on the print dialog's "Pages" tab).
    SheetPagesChoice& PrintPages() { return m_printPages; }
    void SaveImage();
    // Save image after the dialog's OK; false with the reason shown when the export failed.
    bool ExportImage(const ImageExportSettings& settings);

    QPrinter& Printer() const { return *m_printer; }
    const PageSetup& Page() const { return m_page; }

private:
    void ApplyPageToPrinter();
    // Paints the pages PrintPages chooses on printer; the preview's rules learn what was painted.
    bool PaintPages(QPrinter& printer);
    void SetPage(const PageSetup& page);

    QWidget& m_parent;
    SheetPresenter& m_sheet;
    RecentFiles& m_files;
    std::function<void(const QString&, const QString&)> m_showError;
    std::unique_ptr<QPrinter> m_printer;
    PageSetup m_pageDialog; // the page setup dialog's values
    PageSetup m_page;       // the window's page (PageSize, PageMargins)
    bool m_landscape = true;
    SheetPagesChoice m_printPages;
    PrintPreviewRules m_previewRules;
};

} // namespace ixo
