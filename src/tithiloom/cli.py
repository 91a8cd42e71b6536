"""The command-line almanac: ``tithiloom`` and ``python -m tithiloom``.

With no arguments it prints today's almanac at the default place (``--place``,
else the ``TITHILOOM_PLACE`` environment variable, else New Delhi) and the
observances of the next 30 days.  Bad input ends with a one-line message and
exit status 2; files are written only when the whole computation succeeded.

Each subcommand is one row of ``SUBCOMMANDS``: its arguments, the function that
computes its ``Listing`` and how one record of it reads as text.  ``main`` reads
the options once, dispatches, writes the file a listing asks for, then
``render`` prints the listing as text or JSON.
"""

from __future__ import annotations

import argparse
import calendar as cal
import dataclasses
import datetime as dt
import functools
import json
import math
import os
import shutil
import sys
import textwrap
import time
from collections import Counter
from collections.abc import Callable, Iterable, Sequence
from dataclasses import dataclass
from typing import Any, Generic, NoReturn, TextIO, TypeVar

from tithiloom import api, checks, export, finder, month_page, months, rules as rulefiles, zones
from tithiloom.errors import TithiloomError
from tithiloom.places import DEFAULT_PLACE, Place, lookup, search
from tithiloom.results import (Day, Ekadashi, Festival, Lagna, LagnaWindow, Record, Sankranti,
                               Shraddha, ShraddhaTimeline, Vrat, Window)

R = TypeVar("R")
Span = tuple[dt.date, dt.date]
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
        return checks.year(int(text))
    except TithiloomError as e:
        raise argparse.ArgumentTypeError(str(e))
    except ValueError:
        raise argparse.ArgumentTypeError(f"not a year: {text!r}")


def _years_arg(text: str) -> tuple[int, int]:
    first, _, last = text.partition("-")
    try:
        span = checks.year(int(first)), checks.year(int(last or first))
    except TithiloomError as e:
        raise argparse.ArgumentTypeError(str(e))
    except ValueError:
        raise argparse.ArgumentTypeError(f"not years: {text!r}; use FIRST-LAST, such as "
                                         f"2026-2035")
    if not 0 <= span[1] - span[0] < finder.MAX_YEARS:
        raise argparse.ArgumentTypeError(f"{text!r}: the last year may not come before the first, "
                                         f"at most {finder.MAX_YEARS} years on")
    return span


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


Arg = tuple[tuple[str, ...], dict[str, Any]]  # add_argument's flags and keywords


def arg(*flags: str, **options: Any) -> Arg:
    return flags, options


DATE = arg("date", nargs="?", type=_date_arg)
YEAR = arg("year", nargs="?", type=_year_arg)
ICS = arg("--ics", metavar="FILE", help="write an iCalendar file")


class _Parser(argparse.ArgumentParser):
    """Refuses bad arguments in one line, as every other bad input is refused
    (argparse would print the usage lines first)."""

    def error(self, message: str) -> NoReturn:
        self.exit(2, f"tithiloom: error: {message} (see `{self.prog} --help`)\n")


def _common() -> _Parser:
    # Defaults are SUPPRESS so that an option given before the subcommand is not
    # overwritten by the subcommand's own default.
    p = _Parser(add_help=False)
    s = argparse.SUPPRESS
    g = p.add_argument_group("place and output")
    g.add_argument("--place", default=s, help="a gazetteer place (default: $TITHILOOM_PLACE, "
                                              f"else {DEFAULT_PLACE})")
    g.add_argument("--lat", type=float, default=s, help="latitude, degrees north")
    g.add_argument("--lng", type=float, default=s, help="longitude, degrees east")
    g.add_argument("--alt", type=float, default=s, help="altitude, metres")
    g.add_argument("--tz", default=s, help="IANA time zone, e.g. America/New_York (with "
                                           "--lat/--lng the default is the zone that holds "
                                           "them)")
    g.add_argument("--calendar", choices=("amant", "purnimant"), default=s,
                   help="month naming (default purnimant)")
    g.add_argument("--rules", default=s, metavar="FILE",
                   help="festival rules YAML file, added to the shipped festivals")
    g.add_argument("--rules-only", action="store_true", default=s,
                   help="only the festivals of the --rules file, not the shipped ones")
    g.add_argument("--convention", choices=("almanac", "core"), default=s,
                   help="sunrise and rules as printed almanacs keep them (default), or the "
                        "engine's own")
    g.add_argument("--json", action="store_true", default=s, help="print JSON")
    return p


def parser() -> argparse.ArgumentParser:
    """The argument parser (subcommands and shared options)."""
    common = _common()
    top = _Parser(
        prog="tithiloom", parents=[common],
        description="Hindu almanac (panchang). With no command: today's almanac and the "
                    "observances of the next 30 days.")
    top.add_argument("--date", dest="top_date", type=_date_arg, metavar="YYYY-MM-DD",
                     help="the day to show instead of today (same as: day YYYY-MM-DD)")
    sub = top.add_subparsers(dest="command", metavar="COMMAND")
    for command in SUBCOMMANDS:
        p = sub.add_parser(command.name, parents=[common], help=command.help,
                           description=command.help)
        for flags, options in command.arguments:
            p.add_argument(*flags, **options)
    return top


