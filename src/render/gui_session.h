#pragma once

namespace ixo {

// Makes sure a QGuiApplication exists (fonts and painting need one). Without a display (no DISPLAY or
// WAYLAND_DISPLAY and no QT_QPA_PLATFORM chosen) it runs on Qt's offscreen platform. The application
// lives until the program ends. Does nothing when the program already has one.
void EnsureGuiApplication();

} // namespace ixo
