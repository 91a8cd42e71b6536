"""Hindu almanac (panchang) computations for any date and any place on Earth.

>>> import datetime as dt, tithiloom
>>> ujjain = tithiloom.Place.named("Ujjain")
>>> today = tithiloom.day(dt.date(2026, 4, 14), ujjain)
>>> today.tithi.name, today.sunrise.isoformat(timespec="minutes")  # doctest: +SKIP
"""

from tithiloom import _core
from tithiloom.api import (at, choghadiya, day, days, ekadashis, festivals, lagna, lagna_windows,
                           lunar_months, muhurat, sankrantis, shraddha, shraddha_timeline, vrats)
from tithiloom.errors import RuleError, TithiloomError, UnknownPlace
from tithiloom.places import Place
from tithiloom.results import (Alternate, Choghadiya, Day, Ekadashi, Festival, Instant, Karana,
                               Lagna, LagnaWindow, LunarMonth, Muhurat, Nakshatra, Sankranti,
                               Shraddha, ShraddhaTimeline, Tithi, TithiDay, Vara, Vrat, Window,
                               Yoga)

__version__ = "0.1.0"

__all__ = [
    "Alternate", "Choghadiya", "Day", "Ekadashi", "Festival", "Instant", "Karana", "Lagna",
    "LagnaWindow", "LunarMonth", "Muhurat", "Nakshatra", "Place", "RuleError", "Sankranti",
    "Shraddha", "ShraddhaTimeline", "Tithi", "TithiDay", "TithiloomError", "UnknownPlace",
    "Vara", "Vrat", "Window", "Yoga", "_core", "at", "choghadiya", "day", "days", "ekadashis",
    "festivals", "lagna", "lagna_windows", "lunar_months", "muhurat", "sankrantis", "shraddha",
    "shraddha_timeline", "vrats",
]
