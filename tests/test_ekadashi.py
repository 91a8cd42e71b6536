"""Ekadashis (Smartha and Vaishnava days with their reasoning) and the vrat
days of a year, checked against the tithi at each sunrise measured
independently through the instant sampler."""

import datetime as dt
import pathlib

import pytest
import yaml

import tithiloom._core as core

DATA = pathlib.Path(core.__file__).parent / "data"
DEFS = yaml.safe_load((DATA / "ekadashis.yaml").read_text())
DELHI = (28.6139, 77.2090, 216.0)
PLACES = [(DELHI, 19800), ((40.7128, -74.0060, 10.0), -18000), ((-33.87, 151.21, 20.0), 36000)]
ARUNODAYA = 96 / 1440


def tithi_at(jd):
    return core.py_compute_panchanga_at_jds([jd])[0]["tithi"]["number"]


def sunrise_of(date, place, offset):
    midnight = core.py_datetime_to_jd(date.year, date.month, date.day, 0, 0, 0.0) - offset / 86400
    return core.py_sunrise_jd(midnight, *place)


def smartha(e):
    return dt.date(e["smartha_year"], e["smartha_month"], e["smartha_day"])


def vaishnava(e):
    return dt.date(e["vaishnava_year"], e["vaishnava_month"], e["vaishnava_day"])


@pytest.fixture(scope="module", params=[(2026,) + p for p in PLACES] + [(2023,) + PLACES[0]])
def listing(request):
    year, place, offset = request.param
    return year, place, offset, core.py_compute_ekadashis(DEFS, year, *place, offset)


def test_each_decision_agrees_with_the_sunrise_tithis(listing):
    year, place, offset, entries = listing
    for e in entries:
        target = 11 if e["paksha"] == "Shukla" else 26
        d = smartha(e)
        if "tithi-vriddhi" in e["reasoning"]:
            # Both sunrises carry the Ekadashi; the later day is kept.
            assert vaishnava(e) == d
            assert tithi_at(sunrise_of(d - dt.timedelta(days=1), place, offset)) == target
            assert tithi_at(e["smartha_sunrise_jd"]) == target
            continue
        s = e["smartha_sunrise_jd"]
        assert s == pytest.approx(sunrise_of(d, place, offset), abs=1e-7)
        assert tithi_at(s) in (target, target - 1)  # the latter only for a skipped Ekadashi
        assert tithi_at(sunrise_of(d + dt.timedelta(days=1), place, offset)) != target
        dashami_at_dawn = tithi_at(s - ARUNODAYA) == target - 1
        assert ("persists at Arunodaya" in e["reasoning"]) == dashami_at_dawn
        assert vaishnava(e) == d + dt.timedelta(days=int(dashami_at_dawn))


def test_listing_is_the_years_ekadashis_in_order_once_each(listing):
    year, _, _, entries = listing
    assert all(smartha(e).year == year for e in entries)
    sunrises = [e["smartha_sunrise_jd"] for e in entries]
    assert sunrises == sorted(sunrises)
    keys = [(smartha(e), e["paksha"]) for e in entries]
    assert len(set(keys)) == len(keys)
    assert 24 <= len(entries) <= 26
    # The two pakshas alternate, about a fortnight apart.
    assert all(a["paksha"] != b["paksha"] for a, b in zip(entries, entries[1:]))
    assert all(10 <= (smartha(b) - smartha(a)).days <= 18 for a, b in zip(entries, entries[1:]))


def test_adhika_month_ekadashis_are_padmini_and_parama():
    # 2026 holds an adhika Jyeshtha.
    adhika = [e for e in core.py_compute_ekadashis(DEFS, 2026, *DELHI, 19800) if e["is_adhik"]]
    assert [(e["name"], e["paksha"]) for e in adhika] == [("Padmini", "Shukla"),
                                                           ("Parama", "Krishna")]
    for e in adhika:
        assert (e["lunar_month"], e["lunar_month_name"]) == (3, "Jyeshtha")
        assert e["reasoning"].endswith("Lunar month: Adhika Jyeshtha.")


def test_consecutive_years_share_no_ekadashi_and_miss_none():
    both = [e for y in (2025, 2026) for e in core.py_compute_ekadashis(DEFS, y, *DELHI, 19800)]
    days = [smartha(e) for e in both]
    assert len(set(days)) == len(days)
    assert all(10 <= (b - a).days <= 18 for a, b in zip(days, days[1:]))


def test_reasoning_texts_are_exact():
    entries = core.py_compute_ekadashis(DEFS, 2026, *DELHI, 19800)
    by_name = {e["name"]: e["reasoning"] for e in entries}
    assert by_name["Padmini"] == (
        "Shukla Ekadashi (Tithi 11) prevails at sunrise on both 2026-05-26 and the next day "
        "(tithi-vriddhi), so both Smartha and Vaishnava observance fall on 2026-05-27 "
        "(vriddhau uttara, Dharmasindhu). Lunar month: Adhika Jyeshtha.")
    assert by_name["Prabodhini"].startswith(
        "Shukla Ekadashi (Tithi 11) prevails at sunrise (06:51) on 2026-11-20. Dashami (Tithi "
        "10) persists at Arunodaya (96 min before sunrise), so Vaishnava Ekadashi shifts to "
        "2026-11-21. Lunar month: Kartik.")
    assert by_name["Kamada"].endswith(
        "on 2026-03-29. Dashami ended before Arunodaya \u2014 Smartha and Vaishnava dates are "
        "the same. Lunar month: Chaitra.")


