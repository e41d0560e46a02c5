#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

The log seeds are small pieces of the bundled examples plus hand-made
corners. The seeds of fuzz_entry_points and fuzz_profile are call sequences
in the byte layout their targets read with libFuzzer's FuzzedDataProvider:
texts from the front of the input, numbers and choices from its end, so a
change to what those targets consume calls for a run of this script.

Run it from anywhere: python3 fuzz/make_seeds.py
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
CORPUS = os.path.join(HERE, "corpus")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def example(name):
    with open(os.path.join(ROOT, "examples", name), "rb") as f:
        return f.read().decode("latin-1")


# Logs ------------------------------------------------------------------------

def adif_seeds():
    lines = example("yo2mvt-morvantia.adi").split("\n")
    header = "\n".join(lines[:4]) + "\n"
    records = [line for line in lines if line.startswith("<CALL:")]
    seeds = {
        "example-head.adi": header + "\n".join(records[:4]) + "\n",
        "no-header.adi": "\n".join(records[10:12]) + "\n",
        "truncated.adi": header + records[20] + "\n" + records[21][:60],
        "lower-case-and-types.adi": "<call:6>YO5ABC<Band:3:E>80M<mode:2:s>CW"
                                    "<qso_date:8:d>20240203<time_on:4>1600<eor>",
        "data-holds-tags.adi": "<COMMENT:12>a<EOR>b\r\nc<d> <CALL:4>YO9Z <EOR>",
        "bad-length.adi": "<EOH><CALL:x>YO5A <EOR><CALL:99>YO6B<EOR>",
        "bom.adi": "\xef\xbb\xbf<CALL:4>YO5A <QSO_DATE:8>20240203 <TIME_ON:6>160055 "
                   "<FREQ:5>7.010 <MODE:3>PSK <SUBMODE:5>PSK63 <SRX:2>12 <STATE:2>XA <EOR>",
    }
    for name, text in seeds.items():
        write("fuzz_adif", name, text)
        write("fuzz_cabrillo", name, text)


def adx_seeds():
    record = ("<RECORD><CALL>YO4IBJ</CALL><QSO_DATE>20240203</QSO_DATE>"
              "<TIME_ON>1600</TIME_ON><BAND>80M</BAND><FREQ>3.550</FREQ><MODE>CW</MODE>"
              "<STX>1</STX><SRX_STRING>159 DJ</SRX_STRING>"
              "<APP PROGRAMID=\"LOG\" FIELDNAME=\"NOTE\">a &amp; b &#x41;</APP>"
              "<USERDEF FIELDNAME='MY_CODE'>TM</USERDEF><NOTES/></RECORD>\n")
    seeds = {
        "example.adx": "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ADX>\n<HEADER>"
                       "<ADIF_VER>3.1.4</ADIF_VER></HEADER>\n<RECORDS>\n" + record * 2 +
                       "</RECORDS>\n</ADX>\n",
        "comment-and-entities.adx": "<ADX><RECORDS><record><!-- note --><call>YO3HD</call>"
                                    "<comment>&lt;&gt;&quot;&apos;&#233;&#x20AC;</comment>"
                                    "</record></RECORDS></ADX>",
        "broken.adx": "<ADX><RECORDS><RECORD><CALL>YO3HD</CAL></RECORD>"
                      "<RECORD><CALL>&bogus;</CALL></RECORD><RECORD>text</RECORD>"
                      "<RECORD><CALL>YO9",
    }
    for name, text in seeds.items():
        write("fuzz_adx", name, text)
        write("fuzz_cabrillo", name, text)


def cabrillo_seeds():
    lines = example("yo2mvt-morvantia.cbr").split("\n")
    head = [line for line in lines if not line.startswith("QSO:")][:-2]
    qsos = [line for line in lines if line.startswith("QSO:")]
    modes = {}
    for line in qsos:
        modes.setdefault(line.split()[2], line)
    seeds = {
        "example-head.cbr": "\n".join(head + qsos[:3] + list(modes.values())) +
                            "\nEND-OF-LOG:\n",
        "crlf-no-start.cbr": "\r\n".join(qsos[40:43]) + "\r\n",
        "exchange-forms.cbr": "START-OF-LOG: 3.0\n"
            "QSO: 7010 CW 2024-02-03 1600 YO2MVT 599 001TM DL1ABC 599 002 DE\n"
            "QSO: 40m PH 2024-02-03 1601 YO2MVT 002 TM YO/OK2TS 19 BV 1\n"
            "QSO: 3.5G RY 2024-13-03 2460 YO2MVT 003 TM 4X1AB\n"
            "QSO 3550 CW\nADDRESS: Str. 1\nADDRESS: Timisoara\nSOAPBOX: one\nSOAPBOX: two\n"
            "END-OF-LOG:\n",
    }
    for name, text in seeds.items():
        write("fuzz_cabrillo", name, text)


