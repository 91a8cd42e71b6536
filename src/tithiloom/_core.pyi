"""Type stubs for the native core of tithiloom.

The module is thread-safe: every function may be called from any number of
Python threads at once, and each releases the interpreter lock while it
computes, so other threads run meanwhile. The batch functions,
`py_compute_panchanga_at_jds`, the festival, Ekadashi and vrat functions and
the shraddha functions spread their independent parts (days, instants,
definitions, lunar months, years) over worker threads (the machine's hardware
concurrency, capped by the environment variable TITHILOOM_THREADS; 1 keeps
them on the calling thread); results and errors are the same, to the bit,
whatever the number of threads. A computation keeps the ephemeris settings it
started with: `py_init` or `py_close` on another thread meanwhile does not
change its results.
"""

from collections.abc import Sequence
from typing import Any, Final, NotRequired, TypedDict

__all__: list[str]

PLANET_SUN: Final[int]
PLANET_MOON: Final[int]
PLANET_MERCURY: Final[int]
PLANET_VENUS: Final[int]
PLANET_MARS: Final[int]
PLANET_JUPITER: Final[int]
PLANET_SATURN: Final[int]
PLANET_RAHU: Final[int]
PLANET_KETU: Final[int]

class InternalFault(BaseException):
    """A broken invariant inside the native core."""

class SunData(TypedDict):
    sunrise_jd: float
    sunset_jd: float
    day_duration_hours: float

class TimeWindowDict(TypedDict):
    name: str
    start_jd: float
    end_jd: float
    is_auspicious: bool

def py_init(ephe_path: str | None = None) -> None: ...
def py_close() -> None: ...
def py_datetime_to_jd(year: int, month: int, day: int, hour: int, min: int, sec: float) -> float: ...
def py_jd_to_datetime(jd: float) -> tuple[int, int, int, int, int, int, int]: ...
def py_tropical_longitude(jd: float, planet_id: int) -> float: ...
def py_sidereal_longitude(jd: float, planet_id: int) -> float: ...
def py_ayanamsa(jd: float) -> float: ...
def py_planet_speed(jd: float, planet_id: int) -> float: ...
def py_sunrise_jd(jd_start: float, lat: float, lng: float, alt: float) -> float: ...
def py_sunset_jd(jd_noon: float, lat: float, lng: float, alt: float) -> float: ...
def py_compute_sun_data(
    year: int, month: int, day: int, lat: float, lng: float, alt: float, utc_offset_seconds: int
) -> SunData: ...

class LagnaDict(TypedDict):
    ascendant_longitude: float
    rashi: int
    rashi_name: str
    degree_in_rashi: float
    mc_longitude: float
    bhava_cusps: list[float]
    ayanamsa: float
    house_system: str

class LagnaWindowDict(TypedDict):
    rashi: int
    rashi_name: str
    start_jd: float
    end_jd: float

class MuhuratWindows(TypedDict):
    rahu_kalam: TimeWindowDict
    yama_gandam: TimeWindowDict
    gulika_kalam: TimeWindowDict
    abhijit_muhurat: TimeWindowDict

def py_compute_lagna(jd: float, lat: float, lng: float, system: str = "P") -> LagnaDict: ...
def py_compute_lagna_windows(jd_start: float, lat: float, lng: float) -> list[LagnaWindowDict]: ...
def py_compute_muhurat(
    weekday: int, sunrise_jd: float, day_duration_hours: float
) -> MuhuratWindows: ...
def py_compute_choghadiya(
    weekday: int, sunrise_jd: float, sunset_jd: float, day_duration_hours: float
) -> list[TimeWindowDict]: ...

class SankrantiDict(TypedDict):
    index: int
    name: str
    rashi: str
    target_longitude: float
    jd: float
    year: int
    month: int
    day: int

class LunarMonthDict(TypedDict):
    number: int
    name: str
    is_adhik: bool
    is_kshaya: bool
    start_jd: float
    end_jd: float

