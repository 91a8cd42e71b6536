"""Time zones: the UTC offset in force on a date, and instants as Julian Days.

The native core reads a place's clock as a table of the UTC offsets in force
from given instants on, built here from the IANA zone for the dates a call
needs; every instant is shown with the offset in force at that instant.
"""

from __future__ import annotations

import datetime as dt
import math
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
    except (ZoneInfoNotFoundError, ValueError, OSError) as e:  # OSError: a name too long
        raise TithiloomError(f"unknown time zone {name[:80]!r} (use an IANA name such as "
                             f"'Asia/Kolkata' or 'America/New_York')") from e


def offset_seconds(tz: dt.tzinfo, day: dt.date) -> int:
    """Seconds east of UTC in force at local noon of ``day`` in ``tz``."""
    off = dt.datetime(day.year, day.month, day.day, 12, tzinfo=tz).utcoffset()
    assert off is not None
    return int(off.total_seconds())


Clock = tuple[tuple[float, int], ...]
# The clock is sampled weekly: no zone changes its offset and changes it back
# within a week.
_SAMPLE_S = 7 * 86400


# The days whose every instant has a local date that datetime can hold.
_FIRST_DAY, _LAST_DAY = dt.date(1, 1, 2), dt.date(9999, 12, 30)


def _offset_at(tz: dt.tzinfo, unix_s: int) -> int:
    off = dt.datetime.fromtimestamp(unix_s, tz).utcoffset()
    assert off is not None
    return int(off.total_seconds())


def _first_change(tz: dt.tzinfo, lo: int, hi: int, offset: int) -> int:
    """The first second in (lo, hi] at which ``tz`` no longer shows ``offset`` (which it
    shows at lo and not at hi)."""
    while hi - lo > 1:
        mid = (lo + hi) // 2
        if _offset_at(tz, mid) == offset:
            lo = mid
        else:
            hi = mid
    return hi


def _unix_s(day: dt.date) -> int:
    return (day - _EPOCH.date()).days * 86400


def _padded(spans: tuple[tuple[dt.date, dt.date], ...]) -> list[tuple[int, int]]:
    """The spans widened by two days, merged where they meet, in Unix seconds."""
    merged: list[tuple[int, int]] = []
    for first, last in sorted(s for s in spans if s[0] <= s[1]):
        lo = _unix_s(max(first - 2 * _DAY, _FIRST_DAY))
        hi = _unix_s(min(last + 2 * _DAY, _LAST_DAY))
        if merged and lo <= merged[-1][1]:
            merged[-1] = (merged[-1][0], max(hi, merged[-1][1]))
        else:
            merged.append((lo, hi))
    return merged


@lru_cache(maxsize=256)
def clock(tz: dt.tzinfo, spans: tuple[tuple[dt.date, dt.date], ...]) -> Clock:
    """The place's clock for the core: (Julian Day from which it holds, UTC offset in
    seconds), in increasing order, exact within two days of each span of dates.

    The first offset also holds before its instant; between spans the table
    holds whatever offset came last, as no computation reads it there.
    """
    shifts: list[tuple[float, int]] = []

    def shift(unix_s: int, offset: int) -> None:
        if not shifts:
            shifts.append((-math.inf, offset))
        elif shifts[-1][1] != offset:
            shifts.append((UNIX_EPOCH_JD + unix_s / 86400.0, offset))

    for lo, end in _padded(spans):
        before = _offset_at(tz, lo)
        shift(lo, before)
        while lo < end:
            hi = min(lo + _SAMPLE_S, end)
            if _offset_at(tz, hi) == before:
                lo = hi
                continue
            lo = _first_change(tz, lo, hi, before)
            before = _offset_at(tz, lo)
            shift(lo, before)
    return tuple(shifts)


def from_jd(jd: float, tz: dt.tzinfo) -> dt.datetime:
    """The instant of a Julian Day (UT) as an aware datetime in ``tz``.

    The instant is rounded to the millisecond (a Julian Day near 2.5 million
    carries about 40 microseconds of noise) and then cut to the whole second, so
    that its hour and minute are those the core writes into its texts.
    """
    if jd != jd:  # NaN: an instant that does not exist (no sunrise)
        raise TithiloomError("the sun does not rise or set on this day at this place")
    ms = round((jd - UNIX_EPOCH_JD) * 86_400_000)
    return dt.datetime.fromtimestamp(ms // 1000, tz)


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
