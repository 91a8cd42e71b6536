"""Places: coordinates, altitude and time zone, and the built-in gazetteer."""

from __future__ import annotations

import datetime as dt
import difflib
import math
import re
import unicodedata
from dataclasses import dataclass, field
from functools import lru_cache
from importlib import resources
from typing import Any
from zoneinfo import ZoneInfo

from tithiloom import zones
from tithiloom.errors import TithiloomError, UnknownPlace
from tithiloom.zonefinder import zone_at

DEFAULT_PLACE = "New Delhi"


@dataclass(frozen=True, slots=True)
class Place:
    """A place on Earth with the civil clock kept there.

    ``latitude`` is in degrees north, ``longitude`` in degrees east, ``altitude_m``
    in metres above sea level and ``timezone`` an IANA zone name such as
    ``"Asia/Kolkata"``; left out (or empty), it is the zone whose area holds the
    coordinates, found offline.  Impossible values raise :class:`TithiloomError`.
    """

    name: str
    latitude: float
    longitude: float
    altitude_m: float = 0.0
    timezone: str = ""
    country: str = field(default="", compare=False)
    aliases: tuple[str, ...] = field(default=(), compare=False, repr=False)

    def __post_init__(self) -> None:
        for label, value, limit in (("latitude", self.latitude, 90.0),
                                    ("longitude", self.longitude, 180.0)):
            if isinstance(value, bool) or not isinstance(value, (int, float)):
                raise TithiloomError(f"{label} of {self.name!r} must be a number, got {value!r}")
            if not math.isfinite(value) or abs(value) > limit:
                raise TithiloomError(f"{label} of {self.name!r} must lie in "
                                     f"[-{limit:g}, {limit:g}], got {value!r}")
        alt = self.altitude_m
        if isinstance(alt, bool) or not isinstance(alt, (int, float)) or not math.isfinite(alt) \
                or not -500.0 <= alt <= 9000.0:
            raise TithiloomError(f"altitude of {self.name!r} must be metres in [-500, 9000], "
                                 f"got {alt!r}")
        if not self.timezone:
            # A place's clock is the one kept there, not UTC: coordinates alone
            # name it.  (Set on the frozen instance once, while it is built.)
            object.__setattr__(self, "timezone", zone_at(self.latitude, self.longitude))
        zones.zone(self.timezone)  # refuses an unknown zone now, not at first use

    @property
    def zone(self) -> ZoneInfo:
        """The place's time zone."""
        return zones.zone(self.timezone)

    def offset_on(self, day: dt.date) -> int:
        """Seconds east of UTC that the place's clocks show on ``day`` (at noon)."""
        return zones.offset_seconds(self.zone, day)

    def localize(self, naive: dt.datetime) -> dt.datetime:
        """A wall-clock time here as an aware datetime (refuses skipped or doubled times)."""
        return zones.localize(naive, self.zone)

    def label(self) -> str:
        """The name with the coordinates, as shown in headings."""
        ns = "N" if self.latitude >= 0 else "S"
        ew = "E" if self.longitude >= 0 else "W"
        return (f"{self.name} ({abs(self.latitude):.4f}°{ns}, {abs(self.longitude):.4f}°{ew}, "
                f"{self.altitude_m:g} m, {self.timezone})")

    @classmethod
    def named(cls, name: str) -> Place:
        """The gazetteer place of that name or alias, ignoring case and accents.

        An unknown name raises :class:`UnknownPlace`, whose message lists close matches.
        """
        return lookup(name)


# Letters that carry no separable accent in Unicode, spelled as people type them.
_PLAIN = str.maketrans({"ø": "o", "Ø": "o", "æ": "ae", "Æ": "ae", "ß": "ss", "ł": "l",
                        "Ł": "l", "đ": "d", "Đ": "d", "ı": "i"})


def _key(text: str) -> str:
    """A name folded for comparison: no accents, no case, single spaces."""
    plain = "".join(c for c in unicodedata.normalize("NFKD", text.translate(_PLAIN))
                    if not unicodedata.combining(c))
    return re.sub(r"[\s,._-]+", " ", plain.casefold()).strip()


@lru_cache(maxsize=1)
def gazetteer() -> tuple[Place, ...]:
    """Every built-in place, in file order (read once, on first use)."""
    import yaml  # deferred: only commands that name a place pay for it

    text = resources.files("tithiloom").joinpath("data/places.yaml").read_text(encoding="utf-8")
    loader = getattr(yaml, "CSafeLoader", yaml.SafeLoader)
    entries: Any = yaml.load(text, Loader=loader)
    places = []
    for i, e in enumerate(entries, 1):
        try:
            places.append(Place(str(e["name"]), float(e["lat"]), float(e["lng"]), float(e["alt"]),
                                str(e["tz"]), str(e.get("country", "")),
                                tuple(str(a) for a in e.get("aliases", ()))))
        except (KeyError, TypeError, ValueError) as err:
            raise TithiloomError(f"places.yaml: entry {i}: {err}") from err
    return tuple(places)


@lru_cache(maxsize=1)
def _index() -> dict[str, Place]:
    index: dict[str, Place] = {}
    for p in gazetteer():
        for n in (p.name, *p.aliases):
            index.setdefault(_key(n), p)
    return index


def lookup(name: str) -> Place:
    """The gazetteer place called ``name`` (see :meth:`Place.named`)."""
    index = _index()
    found = index.get(_key(name))
    if found is not None:
        return found
    return _unknown(name, index)


def _unknown(name: str, index: dict[str, Place]) -> Place:
    key = _key(name)
    close = difflib.get_close_matches(key, index.keys(), n=5, cutoff=0.6)
    close += [k for k in index if key and key in k and k not in close]
    names = list(dict.fromkeys(index[k].name for k in close))[:5]
    hint = f"; close matches: {', '.join(names)}" if names else ""
    raise UnknownPlace(f"unknown place {name!r}{hint} (`tithiloom places` lists them all, "
                       f"or give --lat/--lng/--tz)")


def search(query: str = "") -> list[Place]:
    """Places whose name, alias or country contains ``query`` (all places if empty)."""
    key = _key(query)
    return [p for p in gazetteer()
            if not key or any(key in _key(n) for n in (p.name, *p.aliases, p.country))]
