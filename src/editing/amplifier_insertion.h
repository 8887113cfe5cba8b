#pragma once

#include "editing/edit_refusal.h"

#include <cstdint>

namespace ixo {

class EditJournal;
class TComponenteBase;
class Tproyecto;

// A line amplifier (amplifier table, element number) in front of element and of its partners. The
// element is on a floor, the model a riser amplifier whose lines take every connected input of the
// element and its partners; false (with why) otherwise.
[[nodiscard]] bool InsertLineAmplifier(Tproyecto& project, TComponenteBase& element, std::int32_t number,
                                       EditJournal& journal, EditRefusal* why = nullptr);

// Headend amplifiers for the dishes feeding a multiswitch, or for the dish feeding a splitter. With
// onHeadendFloor the dishes are those of the project's headend floor, else of the element's floor.
// False (with why) when the family lacks the model, no dish is bare, or the amplifiers' lines cannot take
// every connection they would carry.
[[nodiscard]] bool InsertHeadendAmplifiers(Tproyecto& project, TComponenteBase& element, std::int32_t number,
                                           std::int32_t family, bool onHeadendFloor, EditJournal& journal,
                                           EditRefusal* why = nullptr);

} // namespace ixo