@dataclass(frozen=True)
class Options:
    """The command line as given, read once from the parsed arguments.  Each field
    is an argument's destination; what was not given keeps the default here."""

    command: str | None = None
    place: str | None = None
    lat: float | None = None
    lng: float | None = None
    alt: float | None = None
    tz: str | None = None
    calendar: str = "purnimant"
    rules: str | None = None
    rules_only: bool = False
    convention: str = "almanac"
    json: bool = False
    top_date: dt.date | None = None  # --date, before any subcommand
    date: dt.date | None = None  # day, muhurat, choghadiya
    month: tuple[int, int] | None = None
    year: int | None = None  # the year listings, and shraddha --year
    when: dt.datetime | None = None
    system: str = "P"
    windows: bool = False
    death_date: dt.date | None = None
    timeline: bool = False
    query: str = ""
    find: str | None = None  # festivals --find NAME
    years: tuple[int, int] | None = None  # festivals --years FIRST-LAST
    html: str | None = None
    ics: str | None = None
    host: str = "127.0.0.1"  # serve
    port: int = 8000
    workers: int = 1
    table_places: str = "all"  # table
    out: str | None = None
    scheduler: str | None = None
    table_workers: int | None = None
    resume: bool = False
    tables: str | None = None

    @classmethod
    def read(cls, given: argparse.Namespace) -> Options:
        found = vars(given)
        return cls(**{f.name: found[f.name] for f in dataclasses.fields(cls) if f.name in found})


def resolve_place(o: Options) -> Place:
    """The place the options name (coordinates, a gazetteer name, or the default)."""
    if o.lat is not None or o.lng is not None:
        if o.place is not None:
            raise TithiloomError("--place and --lat/--lng name two places: give one or the other")
        if o.lat is None or o.lng is None:
            raise TithiloomError("--lat and --lng go together")
        # Without --tz, the zone that holds the coordinates (Place finds it).
        return Place(f"{o.lat:g}, {o.lng:g}", o.lat, o.lng, o.alt or 0.0, o.tz or "")
    place = lookup(o.place or os.environ.get("TITHILOOM_PLACE") or DEFAULT_PLACE)
    if o.tz is not None or o.alt is not None:
        place = dataclasses.replace(place, timezone=o.tz or place.timezone,
                                    altitude_m=place.altitude_m if o.alt is None else o.alt)
    return place


def _today_at(place: Place) -> dt.date:
    return dt.datetime.now(place.zone).date()


def _year_of(o: Options, place: Place) -> int:
    return o.year or dt.datetime.now(place.zone).year


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


def dated(d: dt.date, text: str) -> str:
    """A line of a list of days: weekday, day and month, then ``text``."""
    return f"  {dmy(d)[:-5]}  {text}"


def window_line(w: Window, on: dt.date | None, width: int = 16) -> str:
    return f"  {w.name:<{width}}{hm(w.start, on)} – {hm(w.end, on)}"


def day_lines(d: Day, place: Place) -> list[str]:
    """The five limbs, sunrise and sunset, and the muhurat windows of a day."""
    on = d.date
    hours, minutes = divmod(round(d.day_length_hours * 60), 60)
    lines = [f"{dmy(on)} — {place.label()}",
             f"  {'Vara':<11}{d.vara.name} ({d.vara.english})"]
    rows = [("Tithi", d.tithi.name, d.tithi.start, d.tithi.end),
            ("Nakshatra", f"{d.nakshatra.name} (pada {d.nakshatra.pada}, {d.nakshatra.lord})",
             d.nakshatra.start, d.nakshatra.end),
            ("Yoga", d.yoga.name, d.yoga.start, d.yoga.end),
            ("Karana", d.karana.name, d.karana.start, d.karana.end)]
    if d.hindu_date is not None:
        lines.insert(1, f"  {'Hindu date':<11}{d.hindu_date.text()}")
    then = ((d.moon.next_tithi, d.moon.next_nakshatra, d.moon.next_yoga) if d.moon else ())
    for i, (label, name, start, end) in enumerate(rows):
        lines.append(f"  {label:<11}{name:<34}{hm(start, on)} → {hm(end, on)}")
        if i < len(then):
            nxt = then[i]
            lines.append(f"  {'':<11}{'then ' + nxt.name:<34}{hm(nxt.start, on)} → "
                         f"{hm(nxt.end, on)}")
    lines.append(f"  {'Sunrise':<11}{hm(d.sunrise, on)}   Sunset {hm(d.sunset, on)}   "
                 f"Day length {hours} h {minutes:02d} min   ({d.sunrise:%Z}, UTC{d.sunrise:%z})")
    if d.moon is not None:
        m = d.moon
        lines.append(f"  {'Moonrise':<11}{hm(m.moonrise, on) if m.moonrise else 'none today'}"
                     f"   Moonset {hm(m.moonset, on) if m.moonset else 'none today'}   "
                     f"Moon in {m.rashi_name} until {hm(m.rashi_end, on)}")
    return lines + [window_line(w, on, 17) for w in d.muhurat.windows()]


# Records name their months in the calendar they were asked for (api.py, by
# months.month_name); the text of a record takes the names it carries.

def _vrat_text(v: Vrat, calendar: str = "") -> str:
    return v.name


