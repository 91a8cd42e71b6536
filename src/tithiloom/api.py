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

from tithiloom import _core, checks, claims, hindu_date as hindu, months, rules as rulefiles, zones
from tithiloom.errors import TithiloomError
from tithiloom.places import Place
from tithiloom.results import (Alternate, Choghadiya, Day, Ekadashi, Festival, Instant, Karana,
                               Lagna, LagnaWindow, LunarMonth, Moon, Muhurat, Nakshatra, Sankranti,
                               Shraddha, ShraddhaTimeline, Tithi, TithiDay, Vara, Vrat, Window,
                               Yoga)

T = TypeVar("T")
FIRST_YEAR, LAST_YEAR = checks.FIRST_YEAR, checks.LAST_YEAR
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
    return checks.year(year)


def _date(value: dt.date, place: Place, what: str = "date") -> dt.date:
    return checks.date(value, checks.place(place).zone, what)


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


def _told(texts: list[str], place: Place, convention: str, tithi: int | None = None,
          sunrises: Mapping[dt.date, float] | None = None) -> list[str]:
    """Reasoning as the package gives it: under the almanac convention, a claim
    that a tithi prevails at a sunrise it does not hold says what happened
    (``sunrises``: the Julian days of sunrises the records already give)."""
    if convention != rulefiles.ALMANAC:
        return texts
    return claims.restate(texts, place, convention, tithi, sunrises)


def weekday(day: dt.date) -> int:
    """0 = Sunday ... 6 = Saturday, the numbering of the vara."""
    return day.isoweekday() % 7


