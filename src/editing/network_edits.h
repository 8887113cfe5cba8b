#pragma once

// The editing operations on a built network, one file pair per kind of edit.
//
// Each records every change in the journal it is given,
// and either completes (true) or changes nothing (false; what it began is rolled back). They change
// only the model: the caller recalculates the levels and checks the outlets afterwards.
//
// Elements are made as copies of catalogue models (family, element number) of the project's store,
// owned by the same component as the element they stand beside (the project's network or a flat's
// container) and listed in that element's container (floor or flat).

#include "editing/amplifier_insertion.h"
#include "editing/amplifier_removal.h"
#include "editing/cable_edits.h"
#include "editing/edit_refusal.h"
#include "editing/element_replace.h"
#include "editing/flat_amplifier.h"
#include "editing/flat_edits.h"
#include "editing/supply_edit.h"
