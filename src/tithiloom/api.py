"""The almanac functions: dates and places in, frozen records with aware datetimes out.

Each function makes one native call and hands the core the place's clock
for the dates it asks about (see :func:`zones.clock`), so every date is the
local civil date and every time, also in reasoning texts, the wall clock.
"""

from __future__ import annotations

import datetime as dt
import math
from collections.abc import Callable, Iterable, Iterator, Mapping
from functools import lru_cache
from typing import Any, TypeVar

from tithiloom import _core, hindu_date as hindu, rules as rulefiles, zones
from tithiloom.errors import TithiloomError
from tithiloom.places import Place
from tithiloom.results import (Alternate, Choghadiya, Day, Ekadashi, Festival, Instant, Karana,
                               Lagna, LagnaWindow, LunarMonth, Moon, Muhurat, Nakshatra, Sankranti,
                               Shraddha, ShraddhaTimeline, Tithi, TithiDay, Vara, Vrat, Window,
                               Yoga)

T = TypeVar("T")
FIRST_YEAR, LAST_YEAR = 1, 3000  # Python dates start at year 1; the ephemeris ends near 3000
_VOCABULARY = _core._vocabulary()
# The core's house systems by name and by letter (either case), and other names for them.
_LETTERS = _VOCABULARY["house_systems"]
HOUSE_SYSTEMS = {**_LETTERS, **{letter.lower(): letter for letter in _LETTERS.values()},
                 **{alias: _LETTERS[name] for alias, name in (
                     ("whole", "whole_sign"), ("whole-sign", "whole_sign"),
                     ("sripati", "porphyry"))}}
CALENDARS = {"amant": "amant", "amanta": "amant", "purnimant": "purnimant",
             "purnimanta": "purnimant"}


def _call(fn: Callable[..., T], *args: Any) -> T:
    """Run a core function; its refusals become :class:`TithiloomError`."""
    try:
        return fn(*args)
    except (ValueError, OverflowError) as e:
        raise TithiloomError(str(e)) from e


def _year(year: int) -> int:
    if isinstance(year, bool) or not isinstance(year, int):
        raise TithiloomError(f"year must be a whole number, got {year!r}")
    if not FIRST_YEAR <= year <= LAST_YEAR:
        raise TithiloomError(f"year must lie in {FIRST_YEAR}-{LAST_YEAR}, got {year}")
    return year


def _date(value: dt.date, place: Place, what: str = "date") -> dt.date:
    if isinstance(value, dt.datetime):
        return zones.require_aware(value, what).astimezone(place.zone).date()
    if not isinstance(value, dt.date):
        raise TithiloomError(f"{what} must be a datetime.date, got {type(value).__name__}")
    _year(value.year)
    return value


def _convention(convention: str) -> str:
    if convention not in rulefiles.CONVENTIONS:
        raise TithiloomError(f"unknown convention {convention!r}; use 'almanac' (sunrise, "
                             f"sunset and rules as printed almanacs keep them) or 'core' (the "
                             f"engine's own, as tithiloom._core computes)")
    return convention


def _calendar(calendar: str) -> str:
    found = CALENDARS.get(str(calendar).lower())
    if found is None:
        raise TithiloomError(f"unknown calendar {calendar!r}; use amant or purnimant")
    return found


def weekday(day: dt.date) -> int:
    """0 = Sunday ... 6 = Saturday, the numbering of the vara."""
    return day.isoweekday() % 7


def _where(place: Place) -> tuple[float, float, float]:
    return place.latitude, place.longitude, place.altitude_m


def _clock(place: Place, *spans: tuple[dt.date, dt.date]) -> zones.Clock:
    """The place's clock around the spans of dates a call asks about."""
    return zones.clock(place.zone, spans)


def _year_clock(place: Place, year: int) -> zones.Clock:
    """The clock for a year's observances, which the core looks for in the
    lunar months around the year."""
    return _clock(place, (dt.date(max(year - 1, FIRST_YEAR), 1, 1), dt.date(year + 1, 12, 31)))