def _where(place: Place) -> tuple[float, float, float]:
    checks.place(place)
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
    as printed almanacs time sunrise; the day of :func:`days`) or "core" (the
    disc's centre, unrefracted, with the core's own transition times); the
    Moon rises and sets by the same convention.
    Raises :class:`TithiloomError` where the sun does not rise or set that day.
    """
    d, conv, cal = _date(date, place), _convention(convention), _calendar(calendar)
    # Under the almanac convention the core times the day as days() does.
    raw = _call(_core._panchang, d.year, d.month, d.day, *_where(place), _clock(place, (d, d)),
                weekday(d), conv)
    return _day(d, raw, place, timed=True, calendar=cal)


def days(start: dt.date, end: dt.date, place: Place, convention: str = "almanac",
         calendar: str = "purnimant", moon: bool = False) -> list[Day]:
    """Every day from ``start`` to ``end`` inclusive, as :func:`day` gives each,
    with the Moon (its rising and setting take most of a day's time) if ``moon``.

    Under the almanac convention each transition is found once for the range
    and shared by the two days it separates. Days on which the sun does not
    rise or set are left out.
    """
    first, last = _date(start, place, "start"), _date(end, place, "end")
    if not isinstance(moon, bool):
        raise TithiloomError(f"moon must be True or False, got {moon!r}")
    raw = _call(_core._timed_range, first.year, first.month, first.day, last.year, last.month,
                last.day, *_where(place), _clock(place, (first, last)), _convention(convention),
                moon)
    cal = _calendar(calendar)
    return [_day(_ymd(r), r, place, timed=True, calendar=cal) for r in raw]


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
    try:
        items = list(instants)
    except TypeError:
        raise TithiloomError(f"instants must be an iterable of aware datetimes, got "
                             f"{type(instants).__name__}") from None
    whens = [checks.instant(w, f"instants[{i}]") for i, w in enumerate(items)]
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
    checks.place(place)
    out = []
    for r in _call(_core.py_compute_sankrantis, _year(year), 0):
        when = _time(r["jd"], place)
        out.append(Sankranti(r["index"], r["name"], r["rashi"], r["target_longitude"],
                             when, when.date()))
    return out


def lunar_months(year: int, calendar: str = "amant",
                 place: Place | None = None) -> list[LunarMonth]:
    """The lunar months overlapping ``year``: amant (new moon to new moon) or purnimant
    (full moon to full moon, derived from the amant months as northern almanacs
    derive them: an adhika month keeps its new-moon bounds, between the two
    halves of its nija month, which is then listed in two parts).

    Times are in the place's zone when a place is given, else in UTC.
    """
    tz: dt.tzinfo = checks.place(place).zone if place is not None else dt.timezone.utc
    y, cal = _year(year), _calendar(calendar)
    raw = (_call(months.purnimanta_months, y) if cal == "purnimant"
           else _call(_core.py_compute_lunar_months, y, cal))
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
    return Choghadiya(tuple(periods[:8]), _night(weekday(d), periods[8:]))


def _night(weekday: int, periods: list[Window]) -> tuple[Window, ...]:
    """The night periods named as printed tables walk the night: the night of a
    weekday opens with the name that opens the day four weekdays on, and each
    period steps back two places in the cycle of seven.  (The core walks the
    night forward, and its order is kept for its own callers.)"""
    # The core's day of that weekday lists the cycle from the opening name on.
    cycle = _core.py_compute_choghadiya((weekday + 4) % 7, 0.0, 0.0, 0.0)[:7]
    return tuple(Window(cycle[-2 * i % 7]["name"], p.start, p.end,
                        bool(cycle[-2 * i % 7]["is_auspicious"]))
                 for i, p in enumerate(periods))


def _system(system: str) -> str:
    letter = HOUSE_SYSTEMS.get(str(system).lower())
    if letter is None:
        raise TithiloomError(f"unknown house system {system!r}; use P (Placidus), W (whole "
                             f"sign), E (equal) or O (Porphyry/Sripati)")
    return letter


def lagna(when: dt.datetime, place: Place, system: str = "P") -> Lagna:
    """The sidereal ascendant and twelve house cusps at an aware instant."""
    jd = zones.to_jd(checks.instant(when, "when"))
    r = _call(_core.py_compute_lagna, jd, *_where(place)[:2], _system(system))
    return Lagna(when.astimezone(place.zone), r["house_system"], r["ascendant_longitude"],
                 r["rashi"], r["rashi_name"], r["degree_in_rashi"], r["mc_longitude"],
                 tuple(r["bhava_cusps"]), r["ayanamsa"])


def lagna_windows(date: dt.date, place: Place) -> list[LagnaWindow]:
    """The rising sign windows of the 24 hours from local midnight of ``date``: every
    sign that rises has one, however briefly it rises (far north, some take seconds)."""
    d = _date(date, place)
    start = zones.to_jd(zones.local_midnight(d, place.zone))
    raw = _call(_core._lagna_windows, start, place.latitude, place.longitude)
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
    between = checks.between(between, checks.place(place).zone)
    defs = rulefiles.under(conv, rulefiles.festival_rules(rules))
    if between is not None:
        anchors = _anchors(y)
        defs = [d for d in defs if _may_fall(
            anchors[d["sankranti_index"] if "sankranti_index" in d
                    else _month_anchor(d["lunar_month"])], d.get("day_offset", 0), between)]
    info = {d["id"]: d for d in defs}
    # Amanta names from the core, named in the calendar asked for here.
    raw = _call(_core._festivals, defs, y, *_where(place), _year_clock(place, y), "amant", conv)
    named = []
    for r in raw:
        amanta, adhik = months.split(r["lunar_month_name"])
        paksha = "Krishna" if info[r["festival_id"]].get("tithi", 0) > 15 else "Shukla"
        named.append((amanta, paksha, adhik or r["is_adhik_month"], cal,
                      months.in_kshaya(r["sunrise_jd"])))
    why = iter(_told([months.reword(text, *name) for r, name in zip(raw, named) for text in (
        r["reasoning"], "" if r["alternate"] is None else r["alternate"]["reasoning"])],
        place, conv, sunrises={_ymd(x): x["sunrise_jd"] for r in raw
                               for x in (r, r["alternate"]) if x is not None}))
    out = []
    for r, name in zip(raw, named):
        alt = r["alternate"]
        d = info[r["festival_id"]]
        reasoning, alt_why = next(why), next(why)
        out.append(Festival(
            r["festival_id"], r["festival_name"], _ymd(r), _maybe_time(r["sunrise_jd"], place),
            r["tithi_at_sunrise"], months.plain_name(*name), name[2], reasoning,
            r["priority_applied"], r["kaala_applied"],
            None if alt is None else Alternate(_ymd(alt), _maybe_time(alt["sunrise_jd"], place),
                                               alt["priority"], alt_why),
            d.get("description") or d.get("basis", ""), d.get("region", ""),
            d.get("tradition", ""), _maybe_number(r.get("margin_minutes", math.nan)),
            _maybe_time(r.get("moonrise_jd", math.nan), place),
            _span(r, "muhurta_", r["kaala_applied"], place)))
    return [f for f in out if _in(f.date, between)]


def ekadashis(year: int, place: Place, rules: rulefiles.RuleSource = None,
              between: Between = None, convention: str = "almanac",
              calendar: str = "purnimant") -> list[Ekadashi]:
    """The Ekadashis of ``year`` with their Smartha and Vaishnava days.

    ``between`` (first, last) keeps those whose Smartha day lies between two
    dates and skips the months that cannot hold one; ``calendar`` names their
    months amant or purnimant (``lunar_month`` stays the amant number).
    """
    y, cal, conv = _year(year), _calendar(calendar), _convention(convention)
    between = checks.between(between, checks.place(place).zone)
    defs = rulefiles.ekadashi_rules(rules)
    if between is not None:
        # A month's name can return in December (Pausha): look a year either side too.
        anchors = _anchors(y)
        defs = [d for d in defs if any(
            _may_fall(anchors[_month_anchor(d["month"])] + dt.timedelta(days=shift), 0, between)
            for shift in (-365, 0, 365))]
        if not defs:
            return []
    raw = [r for r in _call(_core._ekadashis, defs, y, *_where(place), _year_clock(place, y),
                            conv) if _in(_ymd(r, "smartha_"), between)]
    named = [(r["lunar_month_name"], r["paksha"], r["is_adhik"], cal,
              months.in_kshaya(r["smartha_sunrise_jd"])) for r in raw]
    why = _told([months.reword(r["reasoning"], *name) for r, name in zip(raw, named)], place,
                conv, sunrises={_ymd(r, "smartha_"): r["smartha_sunrise_jd"] for r in raw})
    return [Ekadashi(r["name"], r["lunar_month"], months.plain_name(*name),
                     r["is_adhik"], r["paksha"], _ymd(r, "smartha_"),
                     _maybe_time(r["smartha_sunrise_jd"], place), _ymd(r, "vaishnava_"),
                     _maybe_time(r["vaishnava_sunrise_jd"], place), text,
                     _span(r, "smartha_parana_", "Parana", place),
                     _span(r, "vaishnava_parana_", "Parana", place))
            for r, name, text in zip(raw, named, why)]


def _span(r: Mapping[str, Any], prefix: str, name: str, place: Place) -> Window | None:
    """The window of a record's <prefix>start_jd and <prefix>end_jd, if it has one."""
    start = r.get(f"{prefix}start_jd", math.nan)
    end = r.get(f"{prefix}end_jd", math.nan)
    if math.isnan(start) or math.isnan(end):
        return None
    return Window(name, _time(start, place), _time(end, place), True)


def vrats(year: int, place: Place, between: Between = None,
          convention: str = "almanac", calendar: str = "purnimant") -> list[Vrat]:
    """The recurring fasts of ``year``: Pradosh, Sankashti Chaturthi, Amavasya, Purnima
    (only those between two dates when ``between`` is given), their months
    named amant or purnimant (``calendar``)."""
    y, cal, conv = _year(year), _calendar(calendar), _convention(convention)
    between = checks.between(between, checks.place(place).zone)
    rules = rulefiles.vrat_rules() if conv == rulefiles.ALMANAC else None
    # Only the lunar months that can hold a day between the two dates are resolved.
    within = () if between is None else (
        zones.to_jd(zones.local_midnight(between[0], place.zone)),
        zones.to_jd(zones.local_midnight(between[1] + dt.timedelta(days=1), place.zone)))
    raw = [r for r in _call(_core._vrat_dates, y, *_where(place), _year_clock(place, y), conv,
                            rules, within) if _in(_ymd(r), between)]
    kaala = {v["name"]: str(v.get("kaala", "")) for v in rules or ()}
    # The core marks an adhika month in the name alone.
    month = [(r["lunar_month_name"], r["paksha"], "(Adhika " in r["name"], cal,
              months.in_kshaya(r["sunrise_jd"])) for r in raw]
    name = [months.reword(r["name"], *m) for r, m in zip(raw, month)]
    why = _told([months.reword(r.get("reasoning", ""), *m) for r, m in zip(raw, month)], place,
                conv, sunrises={_ymd(r): r["sunrise_jd"] for r in raw})
    return [Vrat(r["vrat_type"], n, _ymd(r), _maybe_time(r["sunrise_jd"], place),
                 months.plain_name(*m), r["paksha"], w,
                 _span(r, "muhurta_", kaala.get(r["vrat_type"], ""), place), m[2])
            for r, m, n, w in zip(raw, month, name, why)]


def shraddha(death_date: dt.date, year: int, place: Place,
             convention: str = "almanac", calendar: str = "purnimant") -> Shraddha | None:
    """The shraddha (death anniversary) day in ``year`` for a death on ``death_date``,
    its month named amant or purnimant (``calendar``).

    None when the death tithi does not return in that year's month.
    """
    d, y, cal = checks.death(death_date, checks.place(place).zone), _year(year), _calendar(calendar)
    year_span = (dt.date(max(y - 1, FIRST_YEAR), 1, 1), dt.date(y + 1, 12, 31))
    r = _call(_core._shraddha, d.year, d.month, d.day, y, *_where(place),
              _clock(place, (d, d), year_span), _convention(convention))
    if r is None:
        return None
    amanta, adhik = months.split(r["lunar_month_name"])
    paksha = "Krishna" if r["tithi"] > 15 else "Shukla"
    kshaya = months.in_kshaya(r["sunrise_jd"])
    why = _told([months.reword(r["reasoning"], amanta, paksha, adhik, cal, kshaya)], place,
                convention, r["tithi"])[0]
    return Shraddha(_ymd(r), _maybe_time(r["sunrise_jd"], place), r["tithi"], r["lunar_month"],
                    months.plain_name(amanta, paksha, adhik, cal, kshaya), why)


def _iso(text: str) -> dt.date:
    """A date the core wrote as Y-MM-DD (its years below 1000 are not padded)."""
    y, m, d = text.split("-")
    return dt.date(int(y), int(m), int(d))


def _masa(masa: str, paksha: str, calendar: str) -> str:
    """An amanta month label of the core ("Adhika Shravana") in ``calendar``."""
    name, adhik = months.split(masa)
    return months.month_name(name, paksha, adhik, calendar)


def _tithi_days(rows: Iterable[Mapping[str, Any]], calendar: str) -> tuple[TithiDay, ...]:
    return tuple(TithiDay(_iso(r["date"]), r["tithi_number"], r["tithi_name"],
                          r["paksha"], r["nakshatra_name"],
                          _masa(r["masa"], r["paksha"], calendar), r["vara"]) for r in rows)


def shraddha_timeline(death_date: dt.date, place: Place, monthly: int = 12,
                      annual_years: int = 3, pitru_paksha_years: int = 3,
                      convention: str = "almanac",
                      calendar: str = "purnimant") -> ShraddhaTimeline:
    """The rites after a death: 3rd, 10th and 13th day, monthly, annual and
    pitru-paksha shraddhas (``monthly`` entries, ``annual_years`` years, ...),
    months named amant or purnimant (``calendar``)."""
    d, cal = checks.death(death_date, checks.place(place).zone), _calendar(calendar)
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
        _iso(head["death_date"]), head["death_tithi"],
        head["death_tithi_number"], head["death_paksha"], head["death_nakshatra"],
        _masa(head["death_masa"], head["death_paksha"], cal), _iso(head["teesra"]),
        _iso(head["dashamam"]), _iso(head["terahvin"]),
        _tithi_days(head["monthly_shraddhas"], cal), _tithi_days(head["annual_shraddhas"], cal),
        _tithi_days(head["pitru_paksha_dates"], cal))
