"""Time zones: the UTC offset in force on a date, and instants as Julian Days.

The native core works with one fixed UTC offset per computation.  A zone with
daylight saving has several offsets in a year, so every date is computed with
the offset in force at local noon of that date (clock changes happen at night,
so that is also the offset at its sunrise), and every instant is shown with
the offset in force at that instant.
"""

from __future__ import annotations

import datetime as dt
from functools import lru_cache
from zoneinfo import ZoneInfo, ZoneInfoNotFoundError

from tithiloom.errors import TithiloomError

UNIX_EPOCH_JD = 2440587.5
_UTC = dt.timezone.utc
_EPOCH = dt.datetime(1970, 1, 1, tzinfo=_UTC)
_DAY = dt.timedelta(days=1)


@lru_cache(maxsize=None)
def zone(name: str) -> ZoneInfo:
    """The IANA zone of that name; an unknown name is a :class:`TithiloomError`."""
    try:
        return ZoneInfo(name)
    except (ZoneInfoNotFoundError, ValueError) as e:
        raise TithiloomError(f"unknown time zone {name!r} (use an IANA name such as "
                             f"'Asia/Kolkata' or 'America/New_York')") from e


def offset_seconds(tz: dt.tzinfo, day: dt.date) -> int:
    """Seconds east of UTC in force at local noon of ``day`` in ``tz``."""
    off = dt.datetime(day.year, day.month, day.day, 12, tzinfo=tz).utcoffset()
    assert off is not None
    return int(off.total_seconds())


def offset_runs(tz: dt.tzinfo, start: dt.date, end: dt.date) -> list[tuple[dt.date, dt.date, int]]:
    """Split ``start``..``end`` (inclusive) into runs of days sharing one offset."""
    runs: list[tuple[dt.date, dt.date, int]] = []
    d = start
    while d <= end:
        off = offset_seconds(tz, d)
        if runs and runs[-1][2] == off:
            runs[-1] = (runs[-1][0], d, off)
        else:
            runs.append((d, d, off))
        d += _DAY
    return runs


def offsets_in(tz: dt.tzinfo, start: dt.date, end: dt.date) -> list[int]:
    """The distinct offsets in force between two dates, in order of first use."""
    seen: list[int] = []
    for _, _, off in offset_runs(tz, start, end):
        if off not in seen:
            seen.append(off)
    return seen


def from_jd(jd: float, tz: dt.tzinfo) -> dt.datetime:
    """The instant of a Julian Day (UT) as an aware datetime in ``tz``.

    The instant is rounded to the millisecond (a Julian Day near 2.5 million
    carries about 40 microseconds of noise) and then cut to the whole second, so
    that its hour and minute are those the core writes into its texts.
    """
    if jd != jd:  # NaN: an instant that does not exist (no sunrise)
        raise TithiloomError("the sun does not rise or set on this day at this place")
    ms = round((jd - UNIX_EPOCH_JD) * 86_400_000)
    return (_EPOCH + dt.timedelta(milliseconds=ms - ms % 1000)).astimezone(tz)


def require_aware(when: dt.datetime, what: str = "datetime") -> dt.datetime:
    """``when`` unchanged if it is aware and exists on its clock; else an error."""
    if not isinstance(when, dt.datetime):
        raise TithiloomError(f"{what} must be a datetime.datetime, got {type(when).__name__}")
    if when.tzinfo is None or when.utcoffset() is None:
        raise TithiloomError(f"{what} {when.isoformat()} is naive: give it a tzinfo "
                             f"(for example ZoneInfo('Asia/Kolkata'))")
    if isinstance(when.tzinfo, ZoneInfo):
        back = when.astimezone(_UTC).astimezone(when.tzinfo)
        if back.replace(tzinfo=None) != when.replace(tzinfo=None):
            raise TithiloomError(f"{what} {when.replace(tzinfo=None).isoformat()} does not "
                                 f"exist in {when.tzinfo.key}: the clocks skip it")
    return when


def to_jd(when: dt.datetime) -> float:
    """The Julian Day (UT) of an aware datetime."""
    delta = require_aware(when) - _EPOCH
    return UNIX_EPOCH_JD + delta.days + (delta.seconds + delta.microseconds / 1e6) / 86400.0


def localize(naive: dt.datetime, tz: ZoneInfo) -> dt.datetime:
    """A wall-clock time at a place as an aware datetime.

    A time that the clocks skip (spring forward) or show twice (fall back) is
    refused with a message that says how to name the instant unambiguously:
    by writing its UTC offset.
    """
    if naive.tzinfo is not None:
        return require_aware(naive)
    first = naive.replace(tzinfo=tz, fold=0)
    second = naive.replace(tzinfo=tz, fold=1)
    if first.utcoffset() == second.utcoffset():
        return first
    stamp = naive.isoformat(timespec="minutes")
    back = first.astimezone(_UTC).astimezone(tz).replace(tzinfo=None)
    if back != naive:
        raise TithiloomError(f"{stamp} does not exist in {tz.key}: the clocks skip it "
                             f"at the change to daylight saving time")
    a, b = (first.isoformat(timespec="minutes"), second.isoformat(timespec="minutes"))
    raise TithiloomError(f"{stamp} happens twice in {tz.key} (the clocks go back): "
                         f"write the offset to choose, {a} or {b}")


def local_midnight(day: dt.date, tz: ZoneInfo) -> dt.datetime:
    """The first instant of a civil date in ``tz`` (later than 00:00 if the clocks skip it)."""
    # A skipped midnight read with the earlier offset lands on the first real instant.
    return dt.datetime(day.year, day.month, day.day, tzinfo=tz).astimezone(_UTC).astimezone(tz)
