#pragma once

// The zoom-step menu of the main window: "All" (fit the whole page) and ten percentages, and the index
// arithmetic of Zoom in and Zoom out.
#include <string>

namespace ixo {

// The number of steps in the menu (index 0 is "All").
int ZoomStepCount();
// The percentage of a step (0 for "All").
int ZoomStepPercent(int index);
// The menu text of a step: "All", "10 %", ...
std::string ZoomStepText(int index);
// The smallest index i >= 1 whose percentage is greater than percent; the last index when none is.
int ZoomStepIndex(int percent);
// The step Zoom in chooses from the current step and the sheet's current percentage (used when the
// current step is "All"): the next step up, never beyond the last.
int ZoomInStep(int currentIndex, double currentPercent);
// The step Zoom out chooses: the step below, never "All" and never below 10 %.
int ZoomOutStep(int currentIndex, double currentPercent);

} // namespace ixo
