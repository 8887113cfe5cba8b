#include "editing/network_editor.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "levels/calculo_niveles.h"
#include "levels/comprobacion_tomas.h"
#include "model/componente_base.h"

#include <algorithm>

namespace ixo {

NetworkEditor::NetworkEditor(Tproyecto& project, std::size_t maxSteps, std::size_t maxBytes)
    : m_project(project), m_maxSteps(std::max<std::size_t>(maxSteps, 1)), m_maxBytes(maxBytes) {
    if (m_project.Modificado) {
        m_savedPosition.reset();
    }
}

NetworkEditor::~NetworkEditor() {
    // Newest first: a later step may hold elements an earlier one refers to.
    while (!m_steps.empty()) {
        DropNewest();
    }
}

void NetworkEditor::DropNewest() {
    m_bytes -= m_steps.back().Bytes();
    m_steps.pop_back();
    m_joined.pop_back();
}

void NetworkEditor::DropOldest() {
    m_bytes -= m_steps.front().Bytes();
    m_steps.pop_front();
    m_joined.pop_front();
    --m_position;
    m_groupStart = m_groupStart > 0 ? m_groupStart - 1 : 0;
    ++m_dropped;
    if (m_savedPosition) {
        m_savedPosition = *m_savedPosition == 0 ? std::optional<std::size_t>() : *m_savedPosition - 1;
    }
}

NetworkEditor::Outcome NetworkEditor::ApplyEdit(const Edit& edit) {
    EditJournal journal;
    if (!edit(journal)) {
        journal.Rollback();
        return Outcome::Refused;
    }
    if (journal.Empty()) {
        return Outcome::Unchanged; // no step
    }
    DropRedoSteps();
    // Worked out now, with every new element in its place (undo detaches them again).
    journal.SetReached(ReachOf(journal));
    m_bytes += journal.Bytes();
    m_steps.push_back(std::move(journal));
    m_joined.push_back(m_grouping && m_position > m_groupStart);
    ++m_position;
    while (m_steps.size() > m_maxSteps || (m_bytes > m_maxBytes && m_steps.size() > 1)) {
        DropOldest();
    }
    Moved(m_steps[m_position - 1]);
    return Outcome::Done;
}

bool NetworkEditor::Undo() {
    if (!CanUndo()) {
        return false;
    }
    const std::size_t from = m_position;
    const bool recalculate = m_recalculate;
    m_recalculate = false;
    do {
        m_steps[--m_position].Undo();
        Moved(m_steps[m_position]);
    } while (!m_grouping && m_position > 0 && m_joined[m_position]);
    m_recalculate = recalculate;
    Recalculated(from);
    return true;
}

bool NetworkEditor::Redo() {
    if (!CanRedo()) {
        return false;
    }
    const std::size_t from = m_position;
    const bool recalculate = m_recalculate;
    m_recalculate = false;
    do {
        m_steps[m_position++].Redo();
        Moved(m_steps[m_position - 1]);
    } while (!m_grouping && m_position < m_steps.size() && m_joined[m_position]);
    m_recalculate = recalculate;
    Recalculated(from);
    return true;
}

void NetworkEditor::Recalculated(std::size_t from) {
    if (!m_recalculate) {
        return;
    }
    // One step: only where it reached; a group: everything once.
    const std::size_t first = std::min(from, m_position);
    if (std::max(from, m_position) - first == 1) {
        RecalculateAfter(m_steps[first]);
    } else {
        Recalculate();
    }
}

NetworkEditor::Group::Group(NetworkEditor& editor) : m_editor(editor), m_outer(!editor.m_grouping) {
    if (m_outer) {
        m_editor.m_grouping = true;
        m_editor.m_groupStart = m_editor.m_position;
    }
}

NetworkEditor::Group::~Group() {
    if (m_outer) {
        m_editor.m_grouping = false;
    }
}

void NetworkEditor::DropRedoSteps() {
    while (m_steps.size() > m_position) {
        DropNewest();
    }
    // A state saved among the steps dropped can no longer be reached.
    if (m_savedPosition && *m_savedPosition > m_position) {
        m_savedPosition.reset();
    }
}

void NetworkEditor::MarkSaved() {
    m_savedPosition = m_position;
    m_project.Modificado = false;
}

void NetworkEditor::Recalculate() {
    Recalcular(m_project); // the level run ends with the outlet check
}

namespace {

// The stair of a network element: through the floor or flat that lists it, or the flat that owns it.
// Null for the headend floor and for anything without a place: the whole project is then concerned.
const TEscalera* StairOf(const TPrimerComponente* component) {
    const TPrimerComponente* container = nullptr;
    if (auto* element = dynamic_cast<const TComponenteBase*>(component)) {
        container = element->Container();
    }
    for (const TPrimerComponente* c = component; container == nullptr && c != nullptr; c = c->Owner()) {
        if (c->Is<Tvivienda>()) {
            container = c;
        }
    }
    if (auto* flat = dynamic_cast<const Tvivienda*>(container)) {
        container = flat->Planta();
    }
    auto* floor = dynamic_cast<const tplanta*>(container);
    return floor != nullptr && !floor->HeaderPl ? floor->Escalera() : nullptr;
}

} // namespace

EditJournal::Reach NetworkEditor::ReachOf(const EditJournal& step) {
    EditJournal::Reach reach;
    reach.wholeProject = step.WholeProject();
    for (const TPrimerComponente* component : step.Touched()) {
        if (reach.wholeProject) {
            break;
        }
        const TEscalera* stair = StairOf(component);
        reach.wholeProject = stair == nullptr;
        if (std::find(reach.stairs.begin(), reach.stairs.end(), stair) == reach.stairs.end()) {
            reach.stairs.push_back(stair);
        }
    }
    return reach;
}

void NetworkEditor::RecalculateAfter(const EditJournal& step) {
    const EditJournal::Reach& reach = step.Reached();
    tplanta* headend = m_project.PlantaCabecera();
    if (reach.wholeProject || headend == nullptr) {
        Recalculate();
        return;
    }
    PropagarNiveles(m_project, *headend, false);
    CheckWithin(m_project, reach);
}

void NetworkEditor::CheckWithin(Tproyecto& project, const EditJournal::Reach& reach) {
    if (reach.wholeProject) {
        ComprobarErrores(project);
        return;
    }
    bool errors = false;
    for (const auto& entry : project.Escaleras()) {
        if (entry.Object == nullptr) {
            continue;
        }
        if (std::find(reach.stairs.begin(), reach.stairs.end(), entry.Object) != reach.stairs.end()) {
            ComprobarErrores(*entry.Object);
        }
        errors = errors || !entry.Object->ErroresEscalera().Empty();
    }
    project.ConErrores = errors && project.finalizadocalculoTV;
}

void NetworkEditor::Moved(const EditJournal& step) {
    m_project.Modificado = !(m_savedPosition && *m_savedPosition == m_position);
    if (m_recalculate) {
        RecalculateAfter(step);
    }
}

} // namespace ixo
