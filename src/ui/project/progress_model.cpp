#include "ui/project/progress_model.h"

#include <algorithm>

namespace ixo {

void ProgressModel::SetMin(int n) {
    m_minimum = n;
    m_maximum = std::max(m_maximum, n);
    SetPosition(m_position);
}

void ProgressModel::SetMax(int n) {
    m_maximum = n;
    m_minimum = std::min(m_minimum, n);
    SetPosition(m_position);
}

void ProgressModel::SetPosition(int n) {
    m_position = std::clamp(n, m_minimum, m_maximum);
}

void ProgressModel::Step(int n) {
    const long long next = static_cast<long long>(m_position) + (n == -1 ? 1 : n);
    SetPosition(static_cast<int>(std::clamp<long long>(next, m_minimum, m_maximum)));
}

} // namespace ixo
