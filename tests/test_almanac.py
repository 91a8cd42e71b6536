"""The almanac convention (the package's default) against the engine's own."""

import datetime as dt
import re

import pytest

import tithiloom
import tithiloom._core as core
from tithiloom import rules as rulefiles
from tithiloom.errors import RuleError, TithiloomError

DELHI = tithiloom.Place.named("New Delhi")
WHERE = (DELHI.latitude, DELHI.longitude, DELHI.altitude_m)
IST = ((float("-inf"), 19800),)


@pytest.mark.parametrize("twin, public, args", [
    (core._sun_data, core.py_compute_sun_data, (2026, 3, 20, *WHERE)),
    (core._batch_range, core.py_compute_batch_range, (2026, 1, 1, 2026, 12, 31, *WHERE)),
    (core._vrat_dates, core.py_compute_vrat_dates, (2026, *WHERE)),
    (core._shraddha_timeline, core.py_compute_shraddha_timeline,
     (2025, 3, 30, *WHERE, None, 12, 3, 3)),
])
def test_the_core_convention_is_the_module_to_the_bit(twin, public, args):
    offset = args.index(None) if None in args else len(args)
    with_clock = args[:offset] + (IST,) + args[offset + 1:]
    with_offset = args[:offset] + (19800,) + args[offset + 1:]
    assert repr(twin(*with_clock, convention="core")) == repr(public(*with_offset))


def test_the_api_under_the_core_convention_is_the_module():
    rules = rulefiles.under("core", rulefiles.festival_rules())
    ours = tithiloom.festivals(2026, DELHI, calendar="amant", convention="core")
    theirs = core.py_compute_festivals(rules, 2026, *WHERE, 19800, "amant")
    assert [(f.id, f.date, f.reasoning) for f in ours] == [
        (r["festival_id"], dt.date(r["year"], r["month"], r["day"]), r["reasoning"])
        for r in theirs]


def test_almanac_sunrise_is_the_upper_limb_on_the_refracted_horizon():
    almanac = tithiloom.day(dt.date(2026, 3, 20), DELHI)
    core_day = tithiloom.day(dt.date(2026, 3, 20), DELHI, convention="core")
    assert 3 < (core_day.sunrise - almanac.sunrise).total_seconds() / 60 < 5
    assert 3 < (almanac.sunset - core_day.sunset).total_seconds() / 60 < 5


# Published dates that the engine's own rules miss, each kept by its
# tradition's rule under the almanac convention.
@pytest.mark.parametrize("fid, year, almanac, core_day", [
    ("makar_sankranti", 2027, dt.date(2027, 1, 15), dt.date(2027, 1, 14)),  # ingress 21:06
    ("puthandu", 2024, dt.date(2024, 4, 14), dt.date(2024, 4, 13)),
    ("vishu", 2015, dt.date(2015, 4, 15), dt.date(2015, 4, 14)),  # 13:46, past 3/5 of the day
    ("onam", 2001, dt.date(2001, 8, 31), dt.date(2001, 8, 4)),  # Thiruvonam of Chingam
    ("karwa_chauth", 2001, dt.date(2001, 11, 4), dt.date(2001, 11, 5)),  # Chaturthi at moonrise
    ("maha_navami", 2026, dt.date(2026, 10, 19), dt.date(2026, 10, 20)),
    ("vasant_panchami", 2013, dt.date(2013, 2, 14), dt.date(2013, 2, 15)),
    ("diwali", 2025, dt.date(2025, 10, 20), dt.date(2025, 10, 21)),  # the longer pradosha
    ("naraka_chaturdashi", 2011, dt.date(2011, 10, 26), dt.date(2011, 10, 25)),  # arunodaya
    ("holi", 2026, dt.date(2026, 3, 4), dt.date(2026, 3, 3)),  # Bhadra over the pradosha
    ("nag_panchami", 2003, dt.date(2003, 8, 2), dt.date(2003, 8, 3)),  # 17 min after sunrise
    ("anant_chaturdashi", 2018, dt.date(2018, 9, 24), dt.date(2018, 9, 23)),  # two sunrises
    ("hartalika_teej", 2006, dt.date(2006, 8, 27), dt.date(2006, 8, 26)),  # likewise
    ("mahalaya_amavasya", 2031, dt.date(2031, 10, 15), dt.date(2031, 10, 16)),  # longer aparahna
])
def test_traditions_keep_their_published_days(fid, year, almanac, core_day):
    days = {c: {f.id: f.date for f in tithiloom.festivals(year, DELHI, convention=c)}[fid]
            for c in ("almanac", "core")}
    assert days == {"almanac": almanac, "core": core_day}


def test_a_tie_by_pervasion_states_the_minutes_of_both_days():
    rule = {"id": "n", "name": "N", "rule": "tithi_at_sunrise", "lunar_month": 7, "tithi": 9,
            "priority": "vyapti", "kaala": "full_day", "vyapti_tie": "longer"}
    [navami] = tithiloom.festivals(2025, DELHI, rules=[rule])
    assert navami.date == dt.date(2025, 10, 1)
    assert re.search(r"It pervades that kaala \d+ min on 2025-10-01 and \d+ min on 2025-09-30",
                     navami.reasoning)


def test_where_the_moon_does_not_rise_a_moonrise_rule_still_ends():
    arctic = tithiloom.Place("Arctic", 80.0, 15.0, 0.0, "Europe/Oslo")
    rule = {"id": "k", "name": "K", "rule": "tithi_at_moonrise", "lunar_month": 7, "tithi": 19}
    assert len(tithiloom.festivals(2026, arctic, rules=[rule])) <= 1


