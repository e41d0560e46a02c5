#include "tools/common/band_mode.h"

#include "tools/common/text.h"

#include <limits>

namespace tools {
namespace {

struct BandEdge {
    const char *name;
    unsigned long long lowHz;
    unsigned long long highHz;
};

// The amateur bands with the edges ADIF gives them.
const BandEdge kBands[] = {
    {"2190m", 135700ULL, 137800ULL},
    {"630m", 472000ULL, 479000ULL},
    {"560m", 501000ULL, 504000ULL},
    {"160m", 1800000ULL, 2000000ULL},
    {"80m", 3500000ULL, 4000000ULL},
    {"60m", 5060000ULL, 5450000ULL},
    {"40m", 7000000ULL, 7300000ULL},
    {"30m", 10100000ULL, 10150000ULL},
    {"20m", 14000000ULL, 14350000ULL},
    {"17m", 18068000ULL, 18168000ULL},
    {"15m", 21000000ULL, 21450000ULL},
    {"12m", 24890000ULL, 24990000ULL},
    {"10m", 28000000ULL, 29700000ULL},
    {"8m", 40000000ULL, 45000000ULL},
    {"6m", 50000000ULL, 54000000ULL},
    {"5m", 54000001ULL, 69900000ULL},
    {"4m", 70000000ULL, 71000000ULL},
    {"2m", 144000000ULL, 148000000ULL},
    {"1.25m", 222000000ULL, 225000000ULL},
    {"70cm", 420000000ULL, 450000000ULL},
    {"33cm", 902000000ULL, 928000000ULL},
    {"23cm", 1240000000ULL, 1300000000ULL},
    {"13cm", 2300000000ULL, 2450000000ULL},
    {"9cm", 3300000000ULL, 3500000000ULL},
    {"6cm", 5650000000ULL, 5925000000ULL},
    {"3cm", 10000000000ULL, 10500000000ULL},
};

// Cabrillo's names of the bands from 50 MHz up.
struct CabrilloBand {
    const char *field;
    const char *band;
};
const CabrilloBand kCabrilloBands[] = {
    {"50", "6m"},     {"70", "4m"},     {"144", "2m"},    {"222", "1.25m"},
    {"432", "70cm"},  {"902", "33cm"},  {"1.2G", "23cm"}, {"2.3G", "13cm"},
    {"3.4G", "9cm"},  {"5.7G", "6cm"},  {"10G", "3cm"},
};

// A plain decimal number scaled by 10^decimals, the rest of the digits dropped.
std::optional<unsigned long long> decimalTimes(const std::string &text, int decimals) {
    const std::string t = trim(text);
    const std::size_t dot = t.find('.');
    const std::string whole = t.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? std::string() : t.substr(dot + 1);
    if (whole.empty() && fraction.empty()) return std::nullopt;
    if (!whole.empty() && !allDigits(whole)) return std::nullopt;
    if (!fraction.empty() && !allDigits(fraction)) return std::nullopt;
    if (whole.size() > 12) return std::nullopt;
    unsigned long long value = whole.empty() ? 0 : std::stoull(whole);
    for (int i = 0; i < decimals; ++i) {
        value *= 10;
        if (static_cast<std::size_t>(i) < fraction.size())
            value += static_cast<unsigned long long>(fraction[i] - '0');
    }
    return value;
}

}  // namespace

std::string contestBand(const std::string &band) {
    const std::string lowered = lower(trim(band));
    if (lowered == "80m" || lowered == "40m") return lowered;
    return band;
}

std::string bandOfFrequency(unsigned long long hz) {
    for (const BandEdge &edge : kBands)
        if (hz >= edge.lowHz && hz <= edge.highHz) return edge.name;
    return std::string();
}

std::optional<unsigned long long> megahertzToHz(const std::string &text) {
    return decimalTimes(text, 6);
}

std::optional<unsigned long long> kilohertzToHz(const std::string &text) {
    return decimalTimes(text, 3);
}

bool fitsHostFrequency(unsigned long long hz) {
    return hz <= std::numeric_limits<unsigned int>::max() &&
           hz <= 0xFFFFFFFFULL;
}

std::string contestModeFromAdif(const std::string &mode, const std::string &submode) {
    const std::string m = upper(trim(mode));
    const std::string s = upper(trim(submode));
    if (m == "SSB" || s == "USB" || s == "LSB") return "SSB";
    if (m == "CW") return "CW";
    const std::string psk = m == "PSK" ? s : m;
    if (psk == "PSK31" || psk == "BPSK31") return "BPSK31";
    if (psk == "PSK63" || psk == "BPSK63") return "BPSK63";
    if (psk == "PSK125" || psk == "BPSK125") return "BPSK125";
    return trim(submode).empty() ? trim(mode) : trim(submode);
}

std::string contestModeFromCabrillo(const std::string &mode) {
    const std::string m = upper(trim(mode));
    if (m == "CW") return "CW";
    if (m == "PH") return "SSB";
    if (m == "PK" || m == "DG") return "BPSK31";
    if (m == "RY") return "RTTY";
    return trim(mode);
}

std::optional<CabrilloFrequency> readCabrilloFrequency(const std::string &field) {
    const std::string f = trim(field);
    for (const CabrilloBand &b : kCabrilloBands)
        if (equalsIgnoreCase(f, b.field)) return CabrilloFrequency{b.band, 0};
    if (!f.empty() && (f.back() == 'm' || f.back() == 'M')) {
        const std::string band = contestBand(f);
        return CabrilloFrequency{band == f ? lower(f) : band, 0};
    }
    const std::optional<unsigned long long> hz = kilohertzToHz(f);
    if (!hz) return std::nullopt;
    return CabrilloFrequency{bandOfFrequency(*hz), *hz};
}

}  // namespace tools
