#include "ui/charts/chart_texts.h"

#include "common/decimal_text.h"

#include <cmath>

namespace ixo {

std::string AxisText(double value) {
    std::string digits = OneDecimalText(std::fabs(value));
    const bool negative = value < 0 && digits != "0.0";
    // Thousands separated in the whole part ("#,##0.0").
    const std::size_t point = digits.find('.');
    if (point == std::string::npos) {
        return OneDecimalText(value); // "inf", "nan"
    }
    std::string whole = digits.substr(0, point);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += whole[i];
    }
    return (negative ? "-" : "") + grouped + digits.substr(point);
}

std::string CrosshairHint(double frequency, double level) {
    return "Frecuencia: " + AxisText(frequency) + " , " + "Nivel: " + AxisText(level);
}

} // namespace ixo