def country_file_seeds():
    romania = ("Romania:                  20:  28:  EU:   45.78:   -24.70:    -2.0:  YO:\n"
               "    YO,YP,YQ,YR,=YO9HQ(15);\n")
    seeds = {
        "small.dat": romania +
            "Fed. Rep. of Germany:     14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
            "    DA,DB,DC,DD,DE,DF,DG,DH,DI,DJ,DK,DL,DM,DN,DO,DP,DQ,DR,=YO9ZZZ;\n"
            "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
            "    IB9,ID9,IE9,IF9,II9,IJ9,IO9,IQ9,IR9,IT9,IU9,IW9,IY9;\n",
        "overrides.dat": "United States:            05:  08:  NA:   37.53:    91.67:     5.0:  K:\n"
                         "    AA,K,N,W,=K1ABC(4)[7]<1.0/2.0>{NA}~-5.0~,=W1AW/4;\n",
        "broken.dat": romania + "No prefix list:  1:  2:  EU:  0:  0:  0:  XX:\n    XX,XY\n",
    }
    for name, text in seeds.items():
        write("fuzz_country_file", name, text)


# Call sequences ---------------------------------------------------------------

class Input:
    """Bytes in FuzzedDataProvider's layout: strings are read from the front,
    integers from the end, the first integer byte read being the last one."""

    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()

    def string(self, text):
        self.front += text.encode("latin-1").replace(b"\\", b"\\\\") + b"\\ "

    def integer(self, value, low, high):
        span = high - low
        count = 0
        while count < 8 and span >> (8 * count) > 0:
            count += 1
        self.back += (value - low).to_bytes(count, "big") if count else b""

    def boolean(self, value):
        self.integer(1 if value else 0, 0, 255)

    def i32(self, value):
        self.integer(value, -2**31, 2**31 - 1)

    def u32(self, value):
        self.integer(value, 0, 2**32 - 1)

    def double(self):
        self.back += bytes(9)  # any value: the plug-in ignores these

    def data(self):
        return bytes(self.front) + bytes(reversed(self.back))


# fuzz_entry_points: the choices its Texts, dateTime and call switch make.
TYPICAL = ["80m", "40m", "80M", "40M", "20m", "CW", "SSB", "BPSK31", "BPSK63", "BPSK125",
           "RTTY", "YO", "DL", "UA", "YO3AAA", "YO9ZZ", "DL1ABC", "599", "59", "001",
           "012AB", "012 AB", "12AB", "AB", "XA", "XF", "BU", "2.19", "2.20", "2.18"]
OP = {"reset": 0, "add": 1, "remove": 4, "check": 5, "exchange": 6, "result": 7,
      "version": 8, "sets": 9, "setup": 10, "folder": 11}
CONTEST_DAY = (45325 - 43500) * 86400  # 2024-02-03 in seconds from the base


class Calls(Input):
    def __init__(self):
        super().__init__()
        self.added = 0  # QSOs the plug-in stored, which a removal may name again

    def op(self, name):
        self.integer(OP[name], 0, 11)

    def text(self, value):
        if value is None:
            self.integer(0, 0, 15)
        elif value == "":
            self.integer(1, 0, 15)
        elif value in TYPICAL:
            self.integer(3, 0, 15)
            self.integer(TYPICAL.index(value), 0, len(TYPICAL) - 1)
        else:
            self.integer(7, 0, 15)
            self.string(value)

    def long_text(self, fill, length_index=7):  # 7: the 70000 bytes
        self.integer(2, 0, 15)
        self.integer(length_index, 0, 7)
        self.integer(ord(fill), 0, 255)

    def time(self, seconds=None, status=0):
        if seconds is None:
            self.integer(0, 0, 4)
            return
        self.integer(3, 0, 4)
        self.integer(CONTEST_DAY + seconds, 0, 3000 * 86400)
        self.boolean(True)
        self.integer(status, 0, 2)
        self.i32(0)

    def reset(self, call="YO3AAA", prefix="YO", report=0, folder="./"):
        self.op("reset")
        self.text(folder)
        self.boolean(report != 0)
        if report:
            self.i32(report)
        self.text(call)
        self.time(16 * 3600)
        self.time(20 * 3600)
        self.text("stored")
        self.text(prefix)
        self.i32(0)
        self.double()

    def qso(self, call, band="80m", mode="CW", sent="001", received="012AB", prefix="YO",
            at=16 * 3600 + 60, hz=3550000, remove=False):
        self.op("remove" if remove else "add")
        if remove and self.added:
            self.boolean(False)  # a fresh QSO, not one added before
        self.time(at)
        self.boolean(False)
        self.u32(hz)
        for value in ("YO3AAA", call, mode, "599", "599", sent, received, prefix, band,
                      "stored"):
            self.text(value)
        self.after_qso()
        stored = (band or "").lower() in ("80m", "40m") and (mode or "").upper() in (
            "CW", "SSB", "BPSK31", "BPSK63", "BPSK125") and sent and received
        if not remove and stored:
            self.added = min(self.added + 1, 8)

    def remove_added(self, index):
        self.op("remove")
        self.boolean(True)
        self.integer(index, 0, self.added - 1)
        self.after_qso()

    def after_qso(self):
        for _ in range(3):
            self.time()
        self.u32(0)
        self.i32(0)
        self.double()

    def check(self, call, band="80m", mode="CW", second_band="80m"):
        self.op("check")
        for value in (call, mode, "", band, second_band):
            self.text(value)
        self.u32(0)
        self.i32(0)
        self.double()

    def exchange(self, field, index):
        self.op("exchange")
        self.text(field)
        self.boolean(True)
        self.integer(index, -1, 2)
        self.i32(0)

    def result(self, with_score=True):
        self.op("result")
        self.integer(1 if with_score else 0, 0, 7)

    def folder(self, kind, content=""):
        self.op("folder")
        self.integer(kind, 0, 3)
        if kind in (0, 1):
            self.string(content)


