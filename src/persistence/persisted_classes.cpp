#include "persistence/persisted_classes.h"

#include "building/building_classes.h"
#include "model/class_registry.h"

namespace ixo {

void RegisterPersistedClasses() {
    RegisterModelClasses();
    RegisterBuildingClasses();
}

} // namespace ixo
