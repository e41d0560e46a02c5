// The initial lists of a dialog template: resource type 240 beside the
// template, records of (control id, message, length, text) that fill list
// and combo boxes when the dialog opens. Our .rc is UTF-8, so are the texts.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace framework {

struct DialogInitEntry {
    int controlId;
    unsigned message;  // as stored: 0x0401 list box, 0x0403 combo box
    std::string text;
};

// Reads the records of a DLGINIT resource. Stops at the terminating zero id,
// and at a record that would run past the end of the data (the records
// before it are kept).
std::vector<DialogInitEntry> ParseDialogInit(const unsigned char *data, std::size_t size);

// The entries of the list stored for template name in module; empty when
// there is none.
std::vector<DialogInitEntry> LoadDialogInit(HMODULE module, LPCWSTR name);

// Adds each entry's text to its list or combo box in dialog. Returns the
// number of texts added.
int ApplyDialogInit(HWND dialog, const std::vector<DialogInitEntry> &entries);

}  // namespace framework
