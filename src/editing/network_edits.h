#pragma once

#include <cstdint>
#include <string>

namespace ixo {

class EditJournal;
class TAmpliBase;
class TComponenteBase;
class TMultiswitch;
class TPin;
class Tproyecto;
class Tvivienda;

// The editing operations on a built network. Each records every change in the journal it is given,
// and either completes (true) or changes nothing (false; what it began is rolled back). They change
// only the model: the caller recalculates the levels and checks the outlets afterwards.
//
// Elements are made as copies of catalogue models (family, element number) of the project's store,
// owned by the same component as the element they stand beside (the project's network or a flat's
// container) and listed in that element's container (floor or flat).

// Why an operation was refused, for the user.
struct EditRefusal {
    std::string reason;
};

// Replaces old by a copy of model (family, number), with its partners, its connections and its power
// feeding. False (with why) when the model is the same, cannot be copied, is of another class (an
// element keeps its kind) or does not fit.
[[nodiscard]] bool ReplaceElement(Tproyecto& project, TComponenteBase& old, std::int32_t number,
                                  std::int32_t family, EditJournal& journal, EditRefusal* why = nullptr);

// Sets the length of a connection on the element's inputs (or a source's outputs) and its partners'.
void SetConnectionLength(TPin& pin, double metres, EditJournal& journal);

// Every flat takes topology t (0 star, 1 cascade) and n outlets, and is rebuilt.
bool ApplyToAllFlats(Tproyecto& project, std::int32_t outlets, std::int32_t topology, EditJournal& journal);

// One flat takes topology t and n outlets, and is rebuilt.
bool ApplyToFlat(Tproyecto& project, Tvivienda& flat, std::int32_t outlets, std::int32_t topology,
                 EditJournal& journal);

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

[[nodiscard]] bool RemoveLineAmplifier(Tproyecto& project, TComponenteBase& amplifier, EditJournal& journal,
                                       EditRefusal* why = nullptr);
[[nodiscard]] bool RemoveHeadendAmplifier(Tproyecto& project, TComponenteBase& amplifier,
                                          EditJournal& journal, EditRefusal* why = nullptr);
// The headend amplifiers feeding the multiswitch are removed; false (with why) when none feeds it or
// none can be removed.
[[nodiscard]] bool RemoveHeadendAmplifiersOf(Tproyecto& project, TMultiswitch& multiswitch,
                                             EditJournal& journal, EditRefusal* why = nullptr);

// Cable kind `kind` of the project's cable list takes catalogue cable `number`; the fitted connectors
// follow. False when the kind or the record does not exist.
[[nodiscard]] bool ChangeCableModel(Tproyecto& project, int kind, std::int32_t number, EditJournal& journal,
                                    EditRefusal* why = nullptr);

// A supply of the preferences' model (DIS_FAMILIAFUENTE / DIS_MODELOFUENTE) feeding element, in
// element's container and list. False (with why) when the model is missing or element already has a
// feeder.
[[nodiscard]] bool AddSupply(Tproyecto& project, TComponenteBase& element, EditJournal& journal,
                             EditRefusal* why = nullptr);

// The power check of replacing a cascadable multiswitch that powers the terrestrial line by one that
// does not: the line's consumption must stay below the supplier's current.
bool TerrestrialPowerOK(const TMultiswitch& old, const TMultiswitch& replacement);

} // namespace ixo
