"""Timing of the Ekadashis, vrats and shraddha, on one thread and on the pool.

Run: PYTHONPATH=<build>/python python3 bench/bench_observances.py

Prints, for New Delhi: py_compute_ekadashis with the shipped definitions for
2026 (target <= 0.1 s), py_compute_vrat_dates for 2026 (target <= 0.05 s),
py_compute_shraddha and py_compute_shraddha_timeline(2025, 3, 30, ..., 12,
10, 10) (target <= 0.4 s), each on one thread (TITHILOOM_THREADS=1) and on
the pool (in turns, best of several); then where the timeline's processor
time goes on one thread: the day of death, the annual years (each a festival
year: its sankrantis and lunar months, then one definition resolved and its
day described), the pitru paksha years and the monthly chain.
"""

import os
import time
from importlib import resources

import yaml

import tithiloom._core as core
from benchlib import threads

DELHI = (28.6139, 77.2090, 216.0)
IST = 19800
EKADASHIS = yaml.safe_load(resources.files("tithiloom").joinpath("data/ekadashis.yaml")
                           .read_text(encoding="utf-8"))


def best_of(fn, repeat):
    runs = []
    for _ in range(repeat):
        t = time.perf_counter()
        fn()
        runs.append(time.perf_counter() - t)
    return min(runs)


def timeline(monthly, annual, pitru):
    return lambda: core.py_compute_shraddha_timeline(2025, 3, 30, *DELHI, IST, monthly, annual,
                                                     pitru)


CALLS = [
    ("py_compute_ekadashis(shipped 12, 2026)", 0.1,
     lambda: core.py_compute_ekadashis(EKADASHIS, 2026, *DELHI, IST), 15),
    ("py_compute_vrat_dates(2026)", 0.05, lambda: core.py_compute_vrat_dates(2026, *DELHI, IST),
     15),
    ("py_compute_shraddha(2025-03-30, 2026)", None,
     lambda: core.py_compute_shraddha(2025, 3, 30, 2026, *DELHI, IST), 15),
    ("py_compute_shraddha_timeline(12, 10, 10)", 0.4, timeline(12, 10, 10), 8),
]


def single_and_pooled(call, repeat):
    """The best times on one thread and on the pool, measured in turns so that
    both meet the same load from other processes."""
    single, pooled = [], []
    for _ in range(repeat):
        threads(1)
        single.append(best_of(call, 1))
        threads(None)
        pooled.append(best_of(call, 1))
    return min(single), min(pooled)


def pool_against_single():
    for label, target, call, repeat in CALLS:
        single, pooled = single_and_pooled(call, repeat)
        goal = f"target <= {target} s" if target else ""
        print(f"{label:42s} 1 thread {single * 1e3:7.1f} ms   pool {pooled * 1e3:7.1f} ms"
              f"   ({pooled / single:.2f} x)   {goal}")


def cpu_of(fn, repeat):
    """The least processor time of the process, which the load from other
    processes barely changes (a long call computes on a thread of its own)."""
    runs = []
    for _ in range(repeat):
        t = time.process_time()
        fn()
        runs.append(time.process_time() - t)
    return min(runs)


def timeline_parts():
    threads(1)
    t = {parts: cpu_of(timeline(*parts), 8)
         for parts in [(0, 0, 0), (0, 10, 0), (0, 10, 10), (12, 0, 0), (12, 10, 10)]}
    found = core.py_compute_shraddha_timeline(2025, 3, 30, *DELHI, IST, 12, 10, 10)
    year = cpu_of(lambda: core.py_compute_festivals([], 2026, *DELHI, IST), 15)
    sankrantis = cpu_of(lambda: core.py_compute_sankrantis(2026, IST), 15)
    annual = t[0, 10, 0] - t[0, 0, 0]
    rows = [
        ("day of death (sunrise, tithi, its year's months)", t[0, 0, 0]),
        ("annual years, 10", annual),
        ("  of which festival years: sankrantis", 10 * sankrantis),
        ("  of which festival years: lunar months", 10 * (year - sankrantis)),
        ("  of which one definition resolved, day described", annual - 10 * year),
        ("pitru paksha years, 10 (months lent by the annual years)", t[0, 10, 10] - t[0, 10, 0]),
        ("monthly chain, 12 asked", t[12, 0, 0] - t[0, 0, 0]),
    ]
    print(f"where the timeline's {t[12, 10, 10] * 1e3:.1f} ms of processor time go on one thread "
          f"(entries found: {len(found['monthly_shraddhas'])} monthly, "
          f"{len(found['annual_shraddhas'])} annual, {len(found['pitru_paksha_dates'])} pitru "
          f"paksha):")
    for label, seconds in rows:
        print(f"  {label:56s} {seconds * 1e3:7.1f} ms")
    threads(None)


def main():
    core.py_ayanamsa(2451545.0)  # initialise outside the timing
    print(f"{os.cpu_count()} cores")
    pool_against_single()
    timeline_parts()


if __name__ == "__main__":
    main()
