"""Timing of the festival engine.

Run: PYTHONPATH=<build>/python python3 bench/bench_festivals.py [--no-count]

Prints the seconds of one py_compute_festivals call for 2026 at New Delhi
with 60 mixed definitions (target <= 0.1 s) and with the rule file shipped in
the package, on one thread (TITHILOOM_THREADS=1) and on the pool, and, from a core built with TITHILOOM_COUNT_REQUESTS in
build/bench-count, how one call divides between the year's sankrantis and
lunar months and the definitions, with the library requests per definition,
as built (memo) and with every value asked afresh (literal).
"""

import subprocess
import sys
import time
from importlib import resources

import yaml

import tithiloom._core as core
from benchlib import counting_program_output, threads

DELHI = (28.6139, 77.2090, 216.0)
IST = 19800
TITHIS = [2, 4, 5, 8, 9, 11, 13, 14, 15, 19, 23, 26, 29, 30]
KAALAS = ["aparahna", "madhyahna", "pradosha", "nishita", "praatah", "full_day"]
PRIORITIES = ["paraviddha", "puurvaviddha", "vyapti"]


def sixty():
    """A third each of the three priorities over six kaalas, six sankrantis, six nakshatras
    (the same list as count_festival_requests.cpp)."""
    defs = [{"id": f"t{i}", "name": f"t{i}", "rule": "tithi_at_sunrise", "lunar_month": i % 12 + 1,
             "tithi": TITHIS[(i * 5) % 14], "priority": PRIORITIES[i % 3],
             "kaala": KAALAS[(i // 3) % 6]} for i in range(48)]
    for i in range(12):
        d = {"id": f"s{i}", "name": f"s{i}", "sankranti_index": i}
        if i % 2 == 0:
            d["rule"] = "sankranti"
        else:
            d.update(rule="nakshatra_at_sunrise", nakshatra=(3 * i) % 27 + 1)
        defs.append(d)
    return defs


def best_of(fn, repeat):
    runs = []
    for _ in range(repeat):
        t = time.perf_counter()
        fn()
        runs.append(time.perf_counter() - t)
    return min(runs), sorted(runs)[len(runs) // 2]


def timings():
    defs = sixty()
    shipped = yaml.safe_load(resources.files("tithiloom").joinpath("data/festivals.yaml")
                             .read_text(encoding="utf-8"))["festivals"]
    for label, d in (("60 mixed definitions", defs), (f"shipped rules ({len(shipped)})", shipped),
                     ("no definitions", [])):
        # In turns, so that both meet the same load from other processes.
        runs = {"1 thread": [], "pool": []}
        for _ in range(10):
            for pool, runs_of in runs.items():
                threads(1 if pool == "1 thread" else None)
                runs_of.append(best_of(lambda: core.py_compute_festivals(d, 2026, *DELHI, IST),
                                       1)[0])
        for pool, runs_of in runs.items():
            print(f"py_compute_festivals 2026 Delhi, {label:24s} {pool:8s} best "
                  f"{min(runs_of):.4f} s  median {sorted(runs_of)[len(runs_of) // 2]:.4f} s")
    threads(None)


def counts():
    try:
        out = counting_program_output("count_festival_requests")
    except (OSError, subprocess.CalledProcessError) as e:
        print(f"library requests unavailable ({e})")
        return
    for line in out.splitlines():
        label, _, requests, _, per_def, _, seconds = line.split()
        what = {"calendar_memo": "memo: sankrantis + lunar months",
                "memo": "memo: whole call",
                "calendar_literal": "literal: sankrantis + lunar months",
                "literal": "literal: whole call"}[label]
        extra = "" if label.startswith("calendar") else f"   {float(per_def):6.1f} per definition"
        print(f"C++ {what:36s} {float(seconds):8.4f} s  {int(requests):6d} requests{extra}")


def main():
    core.py_ayanamsa(2451545.0)  # initialise outside the timing
    timings()
    if "--no-count" not in sys.argv:
        counts()


if __name__ == "__main__":
    main()
