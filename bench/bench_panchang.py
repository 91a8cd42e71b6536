"""Daily panchang, instant sampling and the year batch.

Run: PYTHONPATH=<build>/python python3 bench/bench_panchang.py

Prints the seconds of one 2026 batch at New Delhi, the library requests per
day (from a core built with TITHILOOM_COUNT_REQUESTS in build/bench-count;
skipped with --no-count), 8,760 hourly instants sampled in one call against
8,760 daily panchang calls, and the median of one daily panchang.
"""

import os
import pathlib
import statistics
import subprocess
import sys
import time

import tithiloom._core as core

DELHI = (28.6139, 77.2090, 216.0)
IST = 19800
ROOT = pathlib.Path(__file__).resolve().parent.parent


def best_of(fn, repeat):
    walls, cpus = [], []
    for _ in range(repeat):
        w, c = time.perf_counter(), time.process_time()
        fn()
        walls.append(time.perf_counter() - w)
        cpus.append(time.process_time() - c)
    return min(walls), min(cpus)


def batch_year():
    wall, cpu = best_of(lambda: core.py_compute_batch_year(2026, *DELHI, IST), 5)
    print(f"py_compute_batch_year(2026, Delhi)        {wall:8.3f} s   (cpu {cpu:.3f} s; "
          f"target <= 1.0 s)")


def requests_per_day():
    build = pathlib.Path(os.environ.get("COUNT_BUILD", ROOT / "build" / "bench-count"))
    exe = build / "count_requests"
    try:
        run = lambda *cmd: subprocess.run(cmd, check=True, capture_output=True, text=True)  # noqa
        run("cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
            "-DCMAKE_BUILD_TYPE=Release", "-DTITHILOOM_COUNT_REQUESTS=ON")
        run("cmake", "--build", str(build), "--target", "tithiloom_core")
        run("c++", "-std=c++20", "-O2", "-ffp-contract=off", "-DTITHILOOM_COUNT_REQUESTS",
            f"-I{ROOT / 'src' / 'core'}", str(ROOT / "bench" / "count_requests.cpp"),
            str(build / "libtithiloom_core.a"), "-lswe", "-lm", "-o", str(exe))
        out = run(str(exe)).stdout
    except (OSError, subprocess.CalledProcessError) as e:
        print(f"library requests per day                  unavailable ({e})")
        return
    for line in out.splitlines():
        label, _, per_day, _, seconds = line.split()
        what = "as built (memo)" if label == "memo" else "literal, every angle afresh"
        print(f"library requests per day, {what:28s} {float(per_day):7.1f}"
              f"   (C++ year: {float(seconds):.3f} s)")


def instants_vs_daily():
    start = core.py_datetime_to_jd(2026, 1, 1, 0, 0, 0.0)
    jds = [start + h / 24 for h in range(8760)]
    at_wall, _ = best_of(lambda: core.py_compute_panchanga_at_jds(jds), 3)

    # The date of each hourly instant, so each day is asked 24 times.
    dates = [core.py_jd_to_datetime(jd)[:3] for jd in jds]

    def daily_loop():
        for y, m, d in dates:
            core.py_compute_panchang(y, m, d, *DELHI, IST, 0)

    daily_wall, _ = best_of(daily_loop, 1)
    print(f"py_compute_panchanga_at_jds, 8760 JDs      {at_wall:8.3f} s")
    print(f"py_compute_panchang x 8760                 {daily_wall:8.3f} s")
    print(f"ratio                                      {daily_wall / at_wall:8.1f} x   "
          f"(must be >= 10 x)")


def one_daily():
    runs = []
    for _ in range(200):
        t = time.perf_counter()
        core.py_compute_panchang(2026, 4, 14, *DELHI, IST, 2)
        runs.append(time.perf_counter() - t)
    print(f"py_compute_panchang, one day (median)      {statistics.median(runs) * 1e3:8.3f} ms")


def main():
    core.py_ayanamsa(2451545.0)  # initialise outside the timing
    batch_year()
    if "--no-count" not in sys.argv:
        requests_per_day()
    instants_vs_daily()
    one_daily()


if __name__ == "__main__":
    main()
