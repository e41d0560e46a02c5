// Opens each dialog template of the plug-in's DLL, as the user sees it when
// it opens, and saves a picture of the whole window (frame included).
//
//   template_shots OUTPUT_FOLDER
//
// writes OUTPUT_FOLDER\template-<id>.bmp, captured with BitBlt from the
// window DC, and the same picture as template-<id>.check.png through the
// rig's own PNG writer, so the two can be compared.
#include "framework/dialog.h"
#include "framework/win_app.h"
#include "resources/resource.h"
#include "tests/gui/rig/gui_probe.h"
#include "tests/gui/rig/plugin_session.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: template_shots OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    gui_test::PluginSession session;
    if (!session.loaded()) {
        std::fprintf(stderr, "template_shots: %s\n", session.error().c_str());
        return 1;
    }
    framework::SetResourceModule(session.module());
    {
        // The process's very first window does not become the active one
        // under Wine without a window manager; open one to spend that on.
        framework::CDialog first(IDD_COUNTY);
        if (first.Create()) {
            first.ShowWindow(SW_SHOW);
            gui_test::waitUntil([] { return false; }, 200);
        }
    }
    int failures = 0;
    for (int id : {IDD_STATION_DETAILS, IDD_SETUP, IDD_PREVIOUS_QSO, IDD_COUNTY}) {
        framework::CDialog dialog(id);
        if (!dialog.Create()) {
            std::fprintf(stderr, "template_shots: template %d does not open\n", id);
            ++failures;
            continue;
        }
        // Clear of the screen's edge, in front, active like a freshly
        // opened window.
        dialog.SetWindowPos(HWND_TOP, 16, 16, 0, 0, SWP_NOSIZE);
        dialog.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(dialog);
        ::SetActiveWindow(dialog);
        gui_test::waitUntil([] { return false; }, 300);
        const gui_test::Image image = gui_test::captureWindow(dialog);
        const std::string base = folder + "\\template-" + std::to_string(id);
        if (!gui_test::saveBmp(image, base + ".bmp") ||
            !gui_test::savePng(image, base + ".check.png")) {
            std::fprintf(stderr, "template_shots: cannot write %s\n", base.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
