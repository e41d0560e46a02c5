#include "tools/common/adif_reader.h"

#include "tools/common/text.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <unordered_set>

namespace tools {

const std::string *AdifRecord::find(const std::string &upperName) const {
    for (const auto &field : fields)
        if (field.first == upperName) return &field.second;
    return nullptr;
}

namespace {

bool isNameChar(char c) {
    return !isBlank(c) && c != ':' && c != '<' && c != '>' && c != ',' && c != '{' &&
           c != '}';
}

// One "<...>" tag, split into its parts.
struct Tag {
    std::string name;  // upper case
    bool hasLength = false;
    std::string length;
};

bool parseTag(const std::string &inside, Tag &tag) {
    const std::size_t colon = inside.find(':');
    const std::string name = inside.substr(0, colon);
    if (name.empty()) return false;
    for (char c : name)
        if (!isNameChar(c)) return false;
    tag.name = upper(name);
    tag.hasLength = colon != std::string::npos;
    if (tag.hasLength) {
        const std::size_t typeColon = inside.find(':', colon + 1);
        tag.length = inside.substr(colon + 1, typeColon == std::string::npos
                                                  ? std::string::npos
                                                  : typeColon - colon - 1);
        for (char c : inside.substr(colon + 1))
            if (c == '<') return false;
    }
    return true;
}

bool parseLength(const std::string &text, std::size_t &length) {
    if (!allDigits(text) || text.size() > 9) return false;
    length = static_cast<std::size_t>(std::stoul(text));
    return true;
}

// Markers that end a file whatever follows them.
bool isEndMarker(const std::string &upperName) {
    return upperName == "EOF" || upperName == "APP_LOTW_EOF";
}

// Adds a field unless the record has one of that name already. names holds
// the record's names: looking through its fields instead would make a record
// of many fields quadratic to read.
void addField(AdifRecord &record, std::unordered_set<std::string> &names, std::string name,
              std::string value) {
    if (names.insert(name).second) record.fields.emplace_back(std::move(name), std::move(value));
}

// Collects fields into records and reports the broken ones.
class RecordBuilder {
public:
    explicit RecordBuilder(AdifDocument &doc) : doc_(doc) {}

    void field(int line, std::string name, std::string value) {
        if (current_.fields.empty() && !broken_) current_.line = line;
        addField(current_, names_, std::move(name), std::move(value));
    }

    // Marks the current record broken; the first fault is the one reported.
    void fault(int line, const std::string &message) {
        if (current_.fields.empty() && !broken_) current_.line = line;
        if (!broken_) {
            broken_ = true;
            faultLine_ = line;
            faultMessage_ = message;
        }
    }

    bool pending() const { return !current_.fields.empty() || broken_; }

    void endRecord() {
        if (!pending()) return;
        current_.number = ++count_;
        if (broken_)
            doc_.problems.push_back({faultLine_, current_.number, faultMessage_});
        else
            doc_.records.push_back(current_);
        current_ = AdifRecord{};
        names_.clear();
        broken_ = false;
    }

    // The fields gathered so far were the header.
    void endHeader() {
        doc_.header = current_.fields;
        current_ = AdifRecord{};
        names_.clear();
        broken_ = false;
    }

