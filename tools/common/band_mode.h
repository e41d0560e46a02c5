// Bands, modes and frequencies in the plug-in's terms: band names as in its
// band table ("80m", "40m"), the five mode names it knows, frequencies in Hz.
// Anything outside the contest passes through so that the plug-in itself
// refuses it (WRONG BAND, WRONG MODE).
#pragma once

#include <optional>
#include <string>

namespace tools {

// An ADIF band ("80M", "40m") in the plug-in's spelling; other bands are
// returned unchanged.
std::string contestBand(const std::string &band);

// The band a frequency in Hz lies in ("80m", "20m", "70cm"), or empty when
// it is in none of the amateur bands.
std::string bandOfFrequency(unsigned long long hz);

// A decimal number of MHz (ADIF FREQ) or kHz (Cabrillo) as Hz; digits beyond
// 1 Hz are dropped. Nothing for text that is not a plain decimal number.
std::optional<unsigned long long> megahertzToHz(const std::string &text);
std::optional<unsigned long long> kilohertzToHz(const std::string &text);

// The host passes the frequency as a 32-bit unsigned number of Hz.
bool fitsHostFrequency(unsigned long long hz);

// ADIF MODE and SUBMODE as the plug-in names them: SSB (also for submode
// USB or LSB), CW, BPSK31/BPSK63/BPSK125 (MODE=PSK with submode PSK31,
// PSK63 or PSK125, or the older bare PSK31, PSK63, PSK125). Other modes come
// back as logged: the submode when there is one, else the mode.
std::string contestModeFromAdif(const std::string &mode, const std::string &submode);

// Cabrillo modes: CW, PH (SSB), PK and DG (read as BPSK31: Cabrillo does not
// tell the PSK speed), RY (RTTY, not in this contest); others as written.
std::string contestModeFromCabrillo(const std::string &mode);

// A Cabrillo frequency field: kHz ("3512", "7012.5"), a VHF-and-up band in
// MHz ("50", "144", "1.2G"), or a band name ("80m"). Gives the band and the
// frequency in Hz (0 when only the band is known); nothing when unreadable.
struct CabrilloFrequency {
    std::string band;
    unsigned long long hz = 0;
};
std::optional<CabrilloFrequency> readCabrilloFrequency(const std::string &field);

}  // namespace tools
