#include "tools/morvantia-check/check_app.h"

#include "morvantia_version.h"
#include "platform/dynamic_library.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "tools/morvantia-check/check_options.h"
#include "tools/morvantia-check/contest_check.h"
#include "tools/morvantia-check/reports.h"
#include "tools/common/exit_status.h"
#include "tools/common/input_file.h"
#include "tools/common/messages.h"
#include "tools/common/option_values.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <thread>

#ifdef _WIN32
#include <process.h>
#else
#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace check {
namespace {

const char *const kProgram = "morvantia-check";

using tools::Messages;

// A bar on one terminal line, redrawn only when it moves.
class Progress {
public:
    Progress(std::FILE *err, bool shown) : err_(err), shown_(shown) {}
    void update(const char *stage, std::size_t done, std::size_t total) {
        if (!shown_ || total == 0) return;
        const int width = 30;
        const int filled = static_cast<int>(done * width / total);
        const int percent = static_cast<int>(done * 100 / total);
        if (stage == stage_ && percent == percent_ && done != total) return;
        stage_ = stage;
        percent_ = percent;
        std::fprintf(err_, "\r%s: %-9s [%s%s] %zu/%zu", kProgram, stage,
                     std::string(filled, '#').c_str(), std::string(width - filled, '.').c_str(),
                     done, total);
        if (done == total) std::fputc('\n', err_);
        std::fflush(err_);
    }

private:
    std::FILE *err_;
    bool shown_;
    const char *stage_ = nullptr;
    int percent_ = -1;
};

struct Input {
    std::string given;     // as the user named it, for messages and reports
    std::string absolute;  // to open after the plug-in moved the current folder
};

// What in a folder is not a file to read: subfolders, links to nothing,
// devices. Each is named, so that no log goes missing unnoticed.
void noteOtherEntries(const std::string &folder, std::vector<InputProblem> &problems) {
    namespace fs = std::filesystem;
    std::error_code error;
    std::vector<std::pair<std::string, std::string>> found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code ignored;
        const fs::file_status status = it->status(ignored);
        if (fs::is_regular_file(status)) continue;
        if (fs::is_directory(status))
            found.emplace_back(name, "a folder: the logs in it are not read (name it to check them)");
        else if (it->is_symlink(ignored) && !fs::exists(status))
            found.emplace_back(name, "a link to nothing; left out");
        else
            found.emplace_back(name, "not a regular file; left out");
    }
    std::sort(found.begin(), found.end());
    for (const auto &[name, message] : found)
        problems.push_back({platform::joinPath(folder, name), 0, message});
}

// The same file named twice, even by another path or a link, is read once.
class SeenFiles {
public:
    // False, with the name it was first given by, for a file seen before.
    bool add(const Input &input, std::string &first) {
        std::error_code error;
        std::string key = std::filesystem::weakly_canonical(input.absolute, error).string();
        if (error) key = input.absolute;
        const auto [at, fresh] = names_.emplace(key, input.given);
        first = at->second;
        return fresh;
    }

private:
    std::map<std::string, std::string> names_;
};

// Files named, and every file of the folders named (but hidden ones), in
// name order.
std::vector<Input> collectInputs(const std::vector<std::string> &names,
                                 std::vector<InputProblem> &problems,
                                 std::vector<std::string> &notes) {
    std::vector<Input> inputs;
    SeenFiles seen;
    const auto take = [&](const std::string &path) {
        Input input{path, platform::absolutePath(path)};
        std::string first;
        if (seen.add(input, first))
            inputs.push_back(std::move(input));
        else
            notes.push_back(path + ": the same file as " + first + "; read once");
    };
    for (const std::string &name : names) {
        if (platform::isFolder(name)) {
            std::vector<std::string> files = platform::findFiles(platform::joinPath(name, "*"));
            std::sort(files.begin(), files.end());
            int taken = 0;
            for (const std::string &file : files) {
                if (file.empty() || file[0] == '.') continue;
                take(platform::joinPath(name, file));
                ++taken;
            }
            noteOtherEntries(name, problems);
            if (taken == 0) problems.push_back({name, 0, "the folder holds no log"});
        } else if (platform::fileStamp(name)) {
            take(name);
        } else {
            problems.push_back({name, 0, "no such file or folder"});
        }
    }
    return inputs;
}

