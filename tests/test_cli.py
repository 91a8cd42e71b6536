"""The command line: the default almanac, the subcommands, JSON, files written whole
or not at all, and exit status 2 without a traceback on bad input."""

import datetime as dt
import io
import json
import os
import subprocess
import sys
from contextlib import redirect_stderr, redirect_stdout
from unittest import mock

import icalendar
import pytest

from tithiloom import cli, export


def run(*args, env=None):
    """The command line, run in this process (as a program: the first test)."""
    out, err = io.StringIO(), io.StringIO()
    with mock.patch.dict(os.environ), redirect_stdout(out), redirect_stderr(err):
        os.environ.pop("TITHILOOM_PLACE", None)
        os.environ.update(env or {})
        try:
            status = cli.main(args)
        except SystemExit as refused:  # by the argument parser
            status = refused.code
    return subprocess.CompletedProcess(args, status, out.getvalue(), err.getvalue())


def test_no_arguments_prints_today_at_new_delhi():
    environ = {k: v for k, v in os.environ.items() if k != "TITHILOOM_PLACE"}
    done = subprocess.run([sys.executable, "-m", "tithiloom"], capture_output=True, text=True,
                          env=environ, timeout=300)
    assert done.returncode == 0, done.stderr
    today = dt.datetime.now(dt.timezone(dt.timedelta(hours=5.5))).strftime("%b")
    assert [label for label in ("New Delhi", "Asia/Kolkata", "Vara", "Tithi", "Nakshatra", "Yoga",
                                "Karana", "Sunrise", "Sunset", "Rahu Kalam", "Yama Gandam",
                                "Gulika Kalam", "Abhijit Muhurat", "Next 30 days", today)
            if label not in done.stdout] == []


def test_the_place_comes_from_the_environment_unless_given():
    assert "Leicester" in run(env={"TITHILOOM_PLACE": "leicester"}).stdout
    # An option before the subcommand is not undone by the subcommand's defaults.
    assert "Ujjain" in run("--place", "Ujjain", "day", env={"TITHILOOM_PLACE": "leicester"}).stdout


@pytest.mark.parametrize("tz, offset", [((), "-04:00"), (("--tz", "Asia/Tokyo"), "+09:00")])
def test_day_with_coordinates_keeps_the_zone_that_holds_them_unless_told(tz, offset):
    where = ("day", "2026-04-14", "--lat", "40.7128", "--lng", "-74.006", *tz)
    day = json.loads(run(*where, "--json").stdout)["day"]
    assert day["date"] == "2026-04-14" and day["sunrise"].endswith(offset)
    assert ("America/New_York)" in run(*where).stdout.splitlines()[0]) == (not tz)


@pytest.mark.parametrize("args, message", [
    (("--place", "Ujain"), "unknown place 'Ujain'; close matches: Ujjain"),
    (("day", "2026-02-30"), "impossible date '2026-02-30'"),
    (("month", "2026-13"), "not a month"),
    (("sankranti", "99999"), "year must lie"),
    (("--lat", "28.6"), "--lat and --lng go together"),
    (("--place", "London", "--lat", "10", "--lng", "10"), "--place and --lat/--lng name two"),
    (("lagna", "2026-03-08T02:30", "--place", "New York"), "does not exist in America/New_York"),
    (("lagna", "2026-11-01T01:30", "--place", "New York"), "happens twice"),
    (("lagna", "2026-04-14T06:00", "--system", "K"), "unknown house system"),
    (("places", "Atlantis"), "no place matches"),
    (("sankranti", "1"), "year must lie in 2-3000"),
    (("day", "0001-01-01"), "date 0001-01-01 lies outside 0002-01-01 to 3000-12-31"),
    (("day", "--bogus"), "unrecognized arguments: --bogus"),
    (("festivals", "2026", "--rules-only"), "--rules-only needs a --rules FILE"),
    (("festivals", "2026", "--ics", ""), "an empty file name"),
    (("month", "2026-02", "--html", "/nonexistent/x.html"), "/nonexistent/x.html: No such file"),
])
def test_bad_input_exits_2_with_one_message(args, message):
    done = run(*args)
    assert done.returncode == 2
    assert message in done.stderr and done.stderr.count("\n") == 1  # no usage, no traceback


