#pragma once

// Wire routes: the orthogonal polylines of every kind of connection, chosen so that parallel cables run
// side by side. Routes are computed at scale 1.0 from the current pin positions.
#include "schematic/geometry.h"

#include <vector>

namespace ixo {

class TComponenteBase;
class TPin;

// A, (A.x + (B.x - A.x) div 2, A.y), (that x, B.y), B.
std::vector<Point> ZByX(Point a, Point b);
// A, (A.x, A.y + (B.y - A.y) div 2), (B.x, that y), B.
std::vector<Point> ZByY(Point a, Point b);

// The number of pins of the same kind as pin on its element.
int PinCountOf(const TPin* pin);
// 3 with a triple partner, 2 with a double partner, else 1.
int BundleFactor(const TComponenteBase* element);

// The vertical run of a riser-to-flat wire: a (the column offset) 0 puts it a quarter of the way from
// the source; otherwise a + 40 away from the target, on the source's side.
std::vector<Point> RiserToFlatRoute(Point source, Point target, int a);

} // namespace ixo
