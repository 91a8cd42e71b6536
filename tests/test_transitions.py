"""Limb times found once for a range against a bisection of each limb's own
angle, from the same sunrise, to a millionth of a day."""

import dataclasses
import datetime as dt

import pytest

import tithiloom
import tithiloom._core as core

CLOCK = [(0.0, 0)]
PLACES = {"New Delhi": (28.6139, 77.2090, 216.0), "66 N": (66.0, 25.0, 10.0),
          "Sydney": (-33.87, 151.21, 20.0), "Quito": (-0.18, -78.47, 2850.0)}
YEARS = range(1900, 2101, 25)
DATES = ((1, 10), (6, 20), (12, 28))
HOUR, RESOLUTION = 1 / 24, 1e-6
largest = {}


def elongation(jd):
    return (core.py_tropical_longitude(jd, 1) - core.py_tropical_longitude(jd, 0)) % 360


def moon(jd):
    return core.py_sidereal_longitude(jd, 1)


def yoga(jd):
    return (core.py_sidereal_longitude(jd, 0) + core.py_sidereal_longitude(jd, 1)) % 360


LIMBS = {"tithi": (elongation, 12.0), "karana": (elongation, 6.0),
         "nakshatra": (moon, 360 / 27), "yoga": (yoga, 360 / 27)}


def passes(fa, fb, target):
    """Whether the angle, increasing from fa to fb, passes target (mod 360)."""
    delta, dist = (fb - fa) % 360, (target - fa) % 360
    return delta < 180 and dist <= delta


def crossing(angle, sunrise, target, step):
    """The crossing nearest the sunrise in the direction of step, by bisection."""
    t, ft = sunrise, angle(sunrise)
    while True:
        t2 = t + step
        f2 = angle(t2)
        lo, hi, flo, fhi = (t, t2, ft, f2) if step > 0 else (t2, t, f2, ft)
        if passes(flo, fhi, target):
            break
        t, ft = t2, f2
    while hi - lo >= RESOLUTION:
        mid = (lo + hi) / 2
        fm = angle(mid)
        if passes(flo, fm, target):
            hi = mid
        else:
            lo, flo = mid, fm
    return (lo + hi) / 2


def karana_number(half):
    return 11 if half == 0 else (half - 1) % 7 + 1 if half <= 56 else half - 49


def index(limb, raw):
    if limb != "karana":
        return raw[limb]["number"] - 1
    first = 2 * (raw["tithi"]["number"] - 1)  # the half of its tithi the karana names
    return first if karana_number(first) == raw["karana"]["number"] else first + 1


@pytest.mark.parametrize("name", PLACES)
def test_limb_times_match_a_fine_bisection(name):
    worst = (0.0, None)
    for year in YEARS:
        for month, day in DATES:
            for raw in core._timed_range(year, month, day, year, month, day + 1, *PLACES[name],
                                         CLOCK, "almanac"):
                r = raw["sun"]["sunrise_jd"]
                for limb, (angle, span) in LIMBS.items():
                    i = index(limb, raw)
                    for key, target, step in (("start_jd", i * span, -HOUR),
                                              ("end_jd", (i + 1) * span, HOUR)):
                        diff = abs(raw[limb][key] - crossing(angle, r, target, step)) * 86400
                        worst = max(worst, (diff, (year, month, raw["day"], limb, key)))
    print(f"\n{name}: largest difference {worst[0]:.3f} s at {worst[1]}")
    assert worst[0] <= 1.0


@pytest.mark.parametrize("year", [1900, 2000, 2100])
def test_every_boundary_of_a_month_lies_at_its_crossing(year):
    start = core.py_datetime_to_jd(year, 3, 1, 0, 0, 0.0)
    found = core._limb_boundaries(start, start + 30)
    angles = {**LIMBS, "moon_rashi": (moon, 30.0)}
    assert [i for _, i in found["tithi"]] == [i // 2 for _, i in found["karana"] if i % 2 == 0]
    for limb, boundaries in found.items():
        angle, span = angles[limb]
        times = [jd for jd, _ in boundaries]
        assert times == sorted(times) and start <= times[0] and times[-1] <= start + 30
        for jd, i in boundaries:
            # On the boundary the angle has just reached the limb's index.
            assert abs((angle(jd) - i * span + 180) % 360 - 180) < 1e-4


@pytest.mark.parametrize("convention", ["almanac", "core"])
def test_a_day_alone_reads_the_times_of_its_range(convention):
    place, first = tithiloom.Place.named("New Delhi"), dt.date(2026, 3, 1)
    span = tithiloom.days(first, first + dt.timedelta(days=9), place, convention, moon=True)
    assert span == [tithiloom.day(d.date, place, convention) for d in span]
    assert tithiloom.days(first, first, place, convention) == [
        dataclasses.replace(span[0], moon=None)]
    if convention == "core":
        return
    for a, b in zip(span, span[1:]):  # a boundary between two days is one instant
        if b.nakshatra.number == a.nakshatra.number % 27 + 1:
            assert a.nakshatra.end == b.nakshatra.start
    start = core.py_datetime_to_jd(2026, 3, 1, 0, 0, 0.0)
    whole, part = core._limb_boundaries(start, start + 30), core._limb_boundaries(start + 9, start + 13)
    assert all(set(part[k]) <= set(whole[k]) for k in whole)
