#include "editing/network_editor.h"

#include "building/proyecto.h"
#include "levels/calculo_niveles.h"

#include <algorithm>

namespace ixo {

NetworkEditor::NetworkEditor(Tproyecto& project, std::size_t maxSteps)
    : m_project(project), m_maxSteps(std::max<std::size_t>(maxSteps, 1)) {
    if (m_project.Modificado) {
        m_savedPosition.reset();
    }
}

NetworkEditor::~NetworkEditor() {
    // Newest first: a later step may hold elements an earlier one refers to.
    while (!m_steps.empty()) {
        m_steps.pop_back();
    }
}

bool NetworkEditor::Apply(const Edit& edit) {
    EditJournal journal;
    if (!edit(journal)) {
        journal.Rollback();
        return false;
    }
    if (journal.Empty()) {
        return true; // nothing changed: no step
    }
    while (m_steps.size() > m_position) {
        m_steps.pop_back();
    }
    if (m_savedPosition && *m_savedPosition > m_position) {
        m_savedPosition.reset();
    }
    m_steps.push_back(std::move(journal));
    ++m_position;
    if (m_steps.size() > m_maxSteps) {
        m_steps.pop_front();
        --m_position;
        if (m_savedPosition) {
            m_savedPosition = *m_savedPosition == 0 ? std::optional<std::size_t>() : *m_savedPosition - 1;
        }
    }
    Moved();
    return true;
}

bool NetworkEditor::Undo() {
    if (!CanUndo()) {
        return false;
    }
    m_steps[--m_position].Undo();
    Moved();
    return true;
}

bool NetworkEditor::Redo() {
    if (!CanRedo()) {
        return false;
    }
    m_steps[m_position++].Redo();
    Moved();
    return true;
}

void NetworkEditor::MarkSaved() {
    m_savedPosition = m_position;
    m_project.Modificado = false;
}

void NetworkEditor::Recalculate() {
    Recalcular(m_project); // the level run ends with the outlet check
}

void NetworkEditor::Moved() {
    m_project.Modificado = !(m_savedPosition && *m_savedPosition == m_position);
    if (m_recalculate) {
        Recalculate();
    }
}

} // namespace ixo
