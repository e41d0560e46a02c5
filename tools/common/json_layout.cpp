#include "tools/common/json_layout.h"

namespace tools {

namespace {

std::string latin1ToUtf8(const std::string &text) {
    std::string out;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

}  // namespace

std::string jsonString(const std::string &text) {
    try {
        return Json(text).dump(-1, ' ', false, Json::error_handler_t::strict);
    } catch (const Json::type_error &) {
        // Not UTF-8: every byte above 127 becomes a \u00XX escape.
        return Json(latin1ToUtf8(text)).dump(-1, ' ', true);
    }
}

std::string inlineJson(const Json &value) {
    if (value.is_object()) return "{" + inlineMembers(value) + "}";
    if (value.is_array()) {
        std::string out = "[";
        for (std::size_t i = 0; i < value.size(); ++i)
            out += (i == 0 ? "" : ", ") + inlineJson(value[i]);
        return out + "]";
    }
    if (value.is_string()) return jsonString(value.get_ref<const std::string &>());
    return value.dump();
}

std::string inlineMembers(const Json &object) {
    std::string out;
    for (auto it = object.begin(); it != object.end(); ++it)
        out += (it == object.begin() ? "" : ", ") + jsonString(it.key()) + ": " +
               inlineJson(it.value());
    return out;
}

std::string blockMember(const std::string &key, const Json &value, int indent) {
    std::string out = jsonString(key) + ": ";
    if (!value.is_array() || value.empty()) return out + inlineJson(value);
    const std::string inside(static_cast<std::size_t>(indent) + 2, ' ');
    out += "[";
    for (std::size_t i = 0; i < value.size(); ++i)
        out += (i == 0 ? "\n" : ",\n") + inside + inlineJson(value[i]);
    return out + "\n" + std::string(static_cast<std::size_t>(indent), ' ') + "]";
}

std::string blockObject(const Json &object) {
    std::string out = "{\n";
    for (auto it = object.begin(); it != object.end(); ++it)
        out += (it == object.begin() ? "  " : ",\n  ") + blockMember(it.key(), it.value(), 2);
    return out + "\n}\n";
}

}  // namespace tools
