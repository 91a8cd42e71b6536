"""The almanac functions: local aware times, agreement between the entry points,
JSON-ready dicts and clear refusals of bad input."""

import datetime as dt
import json

import pytest
from zoneinfo import ZoneInfo

import tithiloom
from tithiloom.months import marked

NEW_YORK = ZoneInfo("America/New_York")
DATES = [dt.date(2026, 1, 14), dt.date(2026, 4, 14), dt.date(2026, 8, 15), dt.date(2026, 12, 31)]
PLACES = ["New Delhi", "Sydney", "Houston", "Reykjavík"]


@pytest.mark.parametrize("name", PLACES)
@pytest.mark.parametrize("date", DATES)
def test_a_day_is_told_in_the_place_zone_and_every_limb_spans_sunrise(name, date):
    place = tithiloom.Place.named(name)
    d = tithiloom.day(date, place)
    assert d.sunrise.date() == date and d.sunrise.tzinfo == place.zone
    assert d.sunrise < d.sunset
    for limb in (d.tithi, d.nakshatra, d.yoga, d.karana):
        assert limb.start <= d.sunrise <= limb.end and limb.end - limb.start < dt.timedelta(2)
    m = d.muhurat
    assert d.sunrise <= m.rahu_kalam.start < m.rahu_kalam.end <= d.sunset + dt.timedelta(0, 1)
    assert m.abhijit.auspicious and not m.rahu_kalam.auspicious
    # to_dict is JSON-ready and its times read back to the same instants
    data = json.loads(json.dumps(d.to_dict()))
    assert dt.datetime.fromisoformat(data["sunrise"]) == d.sunrise
    assert dt.datetime.fromisoformat(data["tithi"]["end"]) == d.tithi.end
    assert data["muhurat"]["abhijit"]["auspicious"] is True


def test_iter_days_equals_days_across_its_yearly_pieces():
    start, end, london = dt.date(2025, 12, 30), dt.date(2027, 1, 2), tithiloom.Place.named("London")
    assert list(tithiloom.iter_days(start, end, london)) == tithiloom.days(start, end, london)


def test_at_gives_the_limbs_of_the_days_at_their_sunrises(delhi):
    # (Ranges against single days: test_zones.py.)
    span = tithiloom.days(dt.date(2026, 2, 26), dt.date(2026, 3, 2), delhi)
    assert [d.date.day for d in span] == [26, 27, 28, 1, 2]
    for d, s in zip(span, tithiloom.at([d.sunrise for d in span])):
        assert d.tithi.start <= d.sunrise < d.tithi.end
        for a, b in zip((d.tithi, d.nakshatra, d.yoga, d.karana), (s.tithi, s.nakshatra, s.yoga,
                                                                   s.karana)):
            assert (a.number, a.name) == (b.number, b.name)


@pytest.mark.parametrize("calendar, mesha_month", [("amant", "Chaitra"), ("AMANTA", "Chaitra"),
                                                  ("purnimant", "Vaishakha")])
def test_lunar_months_follow_the_reckoning_in_the_place_zone(calendar, mesha_month, delhi):
    months = tithiloom.lunar_months(2026, calendar, delhi)  # (contiguous: test_ranges.py)
    assert months[0].start.tzinfo == delhi.zone
    mesha = tithiloom.sankrantis(2026, delhi)[3].instant
    assert next(m for m in months if m.start < mesha <= m.end).name == mesha_month


def test_choghadiya_divides_day_and_night(delhi):
    c = tithiloom.choghadiya(dt.date(2026, 4, 14), delhi)
    d = tithiloom.day(dt.date(2026, 4, 14), delhi)
    assert len(c.day) == len(c.night) == 8
    assert c.day[0].start == d.sunrise and abs((c.day[-1].end - d.sunset).total_seconds()) <= 1
    assert c.night[0].start == d.sunset
    assert all(a.end == b.start or abs((a.end - b.start).total_seconds()) <= 1
               for a, b in zip(c.day, c.day[1:]))


@pytest.mark.parametrize("offset, night", list(enumerate([  # printed tables, Sunday first
    "Shubh Amrit Char Rog Kaal Labh Udveg Shubh", "Char Rog Kaal Labh Udveg Shubh Amrit Char",
    "Kaal Labh Udveg Shubh Amrit Char Rog Kaal", "Udveg Shubh Amrit Char Rog Kaal Labh Udveg",
    "Amrit Char Rog Kaal Labh Udveg Shubh Amrit", "Rog Kaal Labh Udveg Shubh Amrit Char Rog",
    "Labh Udveg Shubh Amrit Char Rog Kaal Labh"])))
def test_night_choghadiya_as_printed_tables_walk_it(offset, night):
    c = tithiloom.choghadiya(dt.date(2026, 11, 8 + offset), tithiloom.Place.named("New York"))
    assert " ".join(w.name for w in c.night) == night
    assert [w.auspicious for w in c.night] == [
        w.name in ("Amrit", "Shubh", "Labh", "Char") for w in c.night]


@pytest.mark.parametrize("system, letter", [("P", "P"), ("whole", "W"), ("e", "E"),
                                            ("Sripati", "O")])
