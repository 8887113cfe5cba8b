#pragma once

#include <string_view>

namespace ixo {

// How long operations (building an installation, reading a project, drawing) report how far they are
// and learn that the user asked them to stop. The desktop program shows a progress window, the command
// line prints to the error stream; the core only counts steps.
class Progress {
public:
    virtual ~Progress() = default;

    virtual void SetCaption(std::string_view /*caption*/) {}
    virtual void SetMaximum(int /*steps*/) {}
    virtual void SetPosition(int /*step*/) {}
    // One more step done.
    virtual void Step() {}
    // True once the user asked to stop; an operation that checks it stops at its next safe point.
    virtual bool CancelRequested() const { return false; }
};

// A progress that shows nothing and never cancels, for callers that do not watch.
Progress& NoProgress();

} // namespace ixo
