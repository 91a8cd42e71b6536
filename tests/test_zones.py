"""The place's clock: every date is the local civil date and every time the wall
clock, across daylight saving, odd offsets and polar days."""

import datetime as dt
import re
from zoneinfo import ZoneInfo

import pytest

import tithiloom
from tithiloom import _core, api, rules, zones

from bits import exact
from conftest import utc_hours

UTC = dt.timezone.utc

# (place, date of the change, offset before, offset after) in hours
CHANGES = [
    ("New York", dt.date(2026, 3, 8), -5, -4), ("New York", dt.date(2026, 11, 1), -4, -5),
    ("London", dt.date(2026, 3, 29), 0, 1), ("London", dt.date(2026, 10, 25), 1, 0),
]


@pytest.mark.parametrize("name, change, before, after", CHANGES)
def test_the_changeover_day_sunrise_windows_and_lagna(name, change, before, after):
    # Sunrise jumps by the clock's change on the wall, not in absolute time.
    place = tithiloom.Place.named(name)
    eve, day = tithiloom.day(change - dt.timedelta(days=1), place), tithiloom.day(change, place)
    assert (utc_hours(eve.sunrise), utc_hours(day.sunrise)) == (before, after)
    assert (eve.sunrise.date(), day.sunrise.date()) == (change - dt.timedelta(days=1), change)
    elapsed = (day.sunrise.astimezone(UTC) - eve.sunrise.astimezone(UTC)).total_seconds() / 60
    assert abs(elapsed - 24 * 60) < 4
    wall = (day.sunrise.replace(tzinfo=None) - eve.sunrise.replace(tzinfo=None))
    assert abs(wall.total_seconds() / 60 - (24 * 60 + 60 * (after - before))) < 4
    assert tithiloom.choghadiya(change, place).day[0].start == day.sunrise
    windows = tithiloom.lagna_windows(change, place)
    assert windows[0].start == zones.local_midnight(change, place.zone)
    assert windows[0].start.time() == dt.time(0, 0)
    assert windows[-1].end.astimezone(UTC) - windows[0].start == dt.timedelta(days=1)


def test_an_aware_time_in_a_gap_is_refused_and_fold_chooses_a_doubled_one():
    # (Naive wall-clock times in a gap or doubled: test_cli.py.)
    ny = ZoneInfo("America/New_York")
    with pytest.raises(tithiloom.TithiloomError, match="does not exist"):
        tithiloom.lagna(dt.datetime(2026, 3, 8, 2, 30, tzinfo=ny), tithiloom.Place.named("New York"))
    first, second = (dt.datetime(2026, 11, 1, 1, 30, tzinfo=ny, fold=f) for f in (0, 1))
    assert zones.to_jd(second) - zones.to_jd(first) == pytest.approx(1 / 24)


# Zones whose clocks stress the core: daylight saving at 02:00 and at
# midnight (Santiago), by 30 minutes (Lord Howe), odd offsets (Chatham,
# Kathmandu), and polar night and day (Tromsø).
STRESS = [tithiloom.Place.named(n) for n in ("New York", "London", "Sydney", "Kathmandu",
                                              "Tromsø")] + [
    tithiloom.Place("Santiago", -33.4489, -70.6693, 570, "America/Santiago"),
    tithiloom.Place("Lord Howe Island", -31.5553, 159.0821, 10, "Australia/Lord_Howe"),
    tithiloom.Place("Chatham Islands", -43.9535, -176.5597, 10, "Pacific/Chatham"),
]
YEAR = 2026


def _ymd(r, prefix=""):
    return dt.date(r[prefix + "year"], r[prefix + "month"], r[prefix + "day"])


def _offsets(place):
    return sorted({place.offset_on(dt.date(YEAR, 1, 1) + dt.timedelta(days=i))
                   for i in range(365)})


