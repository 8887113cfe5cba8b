#pragma once

// How the window's page follows the page setup dialog and the printer: the page taken from the dialog
// (turned to landscape at start-up), the dialog's page after the printer's paper or orientation changed,
// and the printer paper chosen for a page size.
#include "schematic/view.h"

#include <optional>
#include <string>
#include <vector>

namespace ixo {

// TakePageSetup: not initial, the dialog's page and margins as they are; initial, the page turned to
// landscape (width and height exchanged, left margin from top, top from left, right from bottom,
// bottom from right).
PageSetup TakePageSetup(bool initial, const PageSetup& dialog);

// SyncPageSizeWithPrinter: the dialog's page becomes the printer's paper (tenths of a millimetre,
// upright), exchanged when the printer is in landscape; when the printer's orientation differs from
// wasLandscape, left and top margins are exchanged and so are right and bottom.
PageSetup SyncPageSizeWithPrinter(const PageSetup& dialog, int paperWidthTenths, int paperHeightTenths,
                                  bool printerLandscape, bool wasLandscape);

struct PrinterPaper {
    int id = 0;
    std::string name;
    int widthTenths = 0; // tenths of a millimetre
    int heightTenths = 0;
};
// SelectPrinterPaper: for a page in hundredths of a millimetre, the first paper of exactly that size,
// else the smallest (by width, then height) at least as large in both; nothing when none fits.
std::optional<PrinterPaper> SelectPrinterPaper(const std::vector<PrinterPaper>& papers, int widthHundredths,
                                               int heightHundredths);

} // namespace ixo