def _ekadashi_text(e: Ekadashi, calendar: str = "") -> str:
    text = f"{e.name} Ekadashi ({e.paksha} {months.marked(e.lunar_month_name, e.is_adhik)})"
    if e.vaishnava_date != e.smartha_date:
        text += f"; Vaishnava fast {dmy(e.vaishnava_date)[:-5]}"
    return text


# The text grid's flag for each kind of mark (parana is listed, not flagged).
GRID_FLAGS = {"fest": "*", "eka": "E", "vai": "V", "purnima": "O", "amavasya": "A",
              "pradosh": "P", "sankashti": "C"}


def month_grid(year: int, month: int, days: Sequence[Day],
               marks: dict[dt.date, list[tuple[str, str]]], width: int = 13) -> list[str]:
    """The text grid: each cell holds the day, its tithi and nakshatra at sunrise,
    and a flag of :data:`GRID_FLAGS` for each kind of mark the day has."""
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
                flags = "".join(sorted({GRID_FLAGS[css] for css, _ in marks.get(d, [])
                                        if css in GRID_FLAGS}))
                cells = [f"{d.day:2d} {flags}",
                         short_tithi(info)[:width] if info else "",
                         short_name(info.nakshatra.name)[:width] if info else ""]
            for row, cell in zip(rows, cells):
                row.append(f"{cell:<{width}}")
        lines.append("-" * (7 * (width + 1) - 1))
        lines += [" ".join(r).rstrip() for r in rows]
    return lines


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


# ---------------------------------------------------------------- observances

def _festival_events(fs: Sequence[Festival], year: int, calendar: str) -> list[export.Event]:
    return [export.Event(f"festival-{export.slug(f.id)}-{year}", f.date, f.name,
                         f.reasoning + _muhurta_text(f).replace("\n      ", "\n")
                         + (f"\n\n{f.description}" if f.description else ""),
                         "Festival") for f in fs]


def _ekadashi_events(es: Sequence[Ekadashi], year: int, calendar: str) -> list[export.Event]:
    seen: dict[str, int] = {}
    events = []
    for e in es:
        base = f"ekadashi-{e.lunar_month}-{'adhika-' if e.is_adhik else ''}{e.paksha.lower()}"
        # A month can return in December (Pausha): its second fast gets a UID of
        # its own, the first keeps the one it always had.
        seen[base] = seen.get(base, 0) + 1
        again = f"-{seen[base]}" if seen[base] > 1 else ""
        events.append(export.Event(f"{base}-{year}{again}", e.smartha_date, f"{e.name} Ekadashi",
                                   e.reasoning
                                   + (f"\nVaishnava fast: {e.vaishnava_date.isoformat()}."
                                      if e.vaishnava_date != e.smartha_date else "")
                                   + _parana_lines(e), "Ekadashi"))
    return events


def _parana_lines(e: Ekadashi) -> str:
    """When each fast is broken, as lines of an event's description."""
    text = f"\nParana: {_parana_text(e.smartha_parana)}." if e.smartha_parana else ""
    if e.vaishnava_parana is not None and e.vaishnava_parana != e.smartha_parana:
        text += f"\nVaishnava parana: {_parana_text(e.vaishnava_parana)}."
    return text


def _vrat_events(vs: Sequence[Vrat], year: int, calendar: str) -> list[export.Event]:
    seen: dict[str, int] = {}
    events = []
    for v in vs:
        # Keyed by the amanta month, whatever calendar names it: the same fast
        # keeps its event when --calendar changes.
        kshaya = v.sunrise is not None and months.in_kshaya(zones.to_jd(v.sunrise))
        amanta = months.amanta_name(v.lunar_month_name, v.paksha, v.is_adhik, calendar, kshaya)
        base = export.slug(f"{v.type} ({months.marked(amanta, v.is_adhik)})-{v.paksha}")
        seen[base] = seen.get(base, 0) + 1  # a month name can occur twice in a year
        month = months.marked(v.lunar_month_name, v.is_adhik)
        events.append(export.Event(f"vrat-{base}-{seen[base]}-{year}", v.date,
                                   _vrat_text(v, calendar),
                                   v.reasoning or f"{v.name}: {v.paksha} paksha of {month}; the "
                                   f"tithi prevails at sunrise ({hm(v.sunrise)}).", "Vrat"))
    return events


@dataclass(frozen=True)
class Kind(Generic[R]):
    """One kind of observance: where it comes from and how it shows in the day's
    list, the year's list, the month's grid and calendar files."""

    label: str  # shown in the progress line while it is computed
    heading: str  # of its own listing and calendar; lower-cased, its key in the year's JSON
    fetch: Callable[[Options, int, Place, Span | None], list[R]]
    date: Callable[[R], dt.date]
    text: Callable[[R, str], str]  # one line; the records name months in the calendar given
    reasoning: Callable[[R], str]  # shown under it in the next days' list
    events: Callable[[Sequence[R], int, str], list[export.Event]]
    # Its marks in the month, each (date, kind of month_page.KINDS, text), in a reckoning.
    marks: Callable[[R, str], list[tuple[dt.date, str, str]]] | None


VRAT_MARKS = {"Purnima Vrat": "purnima", "Amavasya": "amavasya", "Pradosh Vrat": "pradosh",
              "Sankashti Chaturthi": "sankashti"}