def test_lagna_systems(system, letter, delhi):
    when = dt.datetime(2026, 4, 14, 6, 30, tzinfo=delhi.zone)
    lg = tithiloom.lagna(when, delhi, system)
    assert lg.system == letter and len(lg.cusps) == 12 and 0 <= lg.degree_in_rashi < 30
    windows = tithiloom.lagna_windows(when.date(), delhi)
    rising = next(w for w in windows if w.start <= when < w.end)
    assert rising.rashi == lg.rashi


@pytest.mark.parametrize("call, message", [
    (lambda p: tithiloom.at([dt.datetime(2026, 1, 1, 6)]), "naive"),
    (lambda p: tithiloom.lagna(dt.datetime(2026, 1, 1, 6), p), "naive"),
    (lambda p: tithiloom.day(dt.datetime(2026, 1, 1, 6), p), "naive"),
    (lambda p: tithiloom.day("2026-01-01", p), "datetime.date"),
    (lambda p: tithiloom.sankrantis(2026.0, p), "whole number"),
    (lambda p: tithiloom.sankrantis(5000, p), "2-3000"),
    # Year 1 reaches back into year 0, which datetime cannot hold; the ephemeris ends after 3000.
    (lambda p: tithiloom.day(dt.date(1, 1, 1), p), "^date 0001-01-01 lies outside 0002-01-01 to"),
    (lambda p: tithiloom.lunar_months(1), "^year must lie in 2-3000"),
    (lambda p: tithiloom.lagna_windows(dt.date(1, 1, 1), p), "^date 0001-01-01 lies outside"),
    (lambda p: tithiloom.at([dt.datetime(9999, 1, 1, tzinfo=dt.timezone.utc)]), r"^instants\[0\]"),
    (lambda p: tithiloom.at(5), "^instants must be an iterable"),
    (lambda p: tithiloom.shraddha_timeline(dt.datetime(3000, 12, 31, 23, tzinfo=dt.timezone(
        dt.timedelta(hours=-12))), p, 0, 0, 3), "^death date 3001-01-01 lies outside"),
    (lambda p: tithiloom.shraddha(dt.date(2999, 1, 1), 3000, p), "^death date 2999-01-01 is after"),
    (lambda p: tithiloom.festivals(2026, "London"), r"^place must be a tithiloom.Place.*named"),
    (lambda p: tithiloom.lagna(dt.datetime(2026, 1, 1, tzinfo=dt.timezone.utc), "x"), "^place"),
    (lambda p: tithiloom.vrats(2026, p, (None, None)), "^between's first date must be"),
    (lambda p: tithiloom.festivals(2026, p, between=dt.date(2026, 1, 1)), "^between must be"),
    (lambda p: tithiloom.lagna(dt.datetime(2026, 11, 1, 1, 30, tzinfo=NEW_YORK), p),
     "^when 2026-11-01T01:30 happens twice in America/New_York"),
    (lambda p: tithiloom.lunar_months(2026, "solar"), "calendar"),
    (lambda p: tithiloom.lagna(dt.datetime(2026, 1, 1, tzinfo=dt.timezone.utc), p, "K"),
     "house system"),
    (lambda p: tithiloom.day(dt.date(2026, 12, 21), tithiloom.Place.named("Tromsø")),
     "polar"),
    (lambda p: tithiloom.day(dt.date(2026, 1, 1), tithiloom.Place("x", 1, 2, 0, "A" * 300)),
     "^unknown time zone 'AAAA"),
])
def test_bad_input_is_one_clear_error(call, message, delhi):
    with pytest.raises(tithiloom.TithiloomError, match=message):
        call(delhi)


def test_what_the_checks_let_through(delhi):
    # The second of a repeated wall time, dates mixed in between, years below 1000.
    second = dt.datetime(2026, 11, 1, 1, 30, fold=1, tzinfo=NEW_YORK)
    assert tithiloom.lagna(second, delhi).instant.timestamp() == second.timestamp()
    assert tithiloom.festivals(2026, delhi, between=(dt.datetime(
        2026, 1, 13, tzinfo=delhi.zone), dt.date(2026, 1, 13)))[0].id == "lohri"
    assert tithiloom.shraddha_timeline(dt.date(500, 6, 1), delhi).teesra == dt.date(500, 6, 3)
    assert tithiloom.lunar_months(2)[0].start.year == 1


@pytest.mark.parametrize("year", [1963, 1983])  # each has a kshaya month
def test_a_kshaya_year_names_every_day_as_its_listing_does(year, delhi):
    listing = tithiloom.lunar_months(year, "purnimant", delhi)

    def listed(when):
        return next(marked(m.name, m.is_adhik) for m in listing if m.start <= when < m.end)

    named = [(marked(e.lunar_month_name, e.is_adhik), e.smartha_sunrise)
             for e in tithiloom.ekadashis(year, delhi)]
    named += [(marked(v.lunar_month_name, v.is_adhik), v.sunrise)
              for v in tithiloom.vrats(year, delhi)]
    named += [(d.hindu_date.lunar_month_name, d.sunrise)
              for d in tithiloom.days(dt.date(year, 1, 1), dt.date(year, 12, 31), delhi)]
    assert [(name, when) for name, when in named if name != listed(when)] == []
