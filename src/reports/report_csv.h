#pragma once

#include "reports/lista_info_pau.h"
#include "reports/lista_materiales.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// The reports as comma-separated values for spreadsheets (RFC 4180: a field holding a comma, a quote
// or a line break is quoted, its quotes doubled; lines end with CR LF; numbers with a decimal point).

// One row per line of the list of materials: code, model, description, quantity, unit ("m" for cable
// metres, "pcs" for pieces); the terrestrial amplifier first when the headend has one.
void WriteMaterialsCsv(std::ostream& out, const std::vector<TElementoRec>& lines, bool terrestrialHeadend);

// One row per outlet: stair, floor, flat, outlet and its level in each band from firstBand on (the
// bands of the outlet tables: 175 MHz on with a terrestrial headend, else 950 MHz on).
void WriteOutletLevelsCsv(std::ostream& out, const std::vector<TNodotoma>& outlets, std::size_t firstBand);

// One CSV field, quoted when needed.
std::string CsvField(std::string_view text);

} // namespace ixo
