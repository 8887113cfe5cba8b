#pragma once

namespace ixo {

class TEscalera;
class Tproyecto;

// The headend on the project's headend floor: the dishes, the terrestrial headend, then either the
// headend multiswitches (with LNB splitters when there are several) or the satellite IF amplifiers with
// their built-in supplies and the trunk splitters that split every line to the stairs; a terrestrial
// splitter when several multiswitches or amplifiers need the terrestrial signal. Every element is
// created from the catalogue, owned by the project's network and listed in the headend floor's ETV;
// every connection uses the headend cable. The floor's previous elements are freed first, so a repeated
// build starts from scratch.
//
// A single stair of 8 or 16 polarities (or more than 12) in the trunk layout gets only the dishes and
// the terrestrial headend: its floor multiswitches are fed straight from them.
//
// Result: -1 when the project has no headend floor (nothing is built), else 1.
[[nodiscard]] int ConstruirCabecera(Tproyecto& project);

// The horizontal cable run between two stairs of the project: their distance in positions times
// DistanciaEscaleras, plus DistanciaPlantas, rounded to one decimal. A stair that is not in the project
// counts as position 0.
double DistanciaHorizontal(const Tproyecto& project, const TEscalera& a, const TEscalera& b);

} // namespace ixo
