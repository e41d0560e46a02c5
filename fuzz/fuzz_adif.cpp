// The ADIF reader (built as fuzz_adif) or the ADX reader (fuzz_adx) on any
// bytes. Besides the sanitizers' findings: every record read or left out is
// numbered once, in order, and points at a line of the text; field names are
// in upper case and appear once per record; ADIF records written out again
// read back the same.
#include "fuzz/fuzz_support.h"
#include "tools/common/adif_reader.h"
#include "tools/common/text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

int lineCount(const std::string &text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void checkLine(int line, int lines, const char *what) {
    if (line < 1 || line > lines)
        fuzz::fail(std::string(what) + " at line " + std::to_string(line) + " of " +
                   std::to_string(lines));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);
#ifdef FUZZ_READ_ADX
    const tools::AdifDocument doc = tools::readAdx(text);
#else
    const tools::AdifDocument doc = tools::readAdif(text);
#endif
    const int lines = lineCount(text);
    // Records and problems share one numbering from 1, without gaps.
    std::vector<int> numbers;
    for (const tools::AdifRecord &record : doc.records) {
        numbers.push_back(record.number);
        checkLine(record.line, lines, "record");
        for (const auto &field : record.fields) {
            fuzz::check(field.first == tools::upper(field.first),
                        "field name not in upper case");
            fuzz::check(record.find(field.first) == &field.second,
                        "a field name appears twice in one record");
        }
    }
    for (const tools::ReadProblem &problem : doc.problems) {
        numbers.push_back(problem.record);
        checkLine(problem.line, lines, "problem");
        fuzz::check(!problem.message.empty(), "problem without a message");
    }
    std::sort(numbers.begin(), numbers.end());
    for (std::size_t i = 0; i < numbers.size(); ++i)
        if (numbers[i] != static_cast<int>(i) + 1)
            fuzz::fail("record numbers are not 1.." + std::to_string(numbers.size()));
#ifndef FUZZ_READ_ADX
    // The records read, written out again as plain ADIF, read back the same.
    std::string written;
    for (const tools::AdifRecord &record : doc.records) {
        for (const auto &field : record.fields)
            written += "<" + field.first + ":" + std::to_string(field.second.size()) + ">" +
                       field.second + "\n";
        written += "<EOR>\n";
    }
    const tools::AdifDocument again = tools::readAdif(written);
    fuzz::check(again.problems.empty() && again.records.size() == doc.records.size(),
                "records written out again do not read back");
    for (std::size_t i = 0; i < doc.records.size(); ++i)
        fuzz::check(again.records[i].fields == doc.records[i].fields,
                    "a record written out again reads back otherwise");
#endif
    return 0;
}