// Reads and parses the logs in order on a thread of its own, a few logs
// ahead of the plug-in, which scores them one at a time on the caller's
// thread: on two cores the reading costs no time of its own.
class LogReader {
public:
    struct Item {
        std::optional<ParsedLog> parsed;  // none when the file could not be read
        std::string error;
    };

    LogReader(const std::vector<Input> &inputs, const tools::CountryResolver &countries)
        : inputs_(inputs), countries_(countries), thread_([this] { run(); }) {}

    ~LogReader() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

    // The next log in input order; false after the last. Rethrows what
    // failed on the reading thread.
    bool next(Item &item) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !ready_.empty() || finished_; });
        if (failure_) std::rethrow_exception(failure_);
        if (ready_.empty()) return false;
        item = std::move(ready_.front());
        ready_.pop_front();
        changed_.notify_all();
        return true;
    }

private:
    static constexpr std::size_t kAhead = 8;

    void run() {
        try {
            for (const Input &input : inputs_) {
                Item item;
                std::string text;
                if (tools::readFile(input.absolute, text, item.error))
                    item.parsed = parseLog(input.given, text, countries_);
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [this] { return ready_.size() < kAhead || stop_; });
                if (stop_) break;
                ready_.push_back(std::move(item));
                changed_.notify_all();
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex_);
            failure_ = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        changed_.notify_all();
    }

    const std::vector<Input> &inputs_;
    const tools::CountryResolver &countries_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> ready_;
    bool stop_ = false;
    bool finished_ = false;
    std::exception_ptr failure_;
    std::thread thread_;  // last: starts once everything above is made
};

#ifdef _WIN32
unsigned long processId() { return static_cast<unsigned long>(_getpid()); }
#else
unsigned long processId() { return static_cast<unsigned long>(getpid()); }
#endif

