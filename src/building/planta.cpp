#include "building/planta.h"

#include "building/escalera.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/componente_base.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(tplanta, TPrimerComponente)

tplanta::tplanta(TPrimerComponente* owner) : TPrimerComponente(owner) {}

tplanta::~tplanta() {
    for (const auto& entry : m_etv.TakeAll()) {
        if (entry.Object != nullptr) {
            Destroy(entry.Object);
        }
    }
    for (const auto& entry : m_viviendas.TakeAll()) {
        if (entry.Object != nullptr) {
            Destroy(entry.Object);
        }
    }
    if (m_escalera != nullptr) {
        m_escalera->ListaPlantas().RemoveName(Name());
    }
}

void tplanta::Notification(TPrimerComponente* removed) {
    TPrimerComponente::Notification(removed);
    m_etv.RemoveObject(removed);
    m_viviendas.RemoveObject(removed);
    if (removed == m_escalera) {
        m_escalera = nullptr;
    }
}

void tplanta::SetEscalera(TEscalera* escalera) {
    m_escalera = escalera;
    NombreEscalera = escalera != nullptr ? escalera->Name() : std::string();
    if (escalera != nullptr) {
        FreeNotification(escalera);
    }
}

void tplanta::AgregarElemento(TComponenteBase* element) {
    if (element == nullptr) {
        return;
    }
    element->SetContainer(this);
    m_etv.Add(element);
}

Tvivienda* tplanta::NuevaVivienda() {
    auto* vivienda = Create<Tvivienda>(Owner());
    vivienda->NombreViv = "FL" + std::to_string(vivienda->Numero_Interno());
    vivienda->AsignarPlanta(this);
    const Tproyecto* proyecto = ProyectoDe(this);
    if (proyecto != nullptr) {
        const TpreferenciasProyecto& preferencias = proyecto->Preferencias();
        vivienda->SetNumtomas(preferencias.NoutletViv); // not yet rebuildable: only stored
        vivienda->Reconstruible = true;
        vivienda->SetTopologia(preferencias.TipoDistribucionViv);
    } else {
        vivienda->Reconstruible = true;
    }
    return vivienda;
}

TPrimerComponente* tplanta::Clone(TPrimerComponente* owner) const {
    return Create<tplanta>(owner);
}

void tplanta::SetETV(const NamedList<TComponenteBase>& list) {
    m_etv.Assign(list);
}

void tplanta::SetLViviendas(const NamedList<Tvivienda>& list) {
    m_viviendas.Assign(list);
}

} // namespace ixo
