// Pictures of the live companion windows for the README: the plug-in loaded
// by a stand-in host with its automation object, a short log, the operator
// typing a worked call on 40 m CW, and the three windows captured after the
// refresh, once for an English and once for a Russian-speaking operator.
//
//   companion_shots OUTPUT_FOLDER
//
// writes OUTPUT_FOLDER\<window>-<en|ru>.png.
#include "tests/gui/rig/fake_vexa.h"
#include "tests/gui/rig/gui_probe.h"
#include "tests/gui/rig/plugin_session.h"

#include <cstdio>
#include <string>

namespace {

using gui_test::waitUntil;

bool shoot(const std::string &ownPrefix, const std::string &language, const std::string &folder,
           const std::string &setupCaption) {
    gui_test::ComApartment com;
    gui_test::FakeVexa vexa;
    gui_test::PluginSession session;
    if (!com.ok() || !vexa.registered() || !session.loaded()) {
        std::fprintf(stderr, "companion_shots: no host (%s) or no plug-in (%s)\n",
                     vexa.error().c_str(), session.error().c_str());
        return false;
    }
    const std::string ini = session.folder() + "\\Plugins\\Morvantia.ini";
    const std::pair<const char *, const char *> settings[] = {
        {"setup_x", "16"},  {"setup_y", "16"},  {"prev_x", "400"},
        {"prev_y", "16"},   {"yo_x", "400"},    {"yo_y", "240"},
        {"setup_view_prev_qso", "1"}, {"County", "1"}, {"My_County", "BU"},
        {"My_Country", "UA"},
    };
    for (const auto &[key, value] : settings)
        ::WritePrivateProfileStringA("Settings", key, value, ini.c_str());

    host::PluginHost &plugin = session.plain();
    vexa.setFrequency(7012500);
    vexa.setMode("CW");
    plugin.reset(session.folder() + "\\", 0, "YO3AAA", host::makeDateTime(2017, 2, 5, 12, 0),
                 host::makeDateTime(2017, 2, 5, 16, 0), ownPrefix);
    for (const host::Qso &q :
         {gui_test::contestQso("YO9ZZ", 10, 5, "40m", "CW", "002 CT"),
          gui_test::contestQso("YO9ZZ", 10, 30, "40m", "BPSK63", "017 CT"),
          gui_test::contestQso("YO9ZZ", 10, 41, "80m", "SSB", "023 CT"),
          gui_test::contestQso("YO8AA", 10, 7, "40m", "CW", "005 IS"),
          gui_test::contestQso("YO2BB", 10, 9, "40m", "CW", "006 TM"),
          gui_test::contestQso("YO4CC", 10, 12, "40m", "CW", "007 XA"),
          gui_test::contestQso("DL1AA", 10, 14, "40m", "CW", "008 DL", "DL")})
        plugin.add(q);
    int score = 0;
    plugin.result(score);

    HWND setup = gui_test::waitForWindow(setupCaption);
    if (setup == nullptr) {
        std::fprintf(stderr, "companion_shots: no setup window\n");
        return false;
    }
    vexa.setEntryCall("YO9ZZ");
    const int before = vexa.calls(gui_test::kVexaGetField);
    waitUntil([&] {
        plugin.checkCall("YO9ZZ", "CW", std::string("40m"), std::string("40m"));
        return vexa.calls(gui_test::kVexaGetField) > before;
    });
    waitUntil([] { return false; }, 600);

    bool ok = true;
    for (HWND window : gui_test::processWindows(true)) {
        const std::string caption = gui_test::textOf(window);
        std::string name;
        if (window == setup) {
            name = "setup";
        } else if (caption.rfind("Morvantia-", 0) == 0) {
            name = "previous-qso";
        } else if (caption.rfind("YO ", 0) == 0) {
            name = "county-tracker";
        } else {
            continue;
        }
        const std::string path = folder + "\\" + name + "-" + language + ".png";
        // The windows belong to the plug-in's UI thread: let it repaint
        // them in its own time before the picture is taken.
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        waitUntil([] { return false; }, 400);
        if (!gui_test::savePng(gui_test::captureWindowAsShown(window), path)) {
            std::fprintf(stderr, "companion_shots: cannot write %s\n", path.c_str());
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: companion_shots OUTPUT_FOLDER\n");
        return 2;
    }
    const bool english = shoot("YO", "en", argv[1], "Setup Morvantia-2017");
    const bool russian = shoot("UA", "ru", argv[1], "Установки Morvantia-2017");
    return english && russian ? 0 : 1;
}