@pytest.mark.parametrize("entry, text", [
    ({"rule": "sankranti", "sankranti_index": 0, "ingress": "noon"}, "key 'ingress': unknown"),
    ({"rule": "sankranti", "sankranti_index": 0, "almanac": {"rule": "x"}},
     "under the almanac convention: key 'rule': unknown rule 'x'"),
    ({"rule": "sankranti", "sankranti_index": 0, "almanac": ["sunset"]}, "key 'almanac'"),
    ({"rule": "tithi_at_sunrise", "lunar_month": 5, "tithi": 5, "priority": "vyapti",
      "udaya_three_muhurtas": True}, "only matters with priority 'paraviddha'"),
])
def test_almanac_keys_are_checked(entry, text):
    with pytest.raises(RuleError, match=text):
        tithiloom.festivals(2026, DELHI, rules=[{"id": "x", "name": "X", **entry}])


def test_an_unknown_convention_is_refused():
    with pytest.raises(TithiloomError, match="unknown convention 'printed'"):
        tithiloom.vrats(2026, DELHI, convention="printed")


@pytest.mark.parametrize("year, fid, day, start, end, tail", [
    # Purnima fills the afternoon of 27 August only within Bhadra, and lasts
    # three muhurtas after the next sunrise: the rakhi that morning.
    (2026, "raksha_bandhan", dt.date(2026, 8, 28), "05:5", "09:4", False),
    # Bhadra covers both pradoshas and Purnima is short the next day: the
    # fire after Bhadra ends, before the middle of the night.
    (2024, "holika_dahan", dt.date(2024, 3, 24), "23:1", "00:2", False),
    # Purnima lasts three and a half praharas after the next sunrise: that
    # evening's pradosha.
    (2026, "holika_dahan", dt.date(2026, 3, 3), "18:2", "20:4", False),
    # Bhadra lasts past the middle of the night: its tail, before dawn.
    (2027, "holika_dahan", dt.date(2027, 3, 21), "04:0", "05:1", True),
])
def test_bhadra_moves_the_day_and_the_muhurta(year, fid, day, start, end, tail):
    [f] = [f for f in tithiloom.festivals(year, DELHI) if f.id == fid]
    assert f.date == day and "only within Bhadra" in f.reasoning
    assert ("the rite goes to its tail (puchha)" in f.reasoning) == tail
    assert (f.muhurta.start.strftime("%H:%M")[:4], f.muhurta.end.strftime("%H:%M")[:4]) == (
        start, end)


def test_close_calls_and_moonrise_are_told_under_the_almanac_only():
    def by_id(year, convention):
        return {f.id: f for f in tithiloom.festivals(year, DELHI, convention=convention)}
    diwali = by_id(2025, "almanac")["diwali"]  # Amavasya leaves the second pradosha in 10 min
    assert diwali.close_call and 9 < diwali.margin_minutes < 11
    assert "A close call: the deciding boundary lies 10 min" in diwali.reasoning
    # Lakshmi Puja's muhurta: the pradosha that the Amavasya fills.
    m = diwali.muhurta
    assert m.name == "pradosha" and m.start.date() == diwali.date and m.start < m.end
    karwa = by_id(2030, "almanac")["karwa_chauth"]
    assert karwa.moonrise.date() == karwa.date and not karwa.close_call
    # Chaturdashi touches no sunrise and ends 11 min before the next arunodaya.
    naraka = by_id(2030, "almanac")["naraka_chaturdashi"]
    assert naraka.close_call and "It holds no arunodaya kaala either." in naraka.reasoning
    core_day = by_id(2025, "core")["diwali"]
    assert (core_day.margin_minutes, core_day.moonrise, core_day.muhurta, core_day.close_call) == (
        None, None, None, False)


def test_almanac_vrats_follow_their_rules():
    vrats = tithiloom.vrats(2026, DELHI)
    assert {v.name for v in vrats} >= {"Pradosh Vrat (Ashwin)", "Sankashti Chaturthi (Pausha)"}
    for v in vrats:
        said = {"Pradosh Vrat": "pradosha kaala", "Sankashti Chaturthi": "holds the moonrise",
                "Amavasya": "aparahna kaala", "Purnima Vrat": "pradosha kaala"}[v.type]
        assert said in v.reasoning and v.date.year == 2026
    with pytest.raises(RuleError, match="'lunar_month': not a key"):
        rulefiles.check_vrats([{"id": "p", "name": "P", "rule": "tithi_at_sunrise", "tithi": 13,
                                "lunar_month": 1}])


def test_each_ekadashi_fast_is_broken_the_next_day_outside_hari_vasara():
    ekadashis = {e.name: e for e in tithiloom.ekadashis(2026, DELHI)}
    for e in ekadashis.values():
        for fast, parana in ((e.smartha_date, e.smartha_parana),
                             (e.vaishnava_date, e.vaishnava_parana)):
            assert parana.start.date() == fast + dt.timedelta(days=1) and parana.start < parana.end
    # Hari Vasara outlasts the morning: the fast is broken after midday.
    assert ekadashis["Prabodhini"].smartha_parana.start.hour >= 12
    assert "Mahadvadashi: Unmilani" in ekadashis["Padmini"].reasoning
    assert tithiloom.ekadashis(2026, DELHI, convention="core")[0].smartha_parana is None
