#include "ui/sheet/zoom_steps.h"

#include "schematic/view.h"

#include <cmath>

namespace ixo {

int ZoomStepCount() {
    return static_cast<int>(kZoomLevels.size());
}

int ZoomStepPercent(int index) {
    if (index < 0 || index >= ZoomStepCount()) {
        return 0;
    }
    return kZoomLevels[static_cast<std::size_t>(index)];
}

std::string ZoomStepText(int index) {
    return index == 0 ? std::string("All") : std::to_string(ZoomStepPercent(index)) + " %";
}

int ZoomStepIndex(int percent) {
    for (int i = 1; i < ZoomStepCount(); ++i) {
        if (ZoomStepPercent(i) > percent) {
            return i;
        }
    }
    return ZoomStepCount() - 1;
}

int ZoomInStep(int currentIndex, double currentPercent) {
    int index = currentIndex;
    if (index <= 0) {
        index = ZoomStepIndex(static_cast<int>(std::lround(currentPercent))) - 1;
    }
    if (index < ZoomStepCount() - 1) {
        ++index;
    }
    return index;
}

int ZoomOutStep(int currentIndex, double currentPercent) {
    int index = currentIndex;
    if (index <= 0) {
        index = ZoomStepIndex(static_cast<int>(std::lround(currentPercent)));
    }
    if (index > 1) {
        --index;
    }
    return index;
}

} // namespace ixo
