#pragma once

// The program's own cursors, drawn in code: the hand shown while the sheet can be dragged (Pan) and the
// target shown over a pin that a tool can pick.
#include <QCursor>

namespace ixo {

// A white glove with black outlines, the hot spot in the palm.
const QCursor& HandCursor();
// A ring with a cross through it, the hot spot in its centre.
const QCursor& TargetCursor();

} // namespace ixo
