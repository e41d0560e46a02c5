#!/usr/bin/env python3
"""Writes the bundled example logs of morvantia-score.

One made-up MORVANTIA contest log of YO2MVT (county TM), 2024-02-03,
16:00-19:59 UTC, written twice: as ADIF (yo2mvt-morvantia.adi) and as
Cabrillo 3.0 (yo2mvt-morvantia.cbr). The log works both bands in all five
modes, Romanian counties (the bonus ones XA..XF included) and foreign
stations, and holds the faults the plug-in has to catch: dupes, Romanian
stations with a county that does not exist, a QSO on 20 m, one in RTTY and
one without a received exchange.

The script also prints the figures it expects, counted from its own QSO list
with the contest rules (2 points a QSO, 4 with a Romanian station in XA..XF;
counties and country codes counted once per band and mode class), so the
plug-in's result can be compared with an independent count.

Run it from anywhere: python3 examples/make_examples.py
"""

import os
import random

OWN_CALL = "YO2MVT"
OWN_CODE = "TM"
HERE = os.path.dirname(os.path.abspath(__file__))

COUNTIES = ("AB AG AR BC BH BN BR BT BV BU BZ CJ CL CS CT CV DB DJ GJ GL GR HD HR "
            "IF IL IS MH MM MS NT OT PH SB SJ SM SV TL TM TR VS VL VN XA XB XC XD "
            "XE XF").split()
BONUS = set("XA XB XC XD XE XF".split())

# Foreign stations: call prefix, country code sent, DXCC entity.
FOREIGN = [
    ("DL", "DE", 230), ("DK", "DE", 230), ("HA", "HU", 239), ("LZ", "BG", 212),
    ("OK", "CZ", 503), ("OM", "SK", 504), ("SP", "PL", 269), ("UR", "UA", 288),
    ("ER", "MD", 179), ("S5", "SI", 499), ("9A", "HR", 497), ("YU", "RS", 296),
    ("I", "IT", 248), ("F", "FR", 227), ("G", "GB", 223), ("EA", "ES", 281),
    ("OE", "AT", 206), ("UA", "RU", 54), ("LY", "LT", 146), ("YL", "LV", 145),
]

rng = random.Random(20240203)


def suffix(length):
    return "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(length))


def make_stations():
    romanian, seen = [], set()
    for county in COUNTIES:
        for _ in range(3):
            while True:
                prefix = rng.choice(["YO2", "YO3", "YO4", "YO5", "YO6", "YO7", "YO8",
                                     "YO9", "YP8", "YQ6", "YR5"])
                call = prefix + suffix(rng.choice([2, 3, 3]))
                if call not in seen and call != OWN_CALL:
                    break
            seen.add(call)
            romanian.append({"call": call, "code": county, "dxcc": 275, "yo": True})
    # Two portable forms that are Romanian by their /YO part.
    romanian.append({"call": "DL5KW/YO", "code": "CJ", "dxcc": 275, "yo": True})
    romanian.append({"call": "YO/OK2TS", "code": "BV", "dxcc": 275, "yo": True})
    foreign = []
    for prefix, code, dxcc in FOREIGN:
        for _ in range(2):
            while True:
                call = prefix + str(rng.randint(1, 9)) + suffix(rng.choice([2, 3]))
                if call not in seen:
                    break
            seen.add(call)
            foreign.append({"call": call, "code": code, "dxcc": dxcc, "yo": False})
    return romanian, foreign


ROMANIAN, FOREIGN_STATIONS = make_stations()

# (band, mode class, [(mode, count)], frequency range in kHz)
SEGMENTS = [
    ("80m", "CW", [("CW", 64)], (3510, 3560)),
    ("80m", "SSB", [("SSB", 48)], (3700, 3775)),
    ("80m", "DIGI", [("BPSK31", 14), ("BPSK63", 10), ("BPSK125", 6)], (3580, 3586)),
    ("40m", "CW", [("CW", 62)], (7005, 7035)),
    ("40m", "SSB", [("SSB", 54)], (7060, 7190)),
    ("40m", "DIGI", [("BPSK31", 12), ("BPSK63", 10), ("BPSK125", 8)], (7036, 7040)),
]


def build_qsos():
    qsos = []
    for band, mode_class, modes, (low, high) in SEGMENTS:
        total = sum(count for _, count in modes)
        # Mostly Romanian stations, as in a Romanian contest; a station is
        # worked once per band and mode class (a PSK station in one speed only,
        # since Cabrillo cannot tell the speeds apart).
        n_foreign = total // 4
        stations = rng.sample(ROMANIAN, total - n_foreign) + rng.sample(FOREIGN_STATIONS, n_foreign)
        rng.shuffle(stations)
        modes_list = [mode for mode, count in modes for _ in range(count)]
        for station, mode in zip(stations, modes_list):
            qsos.append({
                "station": station, "band": band, "mode": mode, "class": mode_class,
                "khz": rng.randint(low, high), "serial": rng.randint(1, 180),
                "fault": None,
            })
    return qsos


