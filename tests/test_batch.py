"""Batch day results: equal to the daily panchang of each day, the calendar
walk, weekdays for every era, refused dates and oversized ranges; the daily
panchang's weekday as given."""

import datetime as dt
import math
import os

import pytest

import tithiloom._core as core

DELHI = (28.6139, 77.2090, 216.0)
TIMED = ("start_jd", "end_jd")


def day_range(*args, place=DELHI, utc_offset=19800):
    return core.py_compute_batch_range(*args, *place, utc_offset)


@pytest.mark.parametrize("place, offset, span", [
    ((40.7128, -74.0060, 10.0), -18000, (2025, 12, 28, 2026, 1, 3)),
    ((-33.87, 151.21, 58.0), 36000, (-1200, 3, 15, -1200, 3, 25)),
    ((69.6492, 18.9553, 0.0), 3600, (2998, 3, 15, 2998, 3, 25))])
def test_batch_days_are_the_daily_panchang_without_transitions(place, offset, span):
    # Floats compare by value: equal dicts hold equal bits.
    for b in day_range(*span, place=place, utc_offset=offset):
        assert list(b) == ["year", "month", "day", "sun", "vara", "tithi", "nakshatra", "yoga",
                           "karana"]
        p = core.py_compute_panchang(b["year"], b["month"], b["day"], *place, offset,
                                     b["vara"]["number"])
        assert list(b["nakshatra"]) == ["number", "name", "pada", "lord"]
        assert {k: b[k] for k in ("sun", "vara")} == {k: p[k] for k in ("sun", "vara")}
        for limb in ("tithi", "nakshatra", "yoga", "karana"):
            assert b[limb] == {k: v for k, v in p[limb].items() if k not in TIMED}


def test_year_has_every_civil_day_in_order():
    days = core.py_compute_batch_year(2026, *DELHI, 19800)
    expected = [dt.date(2026, 1, 1) + dt.timedelta(k) for k in range(365)]
    assert [(d["year"], d["month"], d["day"]) for d in days] == [
        (e.year, e.month, e.day) for e in expected]
    rises = [d["sun"]["sunrise_jd"] for d in days]
    assert all(0.9 < b - a < 1.1 for a, b in zip(rises, rises[1:]))


def weekday_from_jd(y, m, d):
    # JD of 0h UT ends in .5; that day's weekday with 0 = Sunday.
    return math.floor(core.py_datetime_to_jd(y, m, d, 0, 0, 0.0) + 1.5) % 7


WEEK = ["Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"]


@pytest.mark.parametrize("start, end, dates", [
    ((2024, 2, 28), (2024, 3, 1), [(2024, 2, 28), (2024, 2, 29), (2024, 3, 1)]),
    ((2025, 2, 28), (2025, 3, 1), [(2025, 2, 28), (2025, 3, 1)]),
    ((2000, 2, 28), (2000, 3, 1), [(2000, 2, 28), (2000, 2, 29), (2000, 3, 1)]),
    ((1900, 2, 28), (1900, 3, 1), [(1900, 2, 28), (1900, 3, 1)]),
    ((2025, 12, 30), (2026, 1, 2), [(2025, 12, 30), (2025, 12, 31), (2026, 1, 1), (2026, 1, 2)]),
    ((2026, 5, 5), (2026, 5, 5), [(2026, 5, 5)]),
    ((2026, 5, 5), (2026, 5, 4), []),
    ((2027, 1, 1), (2026, 1, 1), []),
    # Proleptic Gregorian before year one: the year 0 (1 BCE) is leap, -100 and
    # -2500 are not, and 1582 has no gap.
    ((-1, 12, 31), (0, 1, 1), [(-1, 12, 31), (0, 1, 1)]),
    ((0, 2, 28), (0, 3, 1), [(0, 2, 28), (0, 2, 29), (0, 3, 1)]),
    ((-100, 2, 28), (-100, 3, 1), [(-100, 2, 28), (-100, 3, 1)]),
    ((-400, 2, 28), (-400, 3, 1), [(-400, 2, 28), (-400, 2, 29), (-400, 3, 1)]),
    ((-2500, 2, 28), (-2500, 3, 1), [(-2500, 2, 28), (-2500, 3, 1)]),
    ((1582, 10, 4), (1582, 10, 5), [(1582, 10, 4), (1582, 10, 5)]),
])
def test_calendar_walk_and_weekdays(start, end, dates):
    # The dates walked are reported whatever the offset, each with its weekday.
    for utc_offset in (-43200, 0, 19800, 50400):
        days = day_range(*start, *end, utc_offset=utc_offset)
        assert [(d["year"], d["month"], d["day"]) for d in days] == dates
        for d in days:
            number = weekday_from_jd(d["year"], d["month"], d["day"])
            assert (d["vara"]["number"], d["vara"]["english"]) == (number, WEEK[number])


