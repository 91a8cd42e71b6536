"""Result types: frozen records whose times are aware datetimes in the place's zone.

Every record has ``to_dict()``, which gives JSON-ready values: ISO 8601 strings
for dates and times, lists for tuples, nested dicts for nested records.
"""

from __future__ import annotations

import datetime as dt
from dataclasses import dataclass, fields
from typing import Any

from tithiloom import _core

# A day decided by this many minutes or fewer is one almanacs may differ on.
CLOSE_CALL_MINUTES: float = _core._vocabulary()["close_call_minutes"]


def _plain(value: Any) -> Any:
    if isinstance(value, (dt.date, dt.datetime)):
        return value.isoformat()
    if isinstance(value, Record):
        return value.to_dict()
    if isinstance(value, (tuple, list)):
        return [_plain(v) for v in value]
    return value


class Record:
    """Base of the result records (adds ``to_dict``)."""

    __slots__ = ()

    def to_dict(self) -> dict[str, Any]:
        """The record as JSON-ready values (ISO 8601 strings for times)."""
        return {f.name: _plain(getattr(self, f.name)) for f in fields(self)}  # type: ignore[arg-type]


@dataclass(frozen=True, slots=True)
class Window(Record):
    """A named span of a day."""

    name: str
    start: dt.datetime
    end: dt.datetime
    auspicious: bool


@dataclass(frozen=True, slots=True)
class Muhurat(Record):
    """The weekday windows of a daytime."""

    rahu_kalam: Window
    yama_gandam: Window
    gulika_kalam: Window
    abhijit: Window

    def windows(self) -> tuple[Window, Window, Window, Window]:
        """The four windows in display order."""
        return (self.rahu_kalam, self.yama_gandam, self.gulika_kalam, self.abhijit)


@dataclass(frozen=True, slots=True)
class Choghadiya(Record):
    """The eight day periods (sunrise to sunset) and eight night periods."""

    day: tuple[Window, ...]
    night: tuple[Window, ...]


@dataclass(frozen=True, slots=True)
class Vara(Record):
    """The weekday: ``number`` 0 = Sunday."""

    number: int
    name: str
    english: str


@dataclass(frozen=True, slots=True)
class Tithi(Record):
    """Lunar day 1-30 (1-15 Shukla, 16-30 Krishna); start/end are None where not computed."""

    number: int
    name: str
    paksha: str
    start: dt.datetime | None = None
    end: dt.datetime | None = None


@dataclass(frozen=True, slots=True)
class Nakshatra(Record):
    """Lunar mansion 1-27 with its quarter (pada) and ruling planet."""

    number: int
    name: str
    pada: int
    lord: str | None = None
    start: dt.datetime | None = None
    end: dt.datetime | None = None


@dataclass(frozen=True, slots=True)
class Yoga(Record):
    """Yoga 1-27."""

    number: int
    name: str
    start: dt.datetime | None = None
    end: dt.datetime | None = None


@dataclass(frozen=True, slots=True)
class Karana(Record):
    """Half-tithi 1-11."""

    number: int
    name: str
    start: dt.datetime | None = None
    end: dt.datetime | None = None


@dataclass(frozen=True, slots=True)
class Moon(Record):
    """The Moon of a civil date: its rising and setting on the date (None when it
    does not rise, or set, that day), its sidereal sign at sunrise (``rashi``
    0 = Mesha) with the time it leaves it, and the tithi, nakshatra and yoga that
    follow those at sunrise, each with its end (None when not found)."""

    moonrise: dt.datetime | None
    moonset: dt.datetime | None
    rashi: int
    rashi_name: str
    rashi_end: dt.datetime | None
    next_tithi: Tithi
    next_nakshatra: Nakshatra
    next_yoga: Yoga


@dataclass(frozen=True, slots=True)
class HinduDate(Record):
    """A civil date as a Hindu almanac writes it, from the lunar month and tithi at
    its sunrise: the month named in ``calendar`` (amant or purnimant; ``lunar_month``
    is the amanta number, 1 = Chaitra), the Vikram and Shaka samvat years, which
    turn at the new moon that begins Chaitra, and that year's name in the
    sixty-year cycle."""

    lunar_month: int
    lunar_month_name: str
    is_adhik: bool
    calendar: str
    paksha: str
    tithi: int
    tithi_name: str
    vikram_samvat: int
    shaka_samvat: int
    samvatsara: str

    def text(self) -> str:
        """One line: "Kartika Krishna Chaturthi, Vikram Samvat 2083, Shaka 1948 (Parabhava)"."""
        tithi = self.tithi_name.split(" ", 1)[-1]
        return (f"{self.lunar_month_name} {self.paksha} {tithi}, Vikram Samvat "
                f"{self.vikram_samvat}, Shaka {self.shaka_samvat} ({self.samvatsara})")


@dataclass(frozen=True, slots=True)
class Day(Record):
    """The almanac of one civil date at one place: the limbs prevailing at its sunrise."""

    date: dt.date
    place: str
    vara: Vara
    tithi: Tithi
    nakshatra: Nakshatra
    yoga: Yoga
    karana: Karana
    sunrise: dt.datetime
    sunset: dt.datetime
    day_length_hours: float
    muhurat: Muhurat
    hindu_date: HinduDate | None = None  # None where the lunar month is not known
    moon: Moon | None = None  # given by day(), not by the batch of days()


