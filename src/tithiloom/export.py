"""Writing results to files: atomic writes and iCalendar events (the printable month is
month_page's)."""

from __future__ import annotations

import datetime as dt
import errno
import os
import re
import tempfile
from collections.abc import Iterable
from dataclasses import dataclass
from pathlib import Path

from tithiloom.places import Place, _key as fold


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