def _ekadashi_marks(e: Ekadashi) -> list[tuple[dt.date, str, str]]:
    """The Smartha fast, the Vaishnava one where it differs, and when each is broken."""
    out = [(e.smartha_date, "eka", f"{e.name} Ekadashi")]
    if e.vaishnava_date != e.smartha_date:
        out.append((e.vaishnava_date, "vai", f"{e.name} Ekadashi (Vaishnava)"))
    for label, w in (("Parana", e.smartha_parana), ("Vaishnava parana", e.vaishnava_parana)):
        if w is not None and (label == "Parana" or w != e.smartha_parana):
            out.append((w.start.date(), "parana",
                        f"{label} {hm(w.start)}–{hm(w.end)} ({e.name} Ekadashi)"))
    return out


FESTIVALS: Kind[Festival] = Kind(
    "festivals", "Festivals",
    fetch=lambda o, year, place, span: api.festivals(year, place, _rules(o), o.calendar, span,
                                                      o.convention),
    date=lambda f: f.date, text=lambda f, _: f.name, reasoning=lambda f: f.reasoning,
    events=_festival_events, marks=lambda f, _: [(f.date, "fest", f.name)])
EKADASHIS: Kind[Ekadashi] = Kind(
    "Ekadashis", "Ekadashis",
    fetch=lambda o, year, place, span: api.ekadashis(year, place, between=span,
                                                      convention=o.convention,
                                                      calendar=o.calendar),
    date=lambda e: e.smartha_date, text=_ekadashi_text, reasoning=lambda e: e.reasoning,
    events=_ekadashi_events, marks=lambda e, _: _ekadashi_marks(e))
VRATS: Kind[Vrat] = Kind(
    "vrats", "Vrats", fetch=lambda o, year, place, span: api.vrats(year, place, span, o.convention,
                                                                    o.calendar),
    date=lambda v: v.date, text=_vrat_text, reasoning=lambda v: "", events=_vrat_events,
    marks=lambda v, calendar: [(v.date, VRAT_MARKS.get(v.type, "fest"),
                                _vrat_text(v, calendar))])
KINDS: tuple[Kind[Any], ...] = (FESTIVALS, EKADASHIS, VRATS)


def _rules(o: Options) -> rulefiles.RuleSource:
    """The festival rules the options ask for: a --rules file adds to the shipped
    ones unless --rules-only."""
    if o.rules is None:
        if o.rules_only:
            raise TithiloomError("--rules-only needs a --rules FILE")
        return None
    return o.rules if o.rules_only else rulefiles.festival_rules_added(o.rules)


def _polar_note(kind: Kind[Any], o: Options, place: Place, year: int,
                found: Sequence[Any]) -> list[str]:
    """Observances the computation leaves out because their days fall in the polar
    day or night, when the sun does not rise or set: named once, under the list.
    They are those that the same meridian and clock list at the equator, where
    the sun rises every day, and the place does not."""
    if not _has_polar_days(place, year, o.convention):
        return []  # the sun rises and sets every day: nothing is lost to it
    equator = dataclasses.replace(place, latitude=0.0)
    lost = Counter(map(_observance_name, kind.fetch(o, year, equator, None)))
    lost.subtract(map(_observance_name, found))
    names = [name for name, n in lost.items() if n > 0]
    if not names:
        return []
    return [f"\nNot listed, as the sun does not rise or set here on the days they would "
            f"fall: {', '.join(names)}."]


@functools.lru_cache(maxsize=4)
def _has_polar_days(place: Place, year: int, convention: str) -> bool:
    first, last = dt.date(year, 1, 1), dt.date(year, 12, 31)
    return len(api.days(first, last, place, convention)) <= (last - first).days


def _observance_name(r: Festival | Ekadashi | Vrat) -> str:
    return f"{r.name} Ekadashi" if isinstance(r, Ekadashi) else r.name


def _gather(kind: Kind[R], o: Options, place: Place, years: Iterable[int],
            span: Span | None) -> list[R]:
    """The observances of a kind in the years (those in the span, if given)."""
    return [r for year in years for r in kind.fetch(o, year, place, span)]


# ---------------------------------------------------------------- listings

@dataclass(frozen=True)
class Listing(Generic[R]):
    """What a subcommand computed, before the output format is chosen."""

    head: Sequence[str]  # text lines before the records
    records: Sequence[R]  # one text block each
    data: Any  # what --json prints
    notes: Sequence[str] = ()  # text lines after the records
    on: dt.date | None = None  # the day whose times need no date
    calendar: str = "purnimant"  # the month reckoning of the names
    file: tuple[str, str | bytes] | None = None  # path and content, written before any output
    years: bool = False  # the records span years: each date shows its year


@dataclass(frozen=True)
class Subcommand(Generic[R]):
    """One row of the command table: how to ask for a listing, compute it and read it."""

    name: str
    help: str
    arguments: Sequence[Arg]
    compute: Callable[[Options, Place], Listing[R]]
    text: Callable[[R, Listing[R]], str]  # a record as one or more text lines
    needs_place: bool = True


def render(listing: Listing[R], text: Callable[[R, Listing[R]], str], as_json: bool,
           out: TextIO) -> None:
    """Print a listing as JSON or as text (on a terminal, the records and notes
    wrapped to its width; the head, which holds grids, is left whole)."""
    if as_json:
        dump(listing.data, out)
        return
    width = shutil.get_terminal_size().columns if out.isatty() else None
    for line in listing.head:
        print(line, file=out)
    for block in (*(text(r, listing) for r in listing.records), *listing.notes):
        print(fit(block, width), file=out)