QSOS = build_qsos()


def insert(position, qso):
    QSOS.insert(position, qso)


def like(index, **changes):
    qso = dict(QSOS[index])
    qso.update(changes)
    return qso


# Dupes: the same call, band and mode worked again a little later.
insert(20, like(5, serial=QSOS[5]["serial"], fault="dupe"))
insert(41, like(33, fault="dupe"))
insert(140, like(125, fault="dupe"))
insert(230, like(215, fault="dupe"))
# Romanian stations whose county does not exist: a typo and the old code of
# Constanta (the list has CT).
insert(60, like(55, station={"call": "YO4QQB", "code": "QQ", "dxcc": 275, "yo": True},
                fault="county"))
insert(180, like(170, station={"call": "YO4CNX", "code": "CN", "dxcc": 275, "yo": True},
                 fault="county"))
# Outside the contest: a 20 m QSO and an RTTY QSO.
insert(100, like(99, band="20m", khz=14032, mode="CW", fault="band"))
insert(120, like(118, band="80m", khz=3590, mode="RTTY", fault="mode",
                 station={"call": "LZ2RTY", "code": "BG", "dxcc": 212, "yo": False}))
# Worked, but the exchange was never logged.
insert(260, like(255, station={"call": "YO7NEX", "code": "", "dxcc": 275, "yo": True},
                 fault="exchange"))

# Times: 16:00 on, one QSO every 15 to 70 seconds, kept in order; serials
# sent count every logged QSO.
t = 16 * 3600
for number, qso in enumerate(QSOS, start=1):
    t += rng.randint(15, 70)
    qso["seconds"] = t
    qso["sent"] = number
    qso["style"] = rng.choice(["srx_state", "srx_string_blank", "srx_string_joined", "srx_and_string"])
assert t < 20 * 3600, "the log runs past the end of the contest"


def time_text(qso, with_seconds):
    h, rest = divmod(qso["seconds"], 3600)
    m, s = divmod(rest, 60)
    return f"{h:02d}{m:02d}{s:02d}" if with_seconds else f"{h:02d}{m:02d}"


def reports(qso):
    phone = qso["mode"] == "SSB"
    sent = "59" if phone else "599"
    rcvd = rng.choice(["59", "59", "57"]) if phone else rng.choice(["599", "599", "579"])
    return sent, rcvd


def adif_field(name, value):
    value = str(value)
    return f"<{name}:{len(value.encode('latin-1'))}>{value}"


def adif_mode(qso):
    mode = qso["mode"]
    if mode == "SSB":
        return [("MODE", "SSB"), ("SUBMODE", "LSB")] if qso["sent"] % 3 else [("MODE", "SSB")]
    if mode.startswith("BPSK"):
        speed = mode[4:]
        # Older loggers write the speed as the mode itself.
        if qso["sent"] % 5 == 0:
            return [("MODE", "PSK" + speed)]
        return [("MODE", "PSK"), ("SUBMODE", "PSK" + speed)]
    return [("MODE", mode)]


def adif_exchange(qso):
    st = qso["station"]
    if not st["code"]:
        return []
    serial = qso["serial"]
    style = qso["style"]
    if style == "srx_state":
        fields = [("SRX", serial)]
        fields += [("STATE", st["code"])] if st["yo"] else [("SRX_STRING", st["code"])]
        return fields
    if style == "srx_string_blank":
        return [("SRX_STRING", f"{serial:03d} {st['code']}")]
    if style == "srx_string_joined":
        return [("SRX_STRING", f"{serial:03d}{st['code']}")]
    return [("SRX", serial), ("SRX_STRING", f"{serial:03d} {st['code']}")]


