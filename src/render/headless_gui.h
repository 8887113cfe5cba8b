#pragma once

#include <memory>

class QGuiApplication;

namespace ixo {

// The Qt application that fonts and documents need, for programs without windows: when none exists
// one is made on the offscreen platform (unless QT_QPA_PLATFORM names another) and kept until the
// object goes, with Qt's warnings silenced (critical messages still reach standard error); when one
// exists nothing is done.
class HeadlessGui {
public:
    HeadlessGui();
    ~HeadlessGui();
    HeadlessGui(const HeadlessGui&) = delete;
    HeadlessGui& operator=(const HeadlessGui&) = delete;

private:
    std::unique_ptr<QGuiApplication> m_application;
};

} // namespace ixo
