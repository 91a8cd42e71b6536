"""Body positions, the per-thread Lahiri set-up, civil time and sunrise."""

import math
import threading

import pytest

import tithiloom._core as core

J2000 = 2451545.0
BODIES = [0, 1, 2, 3, 4, 5, 6, 10, -1]
DELHI = (28.6139, 77.2090, 216.0)


def norm360(x):
    return math.fmod(math.fmod(x, 360.0) + 360.0, 360.0)


@pytest.mark.parametrize("jd", [J2000, 2461144.5, 2415020.0, 2488069.5])
def test_longitudes_are_normalised_sidereal_is_tropical_minus_lahiri_and_ketu_opposes_rahu(jd):
    for body in BODIES:
        trop, sid = core.py_tropical_longitude(jd, body), core.py_sidereal_longitude(jd, body)
        assert 0.0 <= trop < 360.0 and 0.0 <= sid < 360.0
        assert sid == norm360(trop - core.py_ayanamsa(jd))
    assert core.py_tropical_longitude(jd, -1) == norm360(core.py_tropical_longitude(jd, 10) + 180.0)
    assert core.py_planet_speed(jd, -1) == core.py_planet_speed(jd, 10) < 0
    assert core.py_ayanamsa(J2000) == pytest.approx(23.857, abs=0.01)


@pytest.mark.parametrize("fn", [core.py_tropical_longitude, core.py_sidereal_longitude,
                                core.py_planet_speed])
@pytest.mark.parametrize("body", [7, 8, 9, 11, -2, 2**31 - 1])
def test_invalid_planet_ids(fn, body):
    with pytest.raises(ValueError, match="^Invalid planet ID$"):
        fn(J2000, body)


def test_after_close_and_on_a_new_thread_lahiri_holds():
    sample = lambda: (core.py_ayanamsa(J2000), core.py_sidereal_longitude(J2000, 1))
    before = sample()
    for step in (core.py_close, lambda: core.py_init("/nonexistent/ephemeris/dir"),
                 lambda: core.py_init("with\0nul"), core.py_close):  # a second init is ignored
        step()
        assert sample() == before
        out = []
        worker = threading.Thread(target=lambda: out.append(sample()))
        worker.start()
        worker.join()
        assert out == [before]


def test_jd_to_datetime_rounds_microseconds_to_nearest_and_reads_back():
    assert core.py_jd_to_datetime(2451545.0) == (2000, 1, 1, 12, 0, 0, 0)
    assert core.py_jd_to_datetime(2451544.5) == (2000, 1, 1, 0, 0, 0, 0)
    # Near JD 0 a double resolves far below a microsecond.
    base = 0.5 + 5.0 / 86400  # 5 s past midnight
    assert core.py_jd_to_datetime(base + 0.7e-6 / 86400)[5:] == (5, 1)
    assert core.py_jd_to_datetime(base - 0.3e-6 / 86400)[5:] == (5, 0)
    assert core.py_jd_to_datetime(base + 0.25 / 86400)[5:] == (5, 250000)
    for year in (-3000, -1, 0, 1, 1582, 2026, 3000):  # and back, over the centuries
        jd = core.py_datetime_to_jd(year, 7, 15, 6, 30, 15.5)
        assert core.py_jd_to_datetime(jd)[:6] == (year, 7, 15, 6, 30, 15)
        assert abs(core.py_jd_to_datetime(jd)[6] - 500000) < 100  # a JD resolves ~40 us


@pytest.mark.parametrize("before_ns", [1, 100, 499])
def test_an_instant_just_before_midnight_carries_into_the_next_day(before_ns):
    next_day = core.py_jd_to_datetime(1.5)
    assert next_day[3:] == (0, 0, 0, 0)
    assert core.py_jd_to_datetime(1.5 - before_ns * 1e-9 / 86400) == next_day


def test_sun_data_at_delhi():
    sun = core.py_compute_sun_data(2026, 4, 14, *DELHI, 19800)
    assert list(sun) == ["sunrise_jd", "sunset_jd", "day_duration_hours"]
    assert sun["day_duration_hours"] == round(sun["day_duration_hours"], 4)
    # The first sunrise after local midnight, the first sunset after local noon.
    midnight = core.py_datetime_to_jd(2026, 4, 13, 18, 30, 0.0)
    assert sun["sunrise_jd"] == core.py_sunrise_jd(midnight, *DELHI)
    assert sun["sunset_jd"] == core.py_sunset_jd(midnight + 0.5, *DELHI)


@pytest.mark.parametrize("lat, text", [(80.0, "80"), (-76.5, "-76.5"),
                                       (89.9999999, "89.9999999")])
def test_polar_day_message(lat, text):
    with pytest.raises(ValueError) as info:
        core.py_compute_sun_data(2026, 6, 21, lat, 0.0, 0.0, 0)
    assert str(info.value) == (
        f"the sun does not rise or set at lat={text} on 2026-06-21 (polar day/night) "
        "\u2014 panchanga is undefined for this date/location"
    )
    jd = core.py_datetime_to_jd(2026, 6, 21, 0, 0, 0.0)
    assert math.isnan(core.py_sunrise_jd(jd, lat, 0.0, 0.0) + core.py_sunset_jd(jd + 0.5, lat, 0, 0))


@pytest.mark.parametrize("jd", [1e300, -1e300, 1e111, -1.9e111, 1e15])
def test_calendar_conversion_of_any_finite_day_never_crashes(jd):
    _, month, day, hour, *_ = core.py_jd_to_datetime(jd)
    assert 1 <= month <= 12 and 1 <= day <= 31 and hour < 24
