"""The command-line almanac: ``tithiloom`` and ``python -m tithiloom``.

With no arguments it prints today's almanac at the default place (``--place``,
else the ``TITHILOOM_PLACE`` environment variable, else New Delhi) and the
observances of the next 30 days.  Bad input ends with a one-line message and
exit status 2; files are written only when the whole computation succeeded.
"""

from __future__ import annotations

import argparse
import calendar as cal
import dataclasses
import datetime as dt
import json
import os
import sys
import time
from collections.abc import Callable, Iterable, Sequence
from typing import Any, TextIO

from tithiloom import api, export
from tithiloom.errors import TithiloomError
from tithiloom.places import DEFAULT_PLACE, Place, lookup, search
from tithiloom.results import Day, Ekadashi, Festival, Record, Vrat, Window

UPCOMING_DAYS = 30


class Progress:
    """Step labels on stderr, only when stderr is a terminal and the work has taken
    more than a second (quick commands stay quiet)."""

    def __init__(self, stream: TextIO = sys.stderr) -> None:
        self.stream, self.started, self.shown = stream, time.monotonic(), False

    def step(self, label: str) -> None:
        if self.stream.isatty() and time.monotonic() - self.started > 1.0:
            self.stream.write(f"\r\033[K… {label}")
            self.stream.flush()
            self.shown = True

    def done(self) -> None:
        if self.shown:
            self.stream.write("\r\033[K")
            self.stream.flush()


# ---------------------------------------------------------------- arguments

def _date_arg(text: str) -> dt.date:
    try:
        return dt.date.fromisoformat(text)
    except ValueError as e:
        raise argparse.ArgumentTypeError(f"impossible date {text!r} ({e}); use YYYY-MM-DD")


def _year_arg(text: str) -> int:
    try:
        year = int(text)
    except ValueError:
        raise argparse.ArgumentTypeError(f"not a year: {text!r}")
    if not api.FIRST_YEAR <= year <= api.LAST_YEAR:
        raise argparse.ArgumentTypeError(f"year must lie in {api.FIRST_YEAR}-{api.LAST_YEAR}")
    return year


def _month_arg(text: str) -> tuple[int, int]:
    try:
        year, month = (int(p) for p in text.split("-"))
        dt.date(year, month, 1)
    except ValueError:
        raise argparse.ArgumentTypeError(f"not a month: {text!r}; use YYYY-MM")
    return year, month


def _datetime_arg(text: str) -> dt.datetime:
    try:
        return dt.datetime.fromisoformat(text)
    except ValueError:
        raise argparse.ArgumentTypeError(f"not a date and time: {text!r}; use YYYY-MM-DDTHH:MM "
                                         f"(local time) or add an offset such as +05:30")


def _common() -> argparse.ArgumentParser:
    # Defaults are SUPPRESS so that an option given before the subcommand is not
    # overwritten by the subcommand's own default.
    p = argparse.ArgumentParser(add_help=False)
    s = argparse.SUPPRESS
    g = p.add_argument_group("place and output")
    g.add_argument("--place", default=s, help="a gazetteer place (default: $TITHILOOM_PLACE, "
                                              f"else {DEFAULT_PLACE})")
    g.add_argument("--lat", type=float, default=s, help="latitude, degrees north")
    g.add_argument("--lng", type=float, default=s, help="longitude, degrees east")
    g.add_argument("--alt", type=float, default=s, help="altitude, metres")
    g.add_argument("--tz", default=s, help="IANA time zone, e.g. America/New_York (with "
                                           "--lat/--lng the default is UTC)")
    g.add_argument("--calendar", choices=("amant", "purnimant"), default=s,
                   help="month naming (default purnimant)")
    g.add_argument("--rules", default=s, metavar="FILE", help="festival rules YAML file")
    g.add_argument("--json", action="store_true", default=s, help="print JSON")
    return p


