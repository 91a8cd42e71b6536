"""Days with every start and end time, New Delhi 2026.

Run: PYTHONPATH=<build>/python python3 bench/bench_times.py [--years N]

Prints, on one thread (TITHILOOM_THREADS=1) and on the pool, wall and CPU
seconds (best of a few runs) of: a year of days() with every time, without
and with the Moon; a year of day() calls (each with the Moon) and of one-day
days() calls; and, for reference, the range without times. Then N years (default 50) of days(), a
year at a time as iter_days gives them, in a fresh process on each pool setting, with its
peak resident memory. Targets: 0.10 s, 0.15 s, 5 s and 200 MB.
"""

import argparse
import datetime as dt
import os
import subprocess
import sys
import time

import tithiloom
from tithiloom import _core, api
from benchlib import best_of, threads

DELHI = tithiloom.Place.named("New Delhi")
FIRST, LAST = dt.date(2026, 1, 1), dt.date(2026, 12, 31)
YEAR = [FIRST + dt.timedelta(days=i) for i in range((LAST - FIRST).days + 1)]


def untimed_range():
    """days() as it was: the limbs at sunrise without any time."""
    where = (DELHI.latitude, DELHI.longitude, DELHI.altitude_m)
    raw = _core._batch_range(FIRST.year, 1, 1, LAST.year, 12, 31, *where,
                             api._clock(DELHI, (FIRST, LAST)), "almanac")
    return [api._day(api._ymd(r), r, DELHI, timed=False) for r in raw]


CASES = [
    ("a year of days(), every time", lambda: tithiloom.days(FIRST, LAST, DELHI), 0.10),
    ("  the same with the Moon", lambda: tithiloom.days(FIRST, LAST, DELHI, moon=True), None),
    ("a year of day() calls (with the Moon)", lambda: [tithiloom.day(d, DELHI) for d in YEAR],
     0.15),
    ("  a year of one-day days() calls", lambda: [tithiloom.days(d, d, DELHI) for d in YEAR],
     None),
    ("  before: a year of days(), no times", untimed_range, None),
]

LONG_RUN = """
import datetime as dt, resource, sys, time
import tithiloom
place, years = tithiloom.Place.named("New Delhi"), int(sys.argv[1])
w, c = time.perf_counter(), time.process_time()
n = sum(1 for _ in tithiloom.iter_days(dt.date(2001, 1, 1), dt.date(2000 + years, 12, 31), place))
print(n, time.perf_counter() - w, time.process_time() - c,
      resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024)
"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--years", type=int, default=50)
    years = parser.parse_args().years
    tithiloom.days(FIRST, FIRST, DELHI)  # warm up: zone data, first library requests
    print(f"{'':40} {'1 thread wall/cpu':>20} {'pool wall/cpu':>18}   target")
    for label, fn, target in CASES:
        figures = []
        for n in (1, None):
            threads(n)
            figures.append(best_of(fn))
        (w1, c1), (wp, cp) = figures
        aim = f"<= {target:.2f} s" if target else ""
        print(f"{label:40} {w1:9.3f} /{c1:7.3f} s {wp:8.3f} /{cp:7.3f} s   {aim}")
    for n in (1, None):
        env = dict(os.environ)
        env.pop("TITHILOOM_THREADS", None)
        if n:
            env["TITHILOOM_THREADS"] = str(n)
        out = subprocess.run([sys.executable, "-c", LONG_RUN, str(years)], env=env, check=True,
                             capture_output=True, text=True).stdout.split()
        days, wall, cpu, rss = int(out[0]), *map(float, out[1:])
        print(f"{years} years of days() ({days} days), {'1 thread' if n else 'pool    '}: "
              f"{wall:6.2f} s wall, {cpu:6.2f} s cpu, peak resident {rss:6.1f} MB   "
              f"(targets 5 s, 200 MB)")


if __name__ == "__main__":
    main()
