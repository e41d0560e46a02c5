// The country-file reader on any bytes, then look-ups of a few calls in what
// it read. The calls come from the end of the input, the file is the rest.
// Besides the sanitizers' findings: a refused file says why, an accepted one
// has entities, and look-ups answer with a prefix in upper case.
#include "fuzz/fuzz_support.h"
#include "tools/common/country_prefix.h"
#include "tools/common/text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<std::string> calls;
    const int count = in.ConsumeIntegralInRange<int>(0, 4);
    for (int i = 0; i < count; ++i) calls.push_back(in.ConsumeRandomLengthString(24));
    const std::string text = in.ConsumeRemainingBytesAsString();

    std::string error;
    const std::optional<tools::CountryFile> file = tools::CountryFile::parse(text, error);
    const tools::CountryResolver withoutFile;
    for (const std::string &call : calls) {
        withoutFile.prefixFor(call);
        tools::guessCountryPrefix(tools::locationPart(call));
    }
    if (!file) {
        fuzz::check(!error.empty(), "a refused country file without a reason");
        return 0;
    }
    fuzz::check(file->entityCount() > 0, "an accepted country file without entities");
    const tools::CountryResolver resolver(*file);
    for (const std::string &call : calls) {
        resolver.prefixFor(call);
        for (const std::string &found : {file->exactMatch(call), file->longestPrefixMatch(call)})
            fuzz::check(found == tools::upper(found), "a prefix found not in upper case");
    }
    return 0;
}
