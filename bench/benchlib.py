"""Helpers shared by the benchmarks: the pool's size for the calls that
follow, the best of repeated timings, and programs built against a core that
counts its library requests."""

import os
import pathlib
import subprocess
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent


def threads(n):
    """Sets the pool's size for the calls that follow (None: the machine's)."""
    if n is None:
        os.environ.pop("TITHILOOM_THREADS", None)
    else:
        os.environ["TITHILOOM_THREADS"] = str(n)


def best_of(fn, repeat=5):
    """The least wall and processor seconds of ``repeat`` runs of fn()."""
    walls, cpus = [], []
    for _ in range(repeat):
        w, c = time.perf_counter(), time.process_time()
        fn()
        walls.append(time.perf_counter() - w)
        cpus.append(time.process_time() - c)
    return min(walls), min(cpus)


def counting_program_output(name, *args):
    """Builds bench/<name>.cpp against a core that counts library requests
    (in $COUNT_BUILD, by default build/bench-count), runs it with `args` and
    returns what it printed. Raises OSError or CalledProcessError."""
    build = pathlib.Path(os.environ.get("COUNT_BUILD", ROOT / "build" / "bench-count"))
    exe = build / name

    def run(*cmd):
        return subprocess.run(cmd, check=True, capture_output=True, text=True)

    run("cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
        "-DCMAKE_BUILD_TYPE=Release", "-DTITHILOOM_COUNT_REQUESTS=ON")
    run("cmake", "--build", str(build), "--target", "tithiloom_core", "swisseph")
    run("c++", "-std=c++20", "-O2", "-ffp-contract=off", "-DTITHILOOM_COUNT_REQUESTS",
        f"-I{ROOT / 'src' / 'core'}", str(ROOT / "bench" / f"{name}.cpp"),
        str(build / "libtithiloom_core.a"),
        str(build / "third_party" / "swisseph" / "libswisseph.a"), "-lm", "-o", str(exe))
    return run(str(exe), *map(str, args)).stdout
