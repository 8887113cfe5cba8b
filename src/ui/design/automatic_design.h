#pragma once

// Tools > Automatic design: the design assistant of `ixo-cli design` on the open project, from the
// window. Every edit it makes goes into the project's history as one step, so that one Undo takes the
// whole design back; cancelled, it takes back what it had done, and the project is as it was. The
// account it gives is the command line's, followed by the verdict.
#include <string>

namespace ixo {

class NetworkEditor;
class Progress;

struct AutomaticDesignOutcome {
    enum class Kind { Designed, Unchanged, Cancelled };
    Kind kind = Kind::Unchanged;
    std::string report; // what the design changed and the verdict, a line each
};

[[nodiscard]] AutomaticDesignOutcome RunAutomaticDesign(NetworkEditor& editor, Progress& progress);

// The caption of the design's window and progress.
inline constexpr const char* kAutomaticDesignCaption = "Automatic design";

} // namespace ixo