def fit(text: str, width: int | None) -> str:
    """Each line of ``text`` longer than ``width`` wrapped under its own indent."""
    if width is None:
        return text
    return "\n".join(
        textwrap.fill(line, width, subsequent_indent=" " * (len(line) - len(line.lstrip())),
                      break_long_words=False, break_on_hyphens=False)
        if len(line) > width else line for line in text.split("\n"))


Upcoming = tuple[dt.date, str, str]  # date, what, why


def _day(o: Options, place: Place) -> Listing[Upcoming]:
    """The day's almanac and the festivals, Ekadashis and vrats of the next days (with
    the reasoning of each festival and Ekadashi)."""
    today = o.date or o.top_date or _today_at(place)
    d = api.day(today, place, o.convention, o.calendar)
    progress = Progress()
    span = (today, today + dt.timedelta(days=UPCOMING_DAYS - 1))
    years = range(span[0].year, span[1].year + 1)
    found: list[tuple[int, Upcoming]] = []
    for rank, kind in enumerate(KINDS):
        progress.step(kind.label)
        found += [(rank, (kind.date(r), kind.text(r, o.calendar), kind.reasoning(r)))
                  for r in _gather(kind, o, place, years, span)]
    progress.done()
    found.sort(key=lambda f: (f[1][0], f[0]))
    upcoming = [item for _, item in found]
    notes = [] if upcoming else ["  (none)"]
    return Listing(
        [*day_lines(d, place), f"\nNext {UPCOMING_DAYS} days: festivals, Ekadashis and vrats"],
        upcoming, {"day": d, "upcoming": [{"date": x.isoformat(), "observance": t, "reasoning": r}
                                          for x, t, r in upcoming]}, notes)


def _upcoming_line(u: Upcoming, _: Listing[Upcoming]) -> str:
    when, text, why = u
    return dated(when, text) + (f"\n              {why}" if why else "")


Dated = tuple[dt.date, str]  # a day and what happens on it


def _dated_line(row: Dated, _: Listing[Dated]) -> str:
    return dated(*row)


def _month(o: Options, place: Place) -> Listing[Dated]:
    today = _today_at(place)
    year, month = o.month or (today.year, today.month)
    span = (dt.date(year, month, 1), dt.date(year, month, cal.monthrange(year, month)[1]))
    progress = Progress()
    progress.step("days")
    days = api.days(*span, place, o.convention, o.calendar)
    progress.step("festivals and Ekadashis")
    marks: dict[dt.date, list[tuple[str, str]]] = {}
    for kind in KINDS:
        # A fast kept or broken this month may belong to an Ekadashi of the days before it.
        back = min(3, (span[0] - dt.date.min).days) if kind is EKADASHIS else 0
        ask = (span[0] - dt.timedelta(days=back), span[1])
        if kind.marks is not None:
            for r in _gather(kind, o, place, range(ask[0].year, year + 1), ask):
                for d, css, text in kind.marks(r, o.calendar):
                    if span[0] <= d <= span[1]:
                        marks.setdefault(d, []).append((css, text))
    progress.done()
    rows = [(d, text) for d in sorted(marks) for _, text in marks[d]]
    flags = ", ".join(f"{flag} {text}" for css, flag, text in month_page.KINDS
                      if css in GRID_FLAGS for flag in (GRID_FLAGS[css],))
    head = [f"{cal.month_name[month]} {year} — {place.label()}",
            f"  {month_page.heading(year, month, place, days, o.calendar)}",
            f"Tithi (S = Shukla, K = Krishna) and nakshatra at sunrise; {flags}",
            *month_grid(year, month, days, marks), *([""] if marks else [])]
    data = {"days": days, "marks": [{"date": d.isoformat(), "kind": k, "text": t}
                                    for d in sorted(marks) for k, t in marks[d]]}
    file = ((o.html, month_page.month_html(year, month, place, days, marks, o.calendar))
            if o.html is not None else None)
    return Listing(head, rows, data, [f"\nwrote {o.html}"] if o.html is not None else [], file=file)


MonthRows = tuple[int, list[Dated]]  # a month and its rows


def _year(o: Options, place: Place) -> Listing[MonthRows]:
    year = _year_of(o, place)
    progress = Progress()
    found: list[tuple[Kind[Any], list[Any]]] = []
    for kind in KINDS:
        progress.step(kind.label)
        found.append((kind, _gather(kind, o, place, (year,), None)))
    progress.done()
    months: list[MonthRows] = []
    for d, _, text in sorted((kind.date(r), rank, kind.text(r, o.calendar))
                             for rank, (kind, rs) in enumerate(found) for r in rs):
        if not months or months[-1][0] != d.month:
            months.append((d.month, []))
        months[-1][1].append((d, text))
    notes = [line for kind, rs in found for line in _polar_note(kind, o, place, year, rs)]
    file = None
    if o.ics is not None:
        events = [e for kind, rs in found for e in kind.events(rs, year, o.calendar)]
        events.sort(key=lambda e: e.date)
        file = (o.ics, export.ics(events, place, f"Almanac {year} — {place.name}"))
        notes.append(f"\nwrote {o.ics}")
    return Listing([f"Observances {year} — {place.label()}"], months,
                   {kind.heading.lower(): rs for kind, rs in found}, notes, file=file)


