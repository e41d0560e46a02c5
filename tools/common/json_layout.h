// The --json output of both programs: values are built as nlohmann JSON
// objects, which keep their members in the order given, and written in the
// programs' documented layout, which puts several members on one line:
// {"band": "80m", "qsos": 12, "points": 36}.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace tools {

using Json = nlohmann::ordered_json;

// Text as a JSON string literal, quotes included. Text in UTF-8 is kept as
// it is; 8-bit text in another code page is read as Latin-1 and written as
// escapes, so the document stays valid.
std::string jsonString(const std::string &text);

// A value on one line: {"a": 1, "b": [2, 3]}. Strings go through jsonString.
std::string inlineJson(const Json &value);

// An object's members on one line, without the braces: "a": 1, "b": 2.
std::string inlineMembers(const Json &object);

// A member of an object laid out one member a line, at indent blanks: an
// array that is not empty has one element a line, two blanks further in,
// and its closing bracket on a line of its own; any other value is inline.
std::string blockMember(const std::string &key, const Json &value, int indent);

// An object with one member a line, indented by two blanks, and a line end.
std::string blockObject(const Json &object);

}  // namespace tools
