"""Wall-clock timings of the package as people use it: `import tithiloom`, the
no-argument almanac from process start to exit, and `year 2026 --ics`.

    python bench/bench_cli.py [RUNS]

Prints the median and the best of RUNS runs (default 5) of each, in seconds.
"""

import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path


def timed(args: list[str], runs: int) -> list[float]:
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(args, check=True, stdout=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return times


def main() -> None:
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    py = sys.executable
    baseline = timed([py, "-c", "pass"], runs)
    with tempfile.TemporaryDirectory() as tmp:
        cases = {
            "import tithiloom (less interpreter start)": ([py, "-c", "import tithiloom"], True),
            "tithiloom (no arguments), start to exit": ([py, "-m", "tithiloom"], False),
            "tithiloom year 2026 --ics": ([py, "-m", "tithiloom", "year", "2026", "--ics",
                                          str(Path(tmp, "y.ics"))], False),
        }
        for label, (args, less_start) in cases.items():
            t = timed(args, runs)
            if less_start:
                t = [a - min(baseline) for a in t]
            print(f"{label:<45} median {statistics.median(t):6.3f} s   best {min(t):6.3f} s")
    print(f"{'(python -c pass)':<45} median {statistics.median(baseline):6.3f} s")


if __name__ == "__main__":
    main()
