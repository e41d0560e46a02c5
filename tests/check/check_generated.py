#!/usr/bin/env python3
"""Runs morvantia-check on a generated contest and holds its JSON against the
generator's truth.

Every QSO line must get exactly the status the truth gives it, and the other
station's line where the truth names one: every injected fault found with its
status (recall), no clean QSO flagged (precision). The scores are held against
counts made without the checker:
  - the CLAIMED-SCORE the generator counted by the contest rules equals the
    plug-in's score of the log as sent;
  - morvantia-score, run on a log as sent, gives its unchecked score;
  - morvantia-score, run on a copy of a log without its not-in-log, busted
    call and busted exchange lines, gives its checked score.

Exit status 0 when everything agrees; otherwise the differences are listed.
"""

import argparse
import collections
import json
import os
import shutil
import subprocess
import sys

REMOVED = {"nil", "busted_call", "busted_exchange"}
FLAGGED = REMOVED | {"unique", "dupe", "bad"}


def run(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          universal_newlines=True, **kwargs)


def compare_statuses(truth, result, problems):
    """Status and other line of every QSO; counts per fault kind."""
    by_file = {os.path.basename(log["file"]): log for log in result["logs"]}
    missing_logs = sorted(set(log["file"] for log in truth["logs"]) - set(by_file))
    extra_logs = sorted(set(by_file) - set(log["file"] for log in truth["logs"]))
    for name in missing_logs:
        problems.append("log %s is missing from the output" % name)
    for name in extra_logs:
        problems.append("log %s is in the output but not in the contest" % name)

    faults = collections.Counter()
    found = collections.Counter()
    flagged_right = flagged_wrong = expected_flags = 0
    for log in truth["logs"]:
        checked = by_file.get(log["file"])
        if checked is None:
            continue
        if checked["call"] != log["call"]:
            problems.append("%s: call %s, expected %s" % (log["file"], checked["call"], log["call"]))
        qsos = {q["line"]: q for q in checked["qsos"]}
        if len(qsos) != len(log["qsos"]):
            problems.append("%s: %d QSOs in the output, %d in the log" % (
                log["file"], len(qsos), len(log["qsos"])))
        for want in log["qsos"]:
            kind = want["fault"] or "clean"
            faults[kind] += 1
            got = qsos.get(want["line"])
            if got is None:
                problems.append("%s line %d: missing from the output" % (log["file"], want["line"]))
                continue
            if want["status"] in FLAGGED:
                expected_flags += 1
            if got["status"] in FLAGGED:
                if got["status"] == want["status"]:
                    flagged_right += 1
                else:
                    flagged_wrong += 1
            wrong = []
            if got["status"] != want["status"]:
                wrong.append("status %s, expected %s" % (got["status"], want["status"]))
            if want["other"] is not None:
                other = got["other"]
                got_other = None if other is None else [os.path.basename(other["file"]), other["line"]]
                if got_other != want["other"]:
                    wrong.append("other %s, expected %s" % (got_other, want["other"]))
            if wrong:
                problems.append("%s line %d (%s, %s): %s" % (
                    log["file"], want["line"], want["call"], kind, "; ".join(wrong)))
            else:
                found[kind] += 1
    return faults, found, flagged_right, flagged_wrong, expected_flags


def compare_claims(truth, result, problems):
    by_file = {os.path.basename(log["file"]): log for log in result["logs"]}
    for log in truth["logs"]:
        checked = by_file.get(log["file"])
        if checked is None:
            continue
        if checked["claimed_score"] != log["claimed_score"]:
            problems.append("%s: claimed score %s, the header says %s" % (
                log["file"], checked["claimed_score"], log["claimed_score"]))
        if log["claimed_score"] is not None and checked["unchecked_score"] != log["claimed_score"]:
            problems.append("%s: the plug-in's score of the log as sent is %d, counted by the "
                            "rules %d" % (log["file"], checked["unchecked_score"],
                                          log["claimed_score"]))


def score_with_morvantia_score(scorer, path, work):
    out = os.path.join(work, "score-" + os.path.basename(path))
    shutil.rmtree(out, ignore_errors=True)
    done = run([scorer, "--json", "--quiet", "--out", out, path])
    # 1: records left out, each reported (as the QSOs the entry check refuses).
    if done.returncode not in (0, 1):
        raise RuntimeError("morvantia-score failed on %s: %s" % (path, done.stderr))
    return json.loads(done.stdout)["score"]


