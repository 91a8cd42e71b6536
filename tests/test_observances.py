"""Festivals, Ekadashis, vrats and shraddha through the Python layer: the shipped
rules in every year, windows of a year, month names."""

import datetime as dt
import json

import pytest

import tithiloom
from tithiloom.rules import festival_rules


@pytest.mark.wide
def test_every_shipped_rule_gives_a_date_in_every_year(delhi):
    annual = {r["id"] for r in festival_rules() if r.get("annual", True)}
    for year in range(2000, 2051):
        found = [f.id for f in tithiloom.festivals(year, delhi)]
        assert annual <= set(found), (year, sorted(annual - set(found)))
        assert len(found) == len(set(found))


def test_results_are_json_ready_and_carry_the_rule_text(delhi):
    data = json.loads(json.dumps([f.to_dict() for f in tithiloom.festivals(2026, delhi)]))
    diwali = next(d for d in data if d["id"] == "diwali")
    assert diwali["priority"] == "vyapti" and diwali["kaala"] == "pradosha"
    assert diwali["description"] and diwali["region"] and diwali["reasoning"]


@pytest.mark.parametrize("first, last", [
    (dt.date(2026, 3, 1), dt.date(2026, 3, 28)), (dt.date(2026, 10, 1), dt.date(2026, 11, 28)),
    (dt.date(2026, 12, 7), dt.date(2027, 1, 5)), (dt.date(2025, 12, 20), dt.date(2026, 2, 10))])
def test_a_window_gives_exactly_the_year_results_that_fall_in_it(first, last, delhi):
    for year in sorted({first.year, last.year}):
        whole = [f for f in tithiloom.festivals(year, delhi) if first <= f.date <= last]
        assert tithiloom.festivals(year, delhi, between=(first, last)) == whole
        whole_e = [e for e in tithiloom.ekadashis(year, delhi) if first <= e.smartha_date <= last]
        assert tithiloom.ekadashis(year, delhi, between=(first, last)) == whole_e


@pytest.mark.parametrize("name", ["New Delhi", "Toronto"])
def test_shraddha_returns_the_death_tithi(name):
    place = tithiloom.Place.named(name)
    death = dt.date(2025, 8, 4)
    tithi = tithiloom.day(death, place).tithi.number
    s = tithiloom.shraddha(death, 2026, place)
    assert s.date.year == 2026 and s.tithi == tithi and s.sunrise.date() == s.date
    t = tithiloom.shraddha_timeline(death, place, monthly=3, annual_years=2,
                                    pitru_paksha_years=2)
    assert (t.teesra, t.terahvin) == (death + dt.timedelta(2), death + dt.timedelta(12))
    assert len(t.monthly) == 3 and t.death_tithi_number == tithi
    assert all(tithiloom.day(x.date, place).tithi.number == tithi for x in t.monthly)
    assert [x.date.year for x in t.annual] == [2026, 2027]
    assert json.dumps(t.to_dict())


@pytest.mark.parametrize("query, names", [
    ("DĪWĀLĪ", {"Diwali (Lakshmi Puja)"}), ("gudi padwa", {"Ugadi / Gudi Padwa"}),
    ("Nag Panchami", {"Nag Panchami", "Nag Panchami (Gujarat)"}),  # exact names, both
    ("navratri", {"Chaitra Navratri begins", "Sharad Navratri begins"}),  # a part of names
    ("Deepavali", {"Diwali (Lakshmi Puja)"}), ("dussehra", {"Vijayadashami"}),  # other names
])
def test_find_gives_the_days_a_name_names_over_years(query, names, delhi):
    found = tithiloom.find(query, range(2026, 2029), delhi)
    assert {f.name for f in found} == names and len(found) == 3 * len(names)
    assert [f.date for f in found] == sorted(f.date for f in found)
    if query == "DĪWĀLĪ":
        assert found == [f for y in (2026, 2027, 2028) for f in tithiloom.festivals(y, delhi)
                         if f.id == "diwali"]


def test_find_refuses_an_unknown_name_with_close_matches(delhi):
    with pytest.raises(tithiloom.UnknownFestival, match="close matches: Krishna Janmashtami, "
                                                        "Krishna Janmashtami .Vaishnava."):
        tithiloom.find("janmastami", 2026, delhi)
