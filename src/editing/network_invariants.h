#pragma once

#include <string>
#include <vector>

namespace ixo {

class TTomaTV;
class Tproyecto;

// What the invariant check of a network finds.
struct NetworkCheck {
    std::vector<std::string> problems; // broken invariants, each naming the element and what is wrong
    std::vector<const TTomaTV*> unfed; // outlets no source reaches (a design fault, not a broken model)
    bool Ok() const { return problems.empty(); }
};

// Checks that the network of a project is consistent: pins linked both ways with the same cable and
// length, no load on a connected pin, links only between elements of the project, every listed element
// in the project and knowing its container, every element with a container listed in it, partners
// mutual, feeders and fed lists mutual. Outlets that no dish or terrestrial headend reaches are listed.
NetworkCheck CheckNetwork(const Tproyecto& project);

} // namespace ixo
