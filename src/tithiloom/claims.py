"""Reasoning that matches the day it explains.

The core writes "<tithi> (Tithi N) prevails at sunrise (HH:MM) on <date>" for
the udaya day it found, also when it fell back to the day on which a tithi
that touches no sunrise begins: then that sunrise carries another tithi and
the package's own ``day()`` contradicts the text.  :func:`restate` checks
each such claim against the sunrise it names and, where it does not hold,
says what happened instead (when the tithi begins and ends, against which
sunrises).  The core's texts themselves stay as they are.
"""

from __future__ import annotations

import datetime as dt
import math
import re
from collections.abc import Mapping, Sequence

from tithiloom import _core
from tithiloom.errors import TithiloomError
from tithiloom.places import Place
from tithiloom.results import Day, Tithi

CLAIM = re.compile(r"\(Tithi (\d+)\) prevails at sunrise \((\d\d:\d\d)\) on (\d{4}-\d\d-\d\d)")
# The shraddha's form; its tithi is the record's.
THIS_TITHI = re.compile(r"this Tithi prevails at sunrise on (\d{4}-\d\d-\d\d)")


def _hm(when: dt.datetime, on: dt.date) -> str:
    return f"{when:%H:%M}" if when.date() == on else f"{when:%H:%M} on {when.date().isoformat()}"


def _span(tithi: int, days: Sequence[Day]) -> tuple[dt.datetime, dt.datetime] | None:
    """Start and end of ``tithi`` from the tithis at the sunrises of consecutive
    days: its own if one of them carries it, else the gap between the tithis
    either side of it (a tithi that touches none of those sunrises)."""
    limbs: list[Tithi] = []
    for d in days:
        if not limbs or limbs[-1].number != d.tithi.number:
            limbs.append(d.tithi)
    for t in limbs:
        if t.number == tithi and t.start is not None and t.end is not None:
            return t.start, t.end
    for a, b in zip(limbs, limbs[1:]):
        if a.number % 30 + 1 == tithi and tithi % 30 + 1 == b.number \
                and a.end is not None and b.start is not None:
            return a.end, b.start
    return None


def _what_happened(tithi: int, on: dt.date, place: Place, convention: str) -> str | None:
    """The words for a tithi that does not prevail at the sunrise of ``on``, or
    None when its span cannot be told from the days around."""
    from tithiloom import api  # the almanac functions use this module

    around = api.days(on - dt.timedelta(days=1), on + dt.timedelta(days=1), place, convention)
    if len(around) != 3:  # a day without sunrise around: leave the text alone
        return None
    days = around[1:]
    span = _span(tithi, days)
    if span is None:  # ended before the day's sunrise, perhaps
        days = around
        span = _span(tithi, days)
    if span is None:
        return None
    start, end = span
    rise, next_rise = days[-2].sunrise, days[-1].sunrise
    if start > rise and end <= next_rise:
        return (f"begins at {_hm(start, on)}, after sunrise ({_hm(rise, on)}) on "
                f"{on.isoformat()}, and ends at {_hm(end, on)}, before the next sunrise: it "
                f"touches no sunrise and is kept on the day it begins")
    if start > rise:
        return (f"begins at {_hm(start, on)}, after sunrise ({_hm(rise, on)}) on "
                f"{on.isoformat()}, and prevails at the next sunrise ({_hm(next_rise, on)})")
    if end <= rise:
        return (f"ends at {_hm(end, on)} on {on.isoformat()}, before that day's sunrise "
                f"({_hm(rise, on)})")
    return None


def restate(texts: Sequence[str], place: Place, convention: str, tithi: int | None = None,
            sunrises: Mapping[dt.date, float] | None = None) -> list[str]:
    """``texts`` with each false "prevails at sunrise" claim replaced by what
    happened; ``tithi`` is the tithi of texts that say "this Tithi";
    ``sunrises`` the sunrises (Julian days) already known for some dates."""
    claims: set[tuple[int, dt.date]] = set()
    for text in texts:
        claims.update((int(m[1]), dt.date.fromisoformat(m[3])) for m in CLAIM.finditer(text))
        if tithi is not None:
            claims.update((tithi, dt.date.fromisoformat(m[1]))
                          for m in THIS_TITHI.finditer(text))
    if not claims:
        return list(texts)
    false = _false(claims, place, convention, sunrises or {})
    if not false:
        return list(texts)
    words = {c: _what_happened(*c, place, convention) for c in sorted(false)}

    def number(m: re.Match[str]) -> str:
        said = words.get((int(m[1]), dt.date.fromisoformat(m[3])))
        return m[0] if said is None else f"(Tithi {m[1]}) {said}"

    def this(m: re.Match[str]) -> str:
        said = None if tithi is None else words.get((tithi, dt.date.fromisoformat(m[1])))
        return m[0] if said is None else f"this Tithi {said}"

    return [THIS_TITHI.sub(this, CLAIM.sub(number, text)) for text in texts]


def _false(claims: set[tuple[int, dt.date]], place: Place, convention: str,
           known: Mapping[dt.date, float]) -> set[tuple[int, dt.date]]:
    """The claims whose date's sunrise carries another tithi (one native call
    for the tithis at all the sunrises)."""
    from tithiloom import api

    rises = {on: known[on] for _, on in claims if on in known and not math.isnan(known[on])}
    for _, on in claims:
        if on not in rises:
            try:
                rise = api._sun(on, place, convention)["sunrise_jd"]
            except TithiloomError:
                continue
            if not math.isnan(rise):
                rises[on] = rise
    dates = sorted(rises)
    carried = {on: r["tithi"]["number"] for on, r in
               zip(dates, _core.py_compute_panchanga_at_jds([rises[d] for d in dates]))}
    return {(t, on) for t, on in claims if on in carried and carried[on] != t}
