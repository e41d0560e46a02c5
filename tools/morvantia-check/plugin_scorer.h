// Scoring one log after another with the plug-in, loaded once, called as the
// logging program calls it (ResetStats0 starts each log, AddData0 for every
// QSO in log order, GetResult0), with the plug-in's own verdict on each QSO.
#pragma once

#include "tools/common/contest_log.h"
#include "tools/common/plugin_driver.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace check {

// What the plug-in made of one QSO.
enum class Verdict : std::uint8_t { Counted, Dupe, Bad };

struct PluginVerdict {
    Verdict verdict = Verdict::Counted;
    std::string reason;  // for Bad: the plug-in's words, such as "WRONG BAND"
};

// One QSO as the plug-in took it: what AddData0 answered (0: refused),
// whether CheckCall0 called it a dupe just before, and the line the plug-in
// writes for it in its bad-QSO file, up to the message.
struct TakenQso {
    int added = 1;
    bool dupe = false;
    std::string line;
};

// Each QSO's verdict from the lines of the plug-in's bad-QSO file (header
// left out). The plug-in lists problem QSOs in the order it takes them: a
// refused QSO has one line naming why; a stored one may have one line naming
// a problem, then a dupe line for each earlier QSO it repeats. lineOf gives
// a QSO's line up to the message. Nothing when a line belongs to no QSO or a
// refused QSO has none: then the file cannot be read as the plug-in's.
std::optional<std::vector<PluginVerdict>> readVerdicts(
    const std::vector<TakenQso> &taken, const std::vector<std::string> &lines);

struct ScoreRequest {
    std::string ownCall;
    std::string ownPrefix;
    std::optional<std::string> ownCode;  // none: the plug-in has no own code
    tools::QsoTime start;
    tools::QsoTime end;
};

struct ScoredLog {
    int score = 0;
    // The score the plug-in's figures make when its 32-bit score cannot
    // hold it (score is then wrapped and means nothing); else none.
    std::optional<long long> beyondPlugin;
    std::vector<PluginVerdict> verdicts;  // one per QSO given, in order
};

class LogScorer {
public:
    virtual ~LogScorer() = default;
    virtual bool score(const ScoreRequest &request,
                       const std::vector<const tools::ContestQso *> &qsos, ScoredLog &scored,
                       std::string &error) = 0;
};

class PluginScorer : public LogScorer {
public:
    PluginScorer();
    ~PluginScorer() override;

    // Loads the plug-in and makes workFolder (created when missing) the
    // current folder: the plug-in keeps its INI file and bad-QSO file there.
    // Every path used afterwards must be absolute.
    bool open(const std::string &pluginPath, const std::string &workFolder, std::string &error);

    bool score(const ScoreRequest &request, const std::vector<const tools::ContestQso *> &qsos,
               ScoredLog &scored, std::string &error) override;

private:
    bool writeOwnCode(const std::optional<std::string> &ownCode, std::string &error);
    // Each QSO given to AddData0 as the plug-in took it; entered tells for
    // every QSO whether its exchange passed the entry check.
    std::vector<TakenQso> addQsos(const ScoreRequest &request,
                                  const std::vector<const tools::ContestQso *> &qsos,
                                  std::vector<bool> &entered);
    bool readScore(ScoredLog &scored, std::string &error);

    tools::PluginDriver driver_{"the plug-in's working folder"};
    std::optional<std::string> writtenCode_;
};

}  // namespace check
