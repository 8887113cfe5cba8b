#include "building/building_classes.h"

#include "building/escalera.h"
#include "building/lista_niveles.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/class_registry.h"

namespace ixo {

void RegisterBuildingClasses() {
    ClassRegistry& registry = ClassRegistry::Instance();
    registry.RegisterObject<TObjetonivel>();
    registry.RegisterComponent<Tlistaobjetonivel>();
    registry.RegisterComponent<TpreferenciasProyecto>();
    registry.RegisterComponent<Tvivienda>();
    registry.RegisterComponent<tplanta>();
    registry.RegisterComponent<TEscalera>();
    registry.RegisterComponent<Tproyecto>();
}

} // namespace ixo
