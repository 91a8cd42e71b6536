"""Every public function and command fed values a hostile or careless caller
would pass: counts the calls and runs, and lists any that end in a traceback
or in an exception other than TithiloomError (the package's one error type).

Run: PYTHONPATH=<build>/python python bench/hostile_inputs.py [--no-cli]
"""

import datetime as dt
import itertools
import subprocess
import sys

import tithiloom
from tithiloom.errors import TithiloomError

UTC = dt.timezone.utc
DELHI = tithiloom.Place.named("New Delhi")
YEARS = [0, 1, 2, -5, 3000, 3001, 10**30, 2026.0, "2026", None, True]
DATES = [dt.date(1, 1, 1), dt.date(2, 1, 1), dt.date(500, 6, 1), dt.date(3000, 12, 31),
         dt.date(9999, 12, 31), dt.datetime(2026, 1, 1), "2026-01-01", None, 2026]
PLACES = [DELHI, "London", None, tithiloom.Place.named("Tromsø"), 5]
INSTANTS = [dt.datetime(9999, 1, 1, tzinfo=UTC), dt.datetime(1, 1, 1, tzinfo=UTC),
            dt.datetime(2026, 1, 1), dt.datetime(2026, 11, 1, 1, 30,
                                                 tzinfo=tithiloom.Place.named("New York").zone),
            "now", None]
LABELS = ["", "x", "\ud800", None, 7]
BETWEENS = [(None, None), (dt.date(2026, 2, 1), dt.date(2026, 1, 1)), dt.date(2026, 1, 1),
            (dt.datetime(2026, 1, 1, tzinfo=UTC), dt.date(2026, 2, 1)), ("a", "b")]


def api_calls():
    """(label, thunk) for every hostile combination."""
    t = tithiloom
    for y, p in itertools.product(YEARS, PLACES):
        for name in ("festivals", "ekadashis", "vrats", "sankrantis"):
            yield f"{name}({y!r}, {p!r})", lambda f=getattr(t, name), y=y, p=p: f(y, p)
    for y, c in itertools.product(YEARS, LABELS + ["amant"]):
        yield f"lunar_months({y!r}, {c!r})", lambda y=y, c=c: t.lunar_months(y, c)
    for d, p in itertools.product(DATES, PLACES):
        for name in ("day", "muhurat", "choghadiya", "lagna_windows"):
            yield f"{name}({d!r}, {p!r})", lambda f=getattr(t, name), d=d, p=p: f(d, p)
        yield f"shraddha_timeline({d!r}, {p!r})", lambda d=d, p=p: t.shraddha_timeline(d, p)
        yield f"shraddha({d!r}, 2026, {p!r})", lambda d=d, p=p: t.shraddha(d, 2026, p)
    for i in INSTANTS:
        yield f"at([{i!r}])", lambda i=i: t.at([i])
        yield f"lagna({i!r})", lambda i=i: t.lagna(i, DELHI)
    for label in LABELS:
        for name in ("festivals", "ekadashis", "vrats"):
            yield f"{name}(convention={label!r})", \
                lambda f=getattr(t, name), c=label: f(2026, DELHI, convention=c)
            yield f"{name}(calendar={label!r})", \
                lambda f=getattr(t, name), c=label: f(2026, DELHI, calendar=c)
        yield f"lagna(system={label!r})", \
            lambda s=label: t.lagna(dt.datetime(2026, 1, 1, tzinfo=UTC), DELHI, s)
    for b in BETWEENS:
        for name in ("festivals", "ekadashis", "vrats"):
            yield f"{name}(between={b!r})", \
                lambda f=getattr(t, name), b=b: f(2026, DELHI, between=b)
    for counts in ((-1, 0, 0), (0, 101, 0), (0, 0, 2**64), (1.5, 0, 0), (True, 0, 0)):
        yield f"shraddha_timeline counts {counts}", \
            lambda c=counts: t.shraddha_timeline(dt.date(2020, 5, 5), DELHI, *c)
    for lat, lng in ((91, 0), (0, 181), (float("nan"), 0), ("x", 0)):
        yield f"Place({lat!r}, {lng!r})", \
            lambda lat=lat, lng=lng: t.day(dt.date(2026, 1, 1), t.Place("x", lat, lng, "UTC"))


CLI_RUNS = [
    ["day", "0001-01-01"], ["day", "0000-01-01"], ["day", "2026-02-30"], ["day", "x"],
    ["sankranti", "1"], ["sankranti", "0"], ["sankranti", "99999"], ["month", "0001-01"],
    ["month", "2026-13"], ["lagna", "0001-01-01T00:00", "--windows"], ["lagna", "x"],
    ["shraddha", "0500-06-01", "--timeline"], ["shraddha", "2999-01-01"],
    ["festivals", "2026", "--ics", ""], ["festivals", "2026", "--ics", "/nonexistent/x.ics"],
    ["month", "2026-02", "--html", ""], ["festivals", "2026", "--rules", "/nonexistent.yaml"],
    ["--place", "Atlantis"], ["--place", "London", "--lat", "10", "--lng", "10"],
    ["--lat", "91", "--lng", "0"], ["--lat", "x", "--lng", "0"], ["--tz", "Mars/Olympus"],
    ["festivals", "--find", "zzzz", "--years", "2026-2027"],
    ["festivals", "--find", "diwali", "--years", "2030-2026"],
    ["festivals", "2026", "--convention", "printed"], ["ekadashi", "2026", "--calendar", "solar"],
    ["lagna", "2026-11-01T01:30", "--place", "New York"], ["choghadiya", "3001-01-01"],
]


def main() -> None:
    bad = []
    calls = 0
    for label, thunk in api_calls():
        calls += 1
        try:
            thunk()
        except TithiloomError:
            pass
        except Exception as e:  # noqa: BLE001 - what this script looks for
            bad.append(f"API {label}: {type(e).__name__}: {e}")
    runs = 0
    if "--no-cli" not in sys.argv:
        for args in CLI_RUNS:
            runs += 1
            done = subprocess.run([sys.executable, "-m", "tithiloom", *args], capture_output=True,
                                  text=True, timeout=300)
            if "Traceback" in done.stderr or done.returncode not in (0, 2) or (
                    done.returncode == 2 and len(done.stderr.strip().splitlines()) != 1):
                bad.append(f"CLI {' '.join(args)}: exit {done.returncode}: {done.stderr[-300:]}")
    for line in bad:
        print(line)
    print(f"{calls} API calls, {runs} CLI runs: {len(bad)} ended otherwise than in a result or "
          "one TithiloomError")


if __name__ == "__main__":
    main()