def py_compute_sankrantis(year: int, utc_offset: int = 0) -> list[SankrantiDict]: ...
def py_compute_lunar_months(year: int, system: str = "amant") -> list[LunarMonthDict]: ...
class AlternateObservanceDict(TypedDict):
    year: int
    month: int
    day: int
    sunrise_jd: float
    priority: str
    reasoning: str

class FestivalOccurrenceDict(TypedDict):
    festival_id: str
    festival_name: str
    year: int
    month: int
    day: int
    sunrise_jd: float
    tithi_at_sunrise: int
    lunar_month_name: str
    is_adhik_month: bool
    reasoning: str
    priority_applied: str
    kaala_applied: str
    alternate: AlternateObservanceDict | None
    margin_minutes: NotRequired[float]  # _festivals under the almanac convention; NaN: none
    moonrise_jd: NotRequired[float]  # likewise; NaN but for a moonrise rule
    muhurta_start_jd: NotRequired[float]  # likewise, for vyapti: the rite's time; NaN: none
    muhurta_end_jd: NotRequired[float]

def py_compute_festivals(
    festival_defs: list[dict[str, Any]],
    year: int,
    lat: float,
    lng: float,
    alt: float,
    utc_offset: int,
    calendar_system: str | None = None,
) -> list[FestivalOccurrenceDict]: ...

class EkadashiDict(TypedDict):
    name: str
    lunar_month: int
    lunar_month_name: str
    is_adhik: bool
    paksha: str
    smartha_year: int
    smartha_month: int
    smartha_day: int
    smartha_sunrise_jd: float
    vaishnava_year: int
    vaishnava_month: int
    vaishnava_day: int
    vaishnava_sunrise_jd: float
    reasoning: str
    # _ekadashis under the almanac convention: when each fast is broken (NaN: no window)
    smartha_parana_start_jd: NotRequired[float]
    smartha_parana_end_jd: NotRequired[float]
    vaishnava_parana_start_jd: NotRequired[float]
    vaishnava_parana_end_jd: NotRequired[float]

def py_compute_ekadashis(
    ekadashi_defs: list[dict[str, Any]],
    year: int,
    lat: float,
    lng: float,
    alt: float,
    utc_offset: int,
) -> list[EkadashiDict]: ...

class VratDict(TypedDict):
    vrat_type: str
    name: str
    year: int
    month: int
    day: int
    sunrise_jd: float
    lunar_month_name: str
    paksha: str
    reasoning: NotRequired[str]  # _vrat_dates under the almanac convention
    muhurta_start_jd: NotRequired[float]  # likewise, for vyapti: the rite's time; NaN: none
    muhurta_end_jd: NotRequired[float]

def py_compute_vrat_dates(
    year: int, lat: float, lng: float, alt: float, utc_offset: int
) -> list[VratDict]: ...
def py_era_year(gregorian_year: int, offset: int, new_year_passed: bool) -> int: ...

class ShraddhaDict(TypedDict):
    tithi: int
    lunar_month: int
    lunar_month_name: str
    year: int
    month: int
    day: int
    sunrise_jd: float
    reasoning: str

def py_compute_shraddha(
    death_year: int,
    death_month: int,
    death_day: int,
    target_year: int,
    lat: float,
    lng: float,
    alt: float,
    utc_offset: int,
) -> ShraddhaDict | None: ...

class TithiOccurrenceDict(TypedDict):
    date: str
    tithi_name: str
    tithi_number: int
    paksha: str
    nakshatra_name: str
    masa: str
    vara: str

class ShraddhaTimelineDict(TypedDict):
    death_date: str
    death_tithi: str
    death_tithi_number: int
    death_paksha: str
    death_nakshatra: str
    death_masa: str
    teesra: str
    dashamam: str
    terahvin: str
    monthly_shraddhas: list[TithiOccurrenceDict]
    annual_shraddhas: list[TithiOccurrenceDict]
    pitru_paksha_dates: list[TithiOccurrenceDict]

