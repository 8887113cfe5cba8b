#pragma once

// Painting one page of a drawing set (drawing_set.h) on a canvas of the paper's size: the bands of the
// schematic clipped to their places with their captions, the page's title and the marks where the drawing
// goes on, the key plan with this page's part marked, the page number ("3 / 11") and the title block.
#include "schematic/canvas.h"
#include "schematic/drawing_set.h"
#include "schematic/sheet.h"

namespace ixo {

class TpadreGraficosMS;

// Pixels per design unit of the set's pages at dpi.
double PagePixelsPerUnit(const DrawingSet& set, double dpi);

// Rescales the schematic for painting the set's pages at dpi (once for all pages).
void ScaleForPages(TpadreGraficosMS& schematic, const DrawingSet& set, double dpi);

// The title block's width on the set's pages: the project's, widened where its smallest texts would be
// below the readable height.
double PageTitleBlockWidthMm(double titleBlockWidthMm);

// Paints page (of set) on canvas, a surface of the paper's size at dpi, with options' margins. The
// schematic must have been scaled by ScaleForPages for the same dpi. content gives the title block's
// texts and whether it is shown.
void PaintDrawingPage(Canvas& canvas, double dpi, TpadreGraficosMS& schematic, const DrawingSet& set,
                      const SheetPage& page, const DrawingSetOptions& options, const SheetContent& content);

} // namespace ixo