@pytest.mark.parametrize("start, end, named", [
    ((2026, 13, 1), (2026, 12, 31), "2026-13-01"),
    ((2026, 0, 1), (2026, 12, 31), "2026-00-01"),
    ((2026, 1, 0), (2026, 12, 31), "2026-01-00"),
    ((2025, 2, 29), (2025, 3, 31), "2025-02-29"),
    ((2026, 1, 1), (2026, 4, 31), "2026-04-31"),
    ((2026, 1, 1), (2026, 4294967295, 1), "2026-4294967295-01"),
    ((1900, 2, 29), (1900, 3, 1), "1900-02-29"),
])
def test_invalid_dates_are_refused_naming_the_date(start, end, named):
    with pytest.raises(ValueError, match=named):
        day_range(*start, *end)


def test_polar_days_are_left_out():
    # 78 N: the Sun stays below the horizon from late October to mid February.
    days = day_range(2026, 1, 1, 2026, 3, 31, place=(78.22, 15.65, 0.0), utc_offset=3600)
    assert 0 < len(days) < 90
    dates = [dt.date(d["year"], d["month"], d["day"]) for d in days]
    assert dates == sorted(dates) and dates[0] > dt.date(2026, 2, 1)
    assert all(math.isfinite(d["sun"]["sunset_jd"]) for d in days)


def test_ranges_too_long_to_hold_are_refused_before_any_work():
    with pytest.raises(MemoryError, match="too long"):
        day_range(-2000000000, 1, 1, 2000000000, 12, 31)
    with pytest.raises(ValueError, match="^ephemeris: .*outside Moshier"):
        day_range(2147483647, 12, 31, 2147483647, 12, 31)
    # About 1.5 KB of machine memory a day: the records alone (a few hundred
    # bytes a day) would fit, the Python result (about 2 KB a day) would not.
    # Refused before any day is computed (most of it lies past the span, so
    # computing would end in a ValueError instead).
    physical = os.sysconf("SC_PHYS_PAGES") * os.sysconf("SC_PAGE_SIZE")
    years = int(physical / 1500 / 365.25) + 1
    with pytest.raises(MemoryError, match="too long"):
        day_range(1000, 1, 1, 1000 + years, 12, 31)


def test_range_over_several_chunks_equals_its_parts():
    # Longer than the 4096 days computed at a time: no day is lost, repeated
    # or changed where the chunks meet.
    days = day_range(2015, 1, 1, 2026, 3, 31)
    dates = [dt.date(d["year"], d["month"], d["day"]) for d in days]
    assert dates == [dt.date(2015, 1, 1) + dt.timedelta(n) for n in range(len(dates))]
    assert dates[-1] == dt.date(2026, 3, 31)
    seam = dates.index(dt.date(2015, 1, 1) + dt.timedelta(4096))
    around = day_range(*(dates[seam - 3].timetuple()[:3]), *(dates[seam + 2].timetuple()[:3]))
    assert repr(days[seam - 3:seam + 3]) == repr(around)


@pytest.mark.parametrize("weekday, name, english", [
    (0, "Ravivara", "Sunday"), (6, "Shanivara", "Saturday"), (7, "Ravivara", "Sunday"),
    (8, "Somavara", "Monday"), (4294967295, "Budhavara", "Wednesday")])
def test_the_daily_panchang_takes_the_weekday_as_given(weekday, name, english):
    p = core.py_compute_panchang(2026, 4, 14, *DELHI, 19800, weekday)
    assert list(p) == ["sun", "vara", "tithi", "nakshatra", "yoga", "karana"]
    assert p["vara"] == {"number": weekday, "name": name, "english": english}
