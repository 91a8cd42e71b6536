"""Month names and reasoning that tell one story: purnimanta months as northern
almanacs derive them, each month named once in the calendar asked for, and no
claim that a tithi prevails at a sunrise that carries another."""

import datetime as dt
import re

import icalendar
import pytest

import tithiloom
from tithiloom import cli, months

UTC = dt.timezone.utc
MONTH = re.compile(r"(?<!Nakshatra )(?<!Purva )(?<!Uttara )\b(?:Adhika )?(?:%s)\b"
                   % "|".join(months.NAMES))
CLAIM = re.compile(r"\(Tithi (\d+)\) prevails at sunrise \(\d\d:\d\d\) on (\S+)\.")


@pytest.mark.parametrize("amanta, paksha, adhik, calendar, shown", [
    ("Ashadha", "Krishna", False, "purnimant", "Shravana"),
    ("Phalguna", "Krishna", False, "purnimant", "Chaitra"),
    ("Phalguna", "Shukla", False, "purnimant", "Phalguna"),
    ("Phalguna", "Krishna", False, "amant", "Phalguna"),
    ("Jyeshtha", "Krishna", True, "purnimant", "Adhika Jyeshtha"),  # the same lunation
    ("Jyeshtha", "Shukla", True, "amant", "Adhika Jyeshtha")])
def test_a_day_is_named_from_its_amanta_month_and_paksha(amanta, paksha, adhik, calendar, shown):
    assert months.month_name(amanta, paksha, adhik, calendar) == shown


@pytest.mark.parametrize("year, when, shown, adhika", [
    (2026, dt.datetime(2026, 7, 1, tzinfo=UTC), "Ashadha", "Jyeshtha"),  # not Shravana
    (2026, dt.datetime(2026, 5, 10, tzinfo=UTC), "Jyeshtha", "Jyeshtha"),  # dark half before
    (2027, dt.datetime(2027, 8, 10, tzinfo=UTC), "Shravana", None),  # Raksha Bandhan's month
    (2029, dt.datetime(2029, 4, 20, tzinfo=UTC), "Chaitra", "Chaitra"),  # bright half after
    (1983, dt.datetime(1983, 2, 5, tzinfo=UTC), "Phalguna", "Phalguna")])  # after a kshaya
def test_purnimanta_months_derive_from_the_amanta_ones(year, when, shown, adhika):
    amant = tithiloom.lunar_months(year, "amant")
    purnimant = tithiloom.lunar_months(year, "purnimant")
    assert all(a.end == b.start for a, b in zip(purnimant, purnimant[1:]))
    assert next(m.name for m in purnimant if m.start <= when < m.end) == shown
    # An adhika month is the same lunation in both reckonings.
    assert [(m.name, m.start, m.end) for m in purnimant if m.is_adhik] == [
        (m.name, m.start, m.end) for m in amant if m.is_adhik] == (
        [] if adhika is None else [(adhika, *next((m.start, m.end) for m in amant
                                                   if m.is_adhik))])


def _named(text):
    return set(MONTH.findall(text))


@pytest.mark.parametrize("calendar", ["amant", "purnimant"])
def test_every_output_names_a_month_once_as_the_month_list_does(calendar, delhi, tmp_path):
    spans = tithiloom.lunar_months(2026, calendar, delhi)

    def month_at(when):
        m = next(m for m in spans if m.start <= when < m.end)
        return months.marked(m.name, m.is_adhik)

    records = [(e.smartha_sunrise, months.marked(e.lunar_month_name, e.is_adhik),
                cli._ekadashi_text(e) + e.reasoning)
               for e in tithiloom.ekadashis(2026, delhi, calendar=calendar)]
    records += [(v.sunrise, months.marked(v.lunar_month_name, v.is_adhik), v.name + v.reasoning)
                for v in tithiloom.vrats(2026, delhi, calendar=calendar)]
    for when, month, text in records:
        assert _named(text) == {month} == {month_at(when)}, text
    for f in tithiloom.festivals(2026, delhi, calendar=calendar):
        shown = months.marked(f.lunar_month_name, f.is_adhik_month)
        assert _named(f.reasoning) <= {shown}, f.reasoning
    parama = next(e for e in tithiloom.ekadashis(2026, delhi, calendar=calendar)
                  if e.name == "Parama")
    assert cli._ekadashi_text(parama).startswith("Parama Ekadashi (Krishna Adhika Jyeshtha)")
    timeline = tithiloom.shraddha_timeline(dt.date(2025, 9, 15), delhi, calendar=calendar)
    pitru = {"amant": "Bhadrapada", "purnimant": "Ashwin"}[calendar]
    assert {x.masa for x in timeline.pitru_paksha} == {pitru}

    assert cli.main(["vrat", "2026", "--calendar", calendar, "--ics",
                     str(tmp_path / "v.ics")]) == 0
    for e in icalendar.Calendar.from_ical((tmp_path / "v.ics").read_bytes()).walk("VEVENT"):
        assert _named(str(e["summary"])) == _named(str(e["description"])), e["summary"]


def test_no_reasoning_claims_a_sunrise_that_carries_another_tithi(delhi):
    texts = [f.reasoning for f in tithiloom.festivals(2026, delhi)]
    texts += [e.reasoning for e in tithiloom.ekadashis(2026, delhi)]
    for tithi, on in {(int(t), d) for text in texts for t, d in CLAIM.findall(text)}:
        assert tithiloom.day(dt.date.fromisoformat(on), delhi).tithi.number == tithi, on
    ugadi = next(t for t in texts if t.startswith("Chaitra Shukla Pratipada"))
    assert re.search(r"\(Tithi 1\) begins at 06:5\d, after sunrise \(06:2\d\) on 2026-03-19, "
                     r"and ends at \d\d:\d\d on 2026-03-20, before the next sunrise", ugadi)
