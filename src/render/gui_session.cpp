#include "render/gui_session.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace ixo {

void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    const bool display = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!display && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    static int argc = 1;
    static char name[] = "ixo";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace ixo
