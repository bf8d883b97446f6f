#!/usr/bin/env python3
"""Makes a contest log of the PSK-63-TORVALE as ADIF: 24 hours from Saturday 12:00 UTC on 80 m and
40 m, serial numbers as exchange, stations drawn from the call sign list of the hamradio-files
package and weighted by continent as a European station would work them. The same seed gives the
same file, byte for byte.

Mixed in, as real logs have them: a few dupes (a station logged twice on a band), a few QSOs in
another mode, a few without a received number, and some records whose logger left out the entity.
With --runs the station also calls CQ for spells of 5 to 30 QSOs on one frequency of one band;
those choices come from a random source of their own, so that without it the log stays the same.
"""

import argparse
import datetime
import random
import re
import sys

IGNORED_SUFFIXES = {"P", "M", "MM", "AM", "A", "B", "QRP", "QRPP", "LH"}
# A log longer than the call list allows on a band works the same stations again as portable or
# mobile ones: the country file ignores these suffixes, so the entity stays the station's own.
VARIANT_SUFFIXES = ["P", "M", "QRP", "A", "B", "LH", "QRPP", "AM", "MM"]
# Draws of a worked call in a row after which a band counts as worked through.
MISSES_BEFORE_VARIANTS = 20
CONTINENT_WEIGHTS = {"EU": 78, "NA": 8, "AS": 8, "SA": 2, "AF": 2, "OC": 2}
START = datetime.datetime(2025, 3, 15, 12, 0, 0)
BANDS = {"80M": (3_580_000, 3_600_000), "40M": (7_040_000, 7_060_000)}


class Countries:
    """cty.dat's entities with cty.csv's ADIF numbers, enough to tell a call's entity."""

    def __init__(self, folder):
        with open(f"{folder}/cty.csv", encoding="ascii") as f:
            numbers = {row.split(",")[0]: int(row.split(",")[2]) for row in f if row.strip()}
        self.exact, self.prefixes = {}, {}
        with open(f"{folder}/cty.dat", encoding="ascii") as f:
            text = f.read()
        for block in text.split(";"):
            if not block.strip():
                continue
            fields = block.split(":")
            continent, primary = fields[3].strip(), fields[7].strip()
            entity = (numbers[primary], continent)
            for entry in re.sub(r"\s", "", fields[8]).split(","):
                key = re.split(r"[(\[<{~]", entry)[0]
                if key.startswith("="):
                    self.exact[key[1:]] = entity
                elif key:
                    self.prefixes[key] = entity
        self.longest = max(len(p) for p in self.prefixes)

    def lookup(self, call):
        """(ADIF number, continent) or None."""
        if call in self.exact:
            return self.exact[call]
        parts = [p for p in call.split("/") if p]
        while len(parts) > 1 and parts[-1] in IGNORED_SUFFIXES:
            parts.pop()
        if not parts:
            return None
        location = min(parts, key=len) if len(parts) > 1 else parts[0]
        if location in self.exact:
            return self.exact[location]
        for length in range(min(len(location), self.longest), 0, -1):
            if location[:length] in self.prefixes:
                return self.prefixes[location[:length]]
        return None


class Station:
    def __init__(self, call, entity, rng):
        self.call, self.entity = call, entity
        # Its own serial numbers grow at its own rate through the contest.
        self.rate = rng.uniform(4.0, 45.0)
        self.head_start = rng.randint(0, 6)
        self.last_serial = 0

    def serial_at(self, hours, rng):
        self.last_serial = max(self.last_serial + 1, 1 + self.head_start + int(self.rate * hours) + rng.randint(0, 2))
        return self.last_serial


def field(name, value):
    return f"<{name}:{len(value)}>{value}"


