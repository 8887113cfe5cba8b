#pragma once

#include "editing/edit_refusal.h"

#include <cstdint>

namespace ixo {

class EditJournal;
class TAmpliBase;
class TComponenteBase;
class TMultiswitch;
class TPin;
class Tproyecto;
class Tvivienda;

[[nodiscard]] bool RemoveLineAmplifier(Tproyecto& project, TComponenteBase& amplifier, EditJournal& journal,
                                       EditRefusal* why = nullptr);
[[nodiscard]] bool RemoveHeadendAmplifier(Tproyecto& project, TComponenteBase& amplifier,
                                          EditJournal& journal, EditRefusal* why = nullptr);
// The headend amplifiers feeding the multiswitch are removed; false (with why) when none feeds it or
// none can be removed.
[[nodiscard]] bool RemoveHeadendAmplifiersOf(Tproyecto& project, TMultiswitch& multiswitch,
                                             EditJournal& journal, EditRefusal* why = nullptr);

} // namespace ixo
