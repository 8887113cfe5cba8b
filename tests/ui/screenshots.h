#pragma once

// Pictures of the windows the tests show, for a person to look at: written into the folder named by
// IXO_SCREENSHOTS when it is set (nothing otherwise).
class QWidget;

namespace ixo::test {

// Grabs the widget (shown offscreen) into <IXO_SCREENSHOTS>/<name>.png; true when written or not asked.
bool SaveScreenshot(QWidget& widget, const char* name);

} // namespace ixo::test
