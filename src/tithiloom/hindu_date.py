"""The Hindu date of a civil day: the lunar month and tithi at its sunrise (at
its local noon on a day without one), the Vikram and Shaka samvat years and the
year's name in the sixty-year cycle.

Its lunar month is named, as every month the package shows, by
:func:`tithiloom.months.month_name`.
"""

from __future__ import annotations

import datetime as dt
from collections.abc import Mapping, Sequence
from functools import lru_cache
from typing import Any

from tithiloom import _core, months, zones
from tithiloom.results import HinduDate

# The era offsets from the Gregorian year once the era's new year has passed.
VIKRAM_OFFSET, SHAKA_OFFSET = 57, -78
# A year whose Chaitra begins the cycle's first year (Prabhava), as the
# almanacs that count the cycle from the luni-solar new year do.
CYCLE_EPOCH = 1987
SAMVATSARAS = (
    "Prabhava", "Vibhava", "Shukla", "Pramoda", "Prajapati", "Angirasa", "Shrimukha",
    "Bhava", "Yuva", "Dhatri", "Ishvara", "Bahudhanya", "Pramathi", "Vikrama", "Vrisha",
    "Chitrabhanu", "Subhanu", "Tarana", "Parthiva", "Vyaya", "Sarvajit", "Sarvadhari",
    "Virodhi", "Vikriti", "Khara", "Nandana", "Vijaya", "Jaya", "Manmatha", "Durmukhi",
    "Hevilambi", "Vilambi", "Vikari", "Sharvari", "Plava", "Shubhakrit", "Shobhakrit",
    "Krodhi", "Vishvavasu", "Parabhava", "Plavanga", "Kilaka", "Saumya", "Sadharana",
    "Virodhikrit", "Paridhavi", "Pramadi", "Ananda", "Rakshasa", "Nala", "Pingala",
    "Kalayukti", "Siddharthi", "Raudra", "Durmati", "Dundubhi", "Rudhirodgari", "Raktakshi",
    "Krodhana", "Akshaya")
@lru_cache(maxsize=8)
def _months(year: int) -> Sequence[Mapping[str, Any]]:
    """The amanta lunar months overlapping a year (computed once per year)."""
    return tuple(_core.py_compute_lunar_months(year, "amant"))


def _month_at(jd: float, year: int) -> Mapping[str, Any] | None:
    """The amanta lunar month in which an instant of ``year`` (UT) falls."""
    for y in (year, year + 1, year - 1):
        try:
            months = _months(y)
        except (ValueError, OverflowError):
            continue
        for m in months:
            if m["start_jd"] <= jd < m["end_jd"]:
                return m
    return None


def _new_year_passed(jd: float, year: int) -> bool:
    """Whether the new moon that begins the Chaitra of ``year`` is at or before ``jd``."""
    try:
        starts = [m["start_jd"] for m in _months(year) if m["number"] == 1]
    except (ValueError, OverflowError):
        return False
    firsts = [s for s in starts if _core.py_jd_to_datetime(s)[0] == year]
    return bool(firsts) and min(firsts) <= jd


def hindu_date(day: dt.date, sunrise_jd: float, tithi: int, tithi_name: str, paksha: str,
               calendar: str) -> HinduDate | None:
    """The Hindu date of ``day`` from its sunrise (UT Julian day) and the tithi
    there; None where the lunar month cannot be told (the calendar's edges)."""
    month = _month_at(sunrise_jd, day.year)
    if month is None:
        return None
    passed = _new_year_passed(sunrise_jd, day.year)
    cycle_year = day.year if passed else day.year - 1
    return HinduDate(
        month["number"], months.month_name(month["name"], paksha, month["is_adhik"], calendar,
                                          month["is_kshaya"]),
        month["is_adhik"], calendar, paksha, tithi, tithi_name,
        _core.py_era_year(day.year, VIKRAM_OFFSET, passed),
        _core.py_era_year(day.year, SHAKA_OFFSET, passed),
        SAMVATSARAS[_core.py_jovian_cycle_index(cycle_year, CYCLE_EPOCH)])


def hindu_dates_at_noon(days: Sequence[dt.date], tz: dt.tzinfo,
                        calendar: str) -> list[HinduDate | None]:
    """The Hindu dates of days that have no sunrise (polar day and night), read
    at each day's local noon."""
    noons = [zones.to_jd(dt.datetime(d.year, d.month, d.day, 12, tzinfo=tz)) for d in days]
    limbs = _core.py_compute_panchanga_at_jds(noons) if noons else []
    return [hindu_date(d, jd, t["number"], t["name"], t["paksha"], calendar)
            for d, jd, t in zip(days, noons, (x["tithi"] for x in limbs))]