def _month_rows(m: MonthRows, _: Listing[MonthRows]) -> str:
    month, rows = m
    return "\n".join([f"\n{cal.month_name[month]}", *(dated(d, text) for d, text in rows)])


def _observances(kind: Kind[R]) -> Callable[[Options, Place], Listing[R]]:
    """The listing of one kind of observance over a year, and its calendar file."""
    def compute(o: Options, place: Place) -> Listing[R]:
        year = _year_of(o, place)
        found = kind.fetch(o, year, place, None)
        notes = _polar_note(kind, o, place, year, found)
        file = None
        if o.ics is not None:
            file = (o.ics, export.ics(kind.events(found, year, o.calendar), place,
                                      f"{kind.heading} {year} — {place.name}"))
        return Listing([f"{kind.heading} {year} — {place.label()}"], found, found, notes,
                       calendar=o.calendar, file=file)
    return compute


def _festivals(o: Options, place: Place) -> Listing[Festival]:
    """A year's festivals, or (--find) the days of those a name names, over years."""
    if o.find is None:
        if o.years is not None:
            raise TithiloomError("--years goes with --find NAME")
        return _observances(FESTIVALS)(o, place)
    first, last = o.years or (_year_of(o, place),) * 2
    found = finder.find(o.find, range(first, last + 1), place, _rules(o), o.calendar,
                        o.convention)
    file = None
    if o.ics:
        events = [e for year in range(first, last + 1) for e in _festival_events(
            [f for f in found if f.date.year == year], year, o.calendar)]
        file = (o.ics, export.ics(events, place, f"{o.find} {first}-{last} — {place.name}"))
    span = f"{first}" if first == last else f"{first}-{last}"
    return Listing([f"Festivals called {o.find!r}, {span} — {place.label()}"], found, found,
                   [] if found else ["  (none)"], calendar=o.calendar, file=file, years=True)


def _festivals_line(f: Festival, listing: Listing[Festival]) -> str:
    """A festival's lines; over years, its date with the year."""
    text = _festival_line(f, listing)
    if not listing.years:
        return text
    return f"  {dmy(f.date)}  {f.name}" + text[len(dated(f.date, f.name)):]


def _festival_line(f: Festival, _: Listing[Festival]) -> str:
    alternate = ("" if f.alternate is None else
                 f"\n      Alternate ({f.alternate.priority}): {dmy(f.alternate.date)}")
    close = f"  \u2248 {f.margin_minutes:.0f} min" if f.close_call else ""
    return f"{dated(f.date, f.name)}{close}\n      {f.reasoning}{alternate}{_muhurta_text(f)}"


def _muhurta_text(f: Festival) -> str:
    w = f.muhurta
    return "" if w is None else f"\n      Muhurta ({w.name}): {hm(w.start)}-{hm(w.end, w.start.date())}"


def _parana_text(w: Window | None) -> str:
    return "--" if w is None else f"{dmy(w.start.date())} {hm(w.start)}-{hm(w.end)}"


def _ekadashi_line(e: Ekadashi, listing: Listing[Ekadashi]) -> str:
    line = f"{dated(e.smartha_date, _ekadashi_text(e, listing.calendar))}\n      {e.reasoning}"
    if e.smartha_parana is None and e.vaishnava_parana is None:
        return line
    parana = f"Parana: {_parana_text(e.smartha_parana)}"
    if e.vaishnava_parana != e.smartha_parana:
        parana += f"; Vaishnava: {_parana_text(e.vaishnava_parana)}"
    return f"{line}\n      {parana}"


def _vrat_line(v: Vrat, listing: Listing[Vrat]) -> str:
    return dated(v.date, f"{_vrat_text(v, listing.calendar):<36} sunrise {hm(v.sunrise)}")


def _sankrantis(o: Options, place: Place) -> Listing[Sankranti]:
    year = _year_of(o, place)
    ss = api.sankrantis(year, place)
    return Listing([f"Sankrantis {year} — {place.label()}"], ss, ss)


def _sankranti_line(s: Sankranti, _: Listing[Sankranti]) -> str:
    return (f"  {s.instant:%a %d %b %Y %H:%M %Z}  {s.name:<20} Sun enters {s.rashi} "
            f"({s.target_longitude:g}°)")


def _muhurat(o: Options, place: Place) -> Listing[Window]:
    d = o.date or _today_at(place)
    m = api.muhurat(d, place, o.convention)
    return Listing([f"Muhurat {dmy(d)} — {place.label()}"], m.windows(), m, on=d)


def _muhurat_line(w: Window, listing: Listing[Window]) -> str:
    return window_line(w, listing.on, 17) + ("  auspicious" if w.auspicious else "")


Periods = tuple[str, Sequence[Window]]  # "Day" or "Night", and its Choghadiya


def _choghadiya(o: Options, place: Place) -> Listing[Periods]:
    d = o.date or _today_at(place)
    c = api.choghadiya(d, place, o.convention)
    return Listing([f"Choghadiya {dmy(d)} — {place.label()}"],
                   [("Day", c.day), ("Night", c.night)], c, on=d)


