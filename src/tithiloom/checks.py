"""The arguments of the almanac functions, checked before any work is done.

Each refusal is one :class:`TithiloomError` that names the argument, so that no
bad value reaches the core or ``datetime`` to come back as a raw ``TypeError``,
``OverflowError`` or ``IndexError``.  The span of dates the package supports is
set here too.
"""

from __future__ import annotations

import datetime as dt
from typing import Any
from zoneinfo import ZoneInfo

from tithiloom import zones
from tithiloom.errors import TithiloomError
from tithiloom.places import Place

# Year 1's limbs, ingresses and lunar months begin in year 0, which datetime
# cannot hold; the ephemeris ends soon after 3000.
FIRST_YEAR, LAST_YEAR = 2, 3000
FIRST_DAY, LAST_DAY = dt.date(FIRST_YEAR, 1, 1), dt.date(LAST_YEAR, 12, 31)
SPAN = f"{FIRST_DAY.isoformat()} to {LAST_DAY.isoformat()}, the span tithiloom supports"


def year(value: int, what: str = "year") -> int:
    """A whole year inside the span."""
    if isinstance(value, bool) or not isinstance(value, int):
        raise TithiloomError(f"{what} must be a whole number, got {value!r}")
    if not FIRST_YEAR <= value <= LAST_YEAR:
        raise TithiloomError(f"{what} must lie in {FIRST_YEAR}-{LAST_YEAR} (years of {SPAN}), "
                             f"got {value}")
    return value


def place(value: Any, what: str = "place") -> Place:
    """A :class:`Place`, not its name."""
    if not isinstance(value, Place):
        hint = f" (tithiloom.Place.named({value!r}) finds it)" if isinstance(value, str) else ""
        raise TithiloomError(f"{what} must be a tithiloom.Place, got "
                             f"{type(value).__name__}{hint}")
    return value


def instant(value: Any, what: str = "instant") -> dt.datetime:
    """An aware datetime inside the span whose wall time names one instant."""
    if isinstance(value, dt.datetime) and not FIRST_YEAR <= value.year <= LAST_YEAR:
        raise TithiloomError(f"{what} {value.isoformat()} lies outside {SPAN}")
    when = zones.require_aware(value, what)
    # A wall time the clocks show twice: fold=0 is only Python's default, not a
    # choice (a skipped time was refused above).
    if isinstance(when.tzinfo, ZoneInfo) and when.fold == 0 \
            and when.replace(fold=1).utcoffset() != when.utcoffset():
        second = when.replace(fold=1)
        raise TithiloomError(
            f"{what} {when.replace(tzinfo=None).isoformat(timespec='minutes')} happens twice "
            f"in {when.tzinfo.key} (the clocks go back): write the offset to choose, "
            f"{when.isoformat(timespec='minutes')} or {second.isoformat(timespec='minutes')} "
            f"(or set fold=1 for the second)")
    return when


def date(value: Any, tz: dt.tzinfo, what: str = "date") -> dt.date:
    """A civil date inside the span; an aware datetime gives its date on ``tz``."""
    if isinstance(value, dt.datetime):
        day = instant(value, what).astimezone(tz).date()
    elif isinstance(value, dt.date):
        day = value
    else:
        raise TithiloomError(f"{what} must be a datetime.date, got {type(value).__name__}")
    if not FIRST_DAY <= day <= LAST_DAY:
        raise TithiloomError(f"{what} {day.isoformat()} lies outside {SPAN}")
    return day


def between(value: Any, tz: dt.tzinfo) -> tuple[dt.date, dt.date] | None:
    """The (first, last) dates of a ``between`` argument, or None."""
    if value is None:
        return None
    try:
        first, last = value
    except (TypeError, ValueError):
        raise TithiloomError(f"between must be a pair (first, last) of dates, "
                             f"got {value!r}") from None
    return date(first, tz, "between's first date"), date(last, tz, "between's last date")


def death(value: Any, tz: dt.tzinfo, what: str = "death date") -> dt.date:
    """A date of death: inside the span and not after today at the place."""
    d = date(value, tz, what)
    today = dt.datetime.now(tz).date()
    if d > today:
        raise TithiloomError(f"{what} {d.isoformat()} is after today ({today.isoformat()} "
                             f"at the place): the rites follow a death that has happened")
    return d
