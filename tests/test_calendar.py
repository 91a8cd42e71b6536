"""Sankrantis, lunar months, era year and Jovian cycle index. (Their values in
the present era, kshaya years among them, are pinned by the digests in
test_ranges.py.)"""

import pytest

import tithiloom._core as core

IST = 19800
INT32_MIN, INT32_MAX = -(2**31), 2**31 - 1


def date_of(jd, offset=0):
    return core.py_jd_to_datetime(jd + offset / 86400.0)


# --- sankrantis ---


@pytest.mark.parametrize("offset", [-43200, -36000, 0, IST, 50400])
def test_sankranti_civil_date_follows_the_offset(offset):
    s = core.py_compute_sankrantis(2026, utc_offset=offset)
    assert list(s[0]) == ["index", "name", "rashi", "target_longitude", "jd", "year", "month", "day"]
    for x in s:
        assert (x["year"], x["month"], x["day"]) == date_of(x["jd"], offset)[:3]
    mesha = core.py_compute_sankrantis(2026, offset)[3]  # 14 April morning in India
    assert (mesha["name"], mesha["day"]) == ("Mesha Sankranti", 13 if offset < 0 else 14)


# --- lunar months ---


def test_every_string_selects_a_system_and_only_strings():
    purnimant = core.py_compute_lunar_months(2026, "purnimant")
    amant = core.py_compute_lunar_months(2026, "amant")
    for system in ("PurNiMant", "PURNIMANT"):
        assert core.py_compute_lunar_months(2026, system=system) == purnimant
    for system in ("purnimanta", "", "\ud800", "p\u0130rnimant"):
        assert core.py_compute_lunar_months(2026, system=system) == amant
    for system in (None, 5, b"amant"):
        with pytest.raises(TypeError, match="^argument 'system': "):
            core.py_compute_lunar_months(2026, system)


# --- era year and Jovian cycle ---


@pytest.mark.parametrize("args, expected", [
    ((2026, 57, True), 2083), ((2026, 57, False), 2082), ((2026, -78, True), 1948),
    ((2026, -78, False), 1947), ((INT32_MAX, 1, True), INT32_MIN), ((INT32_MIN, 0, False), INT32_MAX),
    ((INT32_MAX, INT32_MAX, True), -2)])
def test_era_year(args, expected):
    assert core.py_era_year(*args) == expected
    for flag in (1, 0, None, "True"):
        with pytest.raises(TypeError, match="^argument 'new_year_passed': "):
            core.py_era_year(2026, 57, flag)


@pytest.mark.parametrize("year, epoch, expected", [
    (2026, 1987, 39), (1986, 1987, 59), (1987, 1987, 0), (2047, 1987, 0), (1927, 1987, 0),
    (INT32_MIN, 1, 7), (INT32_MAX, INT32_MIN, 59), (INT32_MIN, INT32_MAX, 1)])
def test_jovian_cycle_index(year, epoch, expected):
    assert core.py_jovian_cycle_index(gregorian_year=year, epoch_year=epoch) == expected
