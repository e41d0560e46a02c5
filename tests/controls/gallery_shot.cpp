// Opens the control gallery and saves a picture of it, frame included:
//   controls_gallery OUTPUT.png
#include "framework/win_app.h"
#include "tests/controls/gallery.h"
#include "tests/gui/rig/gui_probe.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: controls_gallery OUTPUT.png\n");
        return 2;
    }
    framework::SetResourceModule(::GetModuleHandleW(nullptr));
    controls_test::Gallery gallery;
    if (!gallery.Open()) {
        std::fprintf(stderr, "controls_gallery: the gallery did not open\n");
        return 1;
    }
    gui_test::waitUntil([] { return false; }, 300);
    if (!gui_test::saveWindowPng(gallery, argv[1])) {
        std::fprintf(stderr, "controls_gallery: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
