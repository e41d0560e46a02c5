// Every text the companion windows show, in English and in Russian. The
// Russian texts are UTF-8 here and reach the windows through the wide API,
// so they read right whatever the system's 8-bit code page is.
#pragma once

#include <string>

namespace companion {

// The setup window's caption and its fixed labels.
std::string setupCaption(bool russian, const std::string &contestYear);
struct SetupLabels {
    const char *view;          // 145
    const char *mode;          // 143
    const char *countyTracker; // 135
    const char *onTop;         // 141
    const char *previousQso;   // 136
};
const SetupLabels &setupLabels(bool russian);

// Label 140 once the own county is known (the same in both languages).
constexpr const char *kYourCountyLabel = " Your YO County";
// Label 150: the own country code is known, or still to be typed.
const char *countryKnownLabel(bool russian);
const char *countryAskLabel(bool russian);

// The previous-QSO window's caption: as opened by its check box, as
// re-opened (or cleared) by the refresh, and naming the worked call.
enum class PreviousQsoCaption { Opened, Reopened, WorkedWith };
std::string previousQsoCaption(PreviousQsoCaption kind, bool russian,
                               const std::string &contestYear,
                               const std::string &call = std::string());

// The county tracker's caption: mode text, band text, counties worked.
std::string countyCaption(bool russian, const std::string &modeText,
                          const std::string &bandText, std::size_t worked);

}  // namespace companion
