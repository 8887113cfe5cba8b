#pragma once

// The main window's rules without widgets: the caption, which commands are available, the save
// question and its answers, which dropped files open, and the texts of the open failures and the
// status bar.
#include "persistence/project_file.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace ixo {

struct DesignVerdict;

class Tproyecto;

// The application's title, the first word of every caption and message box.
inline constexpr std::string_view kApplicationTitle = "Ixo2";

// The title followed by one space; with a file, then " [", the full file name and "]".
std::string WindowCaption(std::string_view fileName);

// Enabled states of the window's commands.
struct ActionStates {
    bool close = false;
    bool save = false;
    bool saveAs = false;
    bool saveImage = false;
    bool pageSetup = false;
    bool print = false;
    bool zoom = false; // zoom in, zoom out, zoom all, pan
    bool undo = false;
    bool redo = false;
    // The error level list and the six tools: with an open project.
    bool design = false;
    // Commands that come with later work (configuration, project information) stay disabled.
    bool later = false;
};
// canPrint: some output for printing exists (a printer, or the PDF file the print dialog offers).
ActionStates StatesFor(bool projectOpen, bool canPrint, bool canUndo, bool canRedo);

// The hint of the print button: "Print " without printers, else "(Print in <printer>)".
std::string PrinterCaption(std::string_view printerName);

// The save question: "Save changes to project <file>?".
std::string SaveChangesQuestion(std::string_view fileName);
enum class SaveAnswer { Yes, No, Cancel };

// ConfirmSaveChanges: true to go on. Asks only when a project exists and is modified. Yes saves (save
// answers whether the project was written): a save that fails or is cancelled keeps the project and
// answers false, so that nothing unsaved is discarded. No discards the changes.
bool ConfirmSaveChanges(Tproyecto* project, const std::function<SaveAnswer(const std::string&)>& ask,
                        const std::function<bool()>& save);

// Of the files dropped on the window only the first is looked at; it opens when its extension,
// upper-cased, is ".XPJ".
bool OpensWhenDropped(const std::filesystem::path& firstFile);

// The message of an open that failed ("Error", error icon); empty on success. The reason, when the
// file gave one, follows on a line of its own (which record, what was wrong).
std::string OpenFailureMessage(OpenResult result, std::string_view version, std::string_view reason = {});

// The message of an open that ran out of memory: not a fault of the file.
std::string OpenOutOfMemoryMessage();

// The number of outlets (each counted once) in the stairs' error lists of the last outlet check.
std::size_t CountOutletsOutOfLimits(const Tproyecto& project);
// The status bar's count of outlets out of limits.
std::string OutletsOutOfLimitsText(std::size_t outlets);
// What the powering and overdrive checks found, for the status bar beside the outlets: "" when nothing,
// else e.g. "1 powering problem, 51 pins overdriven".
std::string DesignProblemsText(std::size_t powering, std::size_t overdriven);

// The verdict's word at the head of the status bar: "Design passes", or "Design fails" (its reasons are
// the counts that follow it and the status's tip).
std::string VerdictStatusText(const DesignVerdict& verdict);
// The tip's first line for a design that fails: "Fails: 3 outlets out of limits; 1 powering problem";
// empty when it passes.
std::string VerdictReasonsText(const DesignVerdict& verdict);

// The message of a save that failed: the file and the system's reason.
std::string SaveFailureMessage(const std::filesystem::path& path, std::string_view reason);

} // namespace ixo
