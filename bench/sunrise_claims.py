"""How many "prevails at sunrise" claims in the package's reasoning its own day() contradicts.

Run: PYTHONPATH=<build>/python python bench/sunrise_claims.py [--years 2026-2027]
         [--places "New Delhi,Mumbai,..."] [--verbose]

Every reasoning text of festivals (and their alternates), Ekadashis, vrats and
a shraddha at each place and year is searched for a claim that a numbered
tithi "prevails at sunrise" on a date ("... (Tithi N) prevails at sunrise
(HH:MM) on YYYY-MM-DD", or "on both YYYY-MM-DD and the next day"); the claim
is false when `tithiloom.day(date, place)` shows another tithi at that
sunrise.  Prints "false F of C claims" and the number of claims the package
restated as what happened (a tithi that "begins at" or "ends at" a time
against a sunrise); with --verbose each false one.
"""

import argparse
import datetime as dt
import re
from functools import lru_cache

import tithiloom

PLACES = "New Delhi,Mumbai,Kolkata,Chennai,London,New York"
ONE = re.compile(r"\(Tithi (\d+)\) prevails at sunrise \(\d\d:\d\d\) on (\d{4}-\d\d-\d\d)")
# A claim the package restated because the sunrise does not carry the tithi.
RESTATED = re.compile(r"\(Tithi \d+\) (?:begins|ends) at ")
BOTH = re.compile(r"\(Tithi (\d+)\) prevails at sunrise on both (\d{4}-\d\d-\d\d) and the next day")


def texts(year, place):
    """(what, reasoning) of every observance of the year at the place."""
    for f in tithiloom.festivals(year, place):
        yield f"{f.name} {f.date}", f.reasoning
        if f.alternate is not None:
            yield f"{f.name} (alternate) {f.alternate.date}", f.alternate.reasoning
    for e in tithiloom.ekadashis(year, place):
        yield f"{e.name} Ekadashi {e.smartha_date}", e.reasoning
    for v in tithiloom.vrats(year, place):
        yield f"{v.name} {v.date}", v.reasoning


def claims(text):
    """(tithi, date) pairs a text says prevail at sunrise."""
    for m in ONE.finditer(text):
        yield int(m.group(1)), dt.date.fromisoformat(m.group(2))
    for m in BOTH.finditer(text):
        first = dt.date.fromisoformat(m.group(2))
        yield int(m.group(1)), first
        yield int(m.group(1)), first + dt.timedelta(days=1)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--years", default="2026-2027")
    ap.add_argument("--places", default=PLACES)
    ap.add_argument("--verbose", action="store_true")
    a = ap.parse_args()
    first, last = (int(y) for y in a.years.split("-"))
    total = false = restated = 0
    for name in a.places.split(","):
        place = tithiloom.Place.named(name.strip())

        @lru_cache(maxsize=None)
        def tithi_on(d, place=place):
            return tithiloom.day(d, place).tithi.number

        for year in range(first, last + 1):
            for what, text in texts(year, place):
                restated += len(RESTATED.findall(text))
                for tithi, d in claims(text):
                    total += 1
                    if tithi_on(d) != tithi:
                        false += 1
                        if a.verbose:
                            print(f"{place.name}: {what}: tithi {tithi} claimed on {d}, "
                                  f"day() shows {tithi_on(d)}\n    {text}")
    print(f"false {false} of {total} claims; {restated} restated")


if __name__ == "__main__":
    main()