def contest_seconds(rng, count):
    # Busy at the start, slow before dawn, a last push before the end.
    weights = []
    for minute in range(24 * 60):
        hour = (12 + minute // 60) % 24
        weight = 3.0 if minute < 180 else 1.0
        weight *= 0.35 if 2 <= hour < 6 else 1.0
        weight *= 1.8 if minute >= 23 * 60 else 1.0
        weights.append(weight)
    minutes = rng.choices(range(24 * 60), weights=weights, k=count)
    return sorted(m * 60 + rng.randint(0, 59) for m in minutes)


def pick_band(rng, when):
    night = when.hour >= 17 or when.hour < 7
    return "80M" if rng.random() < (0.7 if night else 0.3) else "40M"


def make_log(args):
    rng = random.Random(args.seed)
    countries = Countries(args.hamradio_files)
    pools = {continent: [] for continent in CONTINENT_WEIGHTS}
    with open(f"{args.hamradio_files}/MASTER.SCP", encoding="ascii") as f:
        for line in f:
            call = line.strip()
            if not call or call.startswith("#") or call == args.own_call:
                continue
            entity = countries.lookup(call)
            if entity and entity[1] in pools:
                pools[entity[1]].append(Station(call, entity, rng))

    count = args.qsos
    # Which QSOs go wrong, drawn from all but the first quarter so that dupes have something to repeat.
    dupe_count, other_mode_count, no_number_count = count // 80, count // 100, count // 130
    marked = rng.sample(range(count // 4, count), dupe_count + other_mode_count + no_number_count)
    dupes = set(marked[:dupe_count])
    other_mode = set(marked[dupe_count:dupe_count + other_mode_count])
    no_number = set(marked[dupe_count + other_mode_count:])

    # Per band the stations logged so far, in order, and those whose QSO the contest counts.
    worked = {band: {} for band in BANDS}
    variants = {}

    def unworked_variant(station, band):
        for suffix in VARIANT_SUFFIXES:
            call = f"{station.call}/{suffix}"
            if call not in worked[band]:
                if call not in variants:
                    variants[call] = Station(call, station.entity, rng)
                return variants[call]
        return None

    counted = {band: [] for band in BANDS}
    lines = []
    runs = random.Random(args.seed + 1)
    run_left, run_band, run_freq = 0, None, 0
    for serial, second in enumerate(contest_seconds(rng, count), start=1):
        index = serial - 1
        when = START + datetime.timedelta(seconds=second)
        band = pick_band(rng, when)
        if args.runs and run_left == 0 and runs.random() < args.runs / 10:
            run_left, run_band = runs.randint(5, 30), band
            run_freq = runs.randrange(BANDS[band][0], BANDS[band][1], 5)
        if run_left:
            band = run_band
        other_band = "40M" if band == "80M" else "80M"
        if index in dupes and counted[band]:
            station = rng.choice(counted[band])
        else:
            station = None
            if counted[other_band] and rng.random() < 0.25:
                station = rng.choice(counted[other_band])
                if station.call in worked[band]:
                    station = None
            misses = 0
            while station is None:
                continent = rng.choices(list(CONTINENT_WEIGHTS), weights=list(CONTINENT_WEIGHTS.values()))[0]
                candidate = rng.choice(pools[continent])
                if candidate.call not in worked[band]:
                    station = candidate
                elif misses >= MISSES_BEFORE_VARIANTS:
                    station = unworked_variant(candidate, band)
                misses += 1
        if station.call not in worked[band] and index not in other_mode and index not in no_number:
            counted[band].append(station)
        worked[band][station.call] = station

        low, high = BANDS[band]
        freq = rng.randrange(low, high, 5)
        if run_left:
            run_left -= 1
            freq = run_freq + runs.randint(-6, 6) * 5
        record = [
            field("CALL", station.call),
            field("QSO_DATE", when.strftime("%Y%m%d")),
            field("TIME_ON", when.strftime("%H%M%S")),
            field("BAND", band),
            field("FREQ", f"{freq // 1_000_000}.{freq % 1_000_000:06d}"),
        ]
        if index in other_mode:
            if rng.random() < 0.5:
                record.append(field("MODE", "RTTY"))
            else:
                record += [field("MODE", "PSK"), field("SUBMODE", "PSK31")]
        else:
            record += [field("MODE", "PSK"), field("SUBMODE", "PSK63")]
        record += [field("RST_SENT", "599"), field("RST_RCVD", "599"), field("STX", str(serial))]
        if index not in no_number:
            record.append(field("SRX", str(station.serial_at(second / 3600.0, rng))))
        if rng.random() < 0.85:
            record += [field("DXCC", str(station.entity[0])), field("CONT", station.entity[1])]
        record += [field("STATION_CALLSIGN", args.own_call), field("CONTEST_ID", "PSK-63-TORVALE")]
        lines.append(" ".join(record) + " <EOR>")

    header = [
        f"PSK-63-TORVALE sample log: {count} QSOs, seed {args.seed}, made by make-sample-log.py",
        field("ADIF_VER", "3.1.4"),
        field("PROGRAMID", "make-sample-log"),
        "<EOH>",
    ]
    return "\n".join(header + lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--qsos", type=int, default=400, help="number of QSOs (default 400)")
    parser.add_argument("--seed", type=int, default=63, help="random seed (default 63)")
    parser.add_argument("--runs", type=float, default=0.0,
                        help="about the share of QSOs made running, 0 to 1 (default 0: it only searches)")
    parser.add_argument("--own-call", default="N0CALL", help="the contest station's call (default N0CALL)")
    parser.add_argument("--hamradio-files", default="/usr/share/hamradio-files",
                        help="folder with MASTER.SCP, cty.dat and cty.csv")
    parser.add_argument("--out", help="output file (default: standard output)")
    args = parser.parse_args()
    if args.qsos < 1:
        parser.error("--qsos must be at least 1")
    text = make_log(args)
    if args.out:
        with open(args.out, "w", encoding="ascii", newline="") as f:
            f.write(text)
    else:
        sys.stdout.write(text)


if __name__ == "__main__":
    main()
