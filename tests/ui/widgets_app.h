#pragma once

// One QApplication for the window tests, on Qt's offscreen platform, with its remembered settings in a
// folder of its own.
namespace ixo::test {

void EnsureWidgetsApplication();

} // namespace ixo::test
