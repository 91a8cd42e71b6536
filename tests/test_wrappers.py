"""The wrappers of the observance functions, against stand-ins that return the
documented dict shapes: keys read, times in the place's zone, and, in a zone with
daylight saving, each result taken from the run with its own date's offset."""

import datetime as dt
import json

import pytest

import tithiloom
from tithiloom import _core, cli, rules, zones

EST, EDT = -5 * 3600, -4 * 3600


def jd(day, hour_utc):
    when = dt.datetime.combine(day, dt.time(hour_utc), dt.timezone.utc)
    return zones.to_jd(when)


def ekadashis(defs, year, lat, lng, alt, off):
    # Each run dates the summer Ekadashi one day later than the other run does.
    day = dt.date(year, 7, 10 if off == EDT else 11)
    return [{"name": "Kamika", "lunar_month": 4, "lunar_month_name": "Ashadha",
             "is_adhik": False, "paksha": "Krishna", "smartha_year": day.year,
             "smartha_month": day.month, "smartha_day": day.day,
             "smartha_sunrise_jd": jd(day, 9), "vaishnava_year": day.year,
             "vaishnava_month": day.month, "vaishnava_day": day.day + 1,
             "vaishnava_sunrise_jd": jd(day, 9) + 1, "reasoning": f"run {off}"}]


def vrats(year, lat, lng, alt, off):
    day = dt.date(year, 1, 20 if off == EST else 21)
    return [{"vrat_type": "Amavasya", "name": "Amavasya (Pausha)", "year": day.year,
             "month": day.month, "day": day.day, "sunrise_jd": jd(day, 12),
             "lunar_month_name": "Pausha", "paksha": "Krishna"}]


def shraddha(y, m, d, target, lat, lng, alt, off):
    day = dt.date(target, 8, 3 if off == EDT else 4)
    return {"reasoning": f"run {off}", "lunar_month_name": "Shravana", "sunrise_jd": jd(day, 10),
            "tithi": 20, "lunar_month": 5, "year": day.year, "month": day.month,
            "day": day.day}


def timeline(y, m, d, lat, lng, alt, off, monthly, annual, pitru):
    def entry(day):
        return {"date": day.isoformat(), "tithi_name": "Krishna Panchami", "tithi_number": 20,
                "paksha": "Krishna", "nakshatra_name": "Revati", "masa": "Shravana",
                "vara": "Monday"}
    return {"death_date": f"{y}-{m:02d}-{d:02d}", "death_tithi": "Krishna Panchami",
            "death_tithi_number": 20, "death_paksha": "Krishna", "death_nakshatra": "Revati",
            "death_masa": "Shravana", "teesra": "2025-08-06", "dashamam": "2025-08-13",
            "terahvin": "2025-08-16",
            "monthly_shraddhas": [entry(dt.date(2025, 9, 2 if off == EDT else 3))][:monthly],
            "annual_shraddhas": [entry(dt.date(2026, 1, 5 if off == EST else 6))][:annual],
            "pitru_paksha_dates": [][:pitru]}


NAMES = [{"month": m, "shukla_name": f"S{m}", "krishna_name": f"K{m}"} for m in range(1, 13)]


@pytest.fixture
def stand_ins(monkeypatch):
    for name, fn in (("py_compute_ekadashis", ekadashis), ("py_compute_vrat_dates", vrats),
                     ("py_compute_shraddha", shraddha),
                     ("py_compute_shraddha_timeline", timeline)):
        monkeypatch.setattr(_core, name, fn, raising=False)
    monkeypatch.setattr(rules, "ekadashi_rules", lambda source=None: NAMES)


def test_each_observance_comes_from_the_run_of_its_own_offset(stand_ins, new_york):
    [e] = tithiloom.ekadashis(2026, new_york, rules=NAMES)
    assert (e.smartha_date, e.reasoning) == (dt.date(2026, 7, 10), f"run {EDT}")
    assert e.smartha_sunrise.tzinfo == new_york.zone and e.smartha_sunrise.hour == 5
    [v] = tithiloom.vrats(2026, new_york)
    assert (v.date, v.type, v.sunrise.hour) == (dt.date(2026, 1, 20), "Amavasya", 7)
    s = tithiloom.shraddha(dt.date(2025, 7, 20), 2026, new_york)
    assert (s.date, s.reasoning) == (dt.date(2026, 8, 3), f"run {EDT}")
    t = tithiloom.shraddha_timeline(dt.date(2025, 8, 4), new_york, monthly=1, annual_years=1)
    assert [x.date for x in t.monthly + t.annual] == [dt.date(2025, 9, 2), dt.date(2026, 1, 5)]
    assert t.terahvin == dt.date(2025, 8, 16) and json.dumps(t.to_dict())


def test_the_command_line_lists_and_exports_them(stand_ins, tmp_path, capsys):
    ics = tmp_path / "e.ics"
    assert cli.main(["ekadashi", "2026", "--place", "New York", "--ics", str(ics)]) == 0
    assert "Kamika Ekadashi (Krishna Shravana); Vaishnava fast Sat 11 Jul" in capsys.readouterr().out
    assert b"UID:ekadashi-4-krishna-2026-new-york@tithiloom" in ics.read_bytes()
    assert cli.main(["shraddha", "2025-08-04", "--timeline", "--place", "New York"]) == 0
    assert "13th day 2025-08-16" in capsys.readouterr().out
    assert cli.main(["vrat", "2026", "--place", "New York", "--json"]) == 0
    assert json.loads(capsys.readouterr().out)[0]["type"] == "Amavasya"


@pytest.mark.parametrize("amanta, paksha, adhik, calendar, shown", [
    ("Ashadha", "Krishna", False, "purnimant", "Shravana"),
    ("Phalguna", "Krishna", False, "purnimant", "Chaitra"),
    ("Phalguna", "Shukla", False, "purnimant", "Phalguna"),
    ("Phalguna", "Krishna", False, "amant", "Phalguna"),
    ("Jyeshtha", "Krishna", True, "purnimant", "Adhika Ashadha"),
])
def test_month_names_follow_the_chosen_reckoning(amanta, paksha, adhik, calendar, shown):
    assert cli.month_label(amanta, paksha, adhik, calendar) == shown
