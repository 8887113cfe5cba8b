#pragma once

#include <string>
#include <vector>

namespace ixo {

class TCBFT;
class Tproyecto;

// A powering fault of the installation.
//
// Unpowered: an active element (one that draws current, by its catalogue consumption) has no supply or
// injector feeding it, and no element upstream puts power on the line it sits on. Overloaded: the
// elements drawing from one supply, injector or line-powering element need more current than it
// delivers.
struct PowerProblem {
    enum class Kind { Unpowered, Overloaded };
    Kind kind = Kind::Unpowered;
    const TCBFT* element = nullptr;  // the unpowered element, or the overloaded supplier
    double drawnMilliamps = 0.0;     // what the element needs, or what the supplier's load draws
    double availableMilliamps = 0.0; // 0 when unpowered; the supplier's current when overloaded
    int loadCount = 0;               // overloaded: the elements drawing from it

    // e.g. "MultiswitchRe12 (MT-504) draws 220 mA and no supply feeds it".
    std::string Text() const;
};

// What an element draws from the supply that feeds it over its power input: its catalogue consumption.
double SupplyDraw(const TCBFT& element);
// What an element draws from the line it is powered through: its terrestrial-line consumption (active or
// passive by its attenuator) when the catalogue gives one, otherwise its consumption.
double LineDraw(const TCBFT& element);

// Checks every active element and every supplier of the project; problems in network order.
std::vector<PowerProblem> CheckPowering(const Tproyecto& project);

} // namespace ixo