def test_month_grid_has_every_day_with_tithi_and_nakshatra():
    done = run("month", "2026-02", "--place", "Chennai")
    assert done.returncode == 0, done.stderr
    lines = done.stdout.splitlines()
    assert lines[0].startswith("February 2026 — Chennai")
    numbers = {int(t) for line in lines for t in line.split() if t.isdigit() and len(t) <= 2}
    assert sorted(numbers) == list(range(1, 29))
    assert any(("S " in line or "K " in line) for line in lines)


def test_month_html_is_written_whole_and_only_on_success(tmp_path):
    page = tmp_path / "feb.html"
    assert run("month", "2026-02", "--html", str(page)).returncode == 0
    text = page.read_text(encoding="utf-8")
    assert text.count('class="day') == 28 and "<script" not in text
    failed = tmp_path / "bad.html"
    assert run("month", "2026-02", "--html", str(failed), "--place", "Atlantis").returncode == 2
    assert not failed.exists()
    assert sorted(p.name for p in tmp_path.iterdir()) == ["feb.html"]  # no temporary left


def test_a_file_is_written_through_a_link_and_under_the_longest_name(tmp_path):
    (tmp_path / "real.ics").write_text("old")
    (tmp_path / "link.ics").symlink_to("real.ics")
    export.write_atomic(tmp_path / "link.ics", "new")
    assert (tmp_path / "link.ics").is_symlink() and (tmp_path / "real.ics").read_text() == "new"
    longest = tmp_path / ("a" * 251 + ".ics")
    export.write_atomic(longest, "x")
    assert longest.read_text() == "x" and len(list(tmp_path.iterdir())) == 3


@pytest.mark.parametrize("command", ["sankranti 2026", "muhurat 2026-04-14",
                                     "choghadiya 2026-04-14", "lagna 2026-04-14T06:30",
                                     "lagna 2026-04-14T06:30 --windows", "places india"])
def test_subcommands_print_json(command):
    done = run(*command.split(), "--json")
    assert done.returncode == 0, done.stderr
    assert json.loads(done.stdout)


def test_sankranti_text_uses_the_place_clock():
    out = run("sankranti", "2026", "--place", "Los Angeles").stdout
    assert "Mesha Sankranti" in out and "Mon 13 Apr 2026 21:00 PDT" in out


def test_the_year_calendar_holds_each_listed_observance_under_its_own_uid(tmp_path):
    # The same events whether the listing is printed as text or as JSON.
    out = run("year", "2026", "--ics", str(tmp_path / "y.ics")).stdout
    assert run("year", "2026", "--ics", str(tmp_path / "j.ics"), "--json").returncode == 0
    a, b = ({str(e["UID"]): e for e in icalendar.Calendar.from_ical(
        (tmp_path / name).read_bytes()).walk("VEVENT")} for name in ("y.ics", "j.ics"))
    assert a.keys() == b.keys()
    assert len(a) == sum(line.startswith("  ") for line in out.splitlines())
    assert "vrat-pradosh-vrat-pausha-shukla-1-2026-new-delhi@tithiloom" in a
    diwali = a["festival-diwali-2026-new-delhi@tithiloom"]
    assert "pradosha" in str(diwali["description"])
    assert type(diwali["dtstart"].dt) is dt.date  # an all-day event
    assert diwali["dtend"].dt - diwali["dtstart"].dt == dt.timedelta(days=1)


