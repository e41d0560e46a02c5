#include "framework/text.h"
#include "platform/profile.h"
#include "resources/resource.h"
#include "tests/gui/rig/gui_probe.h"
#include "tests/gui/rig/host_call.h"
#include "tests/gui/rig/plugin_session.h"
#include "tests/support/cabrillo_check.h"
#include "tests/support/work_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace gui_test {
namespace {

const char *const kIni = "Plugins\\Morvantia.ini";

std::string ini(const char *key) {
    return platform::readProfileString("Settings", key, "", kIni);
}

void setText(HWND dialog, int id, const std::string &utf8) {
    ::SetDlgItemTextW(dialog, id, framework::Widen(utf8).c_str());
}

host::Qso qso() {
    host::Qso q;
    q.ownCall = "YO3AAA/P";
    q.call = "YO9ZZ";
    q.time = host::makeDateTime(2017, 2, 5, 14, 5);
    q.frequencyHz = 3512000;
    q.mode = "CW";
    q.exchSent = "001";
    q.exchReceived = "002AB";
    q.countryPrefix = "YO";
    q.band = "80m";
    return q;
}

int resetWithExport(PluginSession &session) {
    return session.plain().reset(session.folder() + "\\", 1, "YO3AAA/P",
                                 host::makeDateTime(2017, 2, 5, 12, 0),
                                 host::makeDateTime(2017, 2, 5, 20, 0), "YO");
}

TEST(StationDetailsDialog, ShowsTheIniValuesAndStoresWhatIsConfirmed) {
    PluginSession session;
    ASSERT_TRUE(session.loaded()) << session.error();
    platform::writeProfileString("Settings", "Name", "Ion Pop", kIni);
    platform::writeProfileString("Settings", "SoapBox", "first<CR><LF>second", kIni);
    platform::writeProfileString("Settings", "Claimed", "1234", kIni);

    int resetResult = 0;
    HostCall reset([&] { resetResult = resetWithExport(session); });
    HWND dialog = waitForWindow("MORVANTIA");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(reset.done());  // modal: the reset waits for the operator

    EXPECT_EQ(controlText(dialog, IDC_CAB_CONTEST), "MORVANTIA");
    EXPECT_EQ(controlText(dialog, IDC_CAB_CALLSIGN), "YO3AAA/P");
    EXPECT_EQ(controlText(dialog, IDC_CAB_CLAIMED), "1234");
    EXPECT_EQ(controlText(dialog, IDC_CAB_NAME), "Ion Pop");
    EXPECT_EQ(controlText(dialog, IDC_CAB_OPERATORS), "YO3AAA/P");
    EXPECT_EQ(controlText(dialog, IDC_CAB_SOAPBOX), "first\r\nsecond");
    EXPECT_EQ(controlText(dialog, IDC_CAB_CATEGORY_OPERATOR), "SINGLE-OP");
    EXPECT_EQ(controlText(dialog, IDC_CAB_CATEGORY_ASSISTED), "NON-ASSISTED");
    EXPECT_EQ(controlText(dialog, IDC_CAB_CATEGORY_BAND), "ALL");
    EXPECT_EQ(controlText(dialog, IDC_CAB_CATEGORY_MODE), "MIXED");
    EXPECT_EQ(controlText(dialog, IDC_CAB_CATEGORY_POWER), "HIGH");
    EXPECT_EQ(controlText(dialog, IDC_CAB_LOCATION), "DX");
    EXPECT_EQ(listEntries(::GetDlgItem(dialog, IDC_CAB_CATEGORY_POWER)),
              (std::vector<std::string>{"HIGH", "LOW", "QRP"}));

    setText(dialog, IDC_CAB_CLUB, "Radio Club Carpati");
    setText(dialog, IDC_CAB_SOAPBOX, "one\r\ntwo\r\nthree");
    setText(dialog, IDC_CAB_CATEGORY_POWER, "LOW");
    setText(dialog, IDC_CAB_CATEGORY_TRANSMITTER, "ONE");
    setText(dialog, IDC_CAB_ADDRESS_CITY, "Timisoara");
    setText(dialog, IDC_CAB_EMAIL, "yo3aaa@example.org");
    if (const char *folder = std::getenv("MORVANTIA_SCREENSHOT_DIR"))
        saveWindowPng(dialog, std::string(folder) + "\\station_details_filled.png");
    ASSERT_TRUE(clickControl(dialog, IDOK));
    ASSERT_TRUE(reset.waitDone());
    EXPECT_EQ(resetResult, 1);

    EXPECT_EQ(ini("SoapBox"), "one<CR><LF>two<CR><LF>three");
    EXPECT_EQ(ini("Club"), "Radio Club Carpati");
    EXPECT_EQ(ini("Category_Power"), "LOW");
    EXPECT_EQ(ini("Category_Transmitter"), "ONE");
    EXPECT_EQ(ini("Category"), "SINGLE-OP");
    EXPECT_EQ(ini("Contest"), "MORVANTIA");
    EXPECT_EQ(ini("Claimed"), "1234");  // shown, never written back
    // New keys come in the order the station details are stored (keys that
    // were there before keep their place).
    const std::string file = testing_support::readFile(kIni);
    std::size_t last = 0;
    for (const char *key : {"Operators=", "Address=", "Address_City=", "Address_Province=",
                            "Address_PostalCode=", "Address_Country=", "Category=",
                            "Category_Assisted=", "Category_Band=", "Category_Power=",
                            "Category_Station=", "Category_Transmitter=",
                            "Category_Overlay=", "Contest=", "Email=", "Club="}) {
        const std::size_t at = file.find(std::string("\r\n") + key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, last) << key;
        last = at;
    }

    ASSERT_EQ(session.plain().add(qso()), 1);
    int score = 0;
    std::string summary;
    HostCall result([&] { summary = session.plain().result(score); });
    HWND box = waitForMessageBox();
    ASSERT_NE(box, nullptr);
    const MessageBoxInfo info = readMessageBox(box);
    EXPECT_EQ(info.caption, "Output");
    EXPECT_EQ(info.text, "File produced: YO3AAA_P.cbr");
    EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
    ASSERT_TRUE(closeMessageBox(box));
    ASSERT_TRUE(result.waitDone());
    EXPECT_EQ(score, -1);
    EXPECT_NE(summary.find("Score:\t 2*(0+1)=2\r\n"), std::string::npos) << summary;

    const std::string log = testing_support::readFile("YO3AAA_P.cbr");
    EXPECT_EQ(testing_support::cabrilloProblems(log), std::vector<std::string>{});
    EXPECT_NE(log.find("\r\nCATEGORY-POWER: LOW\r\n"), std::string::npos);
    EXPECT_NE(log.find("\r\nCLUB: Radio Club Carpati\r\n"), std::string::npos);
    EXPECT_NE(log.find("\r\nSOAPBOX: one\r\nSOAPBOX: two\r\nSOAPBOX: three\r\nQSO:  3512 CW "),
              std::string::npos)
        << log;
}

TEST(StationDetailsDialog, CancelWritesNothingButTheLogIsStillWritten) {
    PluginSession session;
    ASSERT_TRUE(session.loaded()) << session.error();
    platform::writeProfileString("Settings", "SoapBox", "a<CR><LF>b", kIni);

    HostCall reset([&] { resetWithExport(session); });
    HWND dialog = waitForWindow("MORVANTIA");
    ASSERT_NE(dialog, nullptr);
    setText(dialog, IDC_CAB_NAME, "typed, then cancelled");
    ASSERT_TRUE(clickControl(dialog, IDCANCEL));
    ASSERT_TRUE(reset.waitDone());
    EXPECT_EQ(ini("Name"), "");
    EXPECT_EQ(ini("Contest"), "");
    EXPECT_EQ(ini("SoapBox"), "a<CR><LF>b");

    ASSERT_EQ(session.plain().add(qso()), 1);
    int score = 0;
    HostCall result([&] { session.plain().result(score); });
    HWND box = waitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text, "File produced: YO3AAA_P.cbr");
    ASSERT_TRUE(closeMessageBox(box));
    ASSERT_TRUE(result.waitDone());
    EXPECT_EQ(score, -1);
    const std::string log = testing_support::readFile("YO3AAA_P.cbr");
    EXPECT_EQ(log.find("typed, then cancelled"), std::string::npos);
    EXPECT_NE(log.find("\r\nSOAPBOX: a\r\nSOAPBOX: b\r\n"), std::string::npos) << log;
    EXPECT_EQ(testing_support::cabrilloProblems(log), std::vector<std::string>{});
}

TEST(StationDetailsDialog, AnUnwritableLogIsReportedAndKeepsTheScore) {
    PluginSession session;
    ASSERT_TRUE(session.loaded()) << session.error();
    ::CreateDirectoryA("YO3AAA_P.cbr", nullptr);

    HostCall reset([&] { resetWithExport(session); });
    HWND dialog = waitForWindow("MORVANTIA");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(clickControl(dialog, IDOK));
    ASSERT_TRUE(reset.waitDone());

    ASSERT_EQ(session.plain().add(qso()), 1);
    int score = 0;
    HostCall result([&] { session.plain().result(score); });
    HWND box = waitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text, "File could not be written: YO3AAA_P.cbr");
    ASSERT_TRUE(closeMessageBox(box));
    ASSERT_TRUE(result.waitDone());
    EXPECT_EQ(score, 2);
}

}  // namespace
}  // namespace gui_test
