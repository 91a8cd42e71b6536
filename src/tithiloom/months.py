"""Lunar month names as every output of the package gives them, amanta or purnimanta.

The core computes amanta months (new moon to new moon).  Northern (purnimanta)
almanacs derive theirs from those: the bright half of amanta month M stays in
M, the dark half that ends amanta month M is the dark half of purnimanta month
M + 1, and an adhika month is the same lunation, new moon to new moon, in both
reckonings, so it stands between the dark and the bright half of its nija
month.  (A kshaya lunation holds the ingresses of two months; its dark half
is the second month's, so it joins the month after that, and the second
month has no purnimanta month.)  A day's month is named from its amanta
month, its paksha and whether that month is adhika by :func:`month_name`;
texts the core wrote with amanta names are renamed by :func:`reword`;
:func:`purnimanta_months` lists the purnimanta months of a year.
"""

from __future__ import annotations

import math
import re
from functools import lru_cache
from typing import Any

from tithiloom import _core

# Amanta month -> the purnimanta month that holds its dark half.
_FOLLOWING: dict[str, str] = dict(_core._vocabulary()["purnimant_month_names"])
NAMES: tuple[str, ...] = tuple(_FOLLOWING)  # 1 = Chaitra ... 12 = Phalguna
ADHIKA = "Adhika "


def plain_name(amanta: str, paksha: str, adhika: bool = False,
               calendar: str = "purnimant", kshaya: bool = False) -> str:
    """The month's name without the adhika mark: that of the purnimanta month
    holding a dark half of a nija amanta month (two months on for a kshaya
    lunation's), else the amanta name."""
    if calendar == "purnimant" and paksha == "Krishna" and not adhika:
        if kshaya and amanta in _FOLLOWING:
            return NAMES[(NAMES.index(amanta) + 2) % len(NAMES)]
        return _FOLLOWING.get(amanta, amanta)
    return amanta


def month_name(amanta: str, paksha: str, adhika: bool = False,
               calendar: str = "purnimant", kshaya: bool = False) -> str:
    """The name of the lunar month holding a day of ``paksha`` ("Shukla" or
    "Krishna") in amanta month ``amanta``, in ``calendar`` ("amant" or
    "purnimant"), an adhika month marked "Adhika ": ("Jyeshtha", "Krishna",
    False, "purnimant") gives "Ashadha"; with ``adhika`` True, "Adhika Jyeshtha"."""
    return marked(plain_name(amanta, paksha, adhika, calendar, kshaya), adhika)


def marked(name: str, adhika: bool) -> str:
    """A month's name with the adhika mark when it is adhika ("Adhika Jyeshtha")."""
    return ADHIKA + name if adhika else name


def amanta_name(name: str, paksha: str, adhika: bool = False,
                calendar: str = "purnimant", kshaya: bool = False) -> str:
    """The amanta month of a day that :func:`plain_name` names ``name``."""
    if calendar == "purnimant" and paksha == "Krishna" and not adhika and name in _FOLLOWING:
        return NAMES[NAMES.index(name) - (2 if kshaya else 1)]
    return name


def split(label: str) -> tuple[str, bool]:
    """A month label as the core writes it ("Adhika Shravana") -> (name, adhika)."""
    if label.startswith(ADHIKA):
        return label[len(ADHIKA):], True
    return label, False


@lru_cache(maxsize=len(NAMES))
def _mention(amanta: str) -> re.Pattern[str]:
    # The month, with its adhika mark if written; not the nakshatras that share
    # a month's name (Nakshatra Shravana, Purva Ashadha, Magha as a star).
    return re.compile(rf"(?<!Nakshatra )(?<!Purva )(?<!Uttara )\b(?:{ADHIKA})?{amanta}\b")


def reword(text: str, amanta: str, paksha: str, adhika: bool = False,
           calendar: str = "purnimant", kshaya: bool = False) -> str:
    """A text the core wrote about a day of amanta month ``amanta``, its month
    named each time as :func:`month_name` names it (adhika marked throughout)."""
    if not text or amanta not in _FOLLOWING:
        return text
    return _mention(amanta).sub(month_name(amanta, paksha, adhika, calendar, kshaya), text)


@lru_cache(maxsize=16)
def _amanta(year: int) -> tuple[_core.LunarMonthDict, ...]:
    return tuple(_core.py_compute_lunar_months(year, "amant"))


def in_kshaya(jd: float) -> bool:
    """Whether an instant (UT Julian day) lies in a kshaya lunation, one that holds
    two months' ingresses; the core's records of a day do not say so."""
    if math.isnan(jd):
        return False
    try:
        return any(m["is_kshaya"] and m["start_jd"] <= jd < m["end_jd"]
                   for m in _amanta(_core.py_jd_to_datetime(jd)[0]))
    except (ValueError, OverflowError):  # beyond the span the core computes
        return False


@lru_cache(maxsize=16)
def _full_moons(year: int) -> tuple[float, ...]:
    bounds = {jd for m in _core.py_compute_lunar_months(year, "purnimant")
              for jd in (m["start_jd"], m["end_jd"])}
    return tuple(sorted(bounds))


def purnimanta_months(year: int) -> list[dict[str, Any]]:
    """The purnimanta months overlapping ``year`` (UTC), derived from the amanta
    ones, as dicts shaped like the core's (number, name, is_adhik, is_kshaya,
    start_jd, end_jd).  A nija month around an adhika one is listed in two
    parts: its dark half before the adhika month, its bright half after.  In
    a year with a kshaya month, the month it skips is not listed."""
    first = _core.py_datetime_to_jd(year, 1, 1, 0, 0, 0.0)
    last = _core.py_datetime_to_jd(year + 1, 1, 1, 0, 0, 0.0)
    # The year's amanta months and one either side: whether those are adhika
    # names the halves at the ends of the year.  The year's full moons split
    # every month whose half can overlap the year.
    own = _amanta(year)
    before = [m for m in _amanta(year - 1) if m["end_jd"] < own[0]["start_jd"] + 1]
    after = [m for m in _amanta(year + 1) if m["start_jd"] > own[-1]["end_jd"] - 1]
    full = _full_moons(year)
    halves: list[dict[str, Any]] = []
    for m in (*before[-1:], *own, *after[:1]):
        middle = next((jd for jd in full if m["start_jd"] < jd < m["end_jd"]), None)
        if middle is None:  # a neighbour none of whose halves reaches the year
            continue
        for paksha, begin, end in (("Shukla", m["start_jd"], middle),
                                   ("Krishna", middle, m["end_jd"])):
            name = plain_name(m["name"], paksha, m["is_adhik"])
            kshaya = m["is_kshaya"] and paksha == "Shukla"
            if m["is_kshaya"] and paksha == "Krishna":
                # A kshaya lunation holds two months' ingresses: its dark half
                # is the second month's, which joins the month after that.
                name = NAMES[(NAMES.index(m["name"]) + 2) % len(NAMES)]
            if halves and (halves[-1]["name"], halves[-1]["is_adhik"]) == (name, m["is_adhik"]):
                halves[-1]["end_jd"] = end
                halves[-1]["is_kshaya"] = halves[-1]["is_kshaya"] or kshaya
            else:
                halves.append({"number": NAMES.index(name) + 1, "name": name,
                               "is_adhik": m["is_adhik"], "is_kshaya": kshaya,
                               "start_jd": begin, "end_jd": end})
    return [h for h in halves if h["start_jd"] < last and h["end_jd"] > first]
