#include "schematic/view.h"

#include "schematic/schematic.h"

#include <algorithm>

namespace ixo {

double MmToPxExact(double dpi, double hundredthsMm) {
    return hundredthsMm / 100.0 / 25.4 * dpi;
}

std::int32_t MmToPx(double dpi, double hundredthsMm) {
    return RoundEven(MmToPxExact(dpi, hundredthsMm));
}

PaperMm PaperSize(Paper paper, PaperOrientation orientation) {
    std::int32_t longSide = 297;
    std::int32_t shortSide = 210;
    if (paper == Paper::A3) {
        longSide = 420;
        shortSide = 297;
    } else if (paper == Paper::A2) {
        longSide = 594;
        shortSide = 420;
    }
    return orientation == PaperOrientation::Vertical ? PaperMm{shortSide, longSide}
                                                     : PaperMm{longSide, shortSide};
}

std::int32_t ZoomInFrom(double effectivePercent) {
    for (std::size_t i = 1; i < kZoomLevels.size(); ++i) {
        if (kZoomLevels[i] > effectivePercent) {
            return kZoomLevels[i];
        }
    }
    return kZoomLevels.back();
}

std::int32_t ZoomOutFrom(double effectivePercent) {
    std::int32_t chosen = kZoomLevels[1];
    for (std::size_t i = 1; i < kZoomLevels.size(); ++i) {
        if (kZoomLevels[i] < effectivePercent) {
            chosen = kZoomLevels[i];
        }
    }
    return chosen;
}

double EffectiveZoom(std::int32_t displayedSheetWidth, std::int32_t sheetWidthAt100) {
    return sheetWidthAt100 > 0 ? 100.0 * displayedSheetWidth / sheetWidthAt100 : 0.0;
}

void UpdateScrollBar(ScrollBar& bar, std::int32_t visible, std::int32_t total) {
    const std::int32_t range = total - visible;
    if (range < 0 || bar.maximum < 1) {
        // No room to scroll, or a bar without a range yet: at the start and disabled. The new range is
        // kept (the platform's bar has no range to keep), so that KeepScrollCentre can enable it.
        bar.position = 0;
        bar.enabled = false;
        bar.minimum = 0;
        bar.maximum = std::max(0, range);
        return;
    }
    const std::int32_t position = RoundEven(static_cast<double>(range) * bar.position / bar.maximum);
    bar.minimum = 0;
    bar.maximum = range;
    bar.position = position;
    bar.enabled = true;
    bar.largeChange = std::clamp(range / 10, 1, 10000);
    bar.smallChange = std::max(1, bar.largeChange / 10);
}

void KeepScrollCentre(const SavedScroll& saved, ScrollBar& bar, std::int32_t visible, std::int32_t total) {
    const std::int32_t range = total - visible;
    if (range <= 0) {
        bar.position = 0;
        bar.enabled = false;
        return;
    }
    bar.minimum = 0;
    bar.maximum = range;
    bar.enabled = true;
    bar.largeChange = std::clamp(range / 10, 1, 10000);
    bar.smallChange = std::max(1, bar.largeChange / 10);
    if (!saved.enabled) {
        bar.position = (bar.maximum - bar.minimum) / 2;
        return;
    }
    const double oldTotal = static_cast<double>(saved.range) + saved.visible;
    const std::int32_t centre =
        oldTotal > 0 ? RoundEven((range + visible) * (saved.position + saved.visible / 2) / oldTotal) : 0;
    bar.position = std::clamp(centre - visible / 2, 0, range);
}

SchematicPlacement FitSchematic(TpadreGraficosMS& schematic, const Rect& printable,
                                std::int32_t reserveBottom, bool rescale) {
    SchematicPlacement placement;
    placement.area = printable;
    placement.area.bottom -= reserveBottom;
    const Rect extent = schematic.Extent();
    if (extent.Width() <= 0 || extent.Height() <= 0 || placement.area.Width() <= 0 ||
        placement.area.Height() <= 0) {
        placement.scale = 1.0;
        if (rescale) {
            schematic.RescaleAll(1.0);
        }
        return placement;
    }
    placement.scale = std::min(static_cast<double>(placement.area.Width()) / extent.Width(),
                               static_cast<double>(placement.area.Height()) / extent.Height());
    if (rescale) {
        schematic.RescaleAll(placement.scale);
    }
    placement.centring = {(placement.area.Width() - RoundEven(extent.Width() * placement.scale)) / 2,
                          (placement.area.Height() - RoundEven(extent.Height() * placement.scale)) / 2};
    return placement;
}

ViewResult ComputeView(TpadreGraficosMS& schematic, const ViewRequest& request, ScrollBar& horizontal,
                       ScrollBar& vertical) {
    ViewResult result;
    const double pageW = MmToPxExact(request.dpiX, request.page.width);
    const double pageH = MmToPxExact(request.dpiY, request.page.height);
    double q = 1.0;
    if (request.zoomPercent != 0) {
        q = request.zoomPercent / 100.0;
        const SavedScroll savedH{horizontal.enabled, horizontal.position, horizontal.maximum,
                                 request.imageWidth};
        const SavedScroll savedV{vertical.enabled, vertical.position, vertical.maximum, request.imageHeight};
        UpdateScrollBar(horizontal, request.imageWidth, RoundEven(pageW * q));
        UpdateScrollBar(vertical, request.imageHeight, RoundEven(pageH * q));
        KeepScrollCentre(savedH, horizontal, request.imageWidth, RoundEven(pageW * q));
        KeepScrollCentre(savedV, vertical, request.imageHeight, RoundEven(pageH * q));
    } else {
        q = pageW > 0 && pageH > 0 ? std::min(request.imageWidth / pageW, request.imageHeight / pageH) : 1.0;
        horizontal = ScrollBar{};
        vertical = ScrollBar{};
    }
    result.sheetZoom = q;
    result.sheet = {0, 0, RoundEven(pageW * q), RoundEven(pageH * q)};
    result.printable = {RoundEven(MmToPxExact(request.dpiX, request.page.marginLeft) * q),
                        RoundEven(MmToPxExact(request.dpiY, request.page.marginTop) * q),
                        RoundEven((pageW - MmToPxExact(request.dpiX, request.page.marginRight)) * q),
                        RoundEven((pageH - MmToPxExact(request.dpiY, request.page.marginBottom)) * q)};
    std::int32_t reserve = 0;
    if (request.showTitleBlock) {
        const std::int32_t m = MmToPx(request.dpiY, kTitleBlockMargin);
        reserve = 2 * RoundEven(m * q) + RoundEven(request.titleBlockHeightPx * q);
    }
    result.placement = FitSchematic(schematic, result.printable, reserve, request.rescaleObjects);
    return result;
}

} // namespace ixo
