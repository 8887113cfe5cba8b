#pragma once

// The arithmetic of the progress window's bar: a range, and a position kept inside it.
namespace ixo {

class ProgressModel {
public:
    void SetMin(int n);
    void SetMax(int n);
    // n limited to minimum..maximum.
    void SetPosition(int n);
    // n = -1 adds 1, any other n adds n; the result is limited like SetPosition.
    void Step(int n = -1);
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }
    int Position() const { return m_position; }

private:
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};

} // namespace ixo
