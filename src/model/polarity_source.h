#pragma once

namespace ixo {

class TPin;

// An element whose output or tap pins deliver the polarity set on each of them (a multiswitch). An
// element downstream that changes the polarity it asks of such a pin (a DiSEqC switch) has the element
// recompute that pin and push the new level on.
class PolaritySource {
public:
    // Computes pin (an output or tap of this element) for its polarity, stores the level and pushes it to
    // the pin's peer.
    virtual bool ComputeOutput(TPin* pin) = 0;

protected:
    PolaritySource() = default;
    PolaritySource(const PolaritySource&) = default;
    PolaritySource& operator=(const PolaritySource&) = default;
    ~PolaritySource() = default;
};

} // namespace ixo