@dataclass(frozen=True, slots=True)
class Instant(Record):
    """Tithi, nakshatra, yoga and karana at an instant."""

    instant: dt.datetime
    tithi: Tithi
    nakshatra: Nakshatra
    yoga: Yoga
    karana: Karana


@dataclass(frozen=True, slots=True)
class Sankranti(Record):
    """The Sun's entry into a sidereal sign; ``date`` is the local date of the instant."""

    index: int
    name: str
    rashi: str
    target_longitude: float
    instant: dt.datetime
    date: dt.date


@dataclass(frozen=True, slots=True)
class LunarMonth(Record):
    """A lunar month: new moon to new moon (amant) or full moon to full moon (purnimant)."""

    number: int
    name: str
    is_adhik: bool
    is_kshaya: bool
    start: dt.datetime
    end: dt.datetime


@dataclass(frozen=True, slots=True)
class Lagna(Record):
    """The sidereal ascendant and house cusps at an instant (longitudes in degrees)."""

    instant: dt.datetime
    system: str
    ascendant: float
    rashi: int
    rashi_name: str
    degree_in_rashi: float
    midheaven: float
    cusps: tuple[float, ...]
    ayanamsa: float


@dataclass(frozen=True, slots=True)
class LagnaWindow(Record):
    """A span during which one sign is rising."""

    rashi: int
    rashi_name: str
    start: dt.datetime
    end: dt.datetime


@dataclass(frozen=True, slots=True)
class Alternate(Record):
    """The day another convention would choose for an observance."""

    date: dt.date
    sunrise: dt.datetime | None
    priority: str
    reasoning: str


@dataclass(frozen=True, slots=True)
class Festival(Record):
    """A festival resolved for one year at one place, with the reason for its day."""

    id: str
    name: str
    date: dt.date
    sunrise: dt.datetime | None
    tithi_at_sunrise: int
    lunar_month_name: str
    is_adhik_month: bool
    reasoning: str
    priority: str
    kaala: str
    alternate: Alternate | None
    description: str = ""
    region: str = ""
    tradition: str = ""
    # Under the almanac convention: minutes between the boundary that decided
    # the day and the instant it was weighed against, and the moonrise of a
    # moonrise rule.
    margin_minutes: float | None = None
    moonrise: dt.datetime | None = None
    # The part of the day's kaala that the tithi holds (outside Bhadra where
    # the rule avoids it): the time of the rite, named by its kaala.
    muhurta: Window | None = None

    @property
    def close_call(self) -> bool:
        """Whether the day turns on 15 minutes or less, where almanacs may differ."""
        return self.margin_minutes is not None and self.margin_minutes <= CLOSE_CALL_MINUTES


@dataclass(frozen=True, slots=True)
class Ekadashi(Record):
    """An Ekadashi with its Smartha and Vaishnava fasting days."""

    name: str
    lunar_month: int
    lunar_month_name: str
    is_adhik: bool
    paksha: str
    smartha_date: dt.date
    smartha_sunrise: dt.datetime | None
    vaishnava_date: dt.date
    vaishnava_sunrise: dt.datetime | None
    reasoning: str
    # Under the almanac convention: when each fast is broken the next day.
    smartha_parana: Window | None = None
    vaishnava_parana: Window | None = None


@dataclass(frozen=True, slots=True)
class Vrat(Record):
    """A recurring fast day (Pradosh, Sankashti Chaturthi, Amavasya, Purnima)."""

    type: str
    name: str
    date: dt.date
    sunrise: dt.datetime | None
    lunar_month_name: str
    paksha: str
    reasoning: str = ""  # why this day, under the almanac convention
    muhurta: Window | None = None  # likewise: the time of the rite, by its kaala
    is_adhik: bool = False  # in an adhika month


@dataclass(frozen=True, slots=True)
class Shraddha(Record):
    """The death-anniversary day in one year (``lunar_month``: the amant number)."""

    date: dt.date
    sunrise: dt.datetime | None
    tithi: int
    lunar_month: int
    lunar_month_name: str
    reasoning: str


@dataclass(frozen=True, slots=True)
class TithiDay(Record):
    """One day of a shraddha timeline, described by its tithi, nakshatra and month."""

    date: dt.date
    tithi_number: int
    tithi_name: str
    paksha: str
    nakshatra: str
    masa: str
    vara: str


@dataclass(frozen=True, slots=True)
class ShraddhaTimeline(Record):
    """The rites after a death: day rites, monthly, annual and pitru-paksha shraddhas."""

    death_date: dt.date
    death_tithi: str
    death_tithi_number: int
    death_paksha: str
    death_nakshatra: str
    death_masa: str
    teesra: dt.date
    dashamam: dt.date
    terahvin: dt.date
    monthly: tuple[TithiDay, ...]
    annual: tuple[TithiDay, ...]
    pitru_paksha: tuple[TithiDay, ...]
