#pragma once

#include <memory>

namespace ixo::cli {

// A command of the command-line program ends the process: freeing a large project component by
// component there (a tenth to a fifth of a check of the largest buildings) is work nobody waits for,
// since the system takes the whole memory back at once. A buried object is kept, never destroyed, in
// a fixed table the leak checkers see as reachable; when the table is full (many commands run in one
// test process) objects are destroyed as usual. The window does not do this: it frees what it closes.
// True when pointer was buried (the caller must then stop owning it), false when the table is full.
[[nodiscard]] bool BuryPointer(void* pointer);

template <typename T> void LeaveToExit(std::unique_ptr<T>& owned) {
    if (owned && BuryPointer(owned.get())) {
        static_cast<void>(owned.release());
    }
}

// Leaves an owned object to the end of the process when the scope ends, whichever way it ends.
template <typename T> class LeftToExit {
public:
    explicit LeftToExit(std::unique_ptr<T>& owned) : m_owned(owned) {}
    LeftToExit(const LeftToExit&) = delete;
    LeftToExit& operator=(const LeftToExit&) = delete;
    ~LeftToExit() { LeaveToExit(m_owned); }

private:
    std::unique_ptr<T>& m_owned;
};

} // namespace ixo::cli
