"""Calls every function, with valid and with invalid arguments, 100,000
times in all, and reports resident memory after warm-up and at the end.

Run: PYTHONPATH=<build>/python python3 bench/stress_memory.py [CALLS]
"""

import itertools
import pathlib
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
import every_call  # noqa: E402


def resident_kib():
    with open("/proc/self/status") as f:
        return next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))


def main():
    total = int(sys.argv[1]) if len(sys.argv) > 1 else 100_000
    # Failing calls are cheap: four of them to each valid one.
    calls = every_call.VALID + every_call.INVALID * 4
    for fn in calls * 3:
        every_call.call(fn)
    warm = resident_kib()
    start = time.perf_counter()
    for fn in itertools.islice(itertools.cycle(calls), total):
        every_call.call(fn)
    end = resident_kib()
    print(f"{total} calls of {len(every_call.VALID)} valid and {len(every_call.INVALID)} failing "
          f"forms in {time.perf_counter() - start:.1f} s")
    print(f"resident after warm-up {warm} KiB, at the end {end} KiB, growth {end - warm} KiB")


if __name__ == "__main__":
    main()
