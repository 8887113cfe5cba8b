#pragma once

#include "catalogue/element_factory.h"

namespace ixo {

// Registers the prototype creators of the element classes that exist (cables, connectors, loads,
// splitters, outlets, flat entries, diplexers) and the pin counter of the element classes. Registering
// again replaces them.
void RegisterCatalogueElements(ElementFactory& factory);

// Start-up of a program that loads a catalogue store: the model classes in the class registry and the
// element classes in the global factory. Safe to call from several places; it does its work once.
void InitialiseElementModel();

} // namespace ixo
