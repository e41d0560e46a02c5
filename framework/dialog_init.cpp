#include "framework/dialog_init.h"

#include "framework/text.h"

#include <cstdint>
#include <cstring>

namespace framework {
namespace {

constexpr unsigned kListAddString16 = 0x0401;
constexpr unsigned kComboAddString16 = 0x0403;
constexpr int kDialogInitType = 240;

std::uint16_t readWord(const unsigned char *p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t readDword(const unsigned char *p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::vector<DialogInitEntry> ParseDialogInit(const unsigned char *data, std::size_t size) {
    std::vector<DialogInitEntry> entries;
    if (data == nullptr) return entries;
    std::size_t at = 0;
    constexpr std::size_t kHeader = 2 + 2 + 4;
    while (size - at >= 2) {
        const std::uint16_t id = readWord(data + at);
        if (id == 0) break;
        if (size - at < kHeader) break;
        const std::uint16_t message = readWord(data + at + 2);
        const std::uint32_t length = readDword(data + at + 4);
        at += kHeader;
        if (length > size - at) break;
        const char *text = reinterpret_cast<const char *>(data + at);
        // The stored length counts the terminating zero; stop at the first.
        const void *zero = std::memchr(text, 0, length);
        const std::size_t textLength =
            zero != nullptr ? static_cast<std::size_t>(static_cast<const char *>(zero) - text)
                            : length;
        // Ids are stored as 16 bits: -1 (0xFFFF) stays -1.
        entries.push_back({static_cast<int>(static_cast<std::int16_t>(id)), message,
                           std::string(text, textLength)});
        at += length;
    }
    return entries;
}

std::vector<DialogInitEntry> LoadDialogInit(HMODULE module, LPCWSTR name) {
    HRSRC info = ::FindResourceW(module, name, MAKEINTRESOURCEW(kDialogInitType));
    if (info == nullptr) return {};
    const DWORD size = ::SizeofResource(module, info);
    HGLOBAL loaded = ::LoadResource(module, info);
    if (loaded == nullptr) return {};
    // Resources stay mapped with the module; nothing to free.
    const void *data = ::LockResource(loaded);
    return ParseDialogInit(static_cast<const unsigned char *>(data), size);
}

int ApplyDialogInit(HWND dialog, const std::vector<DialogInitEntry> &entries) {
    int added = 0;
    for (const DialogInitEntry &entry : entries) {
        UINT message;
        if (entry.message == kComboAddString16 || entry.message == CB_ADDSTRING) {
            message = CB_ADDSTRING;
        } else if (entry.message == kListAddString16 || entry.message == LB_ADDSTRING) {
            message = LB_ADDSTRING;
        } else {
            continue;  // kinds of entry we do not use
        }
        HWND control = ::GetDlgItem(dialog, entry.controlId);
        if (control == nullptr) continue;
        const std::wstring text = Widen(entry.text);
        const LRESULT index =
            ::SendMessageW(control, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0) ++added;
    }
    return added;
}

}  // namespace framework