def _periods_lines(p: Periods, listing: Listing[Periods]) -> str:
    label, periods = p
    return "\n".join([f"  {label}", *(window_line(w, listing.on, 8)
                                       + ("  good" if w.auspicious else "") for w in periods)])


def _lagna(o: Options, place: Place) -> Listing[Lagna | LagnaWindow]:
    when = place.localize(o.when) if o.when else dt.datetime.now(place.zone)
    if o.windows:
        ws = api.lagna_windows(when.astimezone(place.zone).date(), place)
        return Listing([f"Rising signs {dmy(when.date())} — {place.label()}"], ws, ws,
                       on=when.date())
    lg = api.lagna(when, place, o.system)
    return Listing([f"Lagna at {lg.instant:%Y-%m-%d %H:%M %Z} — {place.label()}"], [lg], lg)


def _lagna_lines(r: Lagna | LagnaWindow, listing: Listing[Lagna | LagnaWindow]) -> str:
    if isinstance(r, LagnaWindow):
        return f"  {hm(r.start, listing.on)} – {hm(r.end, listing.on)}  {r.rashi_name}"
    return "\n".join([f"  Ascendant  {r.rashi_name} {r.degree_in_rashi:.2f}° "
                      f"(sidereal {r.ascendant:.4f}°, ayanamsa {r.ayanamsa:.4f}°)",
                      f"  Midheaven  {r.midheaven:.4f}°   houses: {r.system}",
                      *(f"  House {i:>2}   {c:8.4f}°" for i, c in enumerate(r.cusps, 1))])


def _shraddha(o: Options, place: Place) -> Listing[Shraddha | ShraddhaTimeline]:
    assert o.death_date is not None  # a required argument
    if o.timeline:
        t = api.shraddha_timeline(o.death_date, place, convention=o.convention,
                                  calendar=o.calendar)
        return Listing([f"Shraddha timeline for a death on {t.death_date} — {place.label()}"],
                       [t], t)
    year = _year_of(o, place)
    s = api.shraddha(o.death_date, year, place, o.convention, o.calendar)
    if s is None:
        return Listing([], [], [], [f"No shraddha day found in {year}."])
    return Listing([f"Shraddha {year}: {dmy(s.date)}"], [s], s)


def _shraddha_lines(r: Shraddha | ShraddhaTimeline, _: Listing[Any]) -> str:
    if isinstance(r, Shraddha):
        return f"  {r.reasoning}"
    lines = [f"  Death tithi {r.death_tithi} ({r.death_paksha}), nakshatra "
             f"{r.death_nakshatra}, month {r.death_masa}",
             f"  3rd day {r.teesra}   10th day {r.dashamam}   13th day {r.terahvin}"]
    for label, items in (("Monthly", r.monthly), ("Annual", r.annual),
                         ("Pitru paksha", r.pitru_paksha)):
        lines.append(f"  {label}:")
        lines += [f"    {dmy(x.date)}  {x.tithi_name}, {x.nakshatra}, {x.masa}" for x in items]
    return "\n".join(lines)


def _places(o: Options, place: Place) -> Listing[Place]:
    found = search(o.query)
    if not found and not o.json:  # an empty JSON list answers; an empty text list would not
        raise TithiloomError(f"no place matches {o.query!r}")
    return Listing([], found, [{"name": p.name, "country": p.country, "latitude": p.latitude,
                                "longitude": p.longitude, "altitude_m": p.altitude_m,
                                "timezone": p.timezone, "aliases": list(p.aliases)}
                               for p in found])


def _place_line(p: Place, _: Listing[Place]) -> str:
    return (f"  {p.name:<26} {p.country:<22} {p.latitude:9.4f} {p.longitude:10.4f} "
            f"{p.altitude_m:6g} m  {p.timezone}")


def _serve(o: Options, place: Place) -> Listing[Any]:
    """Runs the web service until interrupted (the web stack is imported only here)."""
    try:
        from tithiloom import service
    except ImportError as e:
        raise TithiloomError(f"serve needs the web extra: pip install 'tithiloom[serve]' ({e})")
    service.serve(o.host, o.port, o.workers)
    return Listing([], [], None)


def _table(o: Options, _: Place) -> Listing[str]:
    """Writes the tables of many places and years (dask and pyarrow are imported only here)."""
    from tithiloom import tables

    if o.out is None or o.years is None:
        raise TithiloomError("table needs --years FIRST-LAST and --out DIR")
    places = tables.places_from(o.table_places)
    kinds = tables.TABLES if o.tables is None else tuple(t.strip() for t in o.tables.split(","))
    done = tables.run(places, o.years, o.out, convention=o.convention, calendar=o.calendar,
                      tables=kinds, scheduler=o.scheduler, workers=o.table_workers,
                      resume=o.resume, progress=TableProgress())
    rows = ", ".join(f"{n} {t}" for t, n in done.rows.items())
    lines = [f"wrote {done.tasks} place-years to {o.out} in {done.seconds:.1f} s on "
             f"{done.workers} workers" + (f" ({done.skipped} complete already)"
                                          if done.skipped else ""),
             f"  {rows or 'no rows'}; {done.bytes / 1e6:.1f} MB"]
    return Listing(lines, [], dataclasses.asdict(done))


