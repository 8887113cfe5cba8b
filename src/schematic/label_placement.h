#pragma once

// Wire labels clear of each other, of the symbols and of the wires: after the layout and the wire
// separation, a label that would lie over a symbol, over a label placed before it or across a wire is moved
// to the first free place of a few near its wire (above or below its line, then along it); a label with no
// free place near stays where its mode puts it.
namespace ixo {

class TpadreGraficosMS;

// Works at scale 1 with the recording canvas's text extents; returns the number of labels moved.
int PlaceLabels(TpadreGraficosMS& schematic);

} // namespace ixo
