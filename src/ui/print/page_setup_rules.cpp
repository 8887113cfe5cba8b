#include "ui/print/page_setup_rules.h"

#include <cmath>

namespace ixo {

PageSetup TakePageSetup(bool initial, const PageSetup& dialog) {
    if (!initial) {
        return dialog;
    }
    PageSetup turned;
    turned.width = dialog.height;
    turned.height = dialog.width;
    turned.marginLeft = dialog.marginTop;
    turned.marginTop = dialog.marginLeft;
    turned.marginRight = dialog.marginBottom;
    turned.marginBottom = dialog.marginRight;
    return turned;
}

PageSetup SyncPageSizeWithPrinter(const PageSetup& dialog, int paperWidthTenths, int paperHeightTenths,
                                  bool printerLandscape, bool wasLandscape) {
    PageSetup page = dialog;
    if (paperWidthTenths > 0 && paperHeightTenths > 0) {
        page.width = paperWidthTenths * 10;
        page.height = paperHeightTenths * 10;
        if (printerLandscape) {
            std::swap(page.width, page.height);
        }
    }
    if (printerLandscape != wasLandscape) {
        std::swap(page.marginLeft, page.marginTop);
        std::swap(page.marginRight, page.marginBottom);
    }
    return page;
}

std::optional<PrinterPaper> SelectPrinterPaper(const std::vector<PrinterPaper>& papers, int widthHundredths,
                                               int heightHundredths) {
    const int width = static_cast<int>(std::lround(widthHundredths / 10.0));
    const int height = static_cast<int>(std::lround(heightHundredths / 10.0));
    for (const PrinterPaper& paper : papers) {
        if (paper.widthTenths == width && paper.heightTenths == height) {
            return paper;
        }
    }
    std::optional<PrinterPaper> best;
    for (const PrinterPaper& paper : papers) {
        if (paper.widthTenths < width || paper.heightTenths < height) {
            continue;
        }
        if (!best || paper.widthTenths < best->widthTenths ||
            (paper.widthTenths == best->widthTenths && paper.heightTenths < best->heightTenths)) {
            best = paper;
        }
    }
    return best;
}

} // namespace ixo
