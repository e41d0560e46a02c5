#include "engine/operations.h"

#include "engine/contest_rules.h"

namespace engine {
namespace {

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool isAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

}  // namespace

int checkCall(EngineState &state, const CheckCallArgs &args, CompanionUi &ui) {
    if (ui.isRunning() && state.refreshPending) {
        state.refreshPending = false;
        ui.postRefresh();
    }
    const int refused =
        (state.hostVersion == "2.19" || state.hostVersion == "2.20") ? 1 : 4;
    if (args.band && args.secondBand && !equalsIgnoreCase(*args.band, *args.secondBand))
        return refused;
    static const std::string kNoBand;
    const std::string &band = args.band ? *args.band : kNoBand;
    if (!bandRules().contains(band)) return refused;
    if (!modeRules().contains(args.mode)) return refused;
    return state.store.countMatching(args.call, band, args.mode) > 0 ? 0 : 2;
}

int isValidExchange(EngineState &state, const std::string &field, int index) {
    if (field == "599") return 0;
    const std::size_t n = field.size();
    if (index == 0) {
        if (n == 5) {
            for (char c : field)
                if (!isAscii(c)) return 0;
            if (isAsciiDigit(field[0]) && isAsciiDigit(field[1]) &&
                isAsciiDigit(field[2]) && isAsciiLetter(field[3]) &&
                isAsciiLetter(field[4])) {
                state.secondFieldLock = true;
                return 1;
            }
            return 0;
        }
        if (n == 3) {
            if (isAsciiDigit(field[0]) && isAsciiDigit(field[1]) &&
                isAsciiDigit(field[2])) {
                // A plain number means the code follows in its own field.
                state.secondFieldLock = false;
                return 1;
            }
            return 0;
        }
        return 0;
    }
    if (index == 1) {
        if (state.secondFieldLock) return 0;
        if (n == 2 && isCapital(field[0]) && isCapital(field[1])) {
            state.secondFieldLock = false;
            return 1;
        }
        return 0;
    }
    return 0;
}

}  // namespace engine
