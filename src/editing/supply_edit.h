#pragma once

#include "editing/edit_refusal.h"

namespace ixo {

class EditJournal;
class TComponenteBase;
class Tproyecto;

// A supply of the preferences' model (DIS_FAMILIAFUENTE / DIS_MODELOFUENTE) feeding element, in
// element's container and list. False (with why) when the model is missing or element already has a
// feeder.
[[nodiscard]] bool AddSupply(Tproyecto& project, TComponenteBase& element, EditJournal& journal,
                             EditRefusal* why = nullptr);

} // namespace ixo