def write_adif(path):
    lines = [
        "MORVANTIA contest 2024 - example log of YO2MVT, made up for morvantia-score",
        adif_field("ADIF_VER", "3.1.4") + " " + adif_field("PROGRAMID", "make_examples.py")
        + " " + adif_field("CREATED_TIMESTAMP", "20240204 081500"),
        "<EOH>",
        "",
    ]
    for qso in QSOS:
        st = qso["station"]
        sent_rst, rcvd_rst = reports(qso)
        qso["rst"] = (sent_rst, rcvd_rst)
        band = qso["band"].upper() if qso["sent"] % 4 else qso["band"]
        fields = [("CALL", st["call"]), ("QSO_DATE", "20240203"),
                  ("TIME_ON", time_text(qso, qso["sent"] % 2 == 0)),
                  ("BAND", band), ("FREQ", f"{qso['khz'] / 1000:.3f}")]
        fields += adif_mode(qso)
        fields += [("RST_SENT", sent_rst), ("RST_RCVD", rcvd_rst),
                   ("STX", qso["sent"]), ("STX_STRING", f"{qso['sent']:03d} {OWN_CODE}")]
        fields += adif_exchange(qso)
        fields += [("DXCC", st["dxcc"]), ("STATION_CALLSIGN", OWN_CALL),
                   ("OPERATOR", OWN_CALL), ("MY_NAME", "Mara Dinu"), ("MY_CITY", "Timisoara")]
        lines.append(" ".join(adif_field(n, v) for n, v in fields) + " <EOR>")
    with open(path, "w", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


CABRILLO_MODE = {"CW": "CW", "SSB": "PH", "BPSK31": "PK", "BPSK63": "PK", "BPSK125": "PK",
                 "RTTY": "RY"}


def write_cabrillo(path, claimed):
    lines = [
        "START-OF-LOG: 3.0",
        "CONTEST: MORVANTIA",
        f"CALLSIGN: {OWN_CALL}",
        "LOCATION: DX",
        "CATEGORY-OPERATOR: SINGLE-OP",
        "CATEGORY-ASSISTED: NON-ASSISTED",
        "CATEGORY-BAND: ALL",
        "CATEGORY-MODE: MIXED",
        "CATEGORY-POWER: LOW",
        "CATEGORY-STATION: FIXED",
        "CATEGORY-TRANSMITTER: ONE",
        f"CLAIMED-SCORE: {claimed}",
        f"OPERATORS: {OWN_CALL}",
        "NAME: Mara Dinu",
        "ADDRESS-CITY: Timisoara",
        "ADDRESS-COUNTRY: Romania",
        "CREATED-BY: make_examples.py",
        "SOAPBOX: Example log made up for morvantia-score.",
    ]
    for qso in QSOS:
        st = qso["station"]
        sent_rst, rcvd_rst = qso["rst"]
        exch_sent = f"{qso['sent']:03d} {OWN_CODE}"
        exch_rcvd = f"{qso['serial']:03d} {st['code']}" if st["code"] else ""
        h, rest = divmod(qso["seconds"], 3600)
        hhmm = f"{h:02d}{rest // 60:02d}"
        line = (f"QSO: {qso['khz']:5d} {CABRILLO_MODE[qso['mode']]:>2} 2024-02-03 {hhmm} "
                f"{OWN_CALL:<13} {sent_rst:<3} {exch_sent:<6} {st['call']:<13} {rcvd_rst:<3} "
                f"{exch_rcvd}")
        lines.append(line.rstrip())
    lines.append("END-OF-LOG:")
    with open(path, "w", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


def expected_figures():
    """The contest rules applied to the QSO list, independently of the plug-in."""
    bands = {}
    stored = []  # QSOs the plug-in keeps (the refused ones never reach the store)
    for qso in QSOS:
        if qso["fault"] in ("band", "mode", "exchange"):
            continue
        stored.append(qso)
    dupes = sum(1 for q in stored if q["fault"] == "dupe")
    bad_county = sum(1 for q in stored if q["fault"] == "county")
    for qso in stored:
        row = bands.setdefault(qso["band"], {"qsos": 0, "points": 0, "counties": set(),
                                             "countries": set(), "CW": 0, "SSB": 0, "DIGI": 0})
        if qso["fault"] in ("dupe", "county"):
            continue
        st = qso["station"]
        row["qsos"] += 1
        row[qso["class"]] += 1
        row["points"] += 4 if st["yo"] and st["code"] in BONUS else 2
        (row["counties"] if st["yo"] else row["countries"]).add((qso["class"], st["code"]))
    total = {"qsos": 0, "points": 0, "counties": 0, "countries": 0}
    for band in ("80m", "40m"):
        row = bands[band]
        print(f"{band}: qsos {row['qsos']}, points {row['points']}, counties {len(row['counties'])}, "
              f"countries {len(row['countries'])}, DIGI {row['DIGI']}, CW {row['CW']}, SSB {row['SSB']}")
        total["qsos"] += row["qsos"]
        total["points"] += row["points"]
        total["counties"] += len(row["counties"])
        total["countries"] += len(row["countries"])
    refused = sum(1 for q in QSOS if q["fault"] in ("band", "mode", "exchange"))
    # The bad-QSO file: its header, one line per refused QSO, per bad county
    # and per dupe; the summary shows lines - dupes - 1.
    bad_shown = (1 + refused + bad_county + dupes) - dupes - 1
    score = total["points"] * (total["counties"] + total["countries"])
    print(f"total: qsos {total['qsos']}, points {total['points']}, counties {total['counties']}, "
          f"countries {total['countries']}")
    print(f"logged {len(QSOS)}, refused {refused}, dupes {dupes}, bad county {bad_county}, "
          f"bad QSOs shown {bad_shown}, score {score}")
    return score


if __name__ == "__main__":
    write_adif(os.path.join(HERE, "yo2mvt-morvantia.adi"))
    claimed = expected_figures()
    write_cabrillo(os.path.join(HERE, "yo2mvt-morvantia.cbr"), claimed)
