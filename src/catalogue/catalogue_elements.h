#pragma once

#include "catalogue/element_factory.h"

namespace ixo {

// Registers the prototype creators of the element classes that exist (cables, connectors, loads,
// splitters, outlets, flat entries, diplexers) and the pin counter of the element classes. Registering
// again replaces them.
void RegisterCatalogueElements(ElementFactory& factory);

} // namespace ixo
