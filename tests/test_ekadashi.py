"""Ekadashis: listings across years, days without sunrise, the last day of a
year, and refused definitions. (The days, names and reasoning of Ekadashis
and vrats are pinned by the digests in test_ranges.py.)"""

import datetime as dt
import math
import pathlib

import pytest
import yaml

import tithiloom._core as core

DATA = pathlib.Path(core.__file__).parent / "data"
DEFS = yaml.safe_load((DATA / "ekadashis.yaml").read_text())
DELHI = (28.6139, 77.2090, 216.0)
GOOD = {"month": 1, "shukla_name": "A", "krishna_name": "B"}


def smartha(e):
    return dt.date(e["smartha_year"], e["smartha_month"], e["smartha_day"])


def vaishnava(e):
    return dt.date(e["vaishnava_year"], e["vaishnava_month"], e["vaishnava_day"])


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