def _time(jd: float, place: Place) -> dt.datetime:
    return zones.from_jd(jd, place.zone)


def _maybe_number(x: float) -> float | None:
    return None if math.isnan(x) else x


def _maybe_time(jd: float, place: Place) -> dt.datetime | None:
    return None if math.isnan(jd) else zones.from_jd(jd, place.zone)


def _window(w: Mapping[str, Any], place: Place) -> Window:
    return Window(w["name"], _time(w["start_jd"], place), _time(w["end_jd"], place),
                  bool(w["is_auspicious"]))


def _muhurat(day: dt.date, sunrise_jd: float, hours: float, place: Place) -> Muhurat:
    m = _core.py_compute_muhurat(weekday(day), sunrise_jd, hours)
    return Muhurat(_window(m["rahu_kalam"], place), _window(m["yama_gandam"], place),
                   _window(m["gulika_kalam"], place), _window(m["abhijit_muhurat"], place))


def _limbs(raw: Mapping[str, Any], place: Place,
           timed: bool) -> tuple[Tithi, Nakshatra, Yoga, Karana]:
    def span(limb: Mapping[str, Any]) -> tuple[dt.datetime | None, dt.datetime | None]:
        if not timed:
            return None, None
        return _maybe_time(limb["start_jd"], place), _maybe_time(limb["end_jd"], place)

    t, n, y, k = raw["tithi"], raw["nakshatra"], raw["yoga"], raw["karana"]
    return (Tithi(t["number"], t["name"], t["paksha"], *span(t)),
            Nakshatra(n["number"], n["name"], n["pada"], n.get("lord"), *span(n)),
            Yoga(y["number"], y["name"], *span(y)),
            Karana(k["number"], k["name"], *span(k)))


def _moon(raw: Mapping[str, Any] | None, place: Place) -> Moon | None:
    if raw is None:
        return None
    t, n, y = raw["next_tithi"], raw["next_nakshatra"], raw["next_yoga"]

    def span(limb: Mapping[str, Any]) -> tuple[dt.datetime | None, dt.datetime | None]:
        return _maybe_time(limb["start_jd"], place), _maybe_time(limb["end_jd"], place)

    return Moon(_maybe_time(raw["moonrise_jd"], place), _maybe_time(raw["moonset_jd"], place),
                raw["rashi"], raw["rashi_name"], _maybe_time(raw["rashi_end_jd"], place),
                Tithi(t["number"], t["name"], "Shukla" if t["number"] <= 15 else "Krishna",
                      *span(t)),
                Nakshatra(n["number"], n["name"], 1, n.get("lord"), *span(n)),
                Yoga(y["number"], y["name"], *span(y)))


def _day(day: dt.date, raw: Mapping[str, Any], place: Place, timed: bool,
         calendar: str = "purnimant") -> Day:
    sun, vara, tithi = raw["sun"], raw["vara"], raw["tithi"]
    return Day(day, place.name, Vara(vara["number"], vara["name"], vara["english"]),
               *_limbs(raw, place, timed),
               sunrise=_time(sun["sunrise_jd"], place), sunset=_time(sun["sunset_jd"], place),
               day_length_hours=sun["day_duration_hours"],
               muhurat=_muhurat(day, sun["sunrise_jd"], sun["day_duration_hours"], place),
               hindu_date=hindu.hindu_date(day, sun["sunrise_jd"], tithi["number"],
                                           tithi["name"], tithi["paksha"], calendar),
               moon=_moon(raw.get("moon"), place))


