"""Daily panchang, instant sampling and the year batch.

Run: PYTHONPATH=<build>/python python3 bench/bench_panchang.py

Prints, in one run: the 2026 batch at New Delhi on one thread
(TITHILOOM_THREADS=1) and on the pool, and the share of it spent building
Python objects; 8,760 hourly instants on one thread and on the pool; four
Python threads each computing that batch at once against one after the other;
the median of one daily panchang; and, from a core built with
TITHILOOM_COUNT_REQUESTS in build/bench-count (skipped with --no-count), the
library requests and milliseconds per day of the daily panchang as built
(guided searches) and literally evaluated, and of the batch. --searches N
also runs the guided-search comparison of bench/guided_search.cpp over N
searches.
"""

import os
import statistics
import subprocess
import sys
import threading
import time

import tithiloom._core as core
from benchlib import best_of, counting_program_output, threads

DELHI = (28.6139, 77.2090, 216.0)
IST = 19800


def year():
    return core.py_compute_batch_year(2026, *DELHI, IST)


def batch_year(core_ms_per_day):
    threads(1)
    single, _ = best_of(year, 5)
    threads(None)
    pooled, _ = best_of(year, 5)
    print(f"py_compute_batch_year(2026, Delhi), 1 thread  {single * 1e3:8.1f} ms   (target <= 70)")
    print(f"py_compute_batch_year(2026, Delhi), pool      {pooled * 1e3:8.1f} ms   "
          f"({pooled / single:.2f} x single; target <= 0.6; {os.cpu_count()} cores)")
    if core_ms_per_day:
        core_s = core_ms_per_day * 365 / 1e3
        print(f"  of the single-thread call, building Python objects {1 - core_s / single:6.1%}"
              f"   (core alone {core_s * 1e3:.1f} ms)")


def concurrent_years():
    threads(None)
    start = time.perf_counter()
    for _ in range(4):
        year()
    sequential = time.perf_counter() - start
    workers = [threading.Thread(target=year) for _ in range(4)]
    start = time.perf_counter()
    for w in workers:
        w.start()
    for w in workers:
        w.join()
    concurrent = time.perf_counter() - start
    print(f"four batch years, one after the other         {sequential * 1e3:8.1f} ms")
    print(f"four batch years, four Python threads at once {concurrent * 1e3:8.1f} ms   "
          f"({concurrent / sequential:.2f} x)")


def requests_per_day():
    """{label: (requests per day, ms per day)} from the counting build, or {}."""
    try:
        out = counting_program_output("count_requests")
    except (OSError, subprocess.CalledProcessError) as e:
        print(f"library requests per day                  unavailable ({e})")
        return {}
    figures = {}
    for line in out.splitlines():
        label, _, per_day, _, ms = line.split()
        figures[label] = (float(per_day), float(ms))
    names = {"guided": "daily panchang, guided searches", "literal": "daily panchang, literal",
             "batch": "batch day (limbs at sunrise)"}
    for label, (per_day, ms) in figures.items():
        print(f"{names.get(label, label):34s} {per_day:7.1f} requests/day   {ms:7.3f} ms/day (C++)")
    return figures


def guided_searches(count):
    out = counting_program_output("guided_search", count)
    print("guided against literal searches:", out.strip())


def instants_vs_daily():
    start = core.py_datetime_to_jd(2026, 1, 1, 0, 0, 0.0)
    jds = [start + h / 24 for h in range(8760)]
    threads(1)
    single, _ = best_of(lambda: core.py_compute_panchanga_at_jds(jds), 3)
    threads(None)
    at_wall, _ = best_of(lambda: core.py_compute_panchanga_at_jds(jds), 3)
    print(f"py_compute_panchanga_at_jds, 8760 JDs, 1 thread {single:8.3f} s")
    print(f"py_compute_panchanga_at_jds, 8760 JDs, pool     {at_wall:8.3f} s   "
          f"({at_wall / single:.2f} x single)")

    # The date of each hourly instant, so each day is asked 24 times.
    dates = [core.py_jd_to_datetime(jd)[:3] for jd in jds]

    def daily_loop():
        for y, m, d in dates:
            core.py_compute_panchang(y, m, d, *DELHI, IST, 0)

    daily_wall, _ = best_of(daily_loop, 1)
    print(f"py_compute_panchang x 8760                 {daily_wall:8.3f} s")
    print(f"ratio                                      {daily_wall / at_wall:8.1f} x   "
          f"(must be >= 10 x)")


def one_daily():
    runs = []
    for _ in range(200):
        t = time.perf_counter()
        core.py_compute_panchang(2026, 4, 14, *DELHI, IST, 2)
        runs.append(time.perf_counter() - t)
    print(f"py_compute_panchang, one day (median)      {statistics.median(runs) * 1e3:8.3f} ms"
          f"   (target <= 1.0)")


def main():
    core.py_ayanamsa(2451545.0)  # initialise outside the timing
    figures = {} if "--no-count" in sys.argv else requests_per_day()
    batch_year(figures.get("batch", (0, 0))[1])
    concurrent_years()
    instants_vs_daily()
    one_daily()
    if "--searches" in sys.argv:
        guided_searches(int(sys.argv[sys.argv.index("--searches") + 1]))


if __name__ == "__main__":
    main()
