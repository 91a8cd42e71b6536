"""Shraddha dates and the timeline of rites: an adhika month, a year without the
day, rites counted across month ends, pitru paksha's Krishna twin, and the
limits. (Timelines at more places are pinned by the digests in test_ranges.py.)"""

import datetime as dt

import pytest

import tithiloom._core as core

DELHI = (28.6139, 77.2090, 216.0)
IST = 19800
MONTHS = ["Chaitra", "Vaishakha", "Jyeshtha", "Ashadha", "Shravana", "Bhadrapada"]


def tithi_at(jd):
    return core.py_compute_panchanga_at_jds([jd])[0]["tithi"]["number"]


def midnight(date, offset=IST):
    return core.py_datetime_to_jd(date.year, date.month, date.day, 0, 0, 0.0) - offset / 86400


def sunrise_of(date):
    return core.py_sunrise_jd(midnight(date), *DELHI)


def month_number_holding(jd, year):
    for m in core.py_compute_lunar_months(year):
        if m["start_jd"] <= jd < m["end_jd"]:
            return m["number"]
    raise AssertionError(jd)


def month_number_at(date):
    return month_number_holding(midnight(date) + 0.5, date.year)


def first_day_with_tithi(tithi):
    # From March on: a Pausha tithi of early January would return in the
    # previous December, outside the next year.
    for d in core.py_compute_batch_range(2025, 3, 1, 2025, 12, 31, *DELHI, IST):
        if d["tithi"]["number"] == tithi:
            return dt.date(d["year"], d["month"], d["day"])
    raise AssertionError(tithi)


def timeline(date, monthly=12, annual=3, pitru=3):
    return core.py_compute_shraddha_timeline(date.year, date.month, date.day, *DELHI, IST,
                                             monthly, annual, pitru)


def as_date(text):
    return dt.date.fromisoformat(text)


def test_a_death_in_an_adhika_month_keeps_the_month_number_and_a_missing_day_is_none():
    # 2026 holds an adhika Jyeshtha from mid-May to mid-June.
    s = core.py_compute_shraddha(2026, 5, 30, 2027, *DELHI, IST)
    assert (s["lunar_month"], s["lunar_month_name"]) == (3, "Jyeshtha")
    assert 5 <= s["month"] <= 7
    # A Pausha tithi falling in late December belongs to the month anchored
    # in the January before, so the next year has no such day.
    assert core.py_compute_shraddha(2025, 12, 24, 2026, *DELHI, IST) is None




def test_day_rites_count_across_month_ends():
    t = timeline(dt.date(2025, 3, 30), 0, 0, 0)
    assert (t["death_date"], t["teesra"], t["dashamam"], t["terahvin"]) == (
        "2025-03-30", "2025-04-01", "2025-04-08", "2025-04-11")
    assert t["monthly_shraddhas"] == t["annual_shraddhas"] == t["pitru_paksha_dates"] == []
    assert list(t) == ["death_date", "death_tithi", "death_tithi_number", "death_paksha",
                       "death_nakshatra", "death_masa", "teesra", "dashamam", "terahvin",
                       "monthly_shraddhas", "annual_shraddhas", "pitru_paksha_dates"]


def test_annual_and_pitru_paksha_dates():
    death = first_day_with_tithi(5)  # a Shukla tithi: pitru paksha takes its Krishna twin
    t = timeline(death, monthly=0, annual=3, pitru=3)
    assert [as_date(e["date"]).year for e in t["annual_shraddhas"]] == [2026, 2027, 2028]
    for e in t["annual_shraddhas"]:
        assert (e["tithi_number"], e["tithi_name"], e["paksha"]) == (5, "Shukla Panchami", "Shukla")
        assert month_number_at(as_date(e["date"])) == month_number_at(death)
    assert [as_date(e["date"]).year for e in t["pitru_paksha_dates"]] == [2025, 2026, 2027]
    for e in t["pitru_paksha_dates"]:
        day = as_date(e["date"])
        assert (e["tithi_number"], e["masa"]) == (20, "Bhadrapada") == (tithi_at(sunrise_of(day)),
                                                                         MONTHS[month_number_at(day) - 1])


def test_timeline_near_the_pole_and_counts_past_the_ephemeris():
    t = core.py_compute_shraddha_timeline(2025, 6, 21, 89.5, 0.0, 0.0, 0, 3, 2, 2)
    assert t["death_nakshatra"] == "Unknown"  # no sunrise that day
    with pytest.raises(ValueError, match="^ephemeris: "):
        core.py_compute_shraddha_timeline(2990, 1, 1, *DELHI, IST, 0, 30, 0)
    with pytest.raises(OverflowError, match="^argument 'annual_years': "):
        core.py_compute_shraddha_timeline(2025, 1, 1, *DELHI, IST, 0, -1, 0)