class TableProgress:
    """Tasks done, place-years per second and the time left, on one line of stderr
    (rewritten on a terminal; elsewhere, a line every ten seconds and at the end)."""

    def __init__(self, stream: TextIO = sys.stderr) -> None:
        self.stream, self.last = stream, -math.inf

    def __call__(self, done: int, total: int, seconds: float) -> None:
        tty = self.stream.isatty()
        if done < total and not tty and seconds - self.last < 10.0:
            return
        self.last = seconds
        rate = done / seconds if seconds > 0 else 0.0
        left = (total - done) / rate if rate > 0 else 0.0
        line = (f"{done}/{total} place-years, {rate:.2f} per second, "
                f"{int(left // 60)} min {int(left % 60):02d} s left")
        if tty:
            self.stream.write(f"\r\033[K{line}" + ("\n" if done == total else ""))
        else:
            self.stream.write(line + "\n")
        self.stream.flush()


# In the order --help lists them; with no subcommand, "day" runs.  (Not annotated, so
# that mypy checks each row's text against what its compute returns.)
SUBCOMMANDS = (
    Subcommand("day", "the almanac of a day", [DATE], _day, _upcoming_line),
    Subcommand("month", "a month's grid with tithi, nakshatra, festivals and Ekadashis",
               [arg("month", nargs="?", type=_month_arg, metavar="YYYY-MM"),
                arg("--html", metavar="FILE", help="also write a printable page")],
               _month, _dated_line),
    Subcommand("year", "all observances of a year", [YEAR, ICS], _year, _month_rows),
    Subcommand("festivals", "the festivals of a year, with reasoning; or one festival's "
               "days over years (--find)",
               [YEAR, ICS, arg("--find", metavar="NAME", help="a festival's name (case and "
                                                             "accents ignored)"),
                arg("--years", type=_years_arg, metavar="FIRST-LAST",
                    help="the years to search with --find (default: the year)")],
               _festivals, _festivals_line),
    Subcommand("ekadashi", "the Ekadashis of a year (Smartha and Vaishnava days)",
               [YEAR, ICS], _observances(EKADASHIS), _ekadashi_line),
    Subcommand("vrat", "the vrat (fast) days of a year", [YEAR, ICS], _observances(VRATS),
               _vrat_line),
    Subcommand("sankranti", "the solar ingresses of a year", [YEAR], _sankrantis,
               _sankranti_line),
    Subcommand("muhurat", "Rahu Kalam, Yama Gandam, Gulika Kalam, Abhijit", [DATE], _muhurat,
               _muhurat_line),
    Subcommand("choghadiya", "the sixteen Choghadiya periods of a day", [DATE], _choghadiya,
               _periods_lines),
    Subcommand("lagna", "the rising sign and house cusps at a moment (default: now)",
               [arg("when", nargs="?", type=_datetime_arg, metavar="YYYY-MM-DDTHH:MM"),
                arg("--system", default="P", help="P (Placidus), W, E or O"),
                arg("--windows", action="store_true", help="the rising windows of the day")],
               _lagna, _lagna_lines),
    Subcommand("shraddha", "the death anniversary (shraddha) day, or the whole timeline",
               [arg("death_date", type=_date_arg, metavar="DEATH_DATE"),
                arg("--year", type=_year_arg, help="year of the anniversary (default: this year)"),
                arg("--timeline", action="store_true", help="all rites after the death")],
               _shraddha, _shraddha_lines),
    Subcommand("places", "list the built-in places", [arg("query", nargs="?", default="")],
               _places, _place_line, needs_place=False),
    Subcommand("serve", "the almanac as a web service: JSON, calendar feeds, month pages",
               [arg("--host", default="127.0.0.1"), arg("--port", type=int, default=8000),
                arg("--workers", type=int, default=1, help="processes (default 1)")],
               _serve, lambda r, _: "", needs_place=False),
    Subcommand("table", "the daily almanac, festivals, Ekadashis and vrats of many places "
               "and years, as Parquet files (on a Dask cluster)",
               [arg("--places", dest="table_places", default="all", metavar="all|NAME,NAME|FILE",
                    help="the gazetteer (all), names from it, or a CSV of name,lat,lng,alt,"
                         "zone (default all)"),
                arg("--years", type=_years_arg, required=True, metavar="FIRST-LAST"),
                arg("--out", required=True, metavar="DIR", help="the tables' directory"),
                arg("--scheduler", metavar="tcp://HOST:PORT",
                    help="a running Dask scheduler (default: a local cluster)"),
                arg("--workers", dest="table_workers", type=int, metavar="N",
                    help="processes of the local cluster (default: one per processor)"),
                arg("--resume", action="store_true",
                    help="finish the run recorded in DIR, skipping the complete place-years"),
                arg("--tables", metavar="NAME,NAME",
                    help="daily, festivals, ekadashis, vrats (default all four)")],
               _table, lambda r, _: r, needs_place=False),
)
COMMANDS: dict[str, Subcommand[Any]] = {c.name: c for c in SUBCOMMANDS}


def main(argv: Sequence[str] | None = None) -> int:
    """Run the command line; returns the exit status (2 for bad input)."""
    o = Options.read(parser().parse_args(argv))
    try:
        command = COMMANDS[o.command or "day"]
        place = resolve_place(o) if command.needs_place else lookup(DEFAULT_PLACE)
        listing = command.compute(o, place)
        if listing.file is not None:
            export.write_atomic(*listing.file)
        render(listing, command.text, o.json, sys.stdout)
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
