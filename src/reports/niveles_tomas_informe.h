#pragma once

#include "reports/lista_info_pau.h"

#include <optional>
#include <vector>

namespace ixo {

class DocumentWriter;
class ReportProgress;
class Tproyecto;

// The outlet levels report. Every flat receives polarity 0 (shown as polarity 1) and the levels are
// recalculated; the outlet tables, the headend's output levels and the amplifiers' output levels are
// written; then every flat gets its own polarity back and the levels are recalculated again, also when
// the report is cancelled or fails. False when cancelled.
[[nodiscard]] bool EscribirNivelesTomas(Tproyecto& project, DocumentWriter& writer, ReportProgress& progress);

// The outlets as the report shows them (polarity 0 on every flat), the flats' polarities restored and
// the levels recalculated afterwards.
std::vector<TNodotoma> NivelesTomasPolaridadCero(Tproyecto& project);

} // namespace ixo