def parser() -> argparse.ArgumentParser:
    """The argument parser (subcommands and shared options)."""
    common = _common()
    top = argparse.ArgumentParser(
        prog="tithiloom", parents=[common],
        description="Hindu almanac (panchang). With no command: today's almanac and the "
                    "observances of the next 30 days.")
    top.add_argument("--date", dest="top_date", type=_date_arg, metavar="YYYY-MM-DD",
                     help="the day to show instead of today (same as: day YYYY-MM-DD)")
    sub = top.add_subparsers(dest="command", metavar="COMMAND")

    def cmd(name: str, text: str) -> argparse.ArgumentParser:
        return sub.add_parser(name, parents=[common], help=text, description=text)

    cmd("day", "the almanac of a day").add_argument("date", nargs="?", type=_date_arg)
    m = cmd("month", "a month's grid with tithi, nakshatra, festivals and Ekadashis")
    m.add_argument("month", nargs="?", type=_month_arg, metavar="YYYY-MM")
    m.add_argument("--html", metavar="FILE", help="also write a printable page")
    for name, text in (("year", "all observances of a year"),
                       ("festivals", "the festivals of a year, with reasoning"),
                       ("ekadashi", "the Ekadashis of a year (Smartha and Vaishnava days)"),
                       ("vrat", "the vrat (fast) days of a year")):
        c = cmd(name, text)
        c.add_argument("year", nargs="?", type=_year_arg)
        c.add_argument("--ics", metavar="FILE", help="write an iCalendar file")
    cmd("sankranti", "the solar ingresses of a year").add_argument("year", nargs="?",
                                                                   type=_year_arg)
    cmd("muhurat", "Rahu Kalam, Yama Gandam, Gulika Kalam, Abhijit").add_argument(
        "date", nargs="?", type=_date_arg)
    cmd("choghadiya", "the sixteen Choghadiya periods of a day").add_argument(
        "date", nargs="?", type=_date_arg)
    lg = cmd("lagna", "the rising sign and house cusps at a moment (default: now)")
    lg.add_argument("when", nargs="?", type=_datetime_arg, metavar="YYYY-MM-DDTHH:MM")
    lg.add_argument("--system", default="P", help="P (Placidus), W, E or O")
    lg.add_argument("--windows", action="store_true", help="the rising windows of the day")
    sh = cmd("shraddha", "the death anniversary (shraddha) day, or the whole timeline")
    sh.add_argument("death_date", type=_date_arg, metavar="DEATH_DATE")
    sh.add_argument("--year", type=_year_arg, help="year of the anniversary (default: this year)")
    sh.add_argument("--timeline", action="store_true", help="all rites after the death")
    cmd("places", "list the built-in places").add_argument("query", nargs="?", default="")
    return top


def resolve_place(a: argparse.Namespace) -> Place:
    """The place the options name (coordinates, a gazetteer name, or the default)."""
    lat, lng = getattr(a, "lat", None), getattr(a, "lng", None)
    tz, alt = getattr(a, "tz", None), getattr(a, "alt", None)
    if lat is not None or lng is not None:
        if lat is None or lng is None:
            raise TithiloomError("--lat and --lng go together")
        name = getattr(a, "place", None) or f"{lat:g}, {lng:g}"
        return Place(name, lat, lng, alt or 0.0, tz or "UTC")
    place = lookup(getattr(a, "place", None) or os.environ.get("TITHILOOM_PLACE")
                   or DEFAULT_PLACE)
    if tz is not None or alt is not None:
        place = dataclasses.replace(place, timezone=tz or place.timezone,
                                    altitude_m=place.altitude_m if alt is None else alt)
    return place


# ---------------------------------------------------------------- formatting

def hm(when: dt.datetime | None, on: dt.date | None = None) -> str:
    """HH:MM, with the day and month when the instant is not on ``on``."""
    if when is None:
        return "--:--"
    if on is not None and when.date() != on:
        return f"{when.day:2d} {cal.month_abbr[when.month]} {when:%H:%M}"
    return f"{when:%H:%M}"


def dmy(d: dt.date) -> str:
    return f"{cal.day_abbr[d.weekday()]} {d.day:2d} {cal.month_abbr[d.month]} {d.year}"


def window_line(w: Window, on: dt.date, width: int = 16) -> str:
    return f"  {w.name:<{width}}{hm(w.start, on)} – {hm(w.end, on)}"


