"""Writing results to files: atomic writes, iCalendar events and the printable month."""

from __future__ import annotations

import calendar as cal
import datetime as dt
import errno
import html
import os
import re
import tempfile
from collections.abc import Iterable, Sequence
from dataclasses import dataclass
from pathlib import Path

from tithiloom.places import Place, _key as fold
from tithiloom.results import Day


def write_atomic(path: str | os.PathLike[str], data: str | bytes) -> None:
    """Write a whole file or nothing: a temporary file in the same folder, then a rename.

    A symbolic link is followed, so the file it points to is replaced, not the
    link. Errors name the path given, never the temporary file."""
    if not os.fspath(path):
        raise FileNotFoundError(errno.ENOENT, "an empty file name", "")
    target = Path(os.path.realpath(path))
    payload = data.encode("utf-8") if isinstance(data, str) else data
    try:
        # A short temporary name: any name the folder accepts can be written.
        fd, tmp = tempfile.mkstemp(dir=target.parent, prefix=".tithiloom-", suffix=".tmp")
    except OSError as e:
        raise OSError(e.errno, e.strerror, os.fspath(path)) from e
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(payload)
        os.chmod(tmp, 0o644)
        os.replace(tmp, target)
    except BaseException as e:
        os.unlink(tmp)
        if isinstance(e, OSError):
            raise OSError(e.errno, e.strerror, os.fspath(path)) from e
        raise


def slug(text: str) -> str:
    """Lower-case letters and digits joined by hyphens (for identifiers), accents
    dropped ("São Paulo" is sao-paulo)."""
    return re.sub(r"[^a-z0-9]+", "-", fold(text)).strip("-") or "x"


@dataclass(frozen=True, slots=True)
class Event:
    """One all-day calendar entry.  ``key`` identifies the observance, not its date,
    so that a recomputed date updates the same event."""

    key: str
    date: dt.date
    summary: str
    description: str
    category: str


def ics(events: Iterable[Event], place: Place, title: str) -> bytes:
    """An iCalendar file of all-day events with stable UIDs (kind, name, year, place)."""
    import icalendar  # deferred: only --ics pays for it

    calendar = icalendar.Calendar()
    calendar.add("prodid", "-//tithiloom//almanac//EN")
    calendar.add("version", "2.0")
    calendar.add("calscale", "GREGORIAN")
    calendar.add("x-wr-calname", title)
    stamp = dt.datetime.now(dt.timezone.utc).replace(microsecond=0)
    for e in events:
        event = icalendar.Event()
        event.add("uid", f"{e.key}-{slug(place.name)}@tithiloom")
        event.add("dtstamp", stamp)
        event.add("dtstart", e.date)
        event.add("dtend", e.date + dt.timedelta(days=1))
        event.add("summary", e.summary)
        event.add("description", e.description)
        event.add("categories", [e.category])
        event.add("transp", "TRANSPARENT")
        calendar.add_component(event)
    data: bytes = calendar.to_ical()
    return data


_CSS = """
@page { size: A4 landscape; margin: 10mm; }
* { box-sizing: border-box; }
body { font-family: "DejaVu Sans", Arial, sans-serif; margin: 0; color: #222; }
h1 { font-size: 20pt; margin: 0 0 2mm; }
p.where { margin: 0 0 3mm; font-size: 9pt; color: #555; }
table { width: 100%; border-collapse: collapse; table-layout: fixed; }
th { background: #7a1f1f; color: #fff; font-size: 10pt; padding: 1.5mm; }
td { border: 1px solid #999; vertical-align: top; height: 24mm; padding: 1mm 1.5mm;
     font-size: 7.5pt; overflow: hidden; }
td.blank { background: #f4f1ec; }
td .num { font-size: 14pt; font-weight: bold; }
td .tithi { display: block; }
td .nak { display: block; color: #555; }
td .fest { display: block; color: #7a1f1f; font-weight: bold; }
td .eka { display: block; color: #1f4f7a; font-weight: bold; }
td.sun .num { color: #b22; }
ul.notes { columns: 2; font-size: 8pt; margin: 3mm 0 0; padding-left: 4mm; }
@media screen { body { margin: 8mm; } }
@media print { body { -webkit-print-color-adjust: exact; print-color-adjust: exact; } }
"""


def month_html(year: int, month: int, place: Place, days: Sequence[Day],
               marks: dict[dt.date, list[tuple[str, str]]]) -> str:
    """A self-contained printable page (HTML and CSS, no script) of one month's grid.

    ``marks`` maps a date to (css class, text) pairs: festivals and Ekadashis.
    """
    by_date = {d.date: d for d in days}
    title = f"{cal.month_name[month]} {year}"
    rows = []
    for week in cal.Calendar(firstweekday=6).monthdatescalendar(year, month):
        cells = []
        for d in week:
            if d.month != month:
                cells.append('<td class="blank"></td>')
                continue
            info = by_date.get(d)
            parts = [f'<span class="num">{d.day}</span>']
            if info is not None:
                parts.append(f'<span class="tithi">{html.escape(info.tithi.name)}</span>')
                parts.append(f'<span class="nak">{html.escape(info.nakshatra.name)}</span>')
            for css, text in marks.get(d, []):
                parts.append(f'<span class="{css}">{html.escape(text)}</span>')
            kind = "day sun" if d.isoweekday() == 7 else "day"
            cells.append(f'<td class="{kind}" data-date="{d.isoformat()}">{"".join(parts)}</td>')
        rows.append("<tr>" + "".join(cells) + "</tr>")
    heads = "".join(f"<th>{n}</th>" for n in ("Sunday", "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"))
    notes = "".join(f"<li>{d.day} {cal.month_abbr[d.month]}: {html.escape(text)}</li>"
                    for d in sorted(marks) for _, text in marks[d])
    return (f'<!DOCTYPE html>\n<html lang="en"><head><meta charset="utf-8">'
            f"<title>{html.escape(title)} — {html.escape(place.name)}</title>"
            f"<style>{_CSS}</style></head><body>"
            f"<h1>{html.escape(title)}</h1>"
            f'<p class="where">{html.escape(place.label())} · tithi and nakshatra at sunrise</p>'
            f"<table><thead><tr>{heads}</tr></thead><tbody>{''.join(rows)}</tbody></table>"
            f'<ul class="notes">{notes}</ul></body></html>\n')
