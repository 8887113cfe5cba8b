#pragma once

namespace ixo {

// Registers the persisted classes of the building model (the project, stairs, floors, flats,
// preferences and level lists) in the class registry, so that a project file can recreate them by
// name. Calling it again does no harm.
void RegisterBuildingClasses();

} // namespace ixo
