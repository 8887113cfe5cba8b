#pragma once

#include <memory>

namespace ixo {

class TBaseGrafMS;
class TComponenteBase;
class TpadreGraficosMS;

// The symbol of a network element, owned by the schematic (which notes a triple figure), or null for an
// element that has no symbol.
TBaseGrafMS* CreateSymbolFor(TpadreGraficosMS& schematic, TComponenteBase* element);

} // namespace ixo
