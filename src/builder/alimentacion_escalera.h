#pragma once

#include <vector>

namespace ixo {

class TEscalera;
class TRepartidor;
class Tproyecto;
class tplanta;

// Feeding one stair of the trunk layout: the headend's lines enter the first multiswitch position of
// the stair's highest floor with flats (First, and its double and triple partners Second and Third when
// one position holds several multiswitches), with the trunk cable. Both feeds leave lines that find no
// free input unconnected, and a stair whose top floor has no elements gets no trunk connection.

// The trunk length of a stair: the horizontal distance to the headend stair plus one floor height per
// floor above the stair's highest floor with flats (the headend floor not counted). The horizontal
// distance alone for a stair without flats.
double LongitudTroncal(const Tproyecto& project, const TEscalera& stair, const tplanta& headendFloor);

// From the trunk splitters (`lines`, one per line, in line order): each splitter gives the stair one
// output. The first line of each satellite group (every fifth line with terrestrial distribution, every
// fourth without) goes through a power injector placed on the headend floor when the project asks for
// injectors, the catalogue has the injector model, the stair's lowest floor with elements holds a
// line-powered multiswitch and the installation has fewer than 16 polarities and not 8; the injector
// feeds the lowest line-powered multiswitch of the stair, or for the second and third satellite group
// that multiswitch's double and triple partner.
void AlimentarEscalera(Tproyecto& project, tplanta& headendFloor, TEscalera& stair,
                       const std::vector<TRepartidor*>& lines);

// Straight from the headend when there are no trunk splitters (a single stair with flats): the lines
// are the outputs of the IF amplifiers (of the dishes for a single stair of 8/16 polarities without
// amplifiers) with the terrestrial line among them: first for 8/16 polarities, in the middle of each
// satellite's group otherwise.
void AlimentarEscaleraDirecta(Tproyecto& project, tplanta& headendFloor, TEscalera& stair);

} // namespace ixo
