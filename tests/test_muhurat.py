"""Day muhurat windows and Choghadiya: weekday tables, arithmetic from the
anchors, and odd numbers that must pass through without failing."""

import math

import pytest

import tithiloom._core as core

S = 2461144.75  # an arbitrary sunrise
HOUR = 1.0 / 24.0
KEYS = ["rahu_kalam", "yama_gandam", "gulika_kalam", "abhijit_muhurat"]
NAMES = ["Rahu Kalam", "Yama Gandam", "Gulika Kalam", "Abhijit Muhurat"]
CYCLE = ["Udveg", "Char", "Labh", "Amrit", "Kaal", "Shubh", "Rog"]


@pytest.mark.parametrize("weekday, parts, day_first, night_first", [
    (0, (7, 4, 6), "Udveg", "Shubh"), (1, (1, 3, 5), "Amrit", "Char"), (2, (6, 5, 4), "Rog", "Kaal"),
    (3, (4, 6, 3), "Labh", "Rog"), (4, (5, 7, 2), "Shubh", "Udveg"), (5, (3, 1, 1), "Char", "Amrit"),
    (6, (2, 0, 0), "Kaal", "Labh")])
def test_weekday_tables(weekday, parts, day_first, night_first):
    m = core.py_compute_muhurat(weekday, S, 12.0)
    assert [(k, m[k]["name"]) for k in m] == list(zip(KEYS, NAMES))
    for key, part in zip(KEYS, parts):
        assert (m[key]["start_jd"] - S) / HOUR == pytest.approx(1.5 * part, abs=1e-6)
        assert (m[key]["end_jd"] - S) / HOUR == pytest.approx(1.5 * (part + 1), abs=1e-6)
        assert m[key]["is_auspicious"] is False
        assert part < 7 or m[key]["end_jd"] == S + 0.5  # the last part ends at sunset exactly
    # Abhijit: the middle fifteenth of the day.
    a = m["abhijit_muhurat"]
    assert a["is_auspicious"] is True and (a["start_jd"] - S) / HOUR == pytest.approx(5.6, abs=1e-6)
    assert (a["end_jd"] - a["start_jd"]) / HOUR == pytest.approx(0.8, abs=1e-6)
    periods = core.py_compute_choghadiya(weekday, S, S + 0.5, 12.0)
    names = [p["name"] for p in periods]
    for half, first in ((names[:8], day_first), (names[8:], night_first)):
        start = CYCLE.index(first)
        assert half == [CYCLE[(start + i) % 7] for i in range(8)]
    assert [p["is_auspicious"] for p in periods] == [
        n in ("Amrit", "Shubh", "Labh", "Char") for n in names]


@pytest.mark.parametrize("func, extra", [
    (core.py_compute_muhurat, ()), (core.py_compute_choghadiya, (S + 0.5,))])
def test_weekday_is_taken_modulo_seven_and_never_negative(func, extra):
    for big, same in [(7, 0), (13, 6), (9, 2), (2**32 - 1, 3)]:
        assert func(big, S, *extra, 12.0) == func(same, S, *extra, 12.0)
    with pytest.raises(OverflowError, match="argument 'weekday'"):
        func(-1, S, *extra, 12.0)


@pytest.mark.parametrize("value", [math.nan, math.inf, -math.inf, 1e300, 0.0])
def test_odd_numbers_pass_through(value):
    m = core.py_compute_muhurat(4, S, value)
    if value == 0.0:
        assert all(w["start_jd"] == w["end_jd"] == S for w in m.values())
    assert len(core.py_compute_muhurat(4, value, 12.0)) == 4
    assert len(core.py_compute_choghadiya(4, value, value, value)) == 16


def test_choghadiya_period_lengths_and_anchors():
    sunset = S + 0.55  # deliberately not sunrise + day length: used as given
    periods = core.py_compute_choghadiya(0, S, sunset, 14.0)
    assert periods[8]["start_jd"] == sunset
    for i, p in enumerate(periods):
        assert (p["end_jd"] - p["start_jd"]) / HOUR == pytest.approx(
            1.75 if i < 8 else 1.25, abs=1e-6)
        if i not in (7, 15):
            assert p["end_jd"] == periods[i + 1]["start_jd"]
    assert (periods[7]["end_jd"] - S) / HOUR == pytest.approx(14.0, abs=1e-6)