def without_lines(path, lines, target):
    with open(path, "rb") as f:
        content = f.read().split(b"\n")
    kept = [text for number, text in enumerate(content, 1) if number not in lines]
    with open(target, "wb") as f:
        f.write(b"\n".join(kept))


def compare_scores(scorer, logs_dir, result, work, sample, problems):
    """The unchecked and checked scores of a few logs, by morvantia-score."""
    logs = sorted(result["logs"], key=lambda log: log["call"])
    with_removals = [log for log in logs
                     if any(q["status"] in REMOVED for q in log["qsos"])]
    adif = [log for log in logs if log["format"] != "Cabrillo"]
    chosen = (with_removals[:sample] + adif[:1])
    for log in chosen:
        path = os.path.join(logs_dir, os.path.basename(log["file"]))
        unchecked = score_with_morvantia_score(scorer, path, work)
        if unchecked != log["unchecked_score"]:
            problems.append("%s: morvantia-score gives %d, morvantia-check's unchecked score is %d"
                            % (log["file"], unchecked, log["unchecked_score"]))
        removed = {q["line"] for q in log["qsos"] if q["status"] in REMOVED}
        copy = os.path.join(work, "checked-" + os.path.basename(path))
        without_lines(path, removed, copy)
        checked = score_with_morvantia_score(scorer, copy, work)
        if checked != log["checked_score"]:
            problems.append("%s: morvantia-score gives %d without the removed QSOs, "
                            "morvantia-check's checked score is %d"
                            % (log["file"], checked, log["checked_score"]))
    return len(chosen)


def compare_clocks(truth, result, problems):
    """Every log's clock correction: the skew beyond the window taken back,
    nothing for any other log."""
    by_file = {os.path.basename(log["file"]): log for log in result["logs"]}
    for log in truth["logs"]:
        checked = by_file.get(log["file"])
        if checked is not None and \
                checked["clock_correction_minutes"] != log["clock_correction_minutes"]:
            problems.append("%s: clock corrected by %s minutes, expected %s" % (
                log["file"], checked["clock_correction_minutes"],
                log["clock_correction_minutes"]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--checker", required=True)
    parser.add_argument("--scorer", help="morvantia-score, to hold the scores against")
    parser.add_argument("--generator", required=True)
    parser.add_argument("--work", required=True, help="folder for the contest and the results")
    parser.add_argument("--window", type=int, default=3)
    parser.add_argument("--score-sample", type=int, default=3,
                        help="logs with removals scored again by morvantia-score")
    parser.add_argument("generator_args", nargs=argparse.REMAINDER,
                        help="after --: arguments of the generator")
    args = parser.parse_args()
    extra = [a for a in args.generator_args if a != "--"]

    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    logs_dir = os.path.join(args.work, "logs")
    truth_path = os.path.join(args.work, "truth.json")
    made = run([sys.executable, args.generator, "--out", logs_dir, "--truth", truth_path,
                "--window", str(args.window)] + extra)
    if made.returncode != 0:
        print(made.stderr, file=sys.stderr)
        return 1
    print(made.stderr.strip())
    with open(truth_path) as f:
        truth = json.load(f)

    # The generator's truth and the checker agree on whether clocks are fixed.
    clock_options = ["--no-clock-fix"] if "--no-clock-fix" in extra else []
    checked = run([args.checker, "--json", "--quiet", "--window", str(args.window), "--out",
                   os.path.join(args.work, "out"), logs_dir] + clock_options)
    if checked.returncode != 0:
        print("morvantia-check exited with %d:\n%s" % (checked.returncode, checked.stderr),
              file=sys.stderr)
        return 1
    result = json.loads(checked.stdout)

    problems = []
    if result["window_minutes"] != args.window:
        problems.append("window_minutes %s, expected %d" % (result["window_minutes"], args.window))
    faults, found, right, wrong, expected = compare_statuses(truth, result, problems)
    compare_clocks(truth, result, problems)
    compare_claims(truth, result, problems)
    scored = 0
    if args.scorer:
        scored = compare_scores(args.scorer, logs_dir, result, args.work, args.score_sample,
                                problems)

    for kind in sorted(faults):
        print("%-12s %5d of %5d right" % (kind, found[kind], faults[kind]))
    precision = right / (right + wrong) if right + wrong else 1.0
    recall = right / expected if expected else 1.0
    print("flagged QSOs: precision %.4f, recall %.4f (%d expected)" % (precision, recall, expected))
    if scored:
        print("scores of %d logs agree with morvantia-score" % scored if not problems else "")
    if problems:
        print("%d differences:" % len(problems), file=sys.stderr)
        for p in problems[:200]:
            print("  " + p, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
