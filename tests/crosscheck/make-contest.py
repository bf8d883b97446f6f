#!/usr/bin/env python3
"""Makes a whole synthetic PSK-63-TORVALE contest for the cross-check: stations on one 24-hour
timeline from Saturday 12:00 UTC, every QSO logged by both sides with serial numbers counted by
each station, then known faults injected into chosen QSOs. Writes the submitted logs as Cabrillo
files into OUT/logs and the decision every QSO line must get into OUT/truth.csv.

Faults, each in a QSO of its own and chosen so that no two can explain each other:
  missing       one side did not log the QSO: the other side's QSO is not in log
  busted        one side logged the other's call with one character wrong (a call nobody has):
                busted call naming the right call; the other side confirmed
  busted-twin   the same, but the wrong call is another submitter's (one character apart)
  busted-lone   a busted call of a station that did not submit: only that log names it, unique
  wrong-serial  one side copied a wrong serial: wrong serial received; the other side confirmed
  time-inside   one side's clock off by 1 to TOLERANCE minutes: both confirmed
  time-outside  one side's clock off by more than TOLERANCE minutes: both not in log
  band          one side logged the other band: band mismatch on both sides
  wrong-mode    one side logged the QSO in RY: not the contest's mode; the other side not in log
  own-call      one of two submitters whose calls are one character apart logged its own call for
                the other's: busted call naming the right call; the other side confirmed
  double-bust   (--double-busts) each side logged the other's call with one character wrong: busted
                call on both sides, each naming the other's call
  dropped       (--portables) a partner of a station signing EA8/CALL or CALL/QRP logged only CALL:
                busted call naming the call signed; the station that signed it confirmed
Whole stations and QSOs get faults of their own besides:
  --clock-offsets  a station's clock off by 4 to 15 minutes (the first by an hour): once the
                   offset is taken out, every QSO as if the clock had been right
  --header-calls   a station whose QSO lines (and partners) send CALL/P under CALLSIGN: CALL
  --portables      a station signing EA8/CALL or CALL/QRP (its CALLSIGN too), one QSO of each
                   with a partner who dropped the indicator
  --single-band    an entry of one band: its QSOs on the other band are not the entry's band
  --outside        QSOs before the start or after the end: outside the contest period
  --twenty         QSOs on 20 m: not a contest band
  --utf16, --cr-only  files written in UTF-16 (half with a byte order mark) or with CR line ends
Checklogs (one log in ten) confirm the others' QSOs as any log; CLAIMED-SCORE is written in most
logs, and must come back as written.
Stations that did not submit are worked like the others; a QSO with one is "not submitted",
or "unique" when only one log names that call. Some submitters also sent an older file, which
must be passed over. The same seed gives the same files, byte for byte.
"""

import argparse
import csv
import datetime
import os
import random
import string
import sys

START = datetime.datetime(2025, 3, 15, 12, 0)
MINUTES = 24 * 60
BANDS = {"80m": (3_580, 3_600), "40m": (7_040, 7_060)}
OTHER_BANDS = {"20m": (14_070, 14_090)}
PREFIXES = ["DL", "DK", "OK", "OM", "SP", "HA", "S5", "9A", "OE", "HB9", "F", "G", "EI", "ON", "PA", "I", "EA",
            "CT", "LZ", "YO", "YU", "UR", "ES", "YL", "LY", "OH", "SM", "LA", "OZ", "SV", "K", "W", "VE", "JA"]
CATEGORIES = ["SINGLE-OP"] * 7 + ["MULTI-OP"] * 2 + ["CHECKLOG"]
FAULT_KINDS = ["missing", "busted", "busted-twin", "busted-lone", "wrong-serial", "time-inside", "time-outside",
               "band", "wrong-mode"]
FILE_TIME = 1_742_040_000  # every newest file's modification time: the run does not depend on the clock


def new_call(rng, taken):
    while True:
        call = rng.choice(PREFIXES) + str(rng.randrange(10)) + "".join(
            rng.choice(string.ascii_uppercase) for _ in range(rng.choice((2, 3, 3))))
        if call not in taken:
            taken.add(call)
            return call