def day(date: dt.date, place: Place, convention: str = "almanac",
        calendar: str = "purnimant") -> Day:
    """The five limbs of ``date`` at ``place`` with their start and end, the sun and
    muhurat, the Hindu date (months named ``calendar``: amant or purnimant) and the Moon.

    ``convention`` is "almanac" (the Sun's upper limb on the refracted horizon,
    as printed almanacs time sunrise) or "core" (the disc's centre, unrefracted);
    the Moon rises and sets by the same convention.
    Raises :class:`TithiloomError` where the sun does not rise or set that day.
    """
    d = _date(date, place)
    raw = _call(_core._panchang, d.year, d.month, d.day, *_where(place), _clock(place, (d, d)),
                weekday(d), _convention(convention))
    return _day(d, raw, place, timed=True, calendar=_calendar(calendar))


def days(start: dt.date, end: dt.date, place: Place, convention: str = "almanac",
         calendar: str = "purnimant", ends: bool = False) -> list[Day]:
    """Every day from ``start`` to ``end`` inclusive, without the Moon, and with no
    limb's start or end, except with ``ends``: then the tithi and the nakshatra
    carry the time they end (a search each, as a printed month shows them).

    Days on which the sun does not rise or set are left out.
    """
    first, last = _date(start, place, "start"), _date(end, place, "end")
    cal = _calendar(calendar)
    raw = _call(_core._batch_range, first.year, first.month, first.day, last.year, last.month,
                last.day, *_where(place), _clock(place, (first, last)), _convention(convention),
                "ends" if ends else "none")
    return [_day(_ymd(r), r, place, timed=bool(ends), calendar=cal) for r in raw]


def iter_days(start: dt.date, end: dt.date, place: Place,
              convention: str = "almanac", calendar: str = "purnimant") -> Iterator[Day]:
    """The days of :func:`days`, computed a year at a time: a range of
    centuries is never held in memory at once."""
    first, last = _date(start, place, "start"), _date(end, place, "end")
    while first <= last:
        upto = min(last, first + dt.timedelta(days=365))
        yield from days(first, upto, place, convention, calendar)
        first = upto + dt.timedelta(days=1)


def at(instants: Iterable[dt.datetime]) -> list[Instant]:
    """Tithi, nakshatra, yoga and karana at each aware datetime (in one native call)."""
    whens = [zones.require_aware(w, "instant") for w in instants]
    raw = _core.py_compute_panchanga_at_jds([zones.to_jd(w) for w in whens])
    out = []
    for when, r in zip(whens, raw):
        t, n, y, k = r["tithi"], r["nakshatra"], r["yoga"], r["karana"]
        out.append(Instant(when, Tithi(t["number"], t["name"], t["paksha"]),
                           Nakshatra(n["number"], n["name"], n["pada"]),
                           Yoga(y["number"], y["name"]), Karana(k["number"], k["name"])))
    return out


def sankrantis(year: int, place: Place) -> list[Sankranti]:
    """The twelve sidereal solar ingresses of ``year``, dated on the place's clock."""
    out = []
    for r in _call(_core.py_compute_sankrantis, _year(year), 0):
        when = _time(r["jd"], place)
        out.append(Sankranti(r["index"], r["name"], r["rashi"], r["target_longitude"],
                             when, when.date()))
    return out


def lunar_months(year: int, calendar: str = "amant",
                 place: Place | None = None) -> list[LunarMonth]:
    """The lunar months overlapping ``year``: amant (new moon to new moon) or purnimant.

    Times are in the place's zone when a place is given, else in UTC.
    """
    tz: dt.tzinfo = place.zone if place else dt.timezone.utc
    raw = _call(_core.py_compute_lunar_months, _year(year), _calendar(calendar))
    return [LunarMonth(r["number"], r["name"], r["is_adhik"], r["is_kshaya"],
                       zones.from_jd(r["start_jd"], tz), zones.from_jd(r["end_jd"], tz))
            for r in raw]


def _sun(d: dt.date, place: Place, convention: str) -> _core.SunData:
    return _call(_core._sun_data, d.year, d.month, d.day, *_where(place), _clock(place, (d, d)),
                 _convention(convention))