def test_two_definitions_of_a_month_keep_the_first_names():
    twice = [{"month": 1, "shukla_name": "A", "krishna_name": "B"},
             {"month": 1, "shukla_name": "C", "krishna_name": "D"}]
    assert {e["name"] for e in core.py_compute_ekadashis(twice, 2026, *DELHI, 19800)} == {"A", "B"}
    assert core.py_compute_ekadashis([], 2026, *DELHI, 19800) == []


GOOD = {"month": 1, "shukla_name": "A", "krishna_name": "B"}


@pytest.mark.parametrize("defs, exc, text", [
    ([{"shukla_name": "A", "krishna_name": "B"}], KeyError, "'month'"),
    ([dict(GOOD, month=13)], ValueError, "Ekadashi month must be between 1 and 12, got 13"),
    ([dict(GOOD, month=0)], ValueError, "Ekadashi month must be between 1 and 12, got 0"),
    ([dict(GOOD, month=-1)], OverflowError, ""),
    ([dict(GOOD, month=2**32)], OverflowError, ""),
    ([dict(GOOD, month="1")], TypeError, ""),
    ([{"month": 1, "krishna_name": "B"}], KeyError, "'shukla_name'"),
    ([dict(GOOD, krishna_name=None)], TypeError, ""),
    ([GOOD, dict(GOOD, month=14), {}], ValueError, "got 14"),  # the first fault decides
    ([GOOD, ("month", 1)], TypeError, "'tuple' object cannot be converted to 'PyDict'"),
])
def test_faulty_definitions_are_refused_before_any_work(defs, exc, text):
    with pytest.raises(exc) as info:
        core.py_compute_ekadashis(defs, 2026, *DELHI, 19800)
    assert text in str(info.value)


def test_definitions_must_come_as_a_list():
    with pytest.raises(TypeError, match="^argument 'ekadashi_defs': 'tuple' object cannot be "
                                        "converted to 'PyList'$"):
        core.py_compute_ekadashis((GOOD,), 2026, *DELHI, 19800)


def test_near_the_pole_only_days_with_a_sunrise_are_listed():
    for e in core.py_compute_ekadashis(DEFS, 2026, 89.0, 0.0, 0.0, 0):
        assert smartha(e).year == 2026 and e["smartha_sunrise_jd"] == e["smartha_sunrise_jd"]
    for v in core.py_compute_vrat_dates(2026, 89.0, 0.0, 0.0, 0):
        assert v["sunrise_jd"] == v["sunrise_jd"]


# --- vrats ---

VRATS = {"Pradosh Vrat": {13: "Shukla", 28: "Krishna"}, "Sankashti Chaturthi": {19: "Krishna"},
         "Amavasya": {30: "Krishna"}, "Purnima Vrat": {15: "Shukla"}}


@pytest.mark.parametrize("year, place, offset", [(2026,) + PLACES[0], (2026,) + PLACES[1],
                                                 (1999,) + PLACES[2]])
def test_vrats_fall_on_their_sunrise_tithi(year, place, offset):
    vrats = core.py_compute_vrat_dates(year, *place, offset)
    assert [v["sunrise_jd"] for v in vrats] == sorted(v["sunrise_jd"] for v in vrats)
    months = core.py_compute_lunar_months(year)
    adhika = {m["name"] for m in months if m["is_adhik"]}
    for v in vrats:
        assert v["year"] == year
        day = dt.date(v["year"], v["month"], v["day"])
        assert v["sunrise_jd"] == pytest.approx(sunrise_of(day, place, offset), abs=1e-7)
        expected = [t for t, paksha in VRATS[v["vrat_type"]].items() if paksha == v["paksha"]]
        assert len(expected) == 1
        # A tithi that touches no sunrise falls on the day of the one before.
        assert tithi_at(v["sunrise_jd"]) in (expected[0], expected[0] - 1)
        label = v["name"][len(v["vrat_type"]) + 2:-1]
        assert label in (v["lunar_month_name"], "Adhika " + v["lunar_month_name"])
        if label.startswith("Adhika "):
            assert v["lunar_month_name"] in adhika


def test_a_purnima_touching_no_sunrise_is_kept_on_the_day_before():
    # Search a few years for a Purnima that prevails at no sunrise.
    for year in range(2024, 2030):
        for v in core.py_compute_vrat_dates(year, *DELHI, 19800):
            if v["vrat_type"] == "Purnima Vrat" and tithi_at(v["sunrise_jd"]) == 14:
                nxt = sunrise_of(dt.date(v["year"], v["month"], v["day"]) + dt.timedelta(days=1),
                                 DELHI, 19800)
                assert tithi_at(nxt) == 16
                return
    pytest.fail("no skipped Purnima in six years")


def test_a_december_31_ekadashi_is_listed_with_its_january_vaishnava_day():
    london = (51.5, -0.12, 20.0)
    last = core.py_compute_ekadashis(DEFS, 2033, *london, 0)[-1]
    assert (smartha(last), vaishnava(last)) == (dt.date(2033, 12, 31), dt.date(2034, 1, 1))
    assert "shifts to 2034-01-01" in last["reasoning"]
    assert dt.date(2033, 12, 31) not in map(smartha, core.py_compute_ekadashis(DEFS, 2034,
                                                                                 *london, 0))
