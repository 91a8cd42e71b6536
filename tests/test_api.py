"""The almanac functions: local aware times, agreement between the entry points,
JSON-ready dicts and clear refusals of bad input."""

import datetime as dt
import json

import pytest

import tithiloom

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
    (lambda p: tithiloom.sankrantis(5000, p), "1-3000"),
    (lambda p: tithiloom.lunar_months(2026, "solar"), "calendar"),
    (lambda p: tithiloom.lagna(dt.datetime(2026, 1, 1, tzinfo=dt.timezone.utc), p, "K"),
     "house system"),
    (lambda p: tithiloom.day(dt.date(2026, 12, 21), tithiloom.Place.named("Tromsø")),
     "polar"),
])
def test_bad_input_is_one_clear_error(call, message, delhi):
    with pytest.raises(tithiloom.TithiloomError, match=message):
        call(delhi)
