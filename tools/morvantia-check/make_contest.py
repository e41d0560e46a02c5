#!/usr/bin/env python3
"""Makes a synthetic MORVANTIA contest with known faults, and its truth.

The contest: N stations, Romanian (YO..YR calls, each in one of the 48
counties) and foreign (realistic call shapes, a two-letter country code),
working each other on 80 m and 40 m in CW, SSB and BPSK31/63/125 over four
hours. Every QSO is logged by both sides, with serial numbers that count up
in each log; most logs are Cabrillo 3.0, some ADIF with the station's call.

Then faults go into known QSOs, each fault into a QSO of its own between two
stations that send logs and have no other fault:

  busted_call       one side logged the other's call with one letter
                    changed, added or dropped
  wrong_serial      one side logged a wrong serial number
  wrong_code        one side logged another (valid) county or country code
  missing           one side left the QSO out of its log
  skew_within       a station's clock is off by exactly the window
  skew_beyond       a station's clock is off by more than the window: the
                    checker corrects it (unless --no-clock-fix), so its
                    QSOs are confirmed
  clock_mess        a station's times are off by a different random amount
                    in every QSO, beyond the window: nothing to correct
  no_log            stations that send no log (worked by others)
  unique            a call logged once and by nobody else
  dupe              a QSO logged twice by one side
  wrong_band        a QSO on 20 m, logged by both
  bad_county        a Romanian county logged as a code that is no county

No two station calls are one character apart, and every busted call is one
character from its station's call only, so each fault has exactly one right
verdict. The truth file gives the expected status of every QSO line, with
the other station's line where the QSO was confirmed or its call busted.

Deterministic: the same arguments give the same files, byte for byte.

    make_contest.py --stations 200 --qsos 120 --seed 7 --out contest \\
        --truth contest-truth.json
"""

import argparse
import json
import os
import random
import sys

COUNTIES = ("AB AG AR BC BH BN BR BT BV BU BZ CJ CL CS CT CV DB DJ GJ GL GR HD HR "
            "IF IL IS MH MM MS NT OT PH SB SJ SM SV TL TM TR VS VL VN XA XB XC XD "
            "XE XF").split()
BONUS = set("XA XB XC XD XE XF".split())
RO_PREFIXES = ["YO", "YO", "YO", "YO", "YP", "YQ", "YR"]
# Call prefix and the code the station sends.
FOREIGN = [
    ("DL", "DE"), ("DK", "DE"), ("HA", "HU"), ("LZ", "BG"), ("OK", "CZ"), ("OM", "SK"),
    ("SP", "PL"), ("UR", "UA"), ("UT", "UA"), ("ER", "MD"), ("S5", "SI"), ("9A", "HR"),
    ("YU", "RS"), ("I", "IT"), ("IK", "IT"), ("F", "FR"), ("G", "GB"), ("M", "GB"),
    ("EA", "ES"), ("OE", "AT"), ("UA", "RU"), ("RA", "RU"), ("LY", "LT"), ("YL", "LV"),
    ("ES", "EE"), ("OH", "FI"), ("SM", "SE"), ("LA", "NO"), ("OZ", "DK"), ("PA", "NL"),
    ("ON", "BE"), ("HB9", "CH"), ("SV", "GR"), ("TA", "TR"), ("4O", "ME"), ("Z3", "MK"),
]
CODES_FOREIGN = sorted({code for _, code in FOREIGN})
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
START_HOUR = 16
MINUTES = 240
DATE = (2024, 2, 3)
SEGMENTS = {
    ("80m", "CW"): (3510, 3560), ("80m", "SSB"): (3700, 3775), ("80m", "DIGI"): (3580, 3600),
    ("40m", "CW"): (7005, 7035), ("40m", "SSB"): (7080, 7180), ("40m", "DIGI"): (7036, 7045),
    ("20m", "CW"): (14010, 14060),
}
DIGI_MODES = ["BPSK31", "BPSK63", "BPSK125"]


