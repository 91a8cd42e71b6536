"""Timing of the lagna functions: one day of rising windows and single lagnas.

Run: PYTHONPATH=<build>/python python3 bench/bench_lagna.py
"""

import statistics
import time

import tithiloom._core as core

DELHI = (28.6139, 77.2090)
JD = 2461144.5  # 2026-04-14 00:00 UT


def timed(label, func, repeats):
    samples = []
    for _ in range(repeats):
        t0 = time.perf_counter()
        func()
        samples.append(time.perf_counter() - t0)
    print(f"{label:<46} median {statistics.median(samples) * 1e3:8.3f} ms"
          f"   min {min(samples) * 1e3:8.3f} ms   ({repeats} runs)")


def main():
    core.py_init()
    timed("py_compute_lagna_windows (one day, Delhi)",
          lambda: core.py_compute_lagna_windows(JD, *DELHI), 200)
    for system in "PWEO":
        timed(f"py_compute_lagna x1000 (system {system})",
              lambda: [core.py_compute_lagna(JD + i / 1000.0, *DELHI, system)
                       for i in range(1000)], 20)
    days = [JD + d for d in range(365)]
    timed("py_compute_lagna_windows x365 (a year of days)",
          lambda: [core.py_compute_lagna_windows(d, *DELHI) for d in days], 3)


if __name__ == "__main__":
    main()
