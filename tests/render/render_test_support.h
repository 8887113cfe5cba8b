#pragma once

// The render tests paint with Qt on its offscreen platform: one QGuiApplication for the whole program.
#include "render/gui_session.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace ixo::test {

class OffscreenGui : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        EnsureGuiApplication();
    }
};

} // namespace ixo::test
