#pragma once

#include "editing/edit_refusal.h"

#include <cstdint>

namespace ixo {

class EditJournal;
class TComponenteBase;
class Tproyecto;
class Tvivienda;

// The catalogue's family of amplifiers for inside a flat, and the model a new one starts from.
constexpr std::int32_t kFlatAmplifierFamily = 39000;
constexpr std::int32_t kFlatAmplifierModel = 101;

// The flat an element of a flat's distribution stands in (an outlet, a splitter, the entry or an
// amplifier inside it), or null for an element of the building's network.
[[nodiscard]] Tvivienda* FlatOf(const TComponenteBase& element);

// An amplifier inside the flat, between its entry and what the entry feeds: a copy of catalogue model
// (family, element number), linked to the entry with the cable that fed the flat and onwards with the
// flat cable. False (with why) when the flat has an amplifier already, its entry feeds nothing or the
// family has no such amplifier. The flat keeps it when it is rebuilt.
[[nodiscard]] bool InsertFlatAmplifier(Tproyecto& project, Tvivienda& flat, std::int32_t number,
                                       std::int32_t family, EditJournal& journal, EditRefusal* why = nullptr);

// Takes the amplifier inside a flat out and joins the entry to what it fed with the cable that fed it.
// False (with why) when the element is not an amplifier inside a flat.
[[nodiscard]] bool RemoveFlatAmplifier(Tproyecto& project, TComponenteBase& amplifier, EditJournal& journal,
                                       EditRefusal* why = nullptr);

} // namespace ixo
