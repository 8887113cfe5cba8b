#include "schematic/flat_frame.h"

#include "building/vivienda.h"

#include <algorithm>

namespace ixo {

TrectanguloPunteado::TrectanguloPunteado(Tvivienda* flat) : TBaseGrafMS(flat) {
    if (flat != nullptr) {
        if (flat->NombreViv.empty()) {
            flat->NombreViv = "FL" + std::to_string(flat->Numero_Interno());
        }
        Caption = Hint = flat->NombreViv;
    }
}

void TrectanguloPunteado::ResetSize() {
    SetHalfHeight(FrameHalfHeight);
    SetHalfWidth(FrameHalfWidth);
}

void TrectanguloPunteado::Draw(Canvas& canvas) {
    canvas.SetPen({kBlack, 1, PenStyle::Dot});
    canvas.SetBrush({kWhite, BrushStyle::Clear});
    canvas.Rectangle({X() - HalfWidth(), Y() - HalfHeight(), X() + HalfWidth(), Y() + HalfHeight()});
    canvas.SetPen({kBlack, 1, PenStyle::Solid});
    Font font;
    font.height = std::max(1, Scaled(FontSize));
    font.colour = kBlack;
    canvas.SetFont(font);
    const TextSize size = canvas.TextExtent(Caption);
    const std::int32_t top = Y() - HalfHeight() + size.height / 2;
    const std::int32_t left =
        AlignRight ? X() + HalfWidth() - Scaled(10) - size.width : X() - HalfWidth() + Scaled(10);
    canvas.Text(left, top, Caption);
}

} // namespace ixo
