"""Timing of the year-level calendar functions.

Run: PYTHONPATH=<build>/python python3 bench/bench_calendar.py
"""

import statistics
import timeit

import tithiloom._core as core

REPEAT = 30


def report(label, stmt, number, unit="ms"):
    scale = {"ms": 1e3, "us": 1e6}[unit]
    runs = timeit.repeat(stmt, globals={"core": core}, number=number, repeat=REPEAT)
    per_call = [r / number * scale for r in runs]
    print(f"{label:44s} best {min(per_call):8.3f} {unit}   "
          f"median {statistics.median(per_call):8.3f} {unit}")


def main():
    core.py_ayanamsa(2451545.0)  # initialise outside the timing
    report("py_compute_lunar_months(2026)", "core.py_compute_lunar_months(2026)", 5)
    report("py_compute_lunar_months(2026, 'purnimant')",
           "core.py_compute_lunar_months(2026, 'purnimant')", 5)
    report("py_compute_sankrantis(2026)", "core.py_compute_sankrantis(2026)", 5)
    report("py_compute_sankrantis(2026, 19800)", "core.py_compute_sankrantis(2026, 19800)", 5)
    report("py_era_year(2026, 57, True)", "core.py_era_year(2026, 57, True)", 10000, "us")


if __name__ == "__main__":
    main()