def py_compute_shraddha_timeline(
    death_year: int,
    death_month: int,
    death_day: int,
    lat: float,
    lng: float,
    alt: float,
    utc_offset: int,
    monthly_count: int,
    annual_years: int,
    pitru_paksha_years: int,
) -> ShraddhaTimelineDict: ...
def py_jovian_cycle_index(gregorian_year: int, epoch_year: int) -> int: ...

class SunDataDict(TypedDict):
    sunrise_jd: float
    sunset_jd: float
    day_duration_hours: float

class VaraDict(TypedDict):
    number: int
    name: str
    english: str

class TithiDict(TypedDict):
    number: int
    name: str
    paksha: str
    start_jd: float
    end_jd: float

class NakshatraDict(TypedDict):
    number: int
    name: str
    pada: int
    lord: str
    start_jd: float
    end_jd: float

class YogaDict(TypedDict):
    number: int
    name: str
    start_jd: float
    end_jd: float

class KaranaDict(TypedDict):
    number: int
    name: str
    start_jd: float
    end_jd: float

class PanchangDict(TypedDict):
    sun: SunDataDict
    vara: VaraDict
    tithi: TithiDict
    nakshatra: NakshatraDict
    yoga: YogaDict
    karana: KaranaDict

class FollowingLimbDict(TypedDict):
    number: int
    name: str
    lord: NotRequired[str]  # a nakshatra's
    start_jd: float
    end_jd: float

class MoonDayDict(TypedDict):
    moonrise_jd: float
    moonset_jd: float
    rashi: int
    rashi_name: str
    rashi_end_jd: float
    next_tithi: FollowingLimbDict
    next_nakshatra: FollowingLimbDict
    next_yoga: FollowingLimbDict

class ClockedPanchangDict(PanchangDict):
    moon: MoonDayDict

class InstantTithiDict(TypedDict):
    number: int
    name: str
    paksha: str

class InstantNakshatraDict(TypedDict):
    number: int
    name: str
    pada: int

class NamedNumberDict(TypedDict):
    number: int
    name: str

class PanchangaAtJdDict(TypedDict):
    tithi: InstantTithiDict
    nakshatra: InstantNakshatraDict
    yoga: NamedNumberDict
    karana: NamedNumberDict

class BatchNakshatraDict(TypedDict):
    number: int
    name: str
    pada: int
    lord: str

class BatchDayDict(TypedDict):
    year: int
    month: int
    day: int
    sun: SunDataDict
    vara: VaraDict
    tithi: InstantTithiDict
    nakshatra: BatchNakshatraDict
    yoga: NamedNumberDict
    karana: NamedNumberDict

def py_compute_panchang(
    year: int,
    month: int,
    day: int,
    lat: float,
    lng: float,
    alt: float,
    utc_offset_seconds: int,
    weekday: int,
) -> PanchangDict: ...
def py_compute_panchanga_at_jds(jds: Sequence[float]) -> list[PanchangaAtJdDict]: ...
def py_compute_batch_year(
    year: int, lat: float, lng: float, alt: float, utc_offset: int
) -> list[BatchDayDict]: ...
def py_compute_batch_range(
    start_year: int,
    start_month: int,
    start_day: int,
    end_year: int,
    end_month: int,
    end_day: int,
    lat: float,
    lng: float,
    alt: float,
    utc_offset: int,
) -> list[BatchDayDict]: ...

# The package's private twins of the functions that take a UTC offset: the
# same, with the place's clock, (from_jd, offset_seconds) shifts in
# increasing order, in its place.
Clock = Sequence[tuple[float, int]]

