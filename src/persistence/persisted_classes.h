#pragma once

namespace ixo {

// Registers every class a project file can hold (the element model's and the building model's) in the
// class registry. Reading a project calls it; calling it again does no harm.
void RegisterPersistedClasses();

} // namespace ixo
