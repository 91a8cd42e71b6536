"""Sankrantis, lunar months, era year and Jovian cycle index."""

import math

import pytest

import tithiloom._core as core

IST = 19800
INT32_MIN, INT32_MAX = -(2**31), 2**31 - 1
SANKRANTI_NAMES = [
    "Makar", "Kumbha", "Meena", "Mesha", "Vrishabha", "Mithuna",
    "Karka", "Simha", "Kanya", "Tula", "Vrischika", "Dhanu",
]
RASHIS = ["Makara", "Kumbha", "Meena", "Mesha", "Vrishabha", "Mithuna",
          "Karka", "Simha", "Kanya", "Tula", "Vrischika", "Dhanu"]
MONTHS = ["Chaitra", "Vaishakha", "Jyeshtha", "Ashadha", "Shravana", "Bhadrapada",
          "Ashwin", "Kartik", "Margashirsha", "Pausha", "Magha", "Phalguna"]


def date_of(jd, offset=0):
    return core.py_jd_to_datetime(jd + offset / 86400.0)


def angle_diff(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0)


def elongation(jd):
    return (core.py_tropical_longitude(jd, 1) - core.py_tropical_longitude(jd, 0)) % 360.0


# --- sankrantis ---


@pytest.mark.parametrize("year", [1950, 2026, 2100])
def test_sankrantis_are_the_twelve_ingresses_of_the_sidereal_sun(year):
    s = core.py_compute_sankrantis(year)
    assert [x["index"] for x in s] == list(range(12))
    assert [x["name"] for x in s] == [n + " Sankranti" for n in SANKRANTI_NAMES]
    assert [x["rashi"] for x in s] == RASHIS
    assert list(s[0]) == ["index", "name", "rashi", "target_longitude", "jd", "year", "month", "day"]
    assert all(a["jd"] < b["jd"] for a, b in zip(s, s[1:]))
    for x in s:
        assert x["target_longitude"] == (270.0 + 30.0 * x["index"]) % 360.0
        assert angle_diff(core.py_sidereal_longitude(x["jd"], 0), x["target_longitude"]) < 1e-4
        assert x["year"] == year


def test_mesha_sankranti_2026_is_on_14_april_morning_in_india_and_in_ut():
    ist = core.py_compute_sankrantis(2026, IST)[3]
    ut = core.py_compute_sankrantis(2026)[3]
    assert ist["name"] == "Mesha Sankranti" and ist["jd"] == ut["jd"]
    assert (ist["year"], ist["month"], ist["day"]) == (2026, 4, 14)
    assert (ut["year"], ut["month"], ut["day"]) == (2026, 4, 14)
    assert 0 <= date_of(ist["jd"], IST)[3] < 12


@pytest.mark.parametrize("offset", [-43200, -36000, 0, IST, 50400])
def test_sankranti_civil_date_follows_the_offset(offset):
    for x in core.py_compute_sankrantis(2026, utc_offset=offset):
        assert (x["year"], x["month"], x["day"]) == date_of(x["jd"], offset)[:3]




# --- lunar months ---


def reference_names(months, year, purnimant):
    """Names each month from the plain three-year sankranti listing."""
    sank = sorted((s for y in (year - 1, year, year + 1) for s in core.py_compute_sankrantis(y)),
                  key=lambda s: s["jd"])
    out = []
    for m in months:
        inside = [s for s in sank if m["start_jd"] < s["jd"] <= m["end_jd"]]
        after = [s for s in sank if s["jd"] > m["end_jd"]]
        s = inside[0] if inside else (after[0] if after else None)
        if s is None:
            out.append((0, True, False))
            continue
        base = (s["index"] + 9) % 12 + 1
        out.append((base % 12 + 1 if purnimant else base, not inside, len(inside) >= 2))
    return out


@pytest.mark.parametrize("system", ["amant", "purnimant"])
@pytest.mark.parametrize("year", [1963, 1983, 2005, 2023, 2026, 2031])
def test_month_naming_agrees_with_the_full_sankranti_listing(year, system):
    months = core.py_compute_lunar_months(year, system)
    got = [(m["number"], m["is_adhik"], m["is_kshaya"]) for m in months]
    assert got == reference_names(months, year, system == "purnimant")
    assert [m["name"] for m in months] == [MONTHS[n - 1] for n, _, _ in got]


