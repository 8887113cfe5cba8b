#pragma once

#include <cstdint>

namespace ixo {

class TPin;
class Tvivienda;

// A flat receives the polarity its receiver selects: the flat entry's input pin asks it of the element
// that feeds the flat. Setting it on both ends of that connection makes a DiSEqC switch there choose its
// input again and a multiswitch recompute that output; both push the new levels down to the outlets.
// Without a connection only the entry's pin changes.
void SeleccionarPolaridad(TPin& entryInput, std::int32_t polarity);

// The flat entry's first input pin, or null.
TPin* EntradaDeVivienda(const Tvivienda& flat);

// The pin whose polarity decides what a pin of an outlet receives: the entry input of the outlet's flat,
// or, for an outlet outside a flat, the first input of the flat entry the pin is connected to. Null for a
// pin of any other element, or when there is no such entry.
TPin* PinDePolaridad(const TPin& outletPin);

} // namespace ixo
