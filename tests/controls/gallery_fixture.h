// Tests that open the gallery: each gets a fresh one, shown and painted.
#pragma once

#include "framework/win_app.h"
#include "tests/controls/gallery.h"
#include "tests/controls/pixels.h"
#include "tests/gui/rig/gui_probe.h"

#include <gtest/gtest.h>

namespace controls_test {

class GalleryTest : public ::testing::Test {
protected:
    void SetUp() override {
        framework::SetResourceModule(::GetModuleHandleW(nullptr));
        ASSERT_TRUE(gallery.Open());
        gui_test::pumpMessages();
    }

    // The control repainted now (through Redraw, which paints before it
    // returns) and read back at once.
    static gui_test::Image repainted(controls::CAdvancedComponent &component, HWND window) {
        component.Redraw();
        return readClient(window);
    }
    static gui_test::Image repainted(controls::CAdvancedButton &button) {
        return repainted(button, button);
    }

    Gallery gallery;
};

}  // namespace controls_test
