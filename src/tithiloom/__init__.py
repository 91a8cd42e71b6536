"""Hindu almanac (panchang) computations for any date and any place on Earth.

>>> import datetime as dt, tithiloom
>>> ujjain = tithiloom.Place.named("Ujjain")
>>> today = tithiloom.day(dt.date(2026, 4, 14), ujjain)
>>> today.tithi.name, today.sunrise.isoformat(timespec="minutes")  # doctest: +SKIP

The functions and types below are loaded on first use, so that ``import
tithiloom`` stays quick for programs (and the command line) that need few.
"""

from __future__ import annotations

from importlib import import_module
from typing import TYPE_CHECKING, Any

from tithiloom import _core
from tithiloom.errors import RuleError, TithiloomError, UnknownFestival, UnknownPlace

if TYPE_CHECKING:
    from tithiloom.api import (at, choghadiya, day, days, ekadashis, festivals, iter_days,
                               lagna, lagna_windows, lunar_months, muhurat, sankrantis,
                               shraddha, shraddha_timeline, vrats)
    from tithiloom.finder import find
    from tithiloom.places import Place
    from tithiloom.results import (Alternate, Choghadiya, Day, Ekadashi, Festival, HinduDate,
                                   Instant, Karana, Lagna, LagnaWindow, LunarMonth, Moon,
                                   Muhurat, Nakshatra, Sankranti, Shraddha, ShraddhaTimeline,
                                   Tithi, TithiDay, Vara, Vrat, Window, Yoga)

__version__ = "0.1.0"

_FUNCTIONS = ("at", "choghadiya", "day", "days", "ekadashis", "festivals", "iter_days", "lagna",
              "lagna_windows", "lunar_months", "muhurat", "sankrantis", "shraddha",
              "shraddha_timeline", "vrats")
_TYPES = ("Alternate", "Choghadiya", "Day", "Ekadashi", "Festival", "HinduDate", "Instant",
          "Karana", "Lagna", "LagnaWindow", "LunarMonth", "Moon", "Muhurat", "Nakshatra",
          "Sankranti", "Shraddha", "ShraddhaTimeline", "Tithi", "TithiDay", "Vara", "Vrat",
          "Window", "Yoga")
_HOME = {**{n: "tithiloom.api" for n in _FUNCTIONS}, **{n: "tithiloom.results" for n in _TYPES},
         "Place": "tithiloom.places", "find": "tithiloom.finder"}

__all__ = sorted([*_HOME, "RuleError", "TithiloomError", "UnknownFestival", "UnknownPlace",
                  "_core"])


def __getattr__(name: str) -> Any:
    home = _HOME.get(name)
    if home is None:
        raise AttributeError(f"module 'tithiloom' has no attribute {name!r}")
    value = getattr(import_module(home), name)
    globals()[name] = value
    return value


def __dir__() -> list[str]:
    return __all__