class CallSpace:
    """Calls with an index of their one-character neighbours."""

    def __init__(self):
        self.calls = set()
        self.by_substitution = {}   # (call minus char i, i) -> calls
        self.by_deletion = {}       # call minus any char -> calls

    def neighbours(self, call):
        """Known calls equal to call or one character from it."""
        found = set()
        if call in self.calls:
            found.add(call)
        for i in range(len(call)):
            shorter = call[:i] + call[i + 1:]
            found |= self.by_substitution.get((shorter, i), set())
            if shorter in self.calls:
                found.add(shorter)
        found |= self.by_deletion.get(call, set())
        return found

    def add(self, call):
        self.calls.add(call)
        for i in range(len(call)):
            shorter = call[:i] + call[i + 1:]
            self.by_substitution.setdefault((shorter, i), set()).add(call)
            self.by_deletion.setdefault(shorter, set()).add(call)


class Station:
    def __init__(self, call, code, romanian, category):
        self.call = call
        self.code = code
        self.romanian = romanian
        self.category = category  # operator, mode, power
        self.sends_log = True
        self.skew = 0
        self.mess = False
        self.adif = False
        self.lines = []


class Line:
    """One QSO as one station logged it."""

    def __init__(self, owner, event, call, minute, band, mclass, mode, khz):
        self.owner = owner
        self.event = event
        self.call = call
        self.minute = minute
        self.band = band
        self.mclass = mclass
        self.mode = mode
        self.khz = khz
        self.serial_sent = 0
        self.serial_received = 0
        self.code_received = ""
        self.file_line = 0
        self.status = None
        self.other = None
        self.fault = None


def make_call(rng, romanian):
    if romanian:
        prefix = rng.choice(RO_PREFIXES) + str(rng.randint(2, 9))
        return prefix + "".join(rng.choice(LETTERS) for _ in range(rng.choice([2, 3, 3])))
    prefix, code = rng.choice(FOREIGN)
    length = rng.choice([1, 2, 2, 3, 3, 3])
    call = prefix + str(rng.randint(0, 9)) + "".join(rng.choice(LETTERS) for _ in range(length))
    if rng.random() < 0.03:
        call += "/P"
    return call, code


def make_stations(rng, count, space):
    stations = []
    while len(stations) < count:
        romanian = rng.random() < 0.6
        if romanian:
            call, code = make_call(rng, True), rng.choice(COUNTIES)
        else:
            call, code = make_call(rng, False)
        # Calls one character apart would make a busted call ambiguous.
        if space.neighbours(call):
            continue
        space.add(call)
        mode = rng.choices(["MIXED", "CW", "SSB", "DIGI"], [60, 20, 15, 5])[0]
        operator = rng.choices(["SINGLE-OP", "MULTI-OP"], [85, 15])[0]
        power = rng.choices(["HIGH", "LOW", "QRP"], [30, 55, 15])[0]
        stations.append(Station(call, code, romanian, (operator, mode, power)))
    return stations


def allows(station, mclass):
    return station.category[1] in ("MIXED", mclass)


def bust_call(rng, call, space):
    """call with one letter changed, added or dropped, one character from no
    other known call and not known itself; None when no try works."""
    # Only the suffix after the call-area digit: a changed prefix could move
    # the station to another country (YU4ALN -> YO4ALN), and the plug-in would
    # rightly judge its exchange by that country's rules.
    digit = next(i for i, c in enumerate(call) if c.isdigit() and i > 0)
    suffix_end = call.find("/") if "/" in call else len(call)
    for _ in range(50):
        letters = [i for i in range(digit + 1, suffix_end) if call[i].isalpha()]
        kind = rng.choices(["change", "add", "drop"], [70, 15, 15])[0]
        i = rng.choice(letters)
        if kind == "change":
            busted = call[:i] + rng.choice(LETTERS.replace(call[i], "")) + call[i + 1:]
        elif kind == "add":
            busted = call[:i] + rng.choice(LETTERS) + call[i:]
        else:
            if len(call) <= 4:
                continue
            busted = call[:i] + call[i + 1:]
        if space.neighbours(busted) == {call}:
            return busted
    return None


