#pragma once

namespace ixo {

// Sets a flag for the length of a scope (a push, a computation) and clears it again, also when the
// scope is left early by an exception. Elements use it to notice a level that loops back into them.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

} // namespace ixo
