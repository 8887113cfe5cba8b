#pragma once

#include "editing/edit_journal.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>

namespace ixo {

class Tproyecto;

// The edit history of one open project: every edit runs through Apply with a journal of its own, and
// Undo and Redo move along the recorded edits. Memory is bounded by the number of steps kept and by
// what they hold (each step holds only what its edit changed: pin states, list contents, values, and
// the elements it freed or made, EditJournal::Bytes): beyond either limit the oldest steps are dropped
// (the newest is always kept), and DroppedSteps() says how many, so that the user can be told. The
// project's Modificado flag follows the position: it is clear exactly at the position last marked
// saved.
//
// After every edit, undo and redo the levels are recalculated and the outlets checked.
class NetworkEditor {
public:
    static constexpr std::size_t kDefaultSteps = 200;
    static constexpr std::size_t kDefaultBytes = std::size_t{512} << 20;
    using Edit = std::function<bool(EditJournal&)>;

    explicit NetworkEditor(Tproyecto& project, std::size_t maxSteps = kDefaultSteps,
                           std::size_t maxBytes = kDefaultBytes);
    ~NetworkEditor();
    NetworkEditor(const NetworkEditor&) = delete;
    NetworkEditor& operator=(const NetworkEditor&) = delete;

    Tproyecto& Project() const { return m_project; }

    // What became of an edit: refused (rolled back), accepted without changing anything (no step), or
    // done (one step).
    enum class Outcome { Refused, Unchanged, Done };

    // Runs edit; when it answers false, whatever it recorded is rolled back and the history stays as
    // it was. On success the step is kept (the redo steps are dropped) and the network recalculated.
    // True unless refused.
    bool Apply(const Edit& edit) { return ApplyEdit(edit) != Outcome::Refused; }
    [[nodiscard]] Outcome ApplyEdit(const Edit& edit);
    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < m_steps.size(); }
    bool Undo();
    bool Redo();
    // Forgets the steps undone (work taken back for good, e.g. a cancelled design): nothing to redo.
    void DropRedoSteps();
    std::size_t StepCount() const { return m_steps.size(); }
    std::size_t Position() const { return m_position; }
    // What the steps kept hold, roughly in bytes; the limit.
    std::size_t HistoryBytes() const { return m_bytes; }
    std::size_t MaxBytes() const { return m_maxBytes; }
    // The oldest steps dropped so far to keep within the limits (they can no longer be undone).
    std::size_t DroppedSteps() const { return m_dropped; }

    // The project was saved (or opened) at the current position.
    void MarkSaved();
    // Level run and outlet check, as after every step.
    void Recalculate();
    // The level run, and the outlet check of the stairs the step reached only (all of them when it
    // reached the headend floor or cannot tell).
    void RecalculateAfter(const EditJournal& step);
    // Where a change of the touched components reaches: their stairs, or the whole project when one of
    // them is on the headend floor or has no place.
    static EditJournal::Reach ReachOf(const EditJournal& step);
    // The outlet check of the stairs reach names (every stair when it is the whole project), on the
    // levels as they are; the project's ConErrores follows.
    static void CheckWithin(Tproyecto& project, const EditJournal::Reach& reach);
    // Steps applied while a group is open undo and redo as one step once it is closed (a design run of
    // many edits is one step to the user). While it is open Undo and Redo still move one step at a
    // time, so that the work in it can take back its own tries.
    class Group {
    public:
        explicit Group(NetworkEditor& editor);
        ~Group();
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

    private:
        NetworkEditor& m_editor;
        bool m_outer;
    };

    // When false, Apply, Undo and Redo leave the recalculation to the caller (a script of edits
    // recalculates once at its end).
    void SetRecalculateAfterEdits(bool recalculate) { m_recalculate = recalculate; }
    bool RecalculatesAfterEdits() const { return m_recalculate; }

private:
    void Moved(const EditJournal& step);
    // The level run after Undo or Redo moved from position from to the current one.
    void Recalculated(std::size_t from);
    void DropOldest();
    void DropNewest();

    Tproyecto& m_project;
    std::size_t m_maxSteps;
    std::size_t m_maxBytes;
    std::size_t m_bytes = 0;
    std::size_t m_dropped = 0;
    std::deque<EditJournal> m_steps;
    std::deque<bool> m_joined; // per step: it undoes and redoes with the step before it
    bool m_grouping = false;
    std::size_t m_groupStart = 0;                   // the position when the open group began
    std::size_t m_position = 0;                     // steps before it are done, from it on undone
    std::optional<std::size_t> m_savedPosition = 0; // none once the saved state left the history
    bool m_recalculate = true;
};

} // namespace ixo
