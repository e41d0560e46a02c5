#include "contract/mode_class.h"

namespace contract {

namespace {

bool equalsIgnoreCase(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char folded = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        if (folded != upper[i]) return false;
    }
    return true;
}

}  // namespace

ModeClass modeClass(std::string_view mode) {
    if (equalsIgnoreCase(mode, "CW")) return kCw;
    if (equalsIgnoreCase(mode, "SSB")) return kSsb;
    for (const char *digital : {"BPSK31", "BPSK63", "BPSK125"})
        if (equalsIgnoreCase(mode, digital)) return kDigi;
    return kNoModeClass;
}

const char *modeClassName(ModeClass modeClass) {
    switch (modeClass) {
    case kCw: return "CW";
    case kSsb: return "SSB";
    case kDigi: return "DIGI";
    case kNoModeClass: break;
    }
    return nullptr;
}

}  // namespace contract