def fresh_call(rng, space):
    while True:
        if rng.random() < 0.5:
            call = make_call(rng, True)
        else:
            call, _ = make_call(rng, False)
        if not space.neighbours(call):
            return call


def minute_text(minute):
    hour, rest = divmod(START_HOUR * 60 + minute, 60)
    day = DATE[2] + hour // 24
    return "%04d-%02d-%02d" % (DATE[0], DATE[1], day), "%02d%02d" % (hour % 24, rest)


def cabrillo_mode(mclass):
    return {"CW": "CW", "SSB": "PH", "DIGI": "PK"}[mclass]


def report(mclass):
    return "59" if mclass == "SSB" else "599"


def qso_points(line, stations_by_call):
    """Points of a QSO by the contest rules: 4 with a Romanian station in a
    bonus county, else 2."""
    worked = stations_by_call.get(line.call)
    romanian = worked.romanian if worked else is_romanian_call(line.call)
    return 4 if romanian and line.code_received in BONUS else 2


def is_romanian_call(call):
    return call[:2] in ("YO", "YP", "YQ", "YR")


def enterable(line):
    """The plug-in's entry check takes a three-digit serial number, but not
    599, which it reads as a signal report: such a QSO cannot be logged with
    it and is bad, whatever else holds."""
    return line.serial_received != 599 and line.serial_received <= 999


def claimed_score(station, stations_by_call):
    """The score by the contest rules, counted here without the plug-in:
    dupes, QSOs off 80/40 m and Romanian codes that are no county score
    nothing; counties and country codes count once per band and mode class."""
    seen, points, mults = set(), 0, set()
    for line in station.lines:
        if line.band not in ("80m", "40m") or not enterable(line):
            continue
        key = (line.call, line.band, line.mode)
        if key in seen:
            continue
        seen.add(key)
        worked = stations_by_call.get(line.call)
        romanian = worked.romanian if worked else is_romanian_call(line.call)
        if romanian and line.code_received not in COUNTIES:
            continue
        points += qso_points(line, stations_by_call)
        mults.add((line.band, line.mclass, "county" if romanian else "country",
                   line.code_received))
    return points * len(mults)


def file_name(station):
    return station.call.replace("/", "-").lower() + (".adi" if station.adif else ".cbr")


