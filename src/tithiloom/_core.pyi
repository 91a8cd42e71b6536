"""Type stubs for the native core of tithiloom."""

from collections.abc import Sequence
from typing import Final, TypedDict

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
