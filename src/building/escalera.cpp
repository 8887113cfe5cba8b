#include "building/escalera.h"

#include "building/planta.h"
#include "building/proyecto.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TEscalera, TPrimerComponente)

TEscalera::TEscalera(TPrimerComponente* owner) : TPrimerComponente(owner) {
    m_errores->Proyecto = ProyectoDe(owner);
}

TEscalera::~TEscalera() {
    // The floors are owned by the building, not by the stair: free them here.
    for (const auto& entry : m_plantas.TakeAll()) {
        if (entry.Object != nullptr) {
            Destroy(entry.Object);
        }
    }
    m_errores.reset();
}

void TEscalera::Notification(TPrimerComponente* removed) {
    TPrimerComponente::Notification(removed);
    m_plantas.RemoveObject(removed);
}

void TEscalera::AnadirPlantas(int n) {
    for (int i = 0; i < n; ++i) {
        auto* planta = Create<tplanta>(Owner());
        planta->SetEscalera(this);
        m_plantas.Add(planta);
        planta->Nivel = static_cast<std::int32_t>(m_plantas.Count());
    }
}

tplanta* TEscalera::PlantaCabecera() const {
    for (std::size_t i = m_plantas.Count(); i-- > 0;) {
        tplanta* planta = m_plantas.Object(i);
        if (planta != nullptr && planta->HeaderPl) {
            return planta;
        }
    }
    return nullptr;
}

tplanta* TEscalera::UltimaPlantaConViviendas() const {
    for (std::size_t i = m_plantas.Count(); i-- > 0;) {
        tplanta* planta = m_plantas.Object(i);
        if (planta != nullptr && !planta->LViviendas().Empty()) {
            return planta;
        }
    }
    return nullptr;
}

TPrimerComponente* TEscalera::Clone(TPrimerComponente* owner) const {
    return Create<TEscalera>(owner);
}

void TEscalera::SetListaPlantas(const NamedList<tplanta>& list) {
    m_plantas.Assign(list);
}

} // namespace ixo
