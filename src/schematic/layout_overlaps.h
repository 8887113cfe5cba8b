#pragma once

// Counting what makes a drawing hard to read: wire labels over other labels or over symbols, wires
// running along a symbol's outline, wires running on a segment of another wire, wires passing
// through a label and symbols drawn over each other. Measured at scale
// 1 with the recording canvas's text extents (half the height per character).
#include "schematic/geometry.h"

#include <cstddef>
#include <vector>

namespace ixo {

class TpadreGraficosMS;

struct LayoutOverlaps {
    std::size_t labelOnLabel = 0;   // pairs of wire labels that share area
    std::size_t labelOnSymbol = 0;  // (label, symbol) pairs that share area
    std::size_t wireOnOutline = 0;  // (wire segment, symbol) pairs where the segment runs along an edge
    std::size_t wireOnWire = 0;     // pairs of segments of two wires that run on each other (wires that
                                    // leave or reach one pin together, a bundle, not counted)
    std::size_t wireOverLabel = 0;  // (wire segment, label) pairs where the segment passes through the
                                    // label's box
    std::size_t symbolOnSymbol = 0; // pairs of symbols (not members of one figure) that share area
    std::size_t Total() const {
        return labelOnLabel + labelOnSymbol + wireOnOutline + wireOnWire + wireOverLabel + symbolOnSymbol;
    }
};

// The rectangles of the wire labels the schematic draws, at scale 1 (the schematic is rescaled to 1).
std::vector<Rect> WireLabelRects(TpadreGraficosMS& schematic);

LayoutOverlaps CountOverlaps(TpadreGraficosMS& schematic);

} // namespace ixo