def one_character_off(rng, call, taken):
    """A call one replacement away whose letters and digits stay letters and digits."""
    while True:
        at = rng.randrange(len(call))
        pool = string.digits if call[at].isdigit() else string.ascii_uppercase
        wrong = call[:at] + rng.choice(pool.replace(call[at], "")) + call[at + 1:]
        if wrong not in taken:
            return wrong


class Contest:
    def __init__(self, args):
        self.rng = random.Random(args.seed)
        self.tolerance = args.tolerance
        taken = set()
        twins = max(1, args.logs // 20)
        self.submitters = [new_call(self.rng, taken) for _ in range(args.logs - twins)]
        # Twins: submitters whose call is one character from another submitter's.
        for base in self.rng.sample(self.submitters, twins):
            twin = one_character_off(self.rng, base, taken)
            taken.add(twin)
            self.submitters.append(twin)
        # Stations whose lines send CALL/P: known to every partner by that call.
        for at in self.rng.sample(range(len(self.submitters)), min(args.header_calls, len(self.submitters))):
            self.submitters[at] += "/P"
            taken.add(self.submitters[at])
        # Stations signing a portable prefix or indicator, their home call known to nobody else.
        self.portables = []
        if args.portables:
            plain = [i for i, call in enumerate(self.submitters) if "/" not in call]
            for n, at in enumerate(self.rng.sample(plain, min(args.portables, len(plain)))):
                home = self.submitters[at]
                self.submitters[at] = "EA8/" + home if n % 2 == 0 else home + "/QRP"
                taken.add(self.submitters[at])
                self.portables.append((self.submitters[at], home))
        self.silent = [new_call(self.rng, taken) for _ in range(args.non_submitters)]
        self.rare = [new_call(self.rng, taken) for _ in range(args.uniques)]
        self.taken = taken
        self.submitting = set(self.submitters)
        # Two QSOs of a pair on a band (a dupe) lie further apart than any clock fault can move
        # one, so that no fault makes them stand for each other.
        self.gap = 2 * (self.tolerance + 30)
        self.events = []  # [a, b, band, minute]
        self.busy = {}
        self.pair_minutes = {}  # (a, b, band), a < b: the minutes of their QSOs
        stations = self.submitters + self.silent
        logged, target = 0, args.qsos_per_log * len(self.submitters)
        while logged < target:
            a, b = self.rng.choice(stations), self.rng.choice(stations)
            if self.add_event(a, b):
                logged += (a in self.submitting) + (b in self.submitting)
        for station in self.rare:
            while not self.add_event(self.rng.choice(self.submitters), station):
                pass
        self.twin_pairs = []
        for twin in self.submitters[len(self.submitters) - twins:]:
            for base in self.submitters:
                if base != twin and len(base) == len(twin) and sum(x != y for x, y in zip(base, twin)) == 1:
                    self.twin_pairs.append((base, twin))
                    for _ in range(3):
                        while not self.add_event(base, twin):
                            pass
                    break
        for count, minutes, band in ((args.outside, list(range(-40, -1)) + list(range(MINUTES, MINUTES + 40)), None),
                                     (args.twenty, None, "20m")):
            added = 0
            while added < count:
                a, b = self.rng.sample(self.submitters, 2)
                if self.add_event(a, b, band=band, minute=self.rng.choice(minutes) if minutes else None):
                    added += 1

    def add_event(self, a, b, band=None, minute=None):
        band = band or self.rng.choice(sorted(BANDS))
        minute = self.rng.randrange(MINUTES) if minute is None else minute
        if a == b or self.meets(a, b, band, minute):
            return False
        busy_a, busy_b = self.busy.setdefault(a, set()), self.busy.setdefault(b, set())
        if minute in busy_a or minute in busy_b:
            return False
        busy_a.add(minute)
        busy_b.add(minute)
        self.pair_minutes.setdefault((min(a, b), max(a, b), band), []).append(minute)
        self.events.append((a, b, band, minute))
        return True

    def meets(self, a, b, band, minute):
        """Whether a and b have a QSO on band less than the gap away from minute."""
        return any(abs(m - minute) <= self.gap for m in self.pair_minutes.get((min(a, b), max(a, b), band), ()))

    def serials(self):
        """Each station numbers its QSOs in the order it made them."""
        per_station = {}
        for index, (a, b, _, minute) in enumerate(self.events):
            per_station.setdefault(a, []).append((minute, index))
            per_station.setdefault(b, []).append((minute, index))
        serial = {}
        for station, made in per_station.items():
            for number, (_, index) in enumerate(sorted(made), start=1):
                serial[(index, station)] = "%04d" % number
        return serial

    def sides(self):
        """Every QSO as its two logged halves (None for a station that did not submit)."""
        serial = self.serials()
        for index, (a, b, band, minute) in enumerate(self.events):
            halves = []
            for own, other in ((a, b), (b, a)):
                if own not in self.submitting:
                    halves.append(None)
                    continue
                low, high = {**BANDS, **OTHER_BANDS}[band]
                decision = None
                if band not in BANDS:
                    decision = "not a contest band"
                elif not 0 <= minute < MINUTES:
                    decision = "outside the contest period"
                halves.append({"own": own, "call": other, "band": band, "minute": minute,
                               "khz": self.rng.randrange(low, high), "sent": serial[(index, own)],
                               "rcvd": serial[(index, other)], "decision": decision, "right": "",
                               "fault": "clean" if decision is None else "rule", "partner": other, "mode": "PM"})
            yield index, halves


def other_band(band):
    return "40m" if band == "80m" else "80m"


def inject(contest, events, args):
    """Puts args.faults faults into the halves, cycling through the kinds, then the own-call
    faults, the double busts and the dropped indicators; returns how many went in."""
    wanted = args.faults
    rng = contest.rng
    tol = contest.tolerance
    # Each call's first submitter (in the submitters' order) one character off, found through the
    # call with each character blanked out: comparing every pair takes hours for 50,000 logs.
    order_of = {call: i for i, call in enumerate(contest.submitters)}
    blanked = {}
    for call in contest.submitters:
        for i in range(len(call)):
            blanked.setdefault((call[:i], call[i + 1:]), []).append(call)
    twin_of = {}
    for call in contest.submitters:
        near = {other for i in range(len(call)) for other in blanked[(call[:i], call[i + 1:])] if other != call}
        if near:
            twin_of[call] = min(near, key=order_of.get)
    # With no tolerance no clock difference is inside it.
    kinds = [k for k in FAULT_KINDS if tol > 0 or k != "time-inside"]
    order = list(events)
    rng.shuffle(order)
    injected = 0
    kind_at = 0
    for index, halves in order:
        if injected >= wanted:
            break
        kind = kinds[kind_at % len(kinds)]
        both = halves[0] is not None and halves[1] is not None
        if any(h is not None and h["fault"] != "clean" for h in halves):
            continue
        lone = (halves[0] is None) != (halves[1] is None)
        if kind == "busted-lone":
            if not lone:
                continue
            side = halves[0] if halves[0] else halves[1]
        else:
            if not both:
                continue
            side, other = (halves[0], halves[1]) if rng.random() < 0.5 else (halves[1], halves[0])
        band = side["band"]
        a, b = side["own"], side["call"]
        if kind == "missing":
            halves[halves.index(side)] = None
            other["decision"], other["fault"] = "not in log", "missing"
        elif kind in ("busted", "busted-lone"):
            wrong = one_character_off(rng, b, contest.taken)
            contest.taken.add(wrong)
            side["call"] = wrong
            side["decision"], side["right"], side["fault"] = ("busted call", b, kind) if kind == "busted" else (
                "unique", "", kind)
            if kind == "busted":
                other["decision"], other["fault"] = "confirmed", "busted-other"
        elif kind == "busted-twin":
            twin = twin_of.get(b)
            if twin is None or twin == a or contest.meets(a, twin, band, side["minute"]):
                continue
            side["call"] = twin
            side["decision"], side["right"], side["fault"] = "busted call", b, kind
            other["decision"], other["fault"] = "confirmed", "busted-other"
        elif kind == "wrong-serial":
            side["rcvd"] = "%04d" % ((int(side["rcvd"]) + rng.randrange(1, 9000)) % 10000)
            side["decision"], side["fault"] = "wrong serial received", kind
            other["decision"], other["fault"] = "confirmed", "wrong-serial-other"
        elif kind in ("time-inside", "time-outside"):
            offset = rng.randrange(1, tol + 1) if kind == "time-inside" else rng.randrange(tol + 1, tol + 30)
            if rng.random() >= 0.5:
                offset = -offset
            # A time moved out of the contest period would be that, not a clock fault.
            if not 0 <= side["minute"] + offset < MINUTES:
                offset = -offset
            if not 0 <= side["minute"] + offset < MINUTES:
                continue
            side["minute"] += offset
            decision = "confirmed" if kind == "time-inside" else "not in log"
            side["decision"] = other["decision"] = decision
            side["fault"] = other["fault"] = kind
        elif kind == "wrong-mode":
            side["mode"] = "RY"
            side["decision"], side["fault"] = "not the contest's mode", kind
            other["decision"], other["fault"] = "not in log", "wrong-mode-other"
        elif kind == "band":
            # Not near a QSO of the pair on the other band: that one could explain this one.
            if contest.meets(a, b, other_band(band), side["minute"]):
                continue
            side["band"] = other_band(band)
            low, high = BANDS[side["band"]]
            side["khz"] = rng.randrange(low, high)
            side["decision"] = other["decision"] = "band mismatch"
            side["fault"] = other["fault"] = kind
        injected += 1
        kind_at += 1
    # One own-call fault in a QSO of each pair of twins that worked each other.
    pairs = set(contest.twin_pairs) | {(b, a) for a, b in contest.twin_pairs}
    done = set()
    for index, halves in order:
        if None in halves or any(h["fault"] != "clean" for h in halves):
            continue
        side, other = halves
        key = frozenset((side["own"], side["call"]))
        if (side["own"], side["call"]) not in pairs or key in done or side["decision"] is not None:
            continue
        done.add(key)
        side["right"], side["call"] = side["call"], side["own"]
        side["decision"], side["fault"] = "busted call", "own-call"
        other["decision"], other["fault"] = "confirmed", "busted-other"
        injected += 1
    injected += inject_pairs(contest, order, args)
    return injected


def inject_pairs(contest, order, args):
    """The double busts and the dropped indicators, each in a clean QSO of both sides."""
    rng = contest.rng
    injected = 0
    double_busts = args.double_busts
    dropped = {signed: home for signed, home in contest.portables}
    for index, halves in order:
        if double_busts == 0 and not dropped:
            break
        if None in halves or any(h["fault"] != "clean" or h["decision"] is not None for h in halves):
            continue
        side, other = halves
        if side["call"] in dropped or other["call"] in dropped:
            signer, partner = (side, other) if other["call"] in dropped else (other, side)
            partner["right"], partner["call"] = partner["call"], dropped.pop(partner["call"])
            partner["decision"], partner["fault"] = "busted call", "dropped"
            signer["decision"], signer["fault"] = "confirmed", "busted-other"
            injected += 1
        elif double_busts > 0 and "/" not in side["own"] + other["own"]:
            for half in halves:
                wrong = one_character_off(rng, half["call"], contest.taken)
                contest.taken.add(wrong)
                half["right"], half["call"] = half["call"], wrong
                half["decision"], half["fault"] = "busted call", "double-bust"
            double_busts -= 1
            injected += 1
    return injected


def settle_clean(contest, halves_list):
    """The decision of every half no fault decided, from who submitted and who names whom."""
    naming = {}
    for halves in halves_list:
        for half in halves:
            if half is not None:
                naming.setdefault(half["call"], set()).add(half["own"])
    for halves in halves_list:
        for half in halves:
            if half is None or half["decision"] is not None:
                continue
            if half["call"] in contest.submitting:
                half["decision"] = "confirmed"
            else:
                half["decision"] = "unique" if len(naming[half["call"]]) == 1 else "not submitted"


def time_text(minute):
    return (START + datetime.timedelta(minutes=minute)).strftime("%Y-%m-%d %H%M")


def qso_line(half, offset=0):
    return "QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s" % (
        half["khz"], half["mode"], time_text(half["minute"] + offset), half["own"], "599", half["sent"], half["call"],
        "599", half["rcvd"])


def header_call(own):
    return own[:-2] if own.endswith("/P") else own


def cabrillo(own, category, qsos, band="80M-40M", claimed=None, offset=0, club=""):
    """The file's lines; the QSO lines start after the header, in the order given."""
    header = ["START-OF-LOG: 3.0", "CONTEST: PSK-63-TORVALE", "CALLSIGN: " + header_call(own),
              "CATEGORY-OPERATOR: " + category, "CATEGORY-BAND: " + band, "CREATED-BY: make-contest.py",
              "NAME: Synthetic Station", "EMAIL: " + file_name(own) + "@example.org"]
    if club:
        header.append("CLUB: " + club)
    if claimed is not None:
        header.append("CLAIMED-SCORE: %d" % claimed)
    return header, header + [qso_line(q, offset) for q in qsos] + ["END-OF-LOG:"]


def claimed_score(qsos):
    """What an entrant's own program might claim: the calls per band times (calls plus prefixes)."""
    calls = {(q["band"], q["call"]) for q in qsos if q["band"] in BANDS and q["mode"] == "PM"}
    prefixes = {(band, call.rstrip(string.ascii_uppercase + "/")[:-1] or call) for band, call in calls}
    return len(calls) * (len(calls) + len(prefixes))


def write_file(path, lines, encoding):
    text = "\n".join(lines) + "\n"
    if encoding == "cr":
        data = text.replace("\n", "\r").encode("ascii")
    elif encoding == "utf-16-le-bom":
        data = "\ufeff".encode("utf-16-le") + text.replace("\n", "\r\n").encode("utf-16-le")
    elif encoding == "utf-16-be":
        data = text.replace("\n", "\r\n").encode("utf-16-be")
    else:
        data = text.replace("\n", "\r\n").encode("ascii")
    with open(path, "wb") as f:
        f.write(data)


def file_name(call):
    return header_call(call).replace("/", "_").lower()


def write(contest, halves_list, out, args):
    logs_dir = os.path.join(out, "logs")
    os.makedirs(logs_dir, exist_ok=True)
    for old in os.listdir(logs_dir):
        os.remove(os.path.join(logs_dir, old))
    by_own = {}
    for halves in halves_list:
        for half in halves:
            if half is not None:
                by_own.setdefault(half["own"], []).append(half)
    truth = []
    rng = contest.rng
    calls = sorted(by_own)
    stale = set(rng.sample(calls, min(args.second_files, len(calls))))
    # Station faults go to stations with QSOs enough for a clear clock estimate.
    busy = [c for c in calls if len(by_own[c]) >= 20]
    picked = rng.sample(busy, min(len(busy), args.clock_offsets + args.single_band + args.utf16 + args.cr_only))
    offsets = {c: (60 if i == 0 else rng.choice((-1, 1)) * rng.randrange(4, 16))
               for i, c in enumerate(picked[:args.clock_offsets])}
    single = set(picked[args.clock_offsets:args.clock_offsets + args.single_band])
    encodings = {c: ("utf-16-le-bom" if i % 2 == 0 else "utf-16-be")
                 for i, c in enumerate(picked[args.clock_offsets + args.single_band:][:args.utf16])}
    for c in picked[args.clock_offsets + args.single_band + args.utf16:]:
        encodings[c] = "cr"
    clubs = ["Torvale Radio Club", "PSK Friends", ""]
    for number, own in enumerate(calls):
        qsos = sorted(by_own[own], key=lambda q: q["minute"])
        category = rng.choice(CATEGORIES)
        band = "80M-40M"
        if own in single:
            band = rng.choice(("80M", "40M"))
            for q in qsos:
                if q["band"] in BANDS and q["band"] != band.lower() and q["decision"] not in (
                        "outside the contest period", "not the contest's mode"):
                    q["decision"] = "not the entry's band"
        elif number % 7 == 3:
            band = "ALL"
        claimed = None if number % 5 == 0 else claimed_score(qsos)
        header, lines = cabrillo(own, category, qsos, band, claimed, offsets.get(own, 0), clubs[number % 3])
        path = os.path.join(logs_dir, file_name(own) + ".log")
        write_file(path, lines, encodings.get(own, "ascii"))
        os.utime(path, (FILE_TIME, FILE_TIME))
        for at, q in enumerate(qsos):
            truth.append((header_call(own), os.path.basename(path), len(header) + at + 1, q["decision"], q["right"],
                          q["fault"]))
        if own in stale:
            # An earlier, shorter version: older by its time, or as old but with a name that sorts first.
            _, early = cabrillo(own, category, qsos[: len(qsos) // 2], band, claimed, offsets.get(own, 0))
            older = number % 2 == 0
            name = ("zz-" + file_name(own) + ".log") if older else (file_name(own) + ".cbr")
            early_path = os.path.join(logs_dir, name)
            write_file(early_path, early, "ascii")
            when = FILE_TIME - 3600 if older else FILE_TIME
            os.utime(early_path, (when, when))
    with open(os.path.join(out, "truth.csv"), "w", newline="", encoding="ascii") as f:
        rows = csv.writer(f, lineterminator="\n")
        rows.writerow(["call", "file", "line", "decision", "right_call", "fault"])
        rows.writerows(truth)
    return len(by_own), len(truth)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--logs", type=int, default=200, help="stations that submit, one in twenty a twin of another")
    parser.add_argument("--qsos-per-log", type=int, default=60, help="QSO lines in each log, on average")
    parser.add_argument("--non-submitters", type=int, help="stations that do not submit (default: logs / 10)")
    parser.add_argument("--uniques", type=int, help="stations worked once only (default: logs / 20)")
    parser.add_argument("--faults", type=int, default=600, help="QSOs given a fault")
    parser.add_argument("--second-files", type=int, default=4, help="submitters that also sent an older file")
    parser.add_argument("--tolerance", type=int, default=3, help="the cross-check's time tolerance in minutes")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--clock-offsets", type=int, default=0, help="stations whose clock is off")
    parser.add_argument("--header-calls", type=int, default=0, help="stations whose lines send CALL/P")
    parser.add_argument("--portables", type=int, default=0,
                        help="stations signing EA8/CALL or CALL/QRP, one partner of each dropping it")
    parser.add_argument("--double-busts", type=int, default=0, help="QSOs whose both sides busted the other's call")
    parser.add_argument("--single-band", type=int, default=0, help="single-band entries")
    parser.add_argument("--outside", type=int, default=0, help="QSOs outside the contest period")
    parser.add_argument("--twenty", type=int, default=0, help="QSOs on 20 m")
    parser.add_argument("--utf16", type=int, default=0, help="files written in UTF-16")
    parser.add_argument("--cr-only", type=int, default=0, help="files with CR line ends")
    parser.add_argument("--out", required=True, help="folder: logs/ and truth.csv are written into it")
    args = parser.parse_args()
    if args.non_submitters is None:
        args.non_submitters = args.logs // 10
    if args.uniques is None:
        args.uniques = args.logs // 20

    contest = Contest(args)
    halves_list = []
    indexed = []
    for index, halves in contest.sides():
        halves_list.append(halves)
        indexed.append((index, halves))
    injected = inject(contest, indexed, args)
    settle_clean(contest, halves_list)
    logs, lines = write(contest, halves_list, args.out, args)
    print(f"{logs} logs, {lines} QSO lines, {injected} faults injected, written to {args.out}")
    if injected < args.faults + args.double_busts + len(contest.portables) - len(contest.twin_pairs):
        print(f"make-contest: only {injected} of {args.faults} faults found a QSO to go into", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
