"""Ekadashis: names given twice, the last day of a year, and refused
definitions. (The days, names and reasoning of Ekadashis and vrats, in a
polar night too, are pinned by the digests in test_ranges.py.)"""

import pathlib

import pytest
import yaml

import tithiloom
import tithiloom._core as core

DATA = pathlib.Path(core.__file__).parent / "data"
DEFS = yaml.safe_load((DATA / "ekadashis.yaml").read_text())
DELHI = (28.6139, 77.2090, 216.0)
GOOD = {"month": 1, "shukla_name": "A", "krishna_name": "B"}


def test_the_first_names_given_for_a_month_are_kept():
    # (Days and names over whole years: the digests in test_ranges.py.)
    twice = [dict(GOOD), {"month": 1, "shukla_name": "C", "krishna_name": "D"}]
    assert {e["name"] for e in core.py_compute_ekadashis(twice, 2026, *DELHI, 19800)} == {"A", "B"}
    assert core.py_compute_ekadashis([], 2026, *DELHI, 19800) == []


@pytest.mark.parametrize("defs, exc, text", [
    ([{"shukla_name": "A", "krishna_name": "B"}], KeyError, "'month'"),
    ([dict(GOOD, month=13)], ValueError, "Ekadashi month must be between 1 and 12, got 13"),
    ([dict(GOOD, month=-1)], OverflowError, ""), ([dict(GOOD, month="1")], TypeError, ""),
    ([{"month": 1, "krishna_name": "B"}], KeyError, "'shukla_name'"),
    ([dict(GOOD, krishna_name=None)], TypeError, ""),
    ([GOOD, dict(GOOD, month=14), {}], ValueError, "got 14"),  # the first fault decides
    ((GOOD,), TypeError, "argument 'ekadashi_defs': 'tuple' object cannot be converted to 'PyList'"),
])
def test_faulty_definitions_are_refused_before_any_work(defs, exc, text):
    with pytest.raises(exc) as info:
        core.py_compute_ekadashis(defs, 2026, *DELHI, 19800)
    assert text in str(info.value)


def test_a_december_31_ekadashi_is_listed_with_its_january_vaishnava_day():
    london = (51.5, -0.12, 20.0)
    last = core.py_compute_ekadashis(DEFS, 2033, *london, 0)[-1]
    assert [last[k] for k in ("smartha_year", "smartha_month", "smartha_day", "vaishnava_year",
                              "vaishnava_month", "vaishnava_day")] == [2033, 12, 31, 2034, 1, 1]
    assert "shifts to 2034-01-01" in last["reasoning"]
    first = core.py_compute_ekadashis(DEFS, 2034, *london, 0)[0]
    assert (first["smartha_year"], first["smartha_month"]) == (2034, 1)  # not listed again


@pytest.mark.parametrize("year", [2028, 2039])
def test_a_fast_kept_into_the_polar_night_has_no_parana(year):
    # The day after the fast has no sunrise: no window, and no failure.
    fasts = tithiloom.ekadashis(year, tithiloom.Place.named("Tromsø"))
    assert any(e.smartha_parana is None for e in fasts)
