#pragma once

#include <cstdint>

namespace ixo {

class EditJournal;
class Tproyecto;
class Tvivienda;

// Every flat takes topology t (0 star, 1 cascade) and n outlets, and is rebuilt.
bool ApplyToAllFlats(Tproyecto& project, std::int32_t outlets, std::int32_t topology, EditJournal& journal);

// One flat takes topology t and n outlets, and is rebuilt.
bool ApplyToFlat(Tproyecto& project, Tvivienda& flat, std::int32_t outlets, std::int32_t topology,
                 EditJournal& journal);

} // namespace ixo
