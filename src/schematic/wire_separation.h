#pragma once

// Keeping wires apart after the routes are laid: a wire segment that runs on a segment of another wire,
// or along the outline of a symbol, is moved sideways in small steps (6 design units, either way, up to
// 30) until it runs free. A segment between two bends moves whole; a segment at a pin keeps its pin and
// is led out to its new place straight across or by a short stub. Wires leaving or reaching one pin
// together (a bundle) share that stretch.
namespace ixo {

class TpadreGraficosMS;

// Works on the design routes at scale 1; returns the number of segments moved.
int SeparateWires(TpadreGraficosMS& schematic);

} // namespace ixo