def print_day(d: Day, place: Place, out: TextIO) -> None:
    on = d.date
    hours, minutes = divmod(round(d.day_length_hours * 60), 60)
    print(f"{dmy(on)} — {place.label()}", file=out)
    print(f"  {'Vara':<11}{d.vara.name} ({d.vara.english})", file=out)
    rows = [("Tithi", d.tithi.name, d.tithi.start, d.tithi.end),
            ("Nakshatra", f"{d.nakshatra.name} (pada {d.nakshatra.pada}, {d.nakshatra.lord})",
             d.nakshatra.start, d.nakshatra.end),
            ("Yoga", d.yoga.name, d.yoga.start, d.yoga.end),
            ("Karana", d.karana.name, d.karana.start, d.karana.end)]
    for label, name, start, end in rows:
        print(f"  {label:<11}{name:<34}{hm(start, on)} → {hm(end, on)}", file=out)
    print(f"  {'Sunrise':<11}{hm(d.sunrise, on)}   Sunset {hm(d.sunset, on)}   "
          f"Day length {hours} h {minutes:02d} min   ({d.sunrise:%Z}, UTC{d.sunrise:%z})",
          file=out)
    for w in d.muhurat.windows():
        print(window_line(w, on, 17), file=out)


Upcoming = tuple[dt.date, str, str]  # date, what, why


def _upcoming(a: argparse.Namespace, place: Place, start: dt.date, count: int,
              progress: Progress) -> tuple[list[Upcoming], list[str]]:
    """The festivals, Ekadashis and vrats from ``start`` for ``count`` days (with the
    reasoning of each festival and Ekadashi), and the kinds this build cannot compute."""
    span = (start, start + dt.timedelta(days=count - 1))
    years = range(span[0].year, span[1].year + 1)
    rules, calendar = getattr(a, "rules", None), getattr(a, "calendar", "purnimant")
    fetchers: list[tuple[str, Callable[[], list[Upcoming]]]] = [
        ("festivals", lambda: [(f.date, f.name, f.reasoning) for y in years
                               for f in api.festivals(y, place, rules, calendar, span)]),
        ("Ekadashis", lambda: [(e.smartha_date, _ekadashi_text(e, calendar), e.reasoning)
                               for y in years
                               for e in api.ekadashis(y, place, between=span)]),
        ("vrats", lambda: [(v.date, _vrat_text(v, calendar), "") for y in years
                           for v in api.vrats(y, place, span)])]
    found: list[tuple[int, Upcoming]] = []
    missing: list[str] = []
    for rank, (kind, fetch) in enumerate(fetchers):
        progress.step(kind)
        found += [(rank, item) for item in _optional(fetch, kind, missing)]
    found.sort(key=lambda f: (f[1][0], f[0]))
    return [item for _, item in found], missing


def _optional(fetch: Callable[[], list[Any]], kind: str, missing: list[str]) -> list[Any]:
    """The results of ``fetch``, or none (noting ``kind``) when this build lacks them."""
    try:
        return fetch()
    except TithiloomError as e:
        if "not available" not in str(e):
            raise
        missing.append(kind)
        return []


MONTHS = ("Chaitra", "Vaishakha", "Jyeshtha", "Ashadha", "Shravana", "Bhadrapada", "Ashwin",
          "Kartik", "Margashirsha", "Pausha", "Magha", "Phalguna")


def month_label(amanta: str, paksha: str, adhik: bool, calendar: str) -> str:
    """A lunar month's name in the chosen reckoning: purnimanta almanacs name a dark
    half after the month that follows it in amanta reckoning."""
    name = amanta
    if calendar == "purnimant" and paksha == "Krishna" and amanta in MONTHS:
        name = MONTHS[(MONTHS.index(amanta) + 1) % 12]
    return f"Adhika {name}" if adhik else name


def _calendar_of(a: argparse.Namespace) -> str:
    return str(getattr(a, "calendar", "purnimant"))


def _vrat_text(v: Vrat, calendar: str) -> str:
    adhik = "(Adhika " in v.name
    return f"{v.type} ({month_label(v.lunar_month_name, v.paksha, adhik, calendar)})"


def _ekadashi_text(e: Ekadashi, calendar: str = "purnimant") -> str:
    month = month_label(e.lunar_month_name, e.paksha, e.is_adhik, calendar)
    text = f"{e.name} Ekadashi ({e.paksha} {month})"
    if e.vaishnava_date != e.smartha_date:
        text += f"; Vaishnava fast {dmy(e.vaishnava_date)[:-5]}"
    return text


