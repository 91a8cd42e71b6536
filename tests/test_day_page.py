"""The almanac page of a day: the Hindu date and the Moon, in the API and the CLI."""

import datetime as dt

import pytest

import tithiloom
import tithiloom._core as core
from tithiloom import cli

DELHI = tithiloom.Place.named("New Delhi")
WHERE = (DELHI.latitude, DELHI.longitude, DELHI.altitude_m)
IST = ((float("-inf"), 19800),)


def test_the_private_day_only_adds_the_moon_to_the_module_day():
    twin = core._panchang(2026, 10, 29, *WHERE, IST, 4, "core")
    twin.pop("moon")
    assert repr(twin) == repr(core.py_compute_panchang(2026, 10, 29, *WHERE, 19800, 4))


@pytest.mark.parametrize("convention", ["almanac", "core"])
def test_the_moon_continues_the_limbs_at_sunrise(convention):
    d = tithiloom.day(dt.date(2026, 10, 29), DELHI, convention)
    m = d.moon
    assert (m.next_tithi.number, m.next_nakshatra.number, m.next_yoga.number) == (20, 5, 20)
    assert (m.next_tithi.start, m.next_nakshatra.start, m.next_yoga.start) == (
        d.tithi.end, d.nakshatra.end, d.yoga.end)
    assert all(x.start < x.end < x.start + dt.timedelta(days=1.2)
               for x in (m.next_tithi, m.next_nakshatra, m.next_yoga))
    assert m.next_nakshatra.lord == "Mars"
    assert m.rashi_name == "Vrishabha" and d.sunrise < m.rashi_end < d.sunrise + dt.timedelta(3)
    assert m.moonrise.date() == m.moonset.date() == d.date


def test_the_day_moonrise_is_the_one_a_moonrise_festival_is_kept_by():
    karwa = next(f for f in tithiloom.festivals(2026, DELHI) if f.id == "karwa_chauth")
    assert tithiloom.day(karwa.date, DELHI).moon.moonrise == karwa.moonrise


@pytest.mark.parametrize("date, rise, set_", [
    (dt.date(2026, 10, 4), False, True), (dt.date(2026, 10, 19), True, False)])
def test_a_day_without_moonrise_or_moonset_says_so(date, rise, set_):
    m = tithiloom.day(date, DELHI).moon
    assert (m.moonrise is not None, m.moonset is not None) == (rise, set_)
    text = "\n".join(cli.day_lines(tithiloom.day(date, DELHI), DELHI))
    assert "none today" in text


@pytest.mark.parametrize("date, calendar, month, text", [
    # The dark half before the new moon of Chaitra: Phalguna in amanta reckoning,
    # already Chaitra in purnimanta; the samvat turns at that new moon.
    (dt.date(2026, 3, 19), "amant", "Phalguna",
     "Phalguna Krishna Amavasya, Vikram Samvat 2082, Shaka 1947 (Vishvavasu)"),
    (dt.date(2026, 3, 19), "purnimant", "Chaitra", None),
    (dt.date(2026, 3, 20), "purnimant", "Chaitra",
     "Chaitra Shukla Dvitiya, Vikram Samvat 2083, Shaka 1948 (Parabhava)"),
    (dt.date(2026, 6, 1), "purnimant", "Adhika Jyeshtha", None),
    (dt.date(2026, 6, 1), "amant", "Adhika Jyeshtha", None),
    (dt.date(2026, 10, 29), "purnimant", "Kartik", None),
    (dt.date(2026, 10, 29), "amant", "Ashwin", None),
])
def test_the_hindu_date(date, calendar, month, text):
    h = tithiloom.day(date, DELHI, calendar=calendar).hindu_date
    assert h.lunar_month_name == month
    assert text is None or h.text() == text
    assert [d.hindu_date for d in tithiloom.days(date, date, DELHI, calendar=calendar)] == [h]


def test_the_day_command_shows_the_hindu_date_and_the_moon():
    out = "\n".join(cli.day_lines(tithiloom.day(dt.date(2026, 10, 29), DELHI), DELHI))
    for text in ("Hindu date Kartik Krishna Chaturthi, Vikram Samvat 2083",
                 "then Krishna Panchami", "then Mrigashira", "then Shiva",
                 "Moonrise   20:12", "Moon in Vrishabha until 22:06"):
        assert text in out


@pytest.mark.parametrize("first, last", [
    (dt.date(2026, 1, 1), dt.date(2026, 1, 31)), (dt.date(2026, 5, 10), dt.date(2026, 6, 20)),
    (dt.date(2026, 12, 28), dt.date(2026, 12, 31))])
def test_vrats_between_two_dates_are_the_years_vrats_between_them(first, last):
    year = tithiloom.vrats(2026, DELHI)
    assert tithiloom.vrats(2026, DELHI, between=(first, last)) == [
        v for v in year if first <= v.date <= last]


def test_the_month_marks_fasts_parana_and_the_lunar_months(capsys):
    assert cli.main(["month", "2026-11", "--calendar", "amant"]) == 0
    out = capsys.readouterr().out
    assert "Ashwin–Kartik (amanta) · Vikram Samvat 2083 · Shaka 1948 · Parabhava" in out
    for text in ("24 *O", "27 C", "22 P", "8 *A", "21 *V",
                 "Sat 21 Nov  Parana 13:10–17:25 (Prabodhini Ekadashi)",
                 "Sun 22 Nov  Vaishnava parana 06:49–08:56 (Prabodhini Ekadashi)"):
        assert text in out


def test_a_month_of_polar_night_is_headed_by_its_lunar_months(capsys):
    assert cli.main(["month", "2026-12", "--place", "Tromsø"]) == 0
    assert "Margashirsha–Pausha (purnimanta) · Vikram Samvat 2083" in capsys.readouterr().out


def test_the_ekadashi_event_tells_both_paranas():
    es = [e for e in tithiloom.ekadashis(2026, DELHI) if e.name == "Prabodhini"]
    text = cli._ekadashi_events(es, 2026, "purnimant")[0].description
    assert "Parana: Sat 21 Nov 2026 13:10-17:25." in text
    assert "Vaishnava parana: Sun 22 Nov 2026 06:49-08:56." in text