    // End of input: a record still open was cut short, or, when no record
    // was ever ended, the file has no record ends at all.
    void finish(int line) {
        if (!pending()) return;
        if (!broken_) {
            if (count_ == 0)
                fault(current_.line, "no record end <EOR> found in the file; the first record "
                                     "starts here");
            else
                fault(line, "record not ended by <EOR> (the file may be truncated)");
        }
        endRecord();
    }

private:
    AdifDocument &doc_;
    AdifRecord current_;
    std::unordered_set<std::string> names_;  // of current_'s fields
    bool broken_ = false;
    int faultLine_ = 0;
    std::string faultMessage_;
    int count_ = 0;
};

}  // namespace

AdifDocument readAdif(const std::string &text) {
    AdifDocument doc;
    const LineIndex lines(text);
    RecordBuilder builder(doc);

    std::size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    // A log that does not start with a tag starts with a header, whose free
    // text may hold "<" that begins no tag.
    bool inHeader = pos < text.size() && text[pos] != '<';
    std::size_t lastEor = std::string::npos;
    for (std::size_t at = findIgnoreCase(text, "<EOR>"); at != std::string::npos;
         at = findIgnoreCase(text, "<EOR>", at + 1))
        lastEor = at;

    const std::size_t lastClose = text.rfind('>');

    while (pos < text.size()) {
        const std::size_t open = text.find('<', pos);
        if (open == std::string::npos) break;
        const int line = lines.lineAt(open);
        if (lastClose == std::string::npos || lastClose < open) {
            if (!inHeader || builder.pending())
                builder.fault(line, "tag cut off at the end of the file");
            pos = text.size();
            break;
        }
        // A "<" before the next ">" makes the tag malformed. Looking no
        // further than either keeps a long run of stray "<" linear: every
        // "<" of it would otherwise copy the rest of the run.
        const std::size_t close = text.find_first_of("<>", open + 1);
        Tag tag;
        if (text[close] == '<' || !parseTag(text.substr(open + 1, close - open - 1), tag)) {
            if (!inHeader) {
                // At most 40 characters, up to the next ">".
                const std::size_t gt = std::string_view(text).substr(open, 40).find('>', 1);
                const std::size_t shown = gt == std::string_view::npos ? 40 : gt + 1;
                builder.fault(line, "malformed tag \"" + text.substr(open, shown) + "\"");
            }
            pos = open + 1;
            continue;
        }
        if (!tag.hasLength) {
            // Log-book downloads and some loggers close the file with a
            // marker of their own; a bare tag after the last record does
            // the same. The end of the header is never the end of the file.
            if (isEndMarker(tag.name) ||
                (!inHeader && !builder.pending() && tag.name != "EOH" &&
                 (lastEor == std::string::npos || open > lastEor))) {
                pos = text.size();
                break;
            }
            if (tag.name == "EOH") {
                if (doc.records.empty() && doc.problems.empty()) builder.endHeader();
                inHeader = false;
            } else if (tag.name == "EOR") {
                builder.endRecord();
                inHeader = false;
            } else if (!inHeader) {
                builder.fault(line, "field " + tag.name + " has no length");
            }
            pos = close + 1;
            continue;
        }
        std::size_t length = 0;
        if (!parseLength(tag.length, length)) {
            builder.fault(line, "field " + tag.name + " has a bad length \"" + tag.length + "\"");
            pos = close + 1;
            continue;
        }
        if (length > text.size() - (close + 1)) {
            builder.fault(line, "field " + tag.name + ": length " + tag.length +
                                    " runs past the end of the file");
            pos = text.size();
            break;
        }
        builder.field(line, tag.name, text.substr(close + 1, length));
        pos = close + 1 + length;
    }
    builder.finish(lines.lineAt(text.empty() ? 0 : text.size() - 1));
    return doc;
}

namespace {

std::string decodeXml(const std::string &text, bool &ok) {
    std::string out;
    ok = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const std::size_t semi = text.find(';', i);
        if (semi == std::string::npos || semi - i > 10) {
            ok = false;
            return out;
        }
        const std::string entity = text.substr(i + 1, semi - i - 1);
        if (entity == "lt") out += '<';
        else if (entity == "gt") out += '>';
        else if (entity == "amp") out += '&';
        else if (entity == "quot") out += '"';
        else if (entity == "apos") out += '\'';
        else if (entity.size() > 1 && entity[0] == '#') {
            unsigned long code = 0;
            try {
                code = entity[1] == 'x' || entity[1] == 'X'
                           ? std::stoul(entity.substr(2), nullptr, 16)
                           : std::stoul(entity.substr(1), nullptr, 10);
            } catch (...) {
                ok = false;
                return out;
            }
            // Written as UTF-8, the encoding of XML.
            if (code < 0x80) {
                out += static_cast<char>(code);
            } else if (code < 0x800) {
                out += static_cast<char>(0xC0 | (code >> 6));
                out += static_cast<char>(0x80 | (code & 0x3F));
            } else if (code < 0x10000) {
                out += static_cast<char>(0xE0 | (code >> 12));
                out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                ok = false;
                return out;
            }
        } else {
            ok = false;
            return out;
        }
        i = semi;
    }
    return out;
}

// Position of needle in text[from, end), or npos. A record's elements are
// looked for in the record only: searching the rest of the file for what a
// broken record lacks would make a file of such records quadratic.
std::size_t findWithin(const std::string &text, const std::string &needle, std::size_t from,
                       std::size_t end, bool ignoreCase) {
    if (from >= end) return std::string::npos;
    const auto first = text.begin() + static_cast<std::ptrdiff_t>(from);
    const auto last = text.begin() + static_cast<std::ptrdiff_t>(end);
    const auto upperAscii = [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    };
    const auto found =
        ignoreCase ? std::search(first, last, needle.begin(), needle.end(),
                                 [&](char a, char b) { return upperAscii(a) == upperAscii(b); })
                   : std::search(first, last, needle.begin(), needle.end());
    return found == last ? std::string::npos : static_cast<std::size_t>(found - text.begin());
}

// Skips "<!-- ... -->" at pos; false when the comment does not end before
// end.
bool skipComment(const std::string &text, std::size_t &pos, std::size_t end) {
    const std::size_t close = findWithin(text, "-->", pos + 4, end, false);
    if (close == std::string::npos) return false;
    pos = close + 3;
    return true;
}

// The value of attribute name in an element's opening tag, or empty.
std::string attribute(const std::string &openTag, const std::string &name) {
    std::size_t at = findIgnoreCase(openTag, name + "=");
    while (at != std::string::npos && at > 0 && !isBlank(openTag[at - 1]))
        at = findIgnoreCase(openTag, name + "=", at + 1);
    if (at == std::string::npos) return std::string();
    std::size_t quote = at + name.size() + 1;
    if (quote >= openTag.size() || (openTag[quote] != '"' && openTag[quote] != '\''))
        return std::string();
    const std::size_t end = openTag.find(openTag[quote], quote + 1);
    if (end == std::string::npos) return std::string();
    return openTag.substr(quote + 1, end - quote - 1);
}

// Reads the field elements of one record's content; false with a message on
// the first malformed element.
bool readAdxFields(const std::string &text, std::size_t begin, std::size_t end,
                   const LineIndex &lines, AdifRecord &record, int &faultLine,
                   std::string &message) {
    std::unordered_set<std::string> names;
    std::size_t pos = begin;
    while (true) {
        while (pos < end && isBlank(text[pos])) ++pos;
        if (pos >= end) return true;
        faultLine = lines.lineAt(pos);
        if (text[pos] != '<') {
            message = "text outside a field element";
            return false;
        }
        if (text.compare(pos, 4, "<!--") == 0) {
            if (!skipComment(text, pos, end)) {
                message = "comment not closed";
                return false;
            }
            continue;
        }
        const std::size_t tagEnd = text.find('>', pos);
        if (tagEnd == std::string::npos || tagEnd >= end) {
            message = "element cut off";
            return false;
        }
        std::string openTag = text.substr(pos + 1, tagEnd - pos - 1);
        const bool selfClosing = !openTag.empty() && openTag.back() == '/';
        if (selfClosing) openTag.pop_back();
        std::size_t nameEnd = 0;
        while (nameEnd < openTag.size() && !isBlank(openTag[nameEnd])) ++nameEnd;
        const std::string element = openTag.substr(0, nameEnd);
        if (element.empty() || element[0] == '/') {
            message = "unexpected \"<" + openTag + ">\"";
            return false;
        }
        std::string value;
        if (selfClosing) {
            pos = tagEnd + 1;
        } else {
            const std::string closing = "</" + element;
            const std::size_t close = findWithin(text, closing, tagEnd + 1, end, true);
            if (close == std::string::npos) {
                message = "element " + element + " not closed";
                return false;
            }
            const std::size_t closeEnd = text.find('>', close);
            if (closeEnd == std::string::npos || closeEnd >= end) {
                message = "element " + element + " not closed";
                return false;
            }
            bool ok = true;
            value = decodeXml(text.substr(tagEnd + 1, close - tagEnd - 1), ok);
            if (!ok) {
                message = "element " + element + " holds a bad character reference";
                return false;
            }
            pos = closeEnd + 1;
        }
        std::string name = upper(element);
        // Application and user-defined fields carry their name in attributes.
        if (name == "APP")
            name = "APP_" + upper(attribute(openTag, "PROGRAMID")) + "_" +
                   upper(attribute(openTag, "FIELDNAME"));
        else if (name == "USERDEF")
            name = upper(attribute(openTag, "FIELDNAME"));
        addField(record, names, std::move(name), std::move(value));
    }
}

}  // namespace