def muhurat(date: dt.date, place: Place, convention: str = "almanac") -> Muhurat:
    """Rahu Kalam, Yama Gandam, Gulika Kalam and Abhijit of ``date`` at ``place``."""
    d = _date(date, place)
    sun = _sun(d, place, convention)
    return _muhurat(d, sun["sunrise_jd"], sun["day_duration_hours"], place)


def choghadiya(date: dt.date, place: Place, convention: str = "almanac") -> Choghadiya:
    """The sixteen Choghadiya periods of ``date``: eight of the day, eight of the night."""
    d = _date(date, place)
    sun = _sun(d, place, convention)
    periods = [_window(w, place) for w in _core.py_compute_choghadiya(
        weekday(d), sun["sunrise_jd"], sun["sunset_jd"], sun["day_duration_hours"])]
    return Choghadiya(tuple(periods[:8]), tuple(periods[8:]))


def _system(system: str) -> str:
    letter = HOUSE_SYSTEMS.get(str(system).lower())
    if letter is None:
        raise TithiloomError(f"unknown house system {system!r}; use P (Placidus), W (whole "
                             f"sign), E (equal) or O (Porphyry/Sripati)")
    return letter


def lagna(when: dt.datetime, place: Place, system: str = "P") -> Lagna:
    """The sidereal ascendant and twelve house cusps at an aware instant."""
    jd = zones.to_jd(when)
    r = _call(_core.py_compute_lagna, jd, place.latitude, place.longitude, _system(system))
    return Lagna(when.astimezone(place.zone), r["house_system"], r["ascendant_longitude"],
                 r["rashi"], r["rashi_name"], r["degree_in_rashi"], r["mc_longitude"],
                 tuple(r["bhava_cusps"]), r["ayanamsa"])


def lagna_windows(date: dt.date, place: Place) -> list[LagnaWindow]:
    """The rising sign windows of the 24 hours from local midnight of ``date``."""
    d = _date(date, place)
    start = zones.to_jd(zones.local_midnight(d, place.zone))
    raw = _call(_core.py_compute_lagna_windows, start, place.latitude, place.longitude)
    return [LagnaWindow(r["rashi"], r["rashi_name"], _time(r["start_jd"], place),
                        _time(r["end_jd"], place)) for r in raw]


def _ymd(r: Mapping[str, Any], prefix: str = "") -> dt.date:
    return dt.date(r[prefix + "year"], r[prefix + "month"], r[prefix + "day"])


Between = tuple[dt.date, dt.date] | None


@lru_cache(maxsize=16)
def _anchors(year: int) -> tuple[dt.date, ...]:
    """Dates of the year's sankrantis, in table order (0 = Makara), on the UTC clock
    (computed once per year: each kind of observance between two dates asks)."""
    return tuple(dt.date(r["year"], r["month"], r["day"])
                 for r in _call(_core.py_compute_sankrantis, year, 0))


def _may_fall(anchor: dt.date, offset: int, between: tuple[dt.date, dt.date]) -> bool:
    """Whether an observance tied to ``anchor`` can fall between the two dates: it lies
    in the lunar month around its ingress, or in the adhika month before that."""
    first = anchor + dt.timedelta(days=offset - _VOCABULARY["days_before_anchor"])
    last = anchor + dt.timedelta(days=offset + _VOCABULARY["days_after_anchor"])
    return first <= between[1] and between[0] <= last


def _month_anchor(month: int) -> int:
    """Position in the sankranti list of the ingress inside amanta month ``month``."""
    return _VOCABULARY["month_anchors"][month - 1]


def _in(d: dt.date, between: Between) -> bool:
    return between is None or between[0] <= d <= between[1]