def entry_point_seeds():
    def scoring():
        c = Calls()
        c.reset()
        c.qso("YO9ZZ")
        c.qso("YO9ZZ", at=16 * 3600 + 120)  # dupe
        c.qso("DL1ABC", received="005DE", prefix="DL", band="40m", hz=7010000)
        c.qso("YO4XYZ", received="007QQ", mode="SSB")  # no such county
        c.qso("YO5AAA", band="20m")  # wrong band
        c.qso("YO6BBB", mode="RTTY")  # wrong mode
        c.qso("YO7CCC", received="")  # no exchange
        c.check("YO9ZZ")
        c.check("YO9ZZ", second_band="40m")
        c.exchange("012AB", 0)
        c.exchange("AB", 1)
        c.exchange("012", 0)
        c.exchange("AB", 1)
        c.result()
        c.remove_added(0)
        c.qso("DL1ABC", prefix="DL", remove=True)  # not in the log
        c.result()
        return c

    def export():
        c = Calls()
        c.folder(1, "[Settings]\r\nMy_Country=TM\r\nName=Ion Pop\r\nSoapBox=a<CR><LF>b\r\n")
        c.op("version")
        c.text("2.21")
        c.reset(call="YO3AAA/P", report=1)
        c.qso("YO9ZZ", received="002XA")
        c.qso("DL1ABC", received="005 DE", prefix="DL", mode="BPSK31")
        c.result()
        return c

    def hostile():
        c = Calls()
        c.result(with_score=False)
        c.qso(None, band=None, mode=None, sent=None, received=None, prefix=None)
        c.check(None, band=None, mode=None, second_band=None)
        c.op("sets")
        c.i32(-7)
        c.op("setup")
        c.exchange(None, 2)
        c.op("reset")
        c.text(None)
        c.boolean(False)
        c.long_text("Y")
        c.time()
        c.time()
        c.text(None)
        c.text(None)
        c.i32(0)
        c.double()
        c.result()
        return c

    def old_host():
        c = Calls()
        c.folder(0, "2.19")
        c.reset()
        c.qso("YO9ZZ")
        c.check("YO9ZZ", band="20m")
        c.folder(2)  # no Plugins folder: INI writes fail
        c.qso("YO9ZZ", at=17 * 3600)
        c.result()
        c.folder(3)
        c.result()
        return c

    for name, build in (("scoring", scoring), ("export", export), ("hostile", hostile),
                        ("old-host", old_host)):
        write("fuzz_entry_points", name, build().data())


def profile_seeds():
    settings = "[Settings]\r\nMy_Country=TM\r\nStart=1\r\n[Other]\r\nKey = value \r\n"
    cases = {
        # name: section, key, value, probes, buffer size, file
        "settings": ("Settings", "My_Country", "BU", [("Settings", "Start"), ("Other", "key")],
                     100, settings),
        "new-section": ("Fresh", "Key", "v", [("Settings", "My_Country")], 3, settings),
        "quotes-and-blanks": ("S", "K", "\"q\"", [("S", "K2")], 5,
                              "\xef\xbb\xbf[S]\r\n K2 = 'x' \r\nK\r\n;comment=1\r\n"),
        "line-break-value": ("S", "K", "a\r\n[T]\r\nB=1", [("T", "B")], 100,
                             "top=1\n[S]\rK=old\n[T]\nB=2"),
        "odd-headers": ("a]b", "K", "v", [("a]b", "J"), ("S", "K")], 100,
                        "[a]b] junk\r\nJ=1\r\n[S\r\nK=2\r\n[]\r\nX=3\r\n"),
    }
    for name, (section, key, value, probes, size, content) in cases.items():
        seed = Input()
        seed.string(section)
        seed.string(key)
        seed.string(value)
        seed.integer(len(probes), 0, 4)
        for probe_section, probe_key in probes:
            seed.string(probe_section)
            seed.string(probe_key)
        seed.integer(size, 0, 120)
        seed.front += content.encode("latin-1")
        write("fuzz_profile", name, seed.data())


def main():
    adif_seeds()
    adx_seeds()
    cabrillo_seeds()
    country_file_seeds()
    entry_point_seeds()
    profile_seeds()


if __name__ == "__main__":
    main()
