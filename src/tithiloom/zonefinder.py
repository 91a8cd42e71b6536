"""The time zone that holds a point on Earth, for coordinates given without one.

The boundaries come with the ``timezonefinder`` package and are read offline;
at sea the answer is the nautical zone (``Etc/GMT+5`` and the like).  The
finder is loaded on first use: it takes half a second, which only calls that
give coordinates without a zone pay.
"""

from __future__ import annotations

from functools import lru_cache
from typing import Any

from tithiloom.errors import TithiloomError


@lru_cache(maxsize=1)
def _finder() -> Any:
    try:
        from timezonefinder import TimezoneFinder
    except ImportError as e:  # a declared dependency, but an install may lack it
        raise TithiloomError("no time zone given and the timezonefinder package that finds "
                             "one is not installed: give the zone (an IANA name)") from e
    return TimezoneFinder()


@lru_cache(maxsize=1024)
def zone_at(latitude: float, longitude: float) -> str:
    """The IANA name of the zone whose area holds the point."""
    found = _finder().timezone_at(lng=float(longitude), lat=float(latitude))
    if not found:
        raise TithiloomError(f"no time zone is known at {latitude:g}, {longitude:g}: "
                             f"give one (an IANA name)")
    return str(found)
