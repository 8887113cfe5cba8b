#pragma once

#include "editing/edit_refusal.h"

#include <cstdint>

namespace ixo {

class EditJournal;
class TComponenteBase;
class TMultiswitch;
class Tproyecto;

// Replaces old by a copy of model (family, number), with its partners, its connections and its power
// feeding. False (with why) when the model is the same, cannot be copied, is of another class (an
// element keeps its kind) or does not fit.
[[nodiscard]] bool ReplaceElement(Tproyecto& project, TComponenteBase& old, std::int32_t number,
                                  std::int32_t family, EditJournal& journal, EditRefusal* why = nullptr);

// The power check of replacing a cascadable multiswitch that powers the terrestrial line by one that
// does not: the line's consumption must stay below the supplier's current.
bool TerrestrialPowerOK(const TMultiswitch& old, const TMultiswitch& replacement);

} // namespace ixo
