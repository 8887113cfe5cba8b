#pragma once

// The schematic layout: turns a built installation into placed graphic objects and routed wires. One
// column per stair, floors stacked from the highest down, the headend floor above all columns, flats in
// dotted frames beside the riser element that feeds them.
namespace ixo {

class Progress;
class Tproyecto;
class TpadreGraficosMS;

// Empties the schematic and rebuilds it from the project (at scale 1.0), then computes its extent. Five
// progress steps; a cancel request between steps leaves the schematic empty and returns false.
[[nodiscard]] bool BuildSchematic(Tproyecto& project, TpadreGraficosMS& schematic, Progress& progress);

} // namespace ixo
