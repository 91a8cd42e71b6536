"""Lagna with house cusps and the lagna-rising windows, checked against the
sky (the Sun is on the ascendant at sunrise) and for termination on any input."""

import pytest

import tithiloom._core as core

DELHI = (28.6139, 77.2090)
JD = 2461144.5  # 2026-04-14 00:00 UT


def signed_diff(a, b):
    return (a - b + 180.0) % 360.0 - 180.0


@pytest.mark.parametrize("lat, lng", [DELHI, (-33.9, 151.2), (64.1, -21.9)])
def test_the_sun_rises_on_the_ascendant_and_sets_on_the_descendant(lat, lng):
    rise = core.py_sunrise_jd(JD - lng / 360.0, lat, lng, 0.0)
    for jd, cusp in ((rise, 0), (core.py_sunset_jd(rise, lat, lng, 0.0), 6)):
        on = core.py_compute_lagna(jd, lat, lng, "P")["bhava_cusps"][cusp]
        assert signed_diff(on, core.py_sidereal_longitude(jd, 0)) == pytest.approx(0, abs=0.01)


def test_system_is_read_from_its_first_letter_or_refused_naming_the_string():
    for system, letter in (("w", "W"), ("Whole", "W"), ("p", "P"), ("PLACIDUS", "P"),
                           ("Equal", "E"), ("o", "O"), ("P\udc80", "P")):
        r = core.py_compute_lagna(JD, *DELHI, system=system)
        assert r == core.py_compute_lagna(JD, *DELHI, letter) and r["house_system"] == letter
    for system in ("K", "Koch", "", " P", "\u00e9", "\0P", "\udc80P"):
        with pytest.raises(ValueError) as e:
            core.py_compute_lagna(JD, *DELHI, system)
        assert str(e.value) == f"Unsupported house system '{system}'. Use one of: P, W, E, O"


@pytest.mark.parametrize("hours", range(0, 24, 3))
def test_cusps_of_each_system(hours):
    jd = JD + hours / 24.0
    w = core.py_compute_lagna(jd, *DELHI, "W")
    assert w["bhava_cusps"] == [(30.0 * (w["rashi"] + i)) % 360.0 for i in range(12)]
    e = core.py_compute_lagna(jd, *DELHI, "E")
    for i, cusp in enumerate(e["bhava_cusps"]):
        assert signed_diff(cusp, e["ascendant_longitude"] + 30.0 * i) == pytest.approx(0, abs=1e-9)
    p = core.py_compute_lagna(jd, *DELHI)
    assert p["bhava_cusps"][0] == p["ascendant_longitude"]
    assert p["bhava_cusps"][9] == pytest.approx(p["mc_longitude"], abs=1e-9)
    assert p["ayanamsa"] == core.py_ayanamsa(jd)
    for r in (w, e, p):
        assert 0 <= r["rashi"] <= 11 and 0.0 <= r["degree_in_rashi"] < 30.0
        assert r["ascendant_longitude"] == pytest.approx(30.0 * r["rashi"] + r["degree_in_rashi"])


def check_windows(windows, jd_start):
    assert windows[0]["start_jd"] == jd_start
    assert windows[-1]["end_jd"] == jd_start + 1.0
    for a, b in zip(windows, windows[1:]):
        assert a["end_jd"] == b["start_jd"] and a["rashi"] != b["rashi"]


@pytest.mark.parametrize("lat, lng", [DELHI, (-33.9, 151.2), (51.5, 0.0)])
def test_windows_over_a_day_follow_the_zodiac(lat, lng):
    windows = core.py_compute_lagna_windows(JD, lat, lng)
    check_windows(windows, JD)
    assert list(windows[0]) == ["rashi", "rashi_name", "start_jd", "end_jd"]
    assert len(windows) == 13 and windows[0]["rashi"] == windows[-1]["rashi"]
    for a, b in zip(windows, windows[1:]):
        assert b["rashi"] == (a["rashi"] + 1) % 12
        # The boundary lies within a second after the true change of sign.
        at = core.py_compute_lagna(b["start_jd"], lat, lng, "W")["rashi"]
        before = core.py_compute_lagna(b["start_jd"] - 1.01 / 86400, lat, lng, "W")["rashi"]
        assert (before, at) == (a["rashi"], b["rashi"])


@pytest.mark.parametrize("jd_start, lat", [(JD, lat) for lat in [89.9, -89.9, 75.0, 90.0]]
                         + [(625000.5, 0.0), (2818000.5 - 1.0, 0.0)])
def test_windows_terminate_for_any_start_and_latitude(jd_start, lat):
    check_windows(core.py_compute_lagna_windows(jd_start, lat, 77.2), jd_start)


@pytest.mark.parametrize("day", range(0, 73, 8))
def test_every_sign_that_rises_has_its_window_far_north(day):
    # At 66 N some signs rise in less than the scan's five minutes: the core's
    # scan jumps over them, the package's windows keep each one.
    jd, lat, lng = 2461041.5 + day, 66.0, 25.0
    every, plain = core._lagna_windows(jd, lat, lng), core.py_compute_lagna_windows(jd, lat, lng)
    check_windows(every, jd)
    assert all(b["rashi"] == (a["rashi"] + 1) % 12 for a, b in zip(every, every[1:]))
    # The boundaries the scan finds are found alike; only the skipped signs are added.
    assert {w["start_jd"] for w in plain} <= {w["start_jd"] for w in every}
    assert core._lagna_windows(JD, *DELHI) == core.py_compute_lagna_windows(JD, *DELHI)
