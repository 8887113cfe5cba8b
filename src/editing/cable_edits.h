#pragma once

#include "editing/edit_refusal.h"

#include <cstdint>

namespace ixo {

class EditJournal;
class TPin;
class Tproyecto;

// Sets the length of a connection on the element's inputs (or a source's outputs) and its partners'.
void SetConnectionLength(TPin& pin, double metres, EditJournal& journal);

// Cable kind `kind` of the project's cable list takes catalogue cable `number`; the fitted connectors
// follow. False when the kind or the record does not exist.
[[nodiscard]] bool ChangeCableModel(Tproyecto& project, int kind, std::int32_t number, EditJournal& journal,
                                    EditRefusal* why = nullptr);

} // namespace ixo
