"""Shraddha dates and the timeline of rites: an adhika month, a year without the
day, rites counted across month ends, and the limits. (The dates of annual
and pitru paksha rites are pinned by the digests in test_ranges.py.)"""

import datetime as dt

import pytest

import tithiloom
import tithiloom._core as core

DELHI = (28.6139, 77.2090, 216.0)
IST = 19800


def test_a_death_in_an_adhika_month_keeps_the_month_number_and_a_missing_day_is_none():
    # 2026 holds an adhika Jyeshtha from mid-May to mid-June.
    s = core.py_compute_shraddha(2026, 5, 30, 2027, *DELHI, IST)
    assert (s["lunar_month"], s["lunar_month_name"]) == (3, "Jyeshtha")
    assert 5 <= s["month"] <= 7
    # A Pausha tithi falling in late December belongs to the month anchored
    # in the January before, so the next year has no such day.
    assert core.py_compute_shraddha(2025, 12, 24, 2026, *DELHI, IST) is None


def test_day_rites_count_across_month_ends():
    t = core.py_compute_shraddha_timeline(2025, 3, 30, *DELHI, IST, 0, 0, 0)
    assert (t["death_date"], t["teesra"], t["dashamam"], t["terahvin"]) == (
        "2025-03-30", "2025-04-01", "2025-04-08", "2025-04-11")
    assert t["monthly_shraddhas"] == t["annual_shraddhas"] == t["pitru_paksha_dates"] == []
    assert list(t) == ["death_date", "death_tithi", "death_tithi_number", "death_paksha",
                       "death_nakshatra", "death_masa", "teesra", "dashamam", "terahvin",
                       "monthly_shraddhas", "annual_shraddhas", "pitru_paksha_dates"]


def test_timeline_near_the_pole_and_counts_past_the_ephemeris():
    t = core.py_compute_shraddha_timeline(2025, 6, 21, 89.5, 0.0, 0.0, 0, 3, 2, 2)
    assert t["death_nakshatra"] == "Unknown"  # no sunrise that day
    # Counts of any size end at the span's end with its error, as on one thread.
    for annual, pitru in ((30, 0), (0, 2**64 - 1), (2**64 - 1, 2**64 - 1)):
        with pytest.raises(ValueError, match="^ephemeris: "):
            core.py_compute_shraddha_timeline(2990, 1, 1, *DELHI, IST, 2, annual, pitru)
    # A count far past the span fails at once, with the error of its first
    # year past it (the years before are not computed first).
    for annual, pitru, jd in ((10**6, 0, "2818001.538357"), (0, 10**6, "2818125.309216")):
        with pytest.raises(ValueError, match=f"^ephemeris: jd {jd} outside"):
            core.py_compute_shraddha_timeline(2020, 5, 5, 28.6, 77.2, 216.0, 19800, 0, annual,
                                              pitru)
    with pytest.raises(OverflowError, match="^argument 'annual_years': "):
        core.py_compute_shraddha_timeline(2025, 1, 1, *DELHI, IST, 0, -1, 0)


@pytest.mark.parametrize("convention, count, last", [
    ("core", 10, dt.date(2021, 2, 25)),  # the module's chain ends at the kshaya month
    ("almanac", 12, dt.date(2021, 4, 25)),  # the kshaya day keeps the rite, the chain goes on
])
def test_a_month_without_the_tithi_at_sunrise(convention, count, last):
    t = tithiloom.shraddha_timeline(dt.date(2020, 5, 5), tithiloom.Place.named("New Delhi"),
                                    convention=convention)
    assert (len(t.monthly), t.monthly[-1].date) == (count, last)
