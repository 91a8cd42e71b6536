"""Per-call cost of the binding layer next to a plain C builtin call.

Run: PYTHONPATH=build/dev/python python3 bench/bench_bindings.py
"""

import math
import timeit

import tithiloom._core as core

NUMBER = 200_000
REPEAT = 7


def per_call_ns(stmt, env):
    best = min(timeit.repeat(stmt, globals=env, number=NUMBER, repeat=REPEAT))
    return best / NUMBER * 1e9


def main():
    env = {"core": core, "math": math}
    rows = [
        ("math.fmod(1.0, 2.0)", "math.fmod(1.0, 2.0)"),
        ("py_ayanamsa(2451545.0)", "core.py_ayanamsa(2451545.0)"),
        ("py_datetime_to_jd positional", "core.py_datetime_to_jd(2000, 1, 1, 12, 0, 0.0)"),
        ("py_datetime_to_jd keywords",
         "core.py_datetime_to_jd(year=2000, month=1, day=1, hour=12, min=0, sec=0.0)"),
    ]
    core.py_ayanamsa(2451545.0)  # initialise outside the timing
    base = None
    for label, stmt in rows:
        ns = per_call_ns(stmt, env)
        base = base or ns
        print(f"{label:34s} {ns:8.1f} ns/call   {ns / base:5.2f} x fmod")


if __name__ == "__main__":
    main()