def _sun_data(
    year: int, month: int, day: int, lat: float, lng: float, alt: float, clock: Clock,
    convention: str = "core",
) -> SunData: ...
def _panchang(
    year: int, month: int, day: int, lat: float, lng: float, alt: float, clock: Clock,
    weekday: int, convention: str = "core",
) -> ClockedPanchangDict: ...
def _festivals(
    festival_defs: list[dict[str, Any]], year: int, lat: float, lng: float, alt: float,
    clock: Clock, calendar_system: str | None = None, convention: str = "core",
) -> list[FestivalOccurrenceDict]: ...
def _ekadashis(
    ekadashi_defs: list[dict[str, Any]], year: int, lat: float, lng: float, alt: float,
    clock: Clock, convention: str = "core",
) -> list[EkadashiDict]: ...
def _vrat_dates(
    year: int, lat: float, lng: float, alt: float, clock: Clock, convention: str = "core",
    vrat_defs: list[dict[str, Any]] | None = None, between: Sequence[float] = (),
) -> list[VratDict]: ...
def _batch_range(
    start_year: int, start_month: int, start_day: int, end_year: int, end_month: int,
    end_day: int, lat: float, lng: float, alt: float, clock: Clock, convention: str = "core",
) -> list[BatchDayDict]: ...
class TimedDayDict(PanchangDict):  # (its date's keys come first)
    year: int
    month: int
    day: int
    moon: NotRequired[MoonDayDict]  # with moon=True

# The days of _batch_range with every transition time: under "almanac" each
# boundary is found once and shared by the two days it separates, under
# "core" each day's own search gives _panchang's times.
def _timed_range(
    start_year: int, start_month: int, start_day: int, end_year: int, end_month: int,
    end_day: int, lat: float, lng: float, alt: float, clock: Clock, convention: str = "core",
    moon: bool = False,
) -> list[TimedDayDict]: ...

class LimbBoundariesDict(TypedDict):
    tithi: list[tuple[float, int]]
    karana: list[tuple[float, int]]
    nakshatra: list[tuple[float, int]]
    yoga: list[tuple[float, int]]
    moon_rashi: list[tuple[float, int]]

# Every boundary between two instants as (jd, the 0-based index it leads to),
# each list in time order; the Moon's rashi is sidereal (0 = Mesha).
def _limb_boundaries(from_jd: float, to_jd: float) -> LimbBoundariesDict: ...
# py_compute_lagna_windows with a window for every sign that rises, however
# briefly: a scan step that passes several boundaries is searched for each.
def _lagna_windows(jd_start: float, lat: float, lng: float) -> list[LagnaWindowDict]: ...
def _shraddha(
    death_year: int, death_month: int, death_day: int, target_year: int, lat: float, lng: float,
    alt: float, clock: Clock, convention: str = "core",
) -> ShraddhaDict | None: ...
def _shraddha_timeline(
    death_year: int, death_month: int, death_day: int, lat: float, lng: float, alt: float,
    clock: Clock, monthly_count: int, annual_years: int, pitru_paksha_years: int,
    convention: str = "core",
) -> ShraddhaTimelineDict: ...

# The core's rule tables, which the package reads instead of holding copies.
class AlmanacVocabularyDict(TypedDict):
    rules: tuple[str, ...]  # the rules only the almanac convention reads
    labels: dict[str, tuple[str, ...]]  # by rule key: every label it reads

class VocabularyDict(TypedDict):
    rules: tuple[str, ...]
    labels: dict[str, tuple[str, ...]]  # by rule key: every label the engine reads
    almanac: AlmanacVocabularyDict
    vyapti_priorities: tuple[str, ...]
    ranges: dict[str, tuple[int, int]]  # by integer key: lowest and highest value
    month_anchors: tuple[int, ...]  # by lunar month - 1: the anchoring sankranti's index
    days_before_anchor: int
    days_after_anchor: int
    purnimant_month_names: dict[str, str]  # amant month -> the purnimant one of its dark half
    house_systems: dict[str, str]  # name -> letter
    close_call_minutes: float  # a day decided by this margin or less is a close call

def _vocabulary() -> VocabularyDict: ...