@pytest.mark.parametrize("system,target", [("amant", 0.0), ("purnimant", 180.0)])
def test_boundaries_are_new_or_full_moons_covering_the_year(system, target):
    months = core.py_compute_lunar_months(2026, system)
    assert list(months[0]) == ["number", "name", "is_adhik", "is_kshaya", "start_jd", "end_jd"]
    for m in months:
        assert angle_diff(elongation(m["start_jd"]), target) < 1e-4
        assert 29.2 < m["end_jd"] - m["start_jd"] < 29.9
    assert months[0]["start_jd"] <= core.py_datetime_to_jd(2026, 1, 1, 0, 0, 0) < months[0]["end_jd"]
    assert months[-1]["start_jd"] < core.py_datetime_to_jd(2027, 1, 1, 0, 0, 0) <= months[-1]["end_jd"]


@pytest.mark.parametrize(
    "year,number,start,end",
    [(2026, 3, (2026, 5), (2026, 6)), (2023, 5, (2023, 7), (2023, 8))],
)
def test_known_adhika_months(year, number, start, end):
    months = core.py_compute_lunar_months(year)
    adhika = [m for m in months if m["is_adhik"]]
    assert len(adhika) == 1
    m = adhika[0]
    assert (m["number"], m["name"]) == (number, MONTHS[number - 1])
    s, e = date_of(m["start_jd"]), date_of(m["end_jd"])
    assert s[:2] == start and 10 <= s[2] <= 20
    assert e[:2] == end and 10 <= e[2] <= 20
    following = months[months.index(m) + 1]
    assert (following["number"], following["is_adhik"]) == (number, False)


@pytest.mark.parametrize("system,number", [("amant", 1), ("purnimant", 2)])
def test_month_holding_mesha_sankranti(system, number):
    mesha = core.py_compute_sankrantis(2026)[3]["jd"]
    [m] = [m for m in core.py_compute_lunar_months(2026, system)
           if m["start_jd"] < mesha <= m["end_jd"]]
    assert (m["number"], m["name"]) == (number, MONTHS[number - 1])


def test_months_1950_to_2050_are_contiguous_and_kshaya_is_rare():
    kshaya_years = set()
    for year in range(1950, 2051):
        for system in ("amant", "purnimant"):
            months = core.py_compute_lunar_months(year, system)
            assert 12 <= len(months) <= 14
            assert all(a["end_jd"] == b["start_jd"] for a, b in zip(months, months[1:]))
            assert not any(m["is_adhik"] and m["is_kshaya"] for m in months)
            if system == "amant" and any(m["is_kshaya"] for m in months):
                kshaya_years.add(year)
    assert kshaya_years == {1963, 1983}


@pytest.mark.parametrize(
    "system,purnimant",
    [("PurNiMant", True), ("PURNIMANT", True), ("purnimanta", False), ("", False),
     ("\ud800", False), ("amant", False), ("p\u0130rnimant", False)],
)
def test_every_string_selects_a_system(system, purnimant):
    expected = "purnimant" if purnimant else "amant"
    assert core.py_compute_lunar_months(2026, system=system) == core.py_compute_lunar_months(2026, expected)


@pytest.mark.parametrize("system", [None, 5, b"amant"])
def test_non_string_system_is_a_type_error(system):
    with pytest.raises(TypeError, match="^argument 'system': "):
        core.py_compute_lunar_months(2026, system)


@pytest.mark.parametrize("year", [INT32_MIN, INT32_MAX, -5000, 4000])
def test_years_past_the_ephemeris_span_are_refused(year):
    with pytest.raises(ValueError, match="^ephemeris: "):
        core.py_compute_sankrantis(year, INT32_MIN)
    for system in ("amant", "purnimant"):
        with pytest.raises(ValueError, match="^ephemeris: "):
            core.py_compute_lunar_months(year, system)


# --- era year and Jovian cycle ---


@pytest.mark.parametrize(
    "args,expected",
    [((2026, 57, True), 2083), ((2026, 57, False), 2082), ((2026, -78, True), 1948),
     ((2026, -78, False), 1947), ((INT32_MAX, 1, True), INT32_MIN),
     ((INT32_MIN, 0, False), INT32_MAX), ((INT32_MAX, INT32_MAX, True), -2)],
)
def test_era_year(args, expected):
    assert core.py_era_year(*args) == expected


@pytest.mark.parametrize(
    "year,epoch,expected",
    [(2026, 1987, 39), (1986, 1987, 59), (1987, 1987, 0), (2047, 1987, 0), (1927, 1987, 0),
     (INT32_MIN, 1, 7), (INT32_MAX, INT32_MIN, 59), (INT32_MIN, INT32_MAX, 1)],
)
def test_jovian_cycle_index(year, epoch, expected):
    assert core.py_jovian_cycle_index(gregorian_year=year, epoch_year=epoch) == expected


@pytest.mark.parametrize("flag", [1, 0, None, "True"])
def test_new_year_passed_accepts_only_bools(flag):
    with pytest.raises(TypeError, match="^argument 'new_year_passed': "):
        core.py_era_year(2026, 57, flag)