def _jsonable(value: Any) -> Any:
    if isinstance(value, Record):
        return value.to_dict()
    if isinstance(value, dict):
        return {k: _jsonable(v) for k, v in value.items()}
    if isinstance(value, (list, tuple)):
        return [_jsonable(v) for v in value]
    return value


def dump(data: Any, out: TextIO) -> None:
    """Records (or lists and dicts of them) as JSON."""
    json.dump(_jsonable(data), out, ensure_ascii=False, indent=2)
    out.write("\n")


# ---------------------------------------------------------------- commands

def cmd_today(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    today = (getattr(a, "date", None) or getattr(a, "top_date", None)
             or dt.datetime.now(place.zone).date())
    d = api.day(today, place)
    progress = Progress()
    upcoming, missing = _upcoming(a, place, today, UPCOMING_DAYS, progress)
    progress.done()
    if getattr(a, "json", False):
        dump({"day": d, "upcoming": [{"date": x.isoformat(), "observance": t, "reasoning": r}
                                     for x, t, r in upcoming]}, out)
        return
    print_day(d, place, out)
    print(f"\nNext {UPCOMING_DAYS} days: festivals, Ekadashis and vrats", file=out)
    for when, text, why in upcoming:
        print(f"  {dmy(when)[:-5]}  {text}", file=out)
        if why:
            print(f"              {why}", file=out)
    if not upcoming and len(missing) < 3:
        print("  (none)", file=out)
    if missing:
        kinds = ", ".join(missing[:-1]) + (" and " if len(missing) > 1 else "") + missing[-1]
        print(f"  ({kinds} are not available in this build)", file=out)


def cmd_day(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    cmd_today(a, place, out)


def _marks(year: int, month: int, place: Place,
           a: argparse.Namespace) -> dict[dt.date, list[tuple[str, str]]]:
    """Festivals ("fest") and Ekadashis ("eka") of the month, by date."""
    span = (dt.date(year, month, 1), dt.date(year, month, cal.monthrange(year, month)[1]))
    rules, calendar = getattr(a, "rules", None), getattr(a, "calendar", "purnimant")
    found = [("fest", f.date, f.name) for f in _optional(
        lambda: api.festivals(year, place, rules, calendar, span), "festivals", [])]
    found += [("eka", e.smartha_date, f"{e.name} Ekadashi") for e in _optional(
        lambda: api.ekadashis(year, place, between=span), "Ekadashis", [])]
    marks: dict[dt.date, list[tuple[str, str]]] = {}
    for css, d, text in found:
        marks.setdefault(d, []).append((css, text))
    return marks


def month_grid(year: int, month: int, days: Sequence[Day],
               marks: dict[dt.date, list[tuple[str, str]]], width: int = 13) -> list[str]:
    """The text grid: each cell holds the day, its tithi and nakshatra at sunrise;
    ``*`` marks a festival and ``E`` an Ekadashi."""
    by_date = {d.date: d for d in days}

    def short_name(name: str) -> str:
        return name.replace("Purva ", "P. ").replace("Uttara ", "U. ")

    def short_tithi(d: Day) -> str:
        return ("S " if d.tithi.paksha == "Shukla" else "K ") + d.tithi.name.split(" ", 1)[1]

    lines = [" ".join(f"{n:<{width}}" for n in ("Sun", "Mon", "Tue", "Wed", "Thu", "Fri",
                                                   "Sat")).rstrip()]
    for week in cal.Calendar(firstweekday=6).monthdatescalendar(year, month):
        rows: list[list[str]] = [[], [], []]
        for d in week:
            info = by_date.get(d)
            if d.month != month:
                cells = ["", "", ""]
            else:
                flags = "".join(sorted({"*" if css == "fest" else "E"
                                        for css, _ in marks.get(d, [])}))
                cells = [f"{d.day:2d} {flags}",
                         short_tithi(info)[:width] if info else "",
                         short_name(info.nakshatra.name)[:width] if info else ""]
            for row, cell in zip(rows, cells):
                row.append(f"{cell:<{width}}")
        lines.append("-" * (7 * (width + 1) - 1))
        lines += [" ".join(r).rstrip() for r in rows]
    return lines


def cmd_month(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    year, month = a.month or (lambda t: (t.year, t.month))(dt.datetime.now(place.zone).date())
    first = dt.date(year, month, 1)
    last = dt.date(year, month, cal.monthrange(year, month)[1])
    progress = Progress()
    progress.step("days")
    days = api.days(first, last, place)
    progress.step("festivals and Ekadashis")
    marks = _marks(year, month, place, a)
    progress.done()
    if a.html:
        export.write_atomic(a.html, export.month_html(year, month, place, days, marks))
    if getattr(a, "json", False):
        dump({"days": days, "marks": [{"date": d.isoformat(), "kind": k, "text": t}
                                      for d in sorted(marks) for k, t in marks[d]]}, out)
        return
    print(f"{cal.month_name[month]} {year} — {place.label()}", file=out)
    print("Tithi (S = Shukla, K = Krishna) and nakshatra at sunrise; * festival, E Ekadashi",
          file=out)
    for line in month_grid(year, month, days, marks):
        print(line, file=out)
    if marks:
        print(file=out)
    for d in sorted(marks):
        for _, text in marks[d]:
            print(f"  {dmy(d)[:-5]}  {text}", file=out)
    if a.html:
        print(f"\nwrote {a.html}", file=out)


def _festival_events(fs: Sequence[Festival], year: int) -> list[export.Event]:
    return [export.Event(f"festival-{export.slug(f.id)}-{year}", f.date, f.name,
                         f.reasoning + (f"\n\n{f.description}" if f.description else ""),
                         "Festival") for f in fs]


def _ekadashi_events(es: Sequence[Ekadashi], year: int) -> list[export.Event]:
    return [export.Event(f"ekadashi-{e.lunar_month}-{'adhika-' if e.is_adhik else ''}"
                         f"{e.paksha.lower()}-{year}", e.smartha_date,
                         f"{e.name} Ekadashi", e.reasoning
                         + (f"\nVaishnava fast: {e.vaishnava_date.isoformat()}."
                            if e.vaishnava_date != e.smartha_date else ""), "Ekadashi")
            for e in es]


def _vrat_events(vs: Sequence[Vrat], year: int, calendar: str) -> list[export.Event]:
    seen: dict[str, int] = {}
    events = []
    for v in vs:
        base = export.slug(f"{v.name}-{v.paksha}")
        seen[base] = seen.get(base, 0) + 1  # a month name can occur twice in a year
        events.append(export.Event(f"vrat-{base}-{seen[base]}-{year}", v.date,
                                   _vrat_text(v, calendar),
                                   f"{v.name}: {v.paksha} paksha, amanta lunar month "
                                   f"{v.lunar_month_name}; the tithi prevails at sunrise "
                                   f"({hm(v.sunrise)}).", "Vrat"))
    return events


def _year_of(a: argparse.Namespace, place: Place) -> int:
    return a.year or dt.datetime.now(place.zone).year


def cmd_festivals(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    year = _year_of(a, place)
    fs = api.festivals(year, place, getattr(a, "rules", None),
                       getattr(a, "calendar", "purnimant"))
    if a.ics:
        export.write_atomic(a.ics, export.ics(_festival_events(fs, year), place,
                                              f"Festivals {year} — {place.name}"))
    if getattr(a, "json", False):
        return dump(fs, out)
    print(f"Festivals {year} — {place.label()}", file=out)
    for f in fs:
        print(f"  {dmy(f.date)[:-5]}  {f.name}\n      {f.reasoning}", file=out)
        if f.alternate is not None:
            print(f"      Alternate ({f.alternate.priority}): {dmy(f.alternate.date)}",
                  file=out)


def cmd_ekadashi(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    year = _year_of(a, place)
    es = api.ekadashis(year, place)
    if a.ics:
        export.write_atomic(a.ics, export.ics(_ekadashi_events(es, year), place,
                                              f"Ekadashis {year} — {place.name}"))
    if getattr(a, "json", False):
        return dump(es, out)
    print(f"Ekadashis {year} — {place.label()}", file=out)
    for e in es:
        print(f"  {dmy(e.smartha_date)[:-5]}  {_ekadashi_text(e, _calendar_of(a))}\n"
              f"      {e.reasoning}",
              file=out)


def cmd_vrat(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    year = _year_of(a, place)
    vs = api.vrats(year, place)
    if a.ics:
        export.write_atomic(a.ics, export.ics(_vrat_events(vs, year, _calendar_of(a)), place,
                                              f"Vrats {year} — {place.name}"))
    if getattr(a, "json", False):
        return dump(vs, out)
    print(f"Vrats {year} — {place.label()}", file=out)
    for v in vs:
        print(f"  {dmy(v.date)[:-5]}  {_vrat_text(v, _calendar_of(a)):<36} sunrise "
              f"{hm(v.sunrise)}", file=out)


def cmd_year(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    year = _year_of(a, place)
    progress = Progress()
    missing: list[str] = []
    progress.step("festivals")
    fs: list[Festival] = _optional(lambda: api.festivals(
        year, place, getattr(a, "rules", None), getattr(a, "calendar", "purnimant")),
        "festivals", missing)
    progress.step("Ekadashis")
    es: list[Ekadashi] = _optional(lambda: api.ekadashis(year, place), "Ekadashis", missing)
    progress.step("vrats")
    vs: list[Vrat] = _optional(lambda: api.vrats(year, place), "vrats", missing)
    progress.done()
    if len(missing) == 3:
        raise TithiloomError("festivals, Ekadashis and vrats are not available in this build")
    if a.ics:
        events = (_festival_events(fs, year) + _ekadashi_events(es, year)
                  + _vrat_events(vs, year, _calendar_of(a)))
        events.sort(key=lambda e: e.date)
        export.write_atomic(a.ics, export.ics(events, place, f"Almanac {year} — {place.name}"))
    if getattr(a, "json", False):
        return dump({"festivals": fs, "ekadashis": es, "vrats": vs}, out)
    rows = sorted([(f.date, 0, f.name) for f in fs]
                  + [(e.smartha_date, 1, _ekadashi_text(e, _calendar_of(a))) for e in es]
                  + [(v.date, 2, _vrat_text(v, _calendar_of(a))) for v in vs])
    print(f"Observances {year} — {place.label()}", file=out)
    month = 0
    for d, _, text in rows:
        if d.month != month:
            month = d.month
            print(f"\n{cal.month_name[month]}", file=out)
        print(f"  {dmy(d)[:-5]}  {text}", file=out)
    if missing:
        print(f"\n({', '.join(missing)}: not available in this build)", file=out)
    if a.ics:
        print(f"\nwrote {a.ics}", file=out)


def cmd_sankranti(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    ss = api.sankrantis(_year_of(a, place), place)
    if getattr(a, "json", False):
        return dump(ss, out)
    print(f"Sankrantis {_year_of(a, place)} — {place.label()}", file=out)
    for s in ss:
        print(f"  {s.instant:%a %d %b %Y %H:%M %Z}  {s.name:<20} Sun enters {s.rashi} "
              f"({s.target_longitude:g}°)", file=out)


def cmd_muhurat(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    d = a.date or dt.datetime.now(place.zone).date()
    m = api.muhurat(d, place)
    if getattr(a, "json", False):
        return dump(m, out)
    print(f"Muhurat {dmy(d)} — {place.label()}", file=out)
    for w in m.windows():
        print(window_line(w, d, 17) + ("  auspicious" if w.auspicious else ""), file=out)


def cmd_choghadiya(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    d = a.date or dt.datetime.now(place.zone).date()
    c = api.choghadiya(d, place)
    if getattr(a, "json", False):
        return dump(c, out)
    print(f"Choghadiya {dmy(d)} — {place.label()}", file=out)
    for label, periods in (("Day", c.day), ("Night", c.night)):
        print(f"  {label}", file=out)
        for w in periods:
            print(window_line(w, d, 8) + ("  good" if w.auspicious else ""), file=out)


def cmd_lagna(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    when = place.localize(a.when) if a.when else dt.datetime.now(place.zone)
    if a.windows:
        ws = api.lagna_windows(when.astimezone(place.zone).date(), place)
        if getattr(a, "json", False):
            return dump(ws, out)
        print(f"Rising signs {dmy(when.date())} — {place.label()}", file=out)
        for w in ws:
            print(f"  {hm(w.start, when.date())} – {hm(w.end, when.date())}  {w.rashi_name}",
                  file=out)
        return
    lg = api.lagna(when, place, a.system)
    if getattr(a, "json", False):
        return dump(lg, out)
    print(f"Lagna at {lg.instant:%Y-%m-%d %H:%M %Z} — {place.label()}", file=out)
    print(f"  Ascendant  {lg.rashi_name} {lg.degree_in_rashi:.2f}° "
          f"(sidereal {lg.ascendant:.4f}°, ayanamsa {lg.ayanamsa:.4f}°)", file=out)
    print(f"  Midheaven  {lg.midheaven:.4f}°   houses: {lg.system}", file=out)
    for i, c in enumerate(lg.cusps, 1):
        print(f"  House {i:>2}   {c:8.4f}°", file=out)


def cmd_shraddha(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    if a.timeline:
        t = api.shraddha_timeline(a.death_date, place)
        if getattr(a, "json", False):
            return dump(t, out)
        print(f"Shraddha timeline for a death on {t.death_date} — {place.label()}", file=out)
        print(f"  Death tithi {t.death_tithi} ({t.death_paksha}), nakshatra "
              f"{t.death_nakshatra}, month {t.death_masa}", file=out)
        print(f"  3rd day {t.teesra}   10th day {t.dashamam}   13th day {t.terahvin}",
              file=out)
        for label, items in (("Monthly", t.monthly), ("Annual", t.annual),
                             ("Pitru paksha", t.pitru_paksha)):
            print(f"  {label}:", file=out)
            for x in items:
                print(f"    {dmy(x.date)}  {x.tithi_name}, {x.nakshatra}, {x.masa}", file=out)
        return
    year = a.year or dt.datetime.now(place.zone).year
    s = api.shraddha(a.death_date, year, place)
    if getattr(a, "json", False):
        return dump(s if s is not None else [], out)
    if s is None:
        print(f"No shraddha day found in {year}.", file=out)
        return
    print(f"Shraddha {year}: {dmy(s.date)}\n  {s.reasoning}", file=out)


def cmd_places(a: argparse.Namespace, place: Place, out: TextIO) -> None:
    found = search(a.query)
    if getattr(a, "json", False):
        json.dump([{"name": p.name, "country": p.country, "latitude": p.latitude,
                    "longitude": p.longitude, "altitude_m": p.altitude_m,
                    "timezone": p.timezone, "aliases": list(p.aliases)} for p in found],
                  out, ensure_ascii=False, indent=2)
        out.write("\n")
        return
    for p in found:
        print(f"  {p.name:<26} {p.country:<22} {p.latitude:9.4f} {p.longitude:10.4f} "
              f"{p.altitude_m:6g} m  {p.timezone}", file=out)
    if not found:
        raise TithiloomError(f"no place matches {a.query!r}")


COMMANDS: dict[str | None, Callable[[argparse.Namespace, Place, TextIO], None]] = {
    None: cmd_today, "day": cmd_day, "month": cmd_month, "year": cmd_year,
    "festivals": cmd_festivals, "ekadashi": cmd_ekadashi, "vrat": cmd_vrat,
    "sankranti": cmd_sankranti, "muhurat": cmd_muhurat, "choghadiya": cmd_choghadiya,
    "lagna": cmd_lagna, "shraddha": cmd_shraddha, "places": cmd_places,
}


def main(argv: Sequence[str] | None = None) -> int:
    """Run the command line; returns the exit status (2 for bad input)."""
    p = parser()
    a = p.parse_args(argv)
    try:
        place = resolve_place(a) if a.command != "places" else lookup(DEFAULT_PLACE)
        COMMANDS[a.command](a, place, sys.stdout)
    except TithiloomError as e:
        print(f"tithiloom: error: {e}", file=sys.stderr)
        return 2
    except BrokenPipeError:
        # The reader (say `head`) has all it wanted; leave without a message.
        os.dup2(os.open(os.devnull, os.O_WRONLY), sys.stdout.fileno())
        return 0
    except OSError as e:
        where = f"{e.filename}: " if e.filename else ""
        print(f"tithiloom: error: {where}{e.strerror or e}", file=sys.stderr)
        return 2
    except KeyboardInterrupt:
        return 130
    return 0


def run() -> None:
    """Console-script entry point."""
    sys.exit(main())
