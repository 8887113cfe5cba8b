#pragma once

// The texts of the level charts (levels and regulation windows): axis numbers and the crosshair's hint.
#include <string>

namespace ixo {

// A number as the axes show it ("#,##0.0"): one decimal, thousands separated by ",".
std::string AxisText(double value);
// The hint at a point of a chart: "Frecuencia: 1,350.0 , Nivel: 45.3".
std::string CrosshairHint(double frequency, double level);

} // namespace ixo