// The plug-in's working folder: it rewrites its INI file and its bad-QSO
// file several times for every log, which on a disk costs more than all the
// checking. A folder of this run's own, in memory where the system keeps
// one (/dev/shm), else in the temporary folder; removed at the end, after
// moving out of it. Whatever writes into it holds busy meanwhile, so that a
// signal's clean-up never removes it under a writer's feet (a file written
// into a half-removed folder would keep it).
class ScratchFolder {
public:
    explicit ScratchFolder(std::mutex &busy) : busy_(busy), previous_(platform::currentFolder()) {
        namespace fs = std::filesystem;
        std::vector<fs::path> places;
#ifndef _WIN32
        places.emplace_back("/dev/shm");
#endif
        std::error_code error;
        const fs::path temporary = fs::temp_directory_path(error);
        if (!error) places.push_back(temporary);
        std::random_device random;
        for (const fs::path &place : places) {
            if (!fs::is_directory(place, error)) continue;
            for (int attempt = 0; attempt < 10 && path_.empty(); ++attempt) {
                const fs::path candidate =
                    place / ("morvantia-check-" + std::to_string(processId()) + "-" +
                             std::to_string(random()));
                if (fs::create_directory(candidate, error)) path_ = candidate.string();
            }
            if (!path_.empty()) break;
        }
    }
    ~ScratchFolder() {
        if (path_.empty()) return;
        const std::lock_guard<std::mutex> lock(busy_);
        std::string error;
        platform::changeFolder(previous_, error);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    // Empty when none could be made.
    const std::string &path() const { return path_; }

private:
    std::mutex &busy_;
    std::string previous_;
    std::string path_;
};

// The plug-in writes its files into the working folder on every call: each
// log is scored holding the folder's busy lock.
class FolderHoldingScorer : public LogScorer {
public:
    FolderHoldingScorer(LogScorer &scorer, std::mutex &busy) : scorer_(scorer), busy_(busy) {}
    bool score(const ScoreRequest &request, const std::vector<const tools::ContestQso *> &qsos,
               ScoredLog &scored, std::string &error) override {
        const std::lock_guard<std::mutex> lock(busy_);
        return scorer_.score(request, qsos, scored, error);
    }

private:
    LogScorer &scorer_;
    std::mutex &busy_;
};

#ifndef _WIN32
// Ctrl-C, SIGTERM or a closed terminal must not leave the plug-in's working
// folder behind (in memory, on /dev/shm, it would stay until a reboot). The
// signals are blocked in every thread of the run and taken by a thread of
// their own, which removes the folder and then ends the program by the same
// signal, so the caller sees how it ended. It is made before the folder and
// ended after the folder is gone: a signal in between would otherwise end
// the program with the folder still there. It removes the folder holding
// busy, which it then keeps: no writer runs again before the program ends.
class SignalCleanup {
public:
    explicit SignalCleanup(std::mutex &busy) : busy_(busy) {
        sigemptyset(&signals_);
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals_, signal);
        blocked_ = pthread_sigmask(SIG_BLOCK, &signals_, &previous_) == 0;
        if (blocked_) thread_ = std::thread([this] { wait(); });
    }
    ~SignalCleanup() {
        if (!blocked_) return;
        done_ = true;
        pthread_kill(thread_.native_handle(), SIGTERM);  // taken by its sigwait
        thread_.join();
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SignalCleanup(const SignalCleanup &) = delete;
    SignalCleanup &operator=(const SignalCleanup &) = delete;

    // Called holding busy.
    void watch(const std::string &folder) { folder_ = folder; }

private:
    void wait() {
        int signal = 0;
        if (sigwait(&signals_, &signal) != 0 || done_) return;
        busy_.lock();  // never given back: the program ends below
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
        std::signal(signal, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &signals_, nullptr);
        std::raise(signal);
        std::_Exit(128 + signal);
    }

    std::mutex &busy_;
    std::string folder_;
    sigset_t signals_{};
    sigset_t previous_{};
    bool blocked_ = false;
    std::atomic<bool> done_{false};
    std::thread thread_;
};
#endif

// The plug-in loaded in a working folder of this run's own, which the run
// leaves nothing of: not at its end, not on a signal. The folder is made,
// watched and given to the plug-in holding busy_, so that a signal in the
// meantime waits and then finds it; the signals are blocked before that,
// and before the reading thread starts, which takes them over blocked. The
// plug-in (which writes nothing as it goes) is unloaded before the folder
// is removed.
class PluginWorkspace {
public:
    PluginWorkspace(const std::string &pluginPath, const std::string &outDir) {
#ifndef _WIN32
        cleanup_.watch(scratch_.path());
#endif
        const std::string workFolder =
            scratch_.path().empty() ? platform::joinPath(outDir, ".plugin") : scratch_.path();
        opened_ = plugin_.open(pluginPath, workFolder, error_);
        settingUp_.unlock();
    }
    PluginWorkspace(const PluginWorkspace &) = delete;
    PluginWorkspace &operator=(const PluginWorkspace &) = delete;