AdifDocument readAdx(const std::string &text) {
    AdifDocument doc;
    const LineIndex lines(text);
    int count = 0;
    std::size_t pos = 0;
    while (true) {
        std::size_t open = findIgnoreCase(text, "<RECORD", pos);
        // "<RECORDS>" is the container, not a record.
        while (open != std::string::npos && open + 7 < text.size() &&
               text[open + 7] != '>' && !isBlank(text[open + 7]))
            open = findIgnoreCase(text, "<RECORD", open + 1);
        if (open == std::string::npos) break;
        const std::size_t contentBegin = text.find('>', open);
        AdifRecord record;
        record.number = ++count;
        record.line = lines.lineAt(open);
        if (contentBegin == std::string::npos) {
            doc.problems.push_back({record.line, record.number, "record cut off"});
            break;
        }
        const std::size_t close = findIgnoreCase(text, "</RECORD>", contentBegin);
        if (close == std::string::npos) {
            doc.problems.push_back({record.line, record.number,
                                    "record not closed (the file may be truncated)"});
            break;
        }
        int faultLine = record.line;
        std::string message;
        if (readAdxFields(text, contentBegin + 1, close, lines, record, faultLine, message))
            doc.records.push_back(std::move(record));
        else
            doc.problems.push_back({faultLine, record.number, message});
        pos = close + 9;
    }
    return doc;
}

}  // namespace tools
