// A whole log as morvantia-score reads it: the format told from the content,
// then the Cabrillo, ADIF or ADX reader and the mapping of its records to
// QSOs, with or without a country file. Besides the sanitizers' findings:
// every QSO kept has a call and a valid time, and problems come sorted.
#include "fuzz/fuzz_support.h"
#include "tests/support/sample_country_file.h"
#include "tools/common/contest_log.h"

#include <string>

namespace {

const char *const kCountryFile = testing_support::kSampleCountryFile;

const tools::CountryResolver &withCountryFile() {
    static const tools::CountryResolver resolver = [] {
        std::string error;
        return tools::CountryResolver(*tools::CountryFile::parse(kCountryFile, error));
    }();
    return resolver;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);
    // The last byte picks the resolver, so any log is a seed as it stands.
    const bool countryFile = size > 0 && (data[size - 1] & 1) != 0;
    const tools::ContestLog log =
        tools::readLog(text, countryFile ? withCountryFile() : tools::CountryResolver());

    fuzz::check(log.format == tools::detectFormat(text), "format differs from detectFormat");
    if (log.format == tools::LogFormat::Unknown)
        fuzz::check(log.qsos.empty() && log.problems.empty(), "an unknown format gave QSOs");
    for (const tools::ContestQso &qso : log.qsos) {
        fuzz::check(!qso.call.empty(), "QSO without a call");
        fuzz::check(tools::isValidTime(qso.time), "QSO with an invalid time");
        fuzz::check(qso.line >= 1 && qso.record >= 1, "QSO without line or record");
    }
    for (std::size_t i = 1; i < log.problems.size(); ++i) {
        const tools::ReadProblem &a = log.problems[i - 1], &b = log.problems[i];
        fuzz::check(a.record < b.record || (a.record == b.record && a.line <= b.line),
                    "problems out of order");
    }
    return 0;
}
