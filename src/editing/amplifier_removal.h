#pragma once

#include "editing/edit_refusal.h"

namespace ixo {

class EditJournal;
class TComponenteBase;
class TMultiswitch;
class Tproyecto;

[[nodiscard]] bool RemoveLineAmplifier(Tproyecto& project, TComponenteBase& amplifier, EditJournal& journal,
                                       EditRefusal* why = nullptr);
[[nodiscard]] bool RemoveHeadendAmplifier(Tproyecto& project, TComponenteBase& amplifier,
                                          EditJournal& journal, EditRefusal* why = nullptr);
// The headend amplifiers feeding the multiswitch are removed; false (with why) when none feeds it or
// none can be removed.
[[nodiscard]] bool RemoveHeadendAmplifiersOf(Tproyecto& project, TMultiswitch& multiswitch,
                                             EditJournal& journal, EditRefusal* why = nullptr);

} // namespace ixo
