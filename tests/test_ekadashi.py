"""Ekadashis: Smartha and Vaishnava days against the tithi at each sunrise
measured through the instant sampler, listings across years, and refused
definitions. (Ekadashis and vrats elsewhere are pinned by the digests in
test_ranges.py.)"""

import datetime as dt
import math
import pathlib

import pytest
import yaml

import tithiloom._core as core

DATA = pathlib.Path(core.__file__).parent / "data"
DEFS = yaml.safe_load((DATA / "ekadashis.yaml").read_text())
DELHI = (28.6139, 77.2090, 216.0)
ARUNODAYA = 96 / 1440
GOOD = {"month": 1, "shukla_name": "A", "krishna_name": "B"}


def tithi_at(jd):
    return core.py_compute_panchanga_at_jds([jd])[0]["tithi"]["number"]


def sunrise_of(date):
    midnight = core.py_datetime_to_jd(date.year, date.month, date.day, 0, 0, 0.0) - 19800 / 86400
    return core.py_sunrise_jd(midnight, *DELHI)


def smartha(e):
    return dt.date(e["smartha_year"], e["smartha_month"], e["smartha_day"])


def vaishnava(e):
    return dt.date(e["vaishnava_year"], e["vaishnava_month"], e["vaishnava_day"])


def test_each_decision_agrees_with_the_sunrise_tithis():
    for e in core.py_compute_ekadashis(DEFS, 2026, *DELHI, 19800):
        target, d = 11 if e["paksha"] == "Shukla" else 26, smartha(e)
        if "tithi-vriddhi" in e["reasoning"]:
            # Both sunrises carry the Ekadashi; the later day is kept.
            assert vaishnava(e) == d and tithi_at(sunrise_of(d - dt.timedelta(days=1))) == target
            continue
        s = e["smartha_sunrise_jd"]
        assert s == pytest.approx(sunrise_of(d), abs=1e-7)
        assert tithi_at(s) in (target, target - 1)  # the latter only for a skipped Ekadashi
        assert tithi_at(sunrise_of(d + dt.timedelta(days=1))) != target
        dashami_at_dawn = tithi_at(s - ARUNODAYA) == target - 1
        assert ("persists at Arunodaya" in e["reasoning"]) == dashami_at_dawn
        assert vaishnava(e) == d + dt.timedelta(days=int(dashami_at_dawn))


def test_adhika_month_ekadashis_are_padmini_and_parama():
    # 2026 holds an adhika Jyeshtha.
    adhika = [e for e in core.py_compute_ekadashis(DEFS, 2026, *DELHI, 19800) if e["is_adhik"]]
    assert [(e["name"], e["paksha"]) for e in adhika] == [("Padmini", "Shukla"),
                                                           ("Parama", "Krishna")]
    for e in adhika:
        assert (e["lunar_month"], e["lunar_month_name"]) == (3, "Jyeshtha")
        assert e["reasoning"].endswith("Lunar month: Adhika Jyeshtha.")


def test_consecutive_years_share_no_ekadashi_and_first_names_are_kept():
    both = [e for y in (2025, 2026) for e in core.py_compute_ekadashis(DEFS, y, *DELHI, 19800)]
    days = [smartha(e) for e in both]
    assert len(set(days)) == len(days) and days == sorted(days) and 48 <= len(days) <= 52
    assert all(10 <= (b - a).days <= 18 for a, b in zip(days, days[1:]))
    assert all(a["paksha"] != b["paksha"] for a, b in zip(both, both[1:]))
    twice = [dict(GOOD), {"month": 1, "shukla_name": "C", "krishna_name": "D"}]
    assert {e["name"] for e in core.py_compute_ekadashis(twice, 2026, *DELHI, 19800)} == {"A", "B"}
    assert core.py_compute_ekadashis([], 2026, *DELHI, 19800) == []


@pytest.mark.parametrize("defs, exc, text", [
    ([{"shukla_name": "A", "krishna_name": "B"}], KeyError, "'month'"),
    ([dict(GOOD, month=13)], ValueError, "Ekadashi month must be between 1 and 12, got 13"),
    ([dict(GOOD, month=0)], ValueError, "Ekadashi month must be between 1 and 12, got 0"),
    ([dict(GOOD, month=-1)], OverflowError, ""), ([dict(GOOD, month="1")], TypeError, ""),
    ([{"month": 1, "krishna_name": "B"}], KeyError, "'shukla_name'"),
    ([dict(GOOD, krishna_name=None)], TypeError, ""),
    ([GOOD, dict(GOOD, month=14), {}], ValueError, "got 14"),  # the first fault decides
    ([GOOD, ("month", 1)], TypeError, "'tuple' object cannot be converted to 'PyDict'"),
    ((GOOD,), TypeError, "argument 'ekadashi_defs': 'tuple' object cannot be converted to 'PyList'"),
])
def test_faulty_definitions_are_refused_before_any_work(defs, exc, text):
    with pytest.raises(exc) as info:
        core.py_compute_ekadashis(defs, 2026, *DELHI, 19800)
    assert text in str(info.value)


def test_near_the_pole_only_days_with_a_sunrise_are_listed():
    for e in core.py_compute_ekadashis(DEFS, 2026, 89.0, 0.0, 0.0, 0):
        assert smartha(e).year == 2026 and math.isfinite(e["smartha_sunrise_jd"])
    assert all(math.isfinite(v["sunrise_jd"]) for v in core.py_compute_vrat_dates(2026, 89.0, 0.0,
                                                                                  0.0, 0))


def test_a_december_31_ekadashi_is_listed_with_its_january_vaishnava_day():
    london = (51.5, -0.12, 20.0)
    last = core.py_compute_ekadashis(DEFS, 2033, *london, 0)[-1]
    assert (smartha(last), vaishnava(last)) == (dt.date(2033, 12, 31), dt.date(2034, 1, 1))
    assert "shifts to 2034-01-01" in last["reasoning"]
    assert dt.date(2033, 12, 31) not in map(smartha, core.py_compute_ekadashis(DEFS, 2034,
                                                                                 *london, 0))