def festivals(year: int, place: Place, rules: rulefiles.RuleSource = None,
              calendar: str = "purnimant", between: Between = None,
              convention: str = "almanac") -> list[Festival]:
    """The festivals of ``year`` at ``place``, each with the reason for its day.

    ``rules`` is a YAML file, a list of rule dicts, or None for the shipped rules;
    ``calendar`` names months amant or purnimant (the days do not change);
    ``between`` (first, last) keeps the festivals between two dates and skips
    the rules that cannot fall there; ``convention`` "almanac" reads each rule
    as printed almanacs keep it, "core" as the engine's own rule.
    """
    y, cal, conv = _year(year), _calendar(calendar), _convention(convention)
    defs = rulefiles.under(conv, rulefiles.festival_rules(rules))
    if between is not None:
        anchors = _anchors(y)
        defs = [d for d in defs if _may_fall(
            anchors[d["sankranti_index"] if "sankranti_index" in d
                    else _month_anchor(d["lunar_month"])], d.get("day_offset", 0), between)]
    info = {d["id"]: d for d in defs}
    raw = _call(_core._festivals, defs, y, *_where(place), _year_clock(place, y), cal, conv)
    out = []
    for r in raw:
        alt = r["alternate"]
        d = info[r["festival_id"]]
        out.append(Festival(
            r["festival_id"], r["festival_name"], _ymd(r), _maybe_time(r["sunrise_jd"], place),
            r["tithi_at_sunrise"], r["lunar_month_name"], r["is_adhik_month"], r["reasoning"],
            r["priority_applied"], r["kaala_applied"],
            None if alt is None else Alternate(_ymd(alt), _maybe_time(alt["sunrise_jd"], place),
                                               alt["priority"], alt["reasoning"]),
            d.get("description") or d.get("basis", ""), d.get("region", ""),
            d.get("tradition", ""), _maybe_number(r.get("margin_minutes", math.nan)),
            _maybe_time(r.get("moonrise_jd", math.nan), place),
            _span(r, "muhurta_", r["kaala_applied"], place)))
    return [f for f in out if _in(f.date, between)]


def ekadashis(year: int, place: Place, rules: rulefiles.RuleSource = None,
              between: Between = None, convention: str = "almanac") -> list[Ekadashi]:
    """The Ekadashis of ``year`` with their Smartha and Vaishnava days.

    ``between`` (first, last) keeps those whose Smartha day lies between two
    dates and skips the months that cannot hold one.
    """
    y = _year(year)
    defs = rulefiles.ekadashi_rules(rules)
    if between is not None:
        # A month's name can return in December (Pausha): look a year either side too.
        anchors = _anchors(y)
        defs = [d for d in defs if any(
            _may_fall(anchors[_month_anchor(d["month"])] + dt.timedelta(days=shift), 0, between)
            for shift in (-365, 0, 365))]
        if not defs:
            return []
    raw = _call(_core._ekadashis, defs, y, *_where(place), _year_clock(place, y),
                _convention(convention))
    return [Ekadashi(r["name"], r["lunar_month"], r["lunar_month_name"], r["is_adhik"],
                     r["paksha"], _ymd(r, "smartha_"),
                     _maybe_time(r["smartha_sunrise_jd"], place), _ymd(r, "vaishnava_"),
                     _maybe_time(r["vaishnava_sunrise_jd"], place), r["reasoning"],
                     _span(r, "smartha_parana_", "Parana", place),
                     _span(r, "vaishnava_parana_", "Parana", place))
            for r in raw if _in(_ymd(r, "smartha_"), between)]


def _span(r: Mapping[str, Any], prefix: str, name: str, place: Place) -> Window | None:
    """The window of a record's <prefix>start_jd and <prefix>end_jd, if it has one."""
    start = r.get(f"{prefix}start_jd", math.nan)
    end = r.get(f"{prefix}end_jd", math.nan)
    if math.isnan(start) or math.isnan(end):
        return None
    return Window(name, _time(start, place), _time(end, place), True)


