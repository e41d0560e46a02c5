// What the check writes: a report per entrant, the results table as text,
// CSV and HTML, and the whole outcome as JSON. Texts only; the program
// decides where they go.
#pragma once

#include "tools/morvantia-check/contest_check.h"

#include <functional>
#include <string>
#include <vector>

namespace check {

// A QSO in the layout of the plug-in's bad-QSO file:
// "QSO:  3550  CW  2024-02-03 1600  YO2MVT  599  001 TM  YO4IBJ  599  159 DJ".
std::string qsoLine(const tools::ContestQso &qso, const std::string &ownCall);

// "YO/OK2TS" -> "YO-OK2TS.txt": the entrant's report file, safe on every
// file system: letters, digits and "-" only, short, and never a name
// Windows keeps for a device ("COM1" -> "COM1_.txt").
std::string reportFileName(const std::string &call);

// "contest period 2024-02-03 16:00 to 2024-02-03 20:00", or, without one,
// "no contest period given; the QSOs checked run from ... to ...".
std::string periodText(const ContestCheck &check);

// "1 log", "20 logs".
std::string countOf(std::size_t count, const char *singular, const char *plural);

// The file name without its folder.
std::string baseName(const std::string &path);

// The entrant's report: scores and counts, then one line per QSO with a
// problem, in log order, with the reason and where the other side stands.
std::string entrantReport(const ContestCheck &check, std::size_t entrant);

// Entrants in the order of the results: by category (logs without one
// last), then by checked score (highest first), then by call; with each
// one's place in its category.
struct Standing {
    std::size_t entrant;
    int place;
};
std::vector<Standing> standings(const ContestCheck &check);

// The text and the page end with what was left out, and why, when
// anything was.
std::string resultsText(const ContestCheck &check, const std::vector<InputProblem> &leftOut = {});
std::string resultsCsv(const ContestCheck &check);
// One page with an inline script that sorts by any column and shows one
// category at a time; nothing is loaded from elsewhere.
std::string resultsHtml(const ContestCheck &check, const std::vector<InputProblem> &leftOut = {});

// What the committee must know of logs that were checked: own calls the
// lines give that differ from the log's, clocks corrected. One line each.
std::vector<std::string> logNotes(const ContestCheck &check);

// "notes.txt: not an ADIF, ADX or Cabrillo log; left out", "a.cbr:4: ...".
std::string problemText(const InputProblem &problem);

// The outcome as one JSON object, handed to sink in pieces (a log at a time)
// so that a contest of any size never needs one string for all of it.
void writeJson(const ContestCheck &check, const std::vector<InputProblem> &problems,
               const std::function<void(const std::string &)> &sink);

}  // namespace check
