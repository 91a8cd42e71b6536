"""Daylight saving: every date is computed with the offset in force on it and every
time is shown with the offset of its own instant (New York and London, 2026)."""

import datetime as dt
from zoneinfo import ZoneInfo

import pytest

import tithiloom
from tithiloom import api, zones

from conftest import utc_hours

UTC = dt.timezone.utc

# (place, date of the change, offset before, offset after) in hours
CHANGES = [
    ("New York", dt.date(2026, 3, 8), -5, -4), ("New York", dt.date(2026, 11, 1), -4, -5),
    ("London", dt.date(2026, 3, 29), 0, 1), ("London", dt.date(2026, 10, 25), 1, 0),
]


@pytest.mark.parametrize("name, change, before, after", CHANGES)
def test_sunrise_jumps_by_the_clock_change_but_not_in_absolute_time(name, change, before, after):
    place = tithiloom.Place.named(name)
    eve, day = tithiloom.day(change - dt.timedelta(days=1), place), tithiloom.day(change, place)
    assert (utc_hours(eve.sunrise), utc_hours(day.sunrise)) == (before, after)
    assert (eve.sunrise.date(), day.sunrise.date()) == (change - dt.timedelta(days=1), change)
    elapsed = (day.sunrise.astimezone(UTC) - eve.sunrise.astimezone(UTC)).total_seconds() / 60
    assert abs(elapsed - 24 * 60) < 4
    wall = (day.sunrise.replace(tzinfo=None) - eve.sunrise.replace(tzinfo=None))
    assert abs(wall.total_seconds() / 60 - (24 * 60 + 60 * (after - before))) < 4


@pytest.mark.parametrize("name, change, before, after", CHANGES)
def test_a_range_across_the_change_matches_day_by_day(name, change, before, after):
    place = tithiloom.Place.named(name)
    first, last = change - dt.timedelta(days=2), change + dt.timedelta(days=2)
    batch = tithiloom.days(first, last, place)
    assert [d.date for d in batch] == [first + dt.timedelta(days=i) for i in range(5)]
    for d in batch:
        single = tithiloom.day(d.date, place)
        assert d.sunrise == single.sunrise and d.sunset == single.sunset
        assert (d.tithi.number, d.nakshatra.number, d.yoga.number, d.karana.number) == \
            (single.tithi.number, single.nakshatra.number, single.yoga.number,
             single.karana.number)
        assert utc_hours(d.sunrise) == (before if d.date < change else after)
        assert all(utc_hours(w.start) == utc_hours(d.sunrise) for w in d.muhurat.windows())


@pytest.mark.parametrize("name, change, before, after", CHANGES)
def test_windows_and_lagna_on_the_changeover_day(name, change, before, after):
    place = tithiloom.Place.named(name)
    periods = tithiloom.choghadiya(change, place)
    assert periods.day[0].start == tithiloom.day(change, place).sunrise
    assert utc_hours(periods.day[0].start) == after
    windows = tithiloom.lagna_windows(change, place)
    assert windows[0].start == zones.local_midnight(change, place.zone)
    assert windows[0].start.time() == dt.time(0, 0)
    assert windows[-1].end.astimezone(UTC) - windows[0].start == dt.timedelta(days=1)


@pytest.mark.parametrize("zone, wall, problem", [
    ("America/New_York", dt.datetime(2026, 3, 8, 2, 30), "does not exist"),
    ("Europe/London", dt.datetime(2026, 3, 29, 1, 15), "does not exist"),
    ("America/New_York", dt.datetime(2026, 11, 1, 1, 30), "happens twice"),
    ("Europe/London", dt.datetime(2026, 10, 25, 1, 45), "happens twice"),
])
def test_skipped_and_doubled_wall_clock_times_are_refused(zone, wall, problem):
    with pytest.raises(tithiloom.TithiloomError, match=problem):
        zones.localize(wall, ZoneInfo(zone))
    tz = ZoneInfo(zone)
    if problem == "does not exist":  # an aware datetime in the gap is refused as well
        with pytest.raises(tithiloom.TithiloomError, match="does not exist"):
            tithiloom.lagna(wall.replace(tzinfo=tz), tithiloom.Place("x", 40.0, -74.0, 0, zone))
    else:  # the fold attribute chooses, as in PEP 495
        first, second = (wall.replace(tzinfo=tz, fold=f) for f in (0, 1))
        assert zones.to_jd(second) - zones.to_jd(first) == pytest.approx(1 / 24)


def test_year_calls_keep_each_result_from_the_run_whose_offset_its_date_has(new_york):
    # Two runs (EST and EDT) that disagree on the date of an observance near
    # midnight: each date must come from the run whose offset is in force on it.
    def run(off):
        hours = off // 3600
        return [{"id": "winter", "day": dt.date(2026, 1, 10 if hours == -5 else 11),
                 "sunrise": 10.0},
                {"id": "summer", "day": dt.date(2026, 7, 4 if hours == -4 else 5),
                 "sunrise": 20.0}]

    picked = api._per_offset(new_york, dt.date(2026, 1, 1), dt.date(2026, 12, 31), run,
                             lambda r: r["id"], lambda r: r["day"], lambda r: r["sunrise"])
    assert [(r["id"], r["day"]) for r in picked] == [("winter", dt.date(2026, 1, 10)),
                                                     ("summer", dt.date(2026, 7, 4))]


def test_a_zone_without_daylight_saving_runs_once(delhi):
    calls = []
    api._per_offset(delhi, dt.date(2026, 1, 1), dt.date(2026, 12, 31),
                    lambda off: calls.append(off) or [], lambda r: 0, lambda r: r, lambda r: 0.0)
    assert calls == [19800]
