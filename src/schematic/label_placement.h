#pragma once

// Wire labels clear of each other and of the symbols: after the layout, a label that would lie over a
// symbol or over a label placed before it is moved to the first free place of a few near its wire (above
// or below its line, then along it); a label with no free place near stays where its mode puts it.
namespace ixo {

class TpadreGraficosMS;

// Works at scale 1 with the recording canvas's text extents; returns the number of labels moved.
int PlaceLabels(TpadreGraficosMS& schematic);

} // namespace ixo
