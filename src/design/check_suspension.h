#pragma once

#include "building/proyecto.h"

namespace ixo {

// Leaves the outlet check out of the recalculations made while it lives (a design trying positions
// would check every outlet of the building again at each try) and restores what was set. The design
// ends with one full recalculation with the check, and what it reports is measured there.
class CheckSuspension {
public:
    explicit CheckSuspension(Tproyecto& project) : m_project(project), m_was(project.finalizadocalculoTV) {
        project.finalizadocalculoTV = false;
    }
    ~CheckSuspension() { m_project.finalizadocalculoTV = m_was; }
    CheckSuspension(const CheckSuspension&) = delete;
    CheckSuspension& operator=(const CheckSuspension&) = delete;

private:
    Tproyecto& m_project;
    bool m_was;
};

} // namespace ixo
