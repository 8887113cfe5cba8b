#pragma once

namespace ixo {

class Tproyecto;
class tplanta;

// The level run: resets the calculated flags of the network outside the flats, seeds the headend
// sources (with the preferences' levels when `seed` is true, else with the levels they hold), pushes the
// levels from the dishes and the terrestrial headend through the whole network, then checks every
// outlet (ComprobarErrores). `headendFloor` is the project's headend floor.
void CalcularNiveles(Tproyecto& project, tplanta& headendFloor, bool seed);

// The level run without the outlet check: reset, seed, push. An editor that knows which stairs an edit
// reached checks only those (ComprobarErrores of a stair); the others' outlets keep their levels.
void PropagarNiveles(Tproyecto& project, tplanta& headendFloor, bool seed);

// The level run without seeding, after any change that can alter levels; nothing without a headend
// floor.
void Recalcular(Tproyecto& project);

// Gives every connector at a cabled pin the connector type of its cable (after a change of cable).
void RenovarConectores(Tproyecto& project);

} // namespace ixo