    // False, with the reason, when the plug-in could not be set up.
    bool opened(std::string &error) const {
        if (!opened_) error = error_;
        return opened_;
    }
    LogScorer &scorer() { return holding_; }

private:
    std::mutex busy_;
#ifndef _WIN32
    SignalCleanup cleanup_{busy_};
#endif
    std::unique_lock<std::mutex> settingUp_{busy_};
    ScratchFolder scratch_{busy_};
    PluginScorer plugin_;
    FolderHoldingScorer holding_{plugin_, busy_};
    bool opened_ = false;
    std::string error_;
};

std::optional<std::string> freshFolder() {
    for (int n = 1; n < 1000; ++n) {
        const std::string name = n == 1 ? "check-results" : "check-results-" + std::to_string(n);
        if (!platform::isFolder(name) && !platform::fileStamp(name)) return name;
    }
    return std::nullopt;
}

// Removes the entrant reports an earlier run wrote into the reports folder,
// so that it shows this run only. A report of this program is known by its
// first words; any other file stays.
void removeEarlierReports(const std::string &reportDir) {
    static const std::string kStart = "MORVANTIA contest check of ";
    for (const std::string &name : platform::findFiles(platform::joinPath(reportDir, "*.txt"))) {
        const std::string path = platform::joinPath(reportDir, name);
        std::FILE *file = platform::openFile(path, "rb");
        if (file == nullptr) continue;
        char start[64] = {};
        const std::size_t n = std::fread(start, 1, kStart.size(), file);
        std::fclose(file);
        if (n == kStart.size() && kStart.compare(0, n, start, n) == 0) platform::removeFile(path);
    }
}

void reportProblem(const Messages &messages, const InputProblem &p) {
    messages.error(problemText(p));
}

bool loadCountries(const CheckOptions &options, const Messages &messages,
                   tools::CountryResolver &countries) {
    if (!options.ctyPath) return true;
    std::string text;
    std::string error;
    if (!tools::readFile(*options.ctyPath, text, error)) {
        messages.error("cannot read " + *options.ctyPath + ": " + error);
        return false;
    }
    std::optional<tools::CountryFile> file = tools::CountryFile::parse(text, error);
    if (!file) {
        messages.error(*options.ctyPath + ": " + error);
        return false;
    }
    countries = tools::CountryResolver(std::move(*file));
    return true;
}

// The results folder, absolute: as given, else a new one here.
bool resultsFolder(const CheckOptions &options, const Messages &messages, std::string &outDir) {
    if (options.outDir) {
        outDir = platform::absolutePath(*options.outDir);
    } else {
        const std::optional<std::string> folder = freshFolder();
        if (!folder) {
            messages.error("no free name for the results folder; give --out");
            return false;
        }
        outDir = platform::absolutePath(*folder);
    }
    if (platform::fileStamp(outDir) && !platform::isFolder(outDir)) {
        messages.error("cannot create the results folder: " + outDir + " is a file, not a folder");
        return false;
    }
    return true;
}

// Reads every log into the check, naming each one left out; problems
// gathers them. False when the run cannot go on.
bool readLogs(const std::vector<Input> &inputs, const tools::CountryResolver &countries,
              ContestCheck &contest, const Messages &messages, bool barShown, std::FILE *err,
              Progress &progress, std::vector<InputProblem> &problems) {
    LogReader reader(inputs, countries);
    LogReader::Item item;
    std::string error;
    for (std::size_t i = 0; reader.next(item); ++i) {
        std::vector<InputProblem> found;
        bool added = false;
        if (!item.parsed) {
            found.push_back({inputs[i].given, 0, "cannot read: " + item.error + "; left out"});
        } else if (!contest.addLog(std::move(*item.parsed), found, added, error)) {
            messages.error(error);
            return false;
        }
        if (!found.empty()) {
            // Messages go above the bar, which is drawn again below them;
            // blanks clear it on every console.
            if (barShown) std::fprintf(err, "\r%79s\r", "");
            for (const InputProblem &p : found) reportProblem(messages, p);
            problems.insert(problems.end(), found.begin(), found.end());
        }
        progress.update("reading", i + 1, inputs.size());
    }
    return true;
}

// The reports and the results table as text, CSV and HTML; the table as
// text comes back for standard output.
bool writeResults(const ContestCheck &contest, const std::vector<InputProblem> &problems,
                  const std::string &outDir, const Messages &messages, Progress &progress,
                  std::string &table) {
    const std::string reportDir = platform::joinPath(outDir, "reports");
    std::string error;
    // Made only once there is something to write: a run that cannot check
    // leaves no empty results folder behind.
    if (!platform::makeFolders(reportDir, error)) {
        messages.error("cannot create the results folder: " + error);
        return false;
    }
    removeEarlierReports(reportDir);
    auto write = [&](const std::string &path, const std::string &content) {
        errno = 0;
        if (platform::writeFileWhole(path, content)) return true;
        const int reason = errno;
        messages.error("cannot write " + path + (reason != 0 ? ": " + std::string(std::strerror(reason)) : ""));
        return false;
    };
    const std::vector<Entrant> &entrants = contest.entrants();
    for (std::size_t i = 0; i < entrants.size(); ++i) {
        if (!write(platform::joinPath(reportDir, reportFileName(entrants[i].call)),
                   entrantReport(contest, i)))
            return false;
        progress.update("reports", i + 1, entrants.size());
    }
    table = resultsText(contest, problems);
    return write(platform::joinPath(outDir, "results.txt"), table) &&
           write(platform::joinPath(outDir, "results.csv"), resultsCsv(contest)) &&
           write(platform::joinPath(outDir, "results.html"), resultsHtml(contest, problems));
}

int run(const std::vector<std::string> &args, std::FILE *out, std::FILE *err, bool errIsTerminal) {
    CheckOptions options;
    std::string error;
    if (!parseCheckOptions(args, options, error)) {
        Messages(kProgram, err, false).error(error + " (see --help)");
        return tools::kExitUnusable;
    }
    if (tools::printInformation({options.help, options.bashCompletion, options.version}, checkHelpText(),
                         checkOptionTable(), out))
        return tools::kExitClean;
    const Messages messages(kProgram, err, options.quiet);
    const bool barShown = errIsTerminal && !options.quiet;
    Progress progress(err, barShown);

    tools::CountryResolver countries;
    if (!loadCountries(options, messages, countries)) return tools::kExitUnusable;
    std::vector<InputProblem> problems;
    std::vector<std::string> notes;
    const std::vector<Input> inputs = collectInputs(options.inputs, problems, notes);
    for (const InputProblem &p : problems) reportProblem(messages, p);
    for (const std::string &note : notes) messages.note(note);

    std::string outDir;
    if (!resultsFolder(options, messages, outDir)) return tools::kExitUnusable;
    const std::string pluginPath = options.pluginPath
                                       ? platform::absolutePath(*options.pluginPath)
                                       : platform::defaultPluginPath();
    PluginWorkspace workspace(pluginPath, outDir);
    if (!workspace.opened(error)) {
        messages.error(error);
        return tools::kExitUnusable;
    }

    ContestCheck contest(options.windowMinutes, workspace.scorer(), countries, options.fixClocks);
    contest.setPeriod({options.start, options.end});
    if (!readLogs(inputs, countries, contest, messages, barShown, err, progress, problems))
        return tools::kExitUnusable;
    if (contest.entrants().empty()) {
        messages.error("no log could be checked");
        return tools::kExitUnusable;
    }
    if (!contest.finish(error, [&progress](std::size_t done, std::size_t total) {
            progress.update("checking", done, total);
        })) {
        messages.error(error);
        return tools::kExitUnusable;
    }

    std::string table;
    if (!writeResults(contest, problems, outDir, messages, progress, table))
        return tools::kExitUnusable;
    if (options.json)
        writeJson(contest, problems,
                  [out](const std::string &piece) { std::fwrite(piece.data(), 1, piece.size(), out); });
    else
        std::fwrite(table.data(), 1, table.size(), out);
    std::fflush(out);

    const std::size_t leftOut = problems.size();
    messages.note(countOf(contest.entrants().size(), "log", "logs") + " checked; results in " +
                  outDir + " (results.txt, results.csv, results.html, reports/)");
    if (leftOut > 0)
        messages.note(countOf(leftOut, "problem", "problems") + " with the logs, see above");
    return leftOut > 0 ? tools::kExitSkipped : tools::kExitClean;
}

}  // namespace

int runCheckApp(const std::vector<std::string> &args, std::FILE *out, std::FILE *err,
                bool errIsTerminal) {
    return tools::runReportingFaults(kProgram, err,
                                     [&] { return run(args, out, err, errIsTerminal); });
}

}  // namespace check