def test_a_rule_file_adds_to_the_shipped_festivals_unless_only_it_is_asked(tmp_path):
    rules = tmp_path / "rules.yaml"
    rules.write_text("- {id: mine, name: My Chaturthi, rule: tithi_at_sunrise, lunar_month: 6, "
                     "tithi: 4}\n- {id: diwali, name: My Diwali, rule: tithi_at_sunrise, "
                     "lunar_month: 7, tithi: 30}\n")
    def names(*extra):
        out = run("festivals", "2026", "--rules", str(rules), *extra, "--json").stdout
        return [f["name"] for f in json.loads(out)]
    added = names()
    assert {"My Chaturthi", "My Diwali", "Holi"} <= set(added) and "Diwali" not in added
    assert sorted(names("--rules-only")) == ["My Chaturthi", "My Diwali"]


@pytest.mark.parametrize("command, lost", [("festivals", "Ganga Dussehra"),
                                           ("ekadashi", "Nirjala Ekadashi"),
                                           ("vrat", "Pradosh Vrat (Jyeshtha)")])
def test_observances_lost_to_the_polar_day_or_night_are_named_once(tmp_path, command, lost):
    done = run(command, "2026", "--place", "Tromsø", "--ics", str(tmp_path / "t.ics"))
    assert done.stdout.count("Not listed") == 1 and lost in done.stdout.split("Not listed")[1]
    assert "-tromso@tithiloom" in (tmp_path / "t.ics").read_text()  # accents folded in UIDs
    assert "Not listed" not in run(command, "2026", "--place", "Sydney").stdout


def test_a_malformed_rule_file_writes_no_calendar(tmp_path):
    rules = tmp_path / "rules.yaml"
    rules.write_text("- {id: x, name: X, rule: tithi_at_sunrise, lunar_month: 1}\n")
    out = tmp_path / "out.ics"
    done = run("festivals", "2026", "--rules", str(rules), "--ics", str(out))
    assert done.returncode == 2 and "Traceback" not in done.stderr
    assert "rules.yaml: entry 1 (x): key 'tithi': missing" in done.stderr
    assert not out.exists()


def test_the_next_30_days_carry_the_reasoning_of_festivals_and_ekadashis():
    out = run("--date", "2026-11-15").stdout
    assert "Fri 20 Nov  Prabodhini Ekadashi (Shukla Kartik); Vaishnava fast Sat 21 Nov\n" in out
    assert "Arunodaya" in out and "Sun 22 Nov  Pradosh Vrat (Kartik)" in out
    out = run("--date", "2026-04-14").stdout
    assert out == run("day", "2026-04-14").stdout
    assert "Tue 14 Apr  Vaisakhi\n" in out
    assert "Sun enters Mesha (sidereal 0.0\u00b0) on 2026-04-14 at " in out


def test_the_convention_is_chosen_on_the_command_line():
    def sunrise(*extra):
        return json.loads(run("day", "2026-03-20", "--json", *extra).stdout)["day"]["sunrise"]
    assert sunrise() < sunrise("--convention", "core") == sunrise("--convention=core")
    assert run("day", "--convention", "printed").returncode == 2


def test_on_a_terminal_long_lines_wrap_under_their_own_indent():
    from tithiloom.cli import fit
    text = "  Tue 13 Jan  Lohri\n      " + "Sun enters Makara " * 8
    lines = fit(text, 40).split("\n")
    assert lines[0] == "  Tue 13 Jan  Lohri" and len(lines) == 6
    assert all(len(line) <= 40 and line.startswith("      ") and line[6] != " "
               for line in lines[1:])
    assert fit(text, None) == text  # a pipe gets the lines whole


def test_festivals_find_a_name_over_years():
    done = run("festivals", "--find", "diwali", "--years", "2026-2035")
    lines = [line for line in done.stdout.splitlines() if "Diwali (Lakshmi Puja)" in line]
    assert len(lines) == 10 and lines[0] == "  Sun  8 Nov 2026  Diwali (Lakshmi Puja)"
    assert lines[-1].endswith("2035  Diwali (Lakshmi Puja)")
    done = run("festivals", "--find", "diwaly")
    assert done.returncode == 2 and "close matches: " in done.stderr
    assert "Diwali (Lakshmi Puja)" in done.stderr.split("close matches: ")[1]
