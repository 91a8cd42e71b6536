"""Sankrantis and lunar months across the whole span the ephemeris covers.

For every year from -2999 to 2999 (or every STEP-th year): whether the year
has twelve sankrantis in table order about a twelfth of a year apart, and how
many adhika and kshaya months its lunar months hold.

Run: PYTHONPATH=<build>/python python3 bench/sweep_eras.py [STEP]
"""

import sys
import time

import tithiloom._core as core

FIRST, LAST = -2999, 2999


def twelve_in_order(sankrantis):
    jds = [s["jd"] for s in sankrantis]
    gaps = [b - a for a, b in zip(jds, jds[1:])]
    return [s["index"] for s in sankrantis] == list(range(12)) and all(27 < g < 33 for g in gaps)


def main():
    step = int(sys.argv[1]) if len(sys.argv) > 1 else 1
    years = range(FIRST, LAST + 1, step)
    start = time.perf_counter()
    good, months, adhika, kshaya, unknown = 0, 0, 0, 0, 0
    for year in years:
        good += twelve_in_order(core.py_compute_sankrantis(year, 19800))
        for m in core.py_compute_lunar_months(year):
            months += 1
            adhika += m["is_adhik"]
            kshaya += m["is_kshaya"]
            unknown += m["number"] == 0
    print(f"years {FIRST}..{LAST} step {step}: {good} of {len(years)} with twelve sankrantis "
          f"in order")
    print(f"lunar months listed: {months}; adhika {adhika} ({adhika / months * 235:.2f} per "
          f"235 months, 7 expected); kshaya {kshaya}; unnamed {unknown}")
    print(f"{time.perf_counter() - start:.1f} s")


if __name__ == "__main__":
    main()