def vrats(year: int, place: Place, between: Between = None,
          convention: str = "almanac") -> list[Vrat]:
    """The recurring fasts of ``year``: Pradosh, Sankashti Chaturthi, Amavasya, Purnima
    (only those between two dates when ``between`` is given)."""
    y, conv = _year(year), _convention(convention)
    rules = rulefiles.vrat_rules() if conv == rulefiles.ALMANAC else None
    # Only the lunar months that can hold a day between the two dates are resolved.
    within = () if between is None else (
        zones.to_jd(zones.local_midnight(between[0], place.zone)),
        zones.to_jd(zones.local_midnight(between[1] + dt.timedelta(days=1), place.zone)))
    raw = _call(_core._vrat_dates, y, *_where(place), _year_clock(place, y), conv, rules,
                within)
    kaala = {v["name"]: str(v.get("kaala", "")) for v in rules or ()}
    return [Vrat(r["vrat_type"], r["name"], _ymd(r), _maybe_time(r["sunrise_jd"], place),
                 r["lunar_month_name"], r["paksha"], r.get("reasoning", ""),
                 _span(r, "muhurta_", kaala.get(r["vrat_type"], ""), place))
            for r in raw if _in(_ymd(r), between)]


def shraddha(death_date: dt.date, year: int, place: Place,
             convention: str = "almanac") -> Shraddha | None:
    """The shraddha (death anniversary) day in ``year`` for a death on ``death_date``.

    None when the death tithi does not return in that year's month.
    """
    d, y = _date(death_date, place, "death date"), _year(year)
    year_span = (dt.date(max(y - 1, FIRST_YEAR), 1, 1), dt.date(y + 1, 12, 31))
    r = _call(_core._shraddha, d.year, d.month, d.day, y, *_where(place),
              _clock(place, (d, d), year_span), _convention(convention))
    if r is None:
        return None
    return Shraddha(_ymd(r), _maybe_time(r["sunrise_jd"], place), r["tithi"], r["lunar_month"],
                    r["lunar_month_name"], r["reasoning"])


def _tithi_days(rows: Iterable[Mapping[str, Any]]) -> tuple[TithiDay, ...]:
    return tuple(TithiDay(dt.date.fromisoformat(r["date"]), r["tithi_number"], r["tithi_name"],
                          r["paksha"], r["nakshatra_name"], r["masa"], r["vara"]) for r in rows)


def shraddha_timeline(death_date: dt.date, place: Place, monthly: int = 12,
                      annual_years: int = 3, pitru_paksha_years: int = 3,
                      convention: str = "almanac") -> ShraddhaTimeline:
    """The rites after a death: 3rd, 10th and 13th day, monthly, annual and
    pitru-paksha shraddhas (``monthly`` entries, ``annual_years`` years, ...)."""
    d = _date(death_date, place, "death date")
    for label, n in (("monthly", monthly), ("annual_years", annual_years),
                     ("pitru_paksha_years", pitru_paksha_years)):
        if isinstance(n, bool) or not isinstance(n, int) or not 0 <= n <= 100:
            raise TithiloomError(f"{label} must be a whole number 0-100, got {n!r}")
    last = dt.date(min(d.year + max(annual_years, pitru_paksha_years, monthly // 12 + 1) + 1,
                       LAST_YEAR), 12, 31)
    head = _call(_core._shraddha_timeline, d.year, d.month, d.day, *_where(place),
                 _clock(place, (d, last)), monthly, annual_years, pitru_paksha_years,
                 _convention(convention))
    return ShraddhaTimeline(
        dt.date.fromisoformat(head["death_date"]), head["death_tithi"],
        head["death_tithi_number"], head["death_paksha"], head["death_nakshatra"],
        head["death_masa"], dt.date.fromisoformat(head["teesra"]),
        dt.date.fromisoformat(head["dashamam"]), dt.date.fromisoformat(head["terahvin"]),
        _tithi_days(head["monthly_shraddhas"]), _tithi_days(head["annual_shraddhas"]),
        _tithi_days(head["pitru_paksha_dates"]))