def _kinds(place):
    """Per kind: the function on a clock, on a fixed offset, a call of either, each
    result's key and date."""
    where = (place.latitude, place.longitude, place.altitude_m)
    fests, ekas = rules.festival_rules(), rules.ekadashi_rules()
    return [
        (_core._festivals, _core.py_compute_festivals, lambda f, c: f(fests, YEAR, *where, c),
         lambda r: r["festival_id"], _ymd),
        (_core._ekadashis, _core.py_compute_ekadashis, lambda f, c: f(ekas, YEAR, *where, c),
         lambda r: (r["lunar_month"], r["is_adhik"], r["paksha"]), lambda r: _ymd(r, "smartha_")),
        (_core._vrat_dates, _core.py_compute_vrat_dates, lambda f, c: f(YEAR, *where, c),
         lambda r: (r["name"], r["paksha"]), _ymd),
        (_core._shraddha_timeline, _core.py_compute_shraddha_timeline,
         lambda f, c: f(YEAR, 3, 30, *where, c, 12, 3, 3)["monthly_shraddhas"],
         lambda r: r["date"], lambda r: dt.date.fromisoformat(r["date"])),
    ]


@pytest.mark.wide
@pytest.mark.parametrize("place", STRESS, ids=lambda p: p.name)
def test_a_year_on_the_clock_has_each_result_once_and_as_a_fixed_offset_gives_it(place):
    clock = api._year_clock(place, YEAR)
    for clocked, fixed, call, key, date_of in _kinds(place):
        results = call(clocked, clock)
        assert len({key(r) for r in results}) == len(results), clocked
        for off in _offsets(place):
            same = {key(r): exact(r) for r in call(fixed, off)}
            for r in results:
                if place.offset_on(date_of(r)) == off:
                    assert exact(r) == same.get(key(r)), (clocked, off, r)


@pytest.mark.wide
@pytest.mark.parametrize("place", STRESS, ids=lambda p: p.name)
def test_dates_are_local_and_times_the_wall_clock(place):
    def check(date, sunrise, reasoning=""):
        if sunrise is None:
            return
        assert sunrise.tzinfo is place.zone and sunrise.date() == date
        # The reasoning may weigh the sunrises of other days too.
        for time, on in re.findall(r"sunrise \((\d\d:\d\d)\) on (\S+?)[:,.]? ", reasoning):
            assert on != date.isoformat() or time == f"{sunrise:%H:%M}"

    festivals = tithiloom.festivals(YEAR, place)  # under the almanac convention
    assert len({f.id for f in festivals}) == len(festivals)
    for f in festivals:
        check(f.date, f.sunrise, f.reasoning)
    for e in tithiloom.ekadashis(YEAR, place):
        check(e.smartha_date, e.smartha_sunrise, e.reasoning)
        check(e.vaishnava_date, e.vaishnava_sunrise)
    for v in tithiloom.vrats(YEAR, place):
        check(v.date, v.sunrise)
    s = tithiloom.shraddha(dt.date(YEAR - 1, 3, 30), YEAR, place)
    if s is not None:
        check(s.date, s.sunrise, s.reasoning)
    year = tithiloom.days(dt.date(YEAR, 1, 1), dt.date(YEAR, 12, 31), place)
    assert len({d.date for d in year}) == len(year)
    for d in year:  # past the polar circle the first sunrise may come the next day
        check(d.date, d.sunrise if abs(place.latitude) < 60 else None)
    # Around each clock change a range gives what single days give.
    changes = [a.date for a, b in zip(year, year[1:]) if a.sunrise.utcoffset() != b.sunrise.utcoffset()]
    for d in (d for d in year if any(abs((d.date - c).days) <= 1 for c in changes)):
        single = tithiloom.day(d.date, place)
        assert (d.sunrise, d.sunset, d.muhurat, d.tithi.number, d.nakshatra.number) == (
            single.sunrise, single.sunset, single.muhurat, single.tithi.number,
            single.nakshatra.number)


def test_a_day_starts_at_its_first_instant():
    # Santiago skips 00:00-01:00 on 6 September 2026: the day starts at 01:00 (-03).
    place, day = tithiloom.Place("x", 10.0, 0.0, 0, "America/Santiago"), dt.date(2026, 9, 6)
    midnight_utc = dt.datetime(2026, 9, 6, 4, 0, tzinfo=UTC)
    assert tithiloom.lagna_windows(day, place)[0].start == midnight_utc
    clock = api._clock(place, (day, day))
    sun = _core._sun_data(day.year, day.month, day.day, 10.0, 0.0, 0.0, clock)
    assert sun["sunrise_jd"] == _core.py_sunrise_jd(zones.to_jd(midnight_utc), 10.0, 0.0, 0.0)
