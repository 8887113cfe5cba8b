#pragma once

// Keeping wires apart after the routes are laid: a wire segment between two bends that runs on a
// segment of another wire, or along the outline of a symbol, is moved sideways in small steps (6 design
// units, either way, up to 30) until it runs free. The segments at a wire's ends stay on their pins, and
// wires leaving or reaching one pin together (a bundle) share that stretch.
namespace ixo {

class TpadreGraficosMS;

// Works on the design routes at scale 1; returns the number of segments moved.
int SeparateWires(TpadreGraficosMS& schematic);

} // namespace ixo
