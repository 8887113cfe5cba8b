#pragma once

// The dotted frame around a flat's devices, with the flat's name on its top edge.
#include "schematic/graphic_object.h"

namespace ixo {

class Tvivienda;

class TrectanguloPunteado : public TBaseGrafMS {
public:
    // Names the flat "FL" + its internal number when it has no name, and keeps that name on the flat.
    explicit TrectanguloPunteado(Tvivienda* flat);

    bool AlignRight = false; // the name at the right end of the top edge
    std::int32_t FrameHalfHeight = 0;
    std::int32_t FrameHalfWidth = 0;

    void ResetSize() override;
    void Draw(Canvas& canvas) override;
};

} // namespace ixo
