"""What a zone with daylight saving costs: New York's clock against a fixed -05:00.

Run: PYTHONPATH=<build>/python python3 bench/bench_zones.py [rounds]

Prints, for tithiloom.festivals, ekadashis and vrats of 2026, the best and
median times at New York and at the same coordinates on Etc/GMT+5, measured in
turns so that both meet the same load from other processes, and their ratio
(the target: within 10 %).
"""

import statistics
import sys
import time

import tithiloom
from tithiloom import Place

NEW_YORK = Place.named("New York")
FIXED = Place("New York on -05:00", NEW_YORK.latitude, NEW_YORK.longitude,
              NEW_YORK.altitude_m, "Etc/GMT+5")


def main(rounds):
    for name in ("festivals", "ekadashis", "vrats"):
        call = getattr(tithiloom, name)
        runs = {NEW_YORK: [], FIXED: []}
        for place in runs:
            call(2026, place)  # the zone's clock and the rule files, read once
        for _ in range(rounds):
            for place, times in runs.items():
                t = time.perf_counter()
                call(2026, place)
                times.append(time.perf_counter() - t)
        (zoned, fixed) = (sorted(t) for t in runs.values())
        print(f"{name:9s}  New York best {zoned[0] * 1e3:6.1f} ms, median "
              f"{statistics.median(zoned) * 1e3:6.1f}; fixed best {fixed[0] * 1e3:6.1f} ms, "
              f"median {statistics.median(fixed) * 1e3:6.1f}; best ratio "
              f"{zoned[0] / fixed[0]:.3f}")


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 30)