def write_cabrillo(station, folder, stations_by_call):
    out = ["START-OF-LOG: 3.0", "CONTEST: MORVANTIA", "CALLSIGN: " + station.call,
           "LOCATION: " + ("YO" if station.romanian else "DX"),
           "CATEGORY-OPERATOR: " + station.category[0],
           "CATEGORY-ASSISTED: NON-ASSISTED", "CATEGORY-BAND: ALL",
           "CATEGORY-MODE: " + station.category[1],
           "CATEGORY-POWER: " + station.category[2],
           "CATEGORY-STATION: FIXED", "CATEGORY-TRANSMITTER: ONE",
           "CLAIMED-SCORE: %d" % claimed_score(station, stations_by_call),
           "OPERATORS: " + station.call.split("/")[0],
           "CREATED-BY: make_contest.py"]
    for line in station.lines:
        date, time = minute_text(line.minute)
        rst = report(line.mclass)
        text = "QSO: %5d %s %s %s %-13s %s %03d %s %-13s %s %03d %s" % (
            line.khz, cabrillo_mode(line.mclass), date, time, station.call, rst,
            line.serial_sent, station.code, line.call, rst, line.serial_received,
            line.code_received)
        out.append(text)
        line.file_line = len(out)
    out.append("END-OF-LOG:")
    with open(os.path.join(folder, file_name(station)), "w", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


def adif_field(name, value):
    value = str(value)
    return "<%s:%d>%s" % (name, len(value), value)


def write_adif(station, folder):
    out = ["Log of %s for the MORVANTIA contest, made by make_contest.py" % station.call,
           adif_field("ADIF_VER", "3.1.4") + " " + adif_field("PROGRAMID", "make_contest"),
           "<EOH>"]
    for line in station.lines:
        date, time = minute_text(line.minute)
        rst = report(line.mclass)
        fields = [adif_field("CALL", line.call), adif_field("QSO_DATE", date.replace("-", "")),
                  adif_field("TIME_ON", time), adif_field("BAND", line.band.upper()),
                  adif_field("FREQ", "%.3f" % (line.khz / 1000.0))]
        if line.mclass == "DIGI":
            fields += [adif_field("MODE", "PSK"), adif_field("SUBMODE", line.mode.replace("B", "", 1))]
        else:
            fields.append(adif_field("MODE", line.mclass))
        fields += [adif_field("RST_SENT", rst), adif_field("RST_RCVD", rst),
                   adif_field("STX", "%03d" % line.serial_sent),
                   adif_field("STX_STRING", station.code),
                   adif_field("SRX", "%03d" % line.serial_received),
                   adif_field("SRX_STRING", line.code_received),
                   adif_field("STATION_CALLSIGN", station.call), "<EOR>"]
        out.append(" ".join(fields))
        line.file_line = len(out)
    with open(os.path.join(folder, file_name(station)), "w", newline="\r\n") as f:
        f.write("\n".join(out) + "\n")


class Contest:
    def __init__(self, args):
        self.args = args
        self.rng = random.Random(args.seed)
        self.window = args.window
        self.space = CallSpace()
        self.stations = make_stations(self.rng, args.stations, self.space)
        self.by_call = {s.call: s for s in self.stations}
        self.events = []          # (a, b, band, mclass, mode, minute, khz)
        self.event_lines = []     # [line of a or None, line of b or None]
        self.faulted = set()      # events that already carry a fault
        self.faults = {}

    def count(self, per_hundred, least):
        return max(least, round(self.args.stations * per_hundred / 100.0 * self.args.faults))

    def choose_roles(self):
        rng = self.rng
        order = list(self.stations)
        rng.shuffle(order)
        no_log = order[:self.count(10, 2)]
        for s in no_log:
            s.sends_log = False
        rest = order[len(no_log):]
        skew_within = rest[:self.count(1, 1)]
        skew_beyond = rest[len(skew_within):len(skew_within) + self.count(1, 1)]
        taken = len(skew_within) + len(skew_beyond)
        clock_mess = rest[taken:taken + self.count(1, 1)]
        for s in clock_mess:
            s.mess = True
        self.faults["clock_mess"] = len(clock_mess)
        # The window exactly, either way, stays inside; one minute more leaves it.
        for i, s in enumerate(skew_within):
            s.skew = self.window if i % 2 == 0 else -self.window
        for i, s in enumerate(skew_beyond):
            s.skew = (self.window + 1 if i % 2 == 0 else -(self.window + 7))
        self.faults["no_log"] = len(no_log)
        self.faults["skew_within"] = len(skew_within)
        self.faults["skew_beyond"] = len(skew_beyond)
        for s in self.stations:
            s.adif = s.sends_log and rng.random() < self.args.adif_share

    def make_events(self):
        rng = self.rng
        target = self.args.stations * self.args.qsos // 2
        used = set()
        stations = self.stations
        tries = 0
        while len(self.events) < target and tries < target * 20:
            tries += 1
            a, b = rng.sample(stations, 2)
            band = rng.choice(["80m", "40m"])
            mclass = rng.choices(["CW", "SSB", "DIGI"], [45, 35, 20])[0]
            if not (allows(a, mclass) and allows(b, mclass)):
                continue
            key = (min(a.call, b.call), max(a.call, b.call), band, mclass)
            if key in used:
                continue
            used.add(key)
            self.add_event(a, b, band, mclass)
        self.pair_keys = used

    def add_event(self, a, b, band, mclass, minute=None):
        rng = self.rng
        mode = rng.choice(DIGI_MODES) if mclass == "DIGI" else mclass
        low, high = SEGMENTS[(band, mclass)]
        if minute is None:
            minute = rng.randrange(MINUTES)
        khz = rng.randint(low, high)
        index = len(self.events)
        self.events.append((a, b, band, mclass, mode, minute, khz))
        la = Line(a, index, b.call, minute, band, mclass, mode, khz)
        lb = Line(b, index, a.call, minute, band, mclass, mode, khz)
        a.lines.append(la)
        b.lines.append(lb)
        self.event_lines.append([la, lb])
        return index

    def clean_events(self, romanian_b=False):
        """Events between two log senders with true clocks and no fault yet,
        in random order; either side may be the one that errs."""
        picks = []
        for index, (a, b, band, *_rest) in enumerate(self.events):
            if index in self.faulted or band != "80m" and band != "40m":
                continue
            if not (a.sends_log and b.sends_log) or a.skew or b.skew or a.mess or b.mess:
                continue
            picks.append(index)
        self.rng.shuffle(picks)
        return picks

    def take(self, kind, wanted, predicate=lambda index, side: True):
        taken = []
        for index in self.clean_events():
            if len(taken) == wanted:
                break
            side = self.rng.randrange(2)
            if not predicate(index, side):
                continue
            self.faulted.add(index)
            taken.append((index, side))
        self.faults[kind] = len(taken)
        return taken

    def take_lines(self, kind, wanted, predicate=lambda index, side: True):
        """As take, each as the erring side's line and the other side's."""
        return [(self.event_lines[index][side], self.event_lines[index][1 - side])
                for index, side in self.take(kind, wanted, predicate)]

    @staticmethod
    def blame(line, other, fault, status):
        """line carries the fault; other, the right side, confirms it."""
        line.fault, line.status, line.other = fault, status, other
        other.status, other.other = "confirmed", line

    def inject_structural(self):
        """Faults that add or remove lines, before serial numbers are given."""
        rng = self.rng
        # Dupes: the erring side logs the QSO again two minutes later.
        for line, other in self.take_lines("dupe", self.count(2.5, 1)):
            dupe = Line(line.owner, line.event, line.call, line.minute + 2, line.band, line.mclass,
                        line.mode, line.khz)
            dupe.fault = "dupe"
            dupe.status = "dupe"
            line.owner.lines.append(dupe)
            line.status, line.other = "confirmed", other
            other.status, other.other = "confirmed", line
        # QSOs on 20 m: the plug-in refuses both sides.
        wanted = self.count(2.5, 1)
        senders = [s for s in self.stations if s.sends_log and not s.skew]
        made = 0
        while made < wanted:
            a, b = rng.sample(senders, 2)
            if not (allows(a, "CW") and allows(b, "CW")):
                continue
            key = (min(a.call, b.call), max(a.call, b.call), "20m", "CW")
            if key in self.pair_keys:
                continue
            self.pair_keys.add(key)
            index = self.add_event(a, b, "20m", "CW")
            self.faulted.add(index)
            for line in self.event_lines[index]:
                line.fault, line.status = "wrong_band", "bad"
            made += 1
        self.faults["wrong_band"] = made
        # Uniques: a call nobody else logged, worked once by a log sender.
        senders = [s for s in self.stations if s.sends_log and not s.skew]
        uniques = self.count(5, 1)
        for _ in range(uniques):
            owner = rng.choice(senders)
            call = fresh_call(rng, self.space)
            self.space.add(call)
            mclass = rng.choice([m for m in ("CW", "SSB", "DIGI") if allows(owner, m)])
            band = rng.choice(["80m", "40m"])
            low, high = SEGMENTS[(band, mclass)]
            mode = rng.choice(DIGI_MODES) if mclass == "DIGI" else mclass
            line = Line(owner, None, call, rng.randrange(MINUTES), band, mclass, mode,
                        rng.randint(low, high))
            line.code_received = rng.choice(COUNTIES if is_romanian_call(call) else CODES_FOREIGN)
            line.fault, line.status = "unique", "unique"
            line.serial_received = rng.randint(1, 300)
            owner.lines.append(line)
        self.faults["unique"] = uniques

    def give_serials(self):
        for s in self.stations:
            s.lines.sort(key=lambda line: (line.minute, line.event if line.event is not None else -1,
                                           line.fault == "dupe"))
            for n, line in enumerate(s.lines, 1):
                line.serial_sent = n
        for la, lb in self.event_lines:
            for mine, theirs in ((la, lb), (lb, la)):
                sender = theirs.owner
                mine.serial_received = theirs.serial_sent
                mine.code_received = sender.code
        # A dupe line repeats the exchange of its first QSO.
        for s in self.stations:
            for line in s.lines:
                if line.fault == "dupe":
                    first = self.event_lines[line.event]
                    original = first[0] if first[0].owner is s else first[1]
                    line.serial_received = original.serial_received
                    line.code_received = original.code_received

    def drop_missing(self):
        """One side leaves the QSO out of its log (after the serial numbers
        were sent: the other side still received one)."""
        for index, side in self.take("missing", self.count(10, 2)):
            gone = self.event_lines[index][1 - side]
            gone.owner.lines.remove(gone)
            kept = self.event_lines[index][side]
            kept.fault, kept.status = "missing", "nil"

    def inject_exchange_faults(self):
        rng = self.rng
        for index, side in self.take("busted_call", self.count(10, 2),
                                     lambda index, side: self.bust_fits(index, side)):
            line = self.event_lines[index][side]
            other = self.event_lines[index][1 - side]
            line.call = self.busts[(index, side)]
            self.blame(line, other, "busted_call", "busted_call")
        for line, other in self.take_lines("wrong_serial", self.count(5, 1)):
            wrong = line.serial_received
            while wrong == line.serial_received or wrong == 599 or wrong > 999:
                wrong = max(1, line.serial_received + rng.choice([-10, -1, 1, 9, 10, 100]))
            line.serial_received = wrong
            self.blame(line, other, "wrong_serial", "busted_exchange")
        for line, other in self.take_lines("wrong_code", self.count(5, 1)):
            worked = other.owner
            pool = COUNTIES if worked.romanian else CODES_FOREIGN
            line.code_received = rng.choice([c for c in pool if c != worked.code])
            self.blame(line, other, "wrong_code", "busted_exchange")
        for line, other in self.take_lines("bad_county", self.count(2.5, 1),
                                           lambda index, side:
                                           self.event_lines[index][1 - side].owner.romanian):
            line.code_received = "QX"
            line.fault, line.status = "bad_county", "bad"
            other.status, other.other = "confirmed", line

    def bust_fits(self, index, side):
        if not hasattr(self, "busts"):
            self.busts = {}
        worked = self.event_lines[index][1 - side].owner
        busted = bust_call(self.rng, worked.call, self.space)
        if busted is None or busted in self.busts.values():
            return False
        self.busts[(index, side)] = busted
        return True

    def apply_skew(self):
        for s in self.stations:
            if s.skew:
                for line in s.lines:
                    line.minute += s.skew
            if s.mess:
                for line in s.lines:
                    line.minute += self.rng.choice((-1, 1)) * self.rng.randint(
                        self.window + 1, self.window + 60)

    def correction(self, station):
        """Minutes the checker adds to the station's times."""
        if self.args.clock_fix and abs(station.skew) > self.window:
            return -station.skew
        return 0

    def settle_truth(self):
        """Statuses of the lines no fault decided: by the clocks for QSOs
        between two logs, by how many logs hold the call otherwise."""
        holders = {}
        for s in self.stations:
            if s.sends_log:
                for line in s.lines:
                    holders.setdefault(line.call, set()).add(s.call)
        for la, lb in self.event_lines:
            if la.status is not None or lb.status is not None:
                continue
            a, b = la.owner, lb.owner
            if a.sends_log and b.sends_log:
                apart = abs(la.minute + self.correction(a) - lb.minute - self.correction(b))
                if apart <= self.window:
                    la.status, la.other, lb.status, lb.other = "confirmed", lb, "confirmed", la
                    if a.skew or b.skew:
                        fixed = self.correction(a) or self.correction(b)
                        la.fault = lb.fault = "skew_beyond" if fixed else "skew_within"
                else:
                    la.status = lb.status = "nil"
                    la.fault = lb.fault = "clock_mess" if a.mess or b.mess else "skew_beyond"
                continue
            for line, worked in ((la, b), (lb, a)):
                if not worked.sends_log:
                    line.status = "unchecked" if len(holders[worked.call]) > 1 else "unique"
        # What the plug-in refuses at entry is bad first; the other side's
        # copy is still confirmed by it.
        for s in self.stations:
            for line in s.lines:
                if not enterable(line):
                    line.status, line.other = "bad", None
                    line.fault = line.fault or "entry_refused"

    def write(self):
        folder = self.args.out
        os.makedirs(folder, exist_ok=True)
        for s in self.stations:
            if not s.sends_log:
                continue
            if s.adif:
                write_adif(s, folder)
            else:
                write_cabrillo(s, folder, self.by_call)
        logs = []
        for s in self.stations:
            if not s.sends_log:
                continue
            qsos = []
            for line in s.lines:
                other = None
                if line.other is not None:
                    other = [file_name(line.other.owner), line.other.file_line]
                qsos.append({"line": line.file_line, "call": line.call, "status": line.status,
                             "fault": line.fault, "other": other})
            logs.append({"file": file_name(s), "call": s.call, "skew_minutes": s.skew,
                         "clock_correction_minutes": self.correction(s),
                         "claimed_score": None if s.adif else claimed_score(s, self.by_call),
                         "qsos": qsos})
        truth = {"seed": self.args.seed, "window_minutes": self.window,
                 "stations": len(self.stations),
                 "no_log": sorted(s.call for s in self.stations if not s.sends_log),
                 "faults": self.faults, "logs": logs}
        if self.args.truth:
            with open(self.args.truth, "w") as f:
                json.dump(truth, f, indent=1, sort_keys=True)
                f.write("\n")
        return truth

    def make(self):
        self.choose_roles()
        self.make_events()
        self.inject_structural()
        self.give_serials()
        self.drop_missing()
        self.inject_exchange_faults()
        self.apply_skew()
        self.settle_truth()
        return self.write()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--stations", type=int, default=20, help="stations in the contest")
    parser.add_argument("--qsos", type=int, default=60,
                        help="QSOs per station on average")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--window", type=int, default=3,
                        help="matching window in minutes the clock faults are made for")
    parser.add_argument("--faults", type=float, default=1.0,
                        help="scale of the fault counts (0 for none beyond one of each)")
    parser.add_argument("--adif-share", type=float, default=0.1,
                        help="share of the logs written as ADIF")
    parser.add_argument("--no-clock-fix", dest="clock_fix", action="store_false",
                        help="the truth for a checker that leaves clocks as they are")
    parser.add_argument("--out", required=True, help="folder for the logs")
    parser.add_argument("--truth", help="file for the expected statuses (JSON)")
    args = parser.parse_args()
    if args.stations < 12:
        parser.error("--stations must be at least 12: every kind of fault needs stations")
    truth = Contest(args).make()
    lines = sum(len(log["qsos"]) for log in truth["logs"])
    print("%d logs, %d QSO lines, faults: %s" % (
        len(truth["logs"]), lines,
        ", ".join("%s %d" % kv for kv in sorted(truth["faults"].items()))), file=sys.stderr)


if __name__ == "__main__":
    main()
