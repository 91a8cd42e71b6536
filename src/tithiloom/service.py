"""The almanac over HTTP: JSON for apps, calendar feeds and the month page in a browser.

An ASGI application (FastAPI) that only converts: each request is checked,
handed to the public functions of :mod:`tithiloom.api` and the records they
return are written out as JSON (``Record.to_dict``), as the iCalendar events
the ``year`` command exports, or as the printable month page.  It keeps no
state between requests beyond caches of what it computed, so any number of
processes can serve behind a proxy.  Bad input is answered with a 4xx and a
JSON body ``{"error": ...}`` naming the problem, never a 500.

Run it with ``tithiloom serve`` (uvicorn) or any ASGI server on ``tithiloom.service:app``.
Importing :mod:`tithiloom` does not import this module or the web stack.
"""

from __future__ import annotations

import datetime as dt
import hashlib
import html
import inspect
import re
import threading
from collections import OrderedDict
from collections.abc import AsyncIterator, Callable
from contextlib import asynccontextmanager
from concurrent.futures import ThreadPoolExecutor
from functools import cache
from importlib import import_module, resources
from typing import Annotated, Any, Literal, TypeVar
from urllib.parse import quote, urlencode

import anyio
from fastapi import Depends, FastAPI, Path, Query, Request
from fastapi.exceptions import RequestValidationError
from fastapi.openapi.utils import get_openapi
from fastapi.responses import HTMLResponse, JSONResponse, RedirectResponse, Response
from pydantic import BaseModel, BeforeValidator
from starlette.exceptions import HTTPException

from tithiloom import __version__, api, checks, cli, export
from tithiloom.errors import TithiloomError, UnknownPlace
from tithiloom.places import DEFAULT_PLACE, Place, gazetteer
from tithiloom.results import (Choghadiya, Day, Ekadashi, Festival, Lagna, LagnaWindow, Muhurat,
                               Shraddha, ShraddhaTimeline, Vrat)

T = TypeVar("T")
MAX_DAYS = 366  # the longest range one request may ask for
FEED_KINDS: dict[str, tuple[cli.Kind[Any], ...]] = {
    "festivals": (cli.FESTIVALS,), "ekadashi": (cli.EKADASHIS,), "vrat": (cli.VRATS,),
    "all": cli.KINDS}
# Calendars re-read a feed every few hours; a corrected release changes its ETag.
FEED_CACHE_CONTROL = "public, max-age=21600"


class Problem(BaseModel):
    """The body of every refusal."""

    error: str


class PlaceInfo(BaseModel):
    """A gazetteer entry."""

    name: str
    country: str
    latitude: float
    longitude: float
    altitude_m: float
    timezone: str
    aliases: list[str]


def _refusals(*extra: int) -> dict[int | str, dict[str, Any]]:
    # Stated as JSON whatever the endpoint's own media type (pages refuse in JSON too).
    problem = {"application/json": {"schema": {"$ref": "#/components/schemas/Problem"}}}
    return {code: {"content": problem, "description": text} for code, text in (
        (400, "bad input (an unknown parameter, an impossible value, a year outside the span)"),
        (404, "an unknown place"), (422, "a parameter of the wrong form"))
        if code in (400, 422, *extra)}


def _json(data: Any, status: int = 200) -> Response:
    return JSONResponse(cli._jsonable(data), status)


class Bad(Exception):
    """A refusal raised by the service itself (not the package)."""

    def __init__(self, message: str, status: int = 400) -> None:
        super().__init__(message)
        self.status = status


# ---------------------------------------------------------------- parameters

async def where(place: Annotated[str | None, Query(max_length=100, description=(
              "a gazetteer place (case and accents ignored); default New Delhi"))] = None,
          lat: Annotated[float | None, Query(ge=-90, le=90, description="degrees north")] = None,
          lng: Annotated[float | None, Query(ge=-180, le=180, description="degrees east")] = None,
          alt: Annotated[float | None, Query(ge=-500, le=9000, description="metres")] = None,
          tz: Annotated[str | None, Query(pattern=r"^[A-Za-z0-9_+\-/]{1,64}$", description=(
              "IANA zone; with lat/lng the default is the zone that holds them"))] = None,
          ) -> Place:
    """The place a request names, as the command line reads --place/--lat/--lng/--alt/--tz.

    The light endpoints (a day, its muhurat, Choghadiya or lagna: milliseconds) run
    on the event loop itself; a hop to a thread would cost as much as the work."""
    return cli.resolve_place(cli.Options(place=place, lat=lat, lng=lng, alt=alt, tz=tz))


def _iso_date(value: Any) -> Any:
    # Read strictly: a number would otherwise pass as seconds since 1970.
    if isinstance(value, str) and not re.fullmatch(r"\d{4}-\d{2}-\d{2}", value):
        raise ValueError("use YYYY-MM-DD")
    return value


def _iso_datetime(value: Any) -> Any:
    if isinstance(value, str):
        try:
            return dt.datetime.fromisoformat(value)
        except ValueError:
            raise ValueError("use YYYY-MM-DDTHH:MM, with an offset such as +05:30 or without "
                             "(the wall clock at the place)") from None
    return value


IsoDate = Annotated[dt.date, BeforeValidator(_iso_date)]
IsoDateTime = Annotated[dt.datetime, BeforeValidator(_iso_datetime)]
Where = Annotated[Place, Depends(where)]
Calendar = Annotated[Literal["amant", "purnimant"], Query(description="month naming")]
Convention = Annotated[Literal["almanac", "core"], Query(description=(
    "sunrise and rules as printed almanacs keep them, or the engine's own"))]
Year = Annotated[int | None, Query(ge=checks.FIRST_YEAR, le=checks.LAST_YEAR,
                                   description="default: this year at the place")]
OnDate = Annotated[IsoDate | None, Query(description="default: today at the place")]


def _today(place: Place) -> dt.date:
    return dt.datetime.now(place.zone).date()


@cache
def _takes_calendar(fn: Callable[..., Any]) -> bool:
    # Months are named in a calendar only where a function names any.
    return "calendar" in inspect.signature(fn).parameters


def _named(fn: Callable[..., Any], *args: Any, calendar: str, **kwargs: Any) -> Any:
    if _takes_calendar(fn):
        kwargs["calendar"] = calendar
    return fn(*args, **kwargs)


def _allowed(dependant: Any) -> set[str]:
    names = {p.alias for p in dependant.query_params}
    for sub in dependant.dependencies:
        names |= _allowed(sub)
    return names


async def _no_strangers(request: Request) -> None:
    """A parameter the endpoint does not take is refused, not ignored (a misspelt
    ``convention`` would otherwise quietly give the default's answer)."""
    route = request.scope.get("route")
    dependant = getattr(route, "dependant", None)
    if dependant is None:
        return
    unknown = sorted(set(request.query_params) - _allowed(dependant))
    if unknown:
        takes = ", ".join(sorted(_allowed(dependant))) or "none"
        raise Bad(f"unknown parameter {', '.join(map(repr, unknown))} (this endpoint takes: "
                  f"{takes})")


# ---------------------------------------------------------------- caches

class _Lru:
    """A small bounded map of computed answers (they depend on the request alone),
    shared by the threads that run the endpoints.  A value is made once: requests
    for it that arrive while it is being made wait for it (a feed many calendars
    re-read at once is not computed once per calendar)."""

    def __init__(self, size: int) -> None:
        self.size, self.items, self.lock = size, OrderedDict[Any, Any](), threading.Lock()
        self.making: dict[Any, threading.Event] = {}

    def peek(self, key: Any) -> Any:
        with self.lock:
            return self.items.get(key)

    def get(self, key: Any, make: Callable[[], Any]) -> Any:
        while True:
            with self.lock:
                if key in self.items:
                    self.items.move_to_end(key)
                    return self.items[key]
                busy = self.making.get(key)
                if busy is None:
                    self.making[key] = threading.Event()
                    break
            busy.wait()  # made, or failed: then this request tries itself
        try:
            value = make()
            with self.lock:
                self.items[key] = value
                if len(self.items) > self.size:
                    self.items.popitem(last=False)
            return value
        finally:
            with self.lock:
                self.making.pop(key).set()


# Work of hundreds of milliseconds (a year's observances, a month, a feed) runs
# one at a time per process, on threads of its own: lookups of a day never
# queue behind it.
_HEAVY = anyio.CapacityLimiter(1)
_YEARS = ThreadPoolExecutor(2, thread_name_prefix="tithiloom-feed")


async def _heavy(fn: Callable[[], T]) -> T:
    return await anyio.to_thread.run_sync(fn, limiter=_HEAVY)


_DAYS = _Lru(4096)  # apps ask for today and tomorrow, at their users' places
_FEEDS = _Lru(256)
_MONTHS = _Lru(256)  # this month and the next, at the places people live


def _place_key(place: Place) -> tuple[Any, ...]:
    return (place.name, place.latitude, place.longitude, place.altitude_m, place.timezone)


@cache
def _build() -> str:
    """A digest of the installed package (code, native module, data): answers change
    only with it, so it keys the feeds' ETags in every process alike."""
    digest = hashlib.sha256(__version__.encode())
    root = resources.files("tithiloom")
    for entry in sorted(_files(root), key=lambda e: e[0]):
        digest.update(entry[0].encode())
        digest.update(entry[1].read_bytes())
    return digest.hexdigest()[:16]


def _files(folder: Any, prefix: str = "") -> list[tuple[str, Any]]:
    out = []
    for entry in folder.iterdir():
        if entry.name == "__pycache__":
            continue
        if entry.is_dir():
            out += _files(entry, f"{prefix}{entry.name}/")
        else:
            out.append((prefix + entry.name, entry))
    return out


# ---------------------------------------------------------------- the application

def _warm() -> None:
    """What the first requests would otherwise pay for: the gazetteer, the build's
    digest, the iCalendar library, and the ingresses and lunar months (the same
    at every place) of the years the feeds and pages around today read."""
    gazetteer()
    _build()
    import_module("icalendar")
    home = Place.named(DEFAULT_PLACE)
    this_year = dt.datetime.now(dt.timezone.utc).year
    for year in range(this_year - 1, this_year + 3):
        api.sankrantis(year, home)
        for calendar in ("amant", "purnimant"):
            api.lunar_months(year, calendar)


@asynccontextmanager
async def _lifespan(_: FastAPI) -> AsyncIterator[None]:
    await anyio.to_thread.run_sync(_warm)
    yield


def create_app() -> FastAPI:
    """The ASGI application."""
    app = FastAPI(title="tithiloom", version=__version__,
                  description="Hindu almanac (panchang) computations for any date and place.",
                  dependencies=[Depends(_no_strangers)], lifespan=_lifespan)

    @app.exception_handler(TithiloomError)
    async def refused(_: Request, e: TithiloomError) -> Response:
        return _json({"error": str(e)}, 404 if isinstance(e, UnknownPlace) else 400)

    @app.exception_handler(Bad)
    async def bad(_: Request, e: Bad) -> Response:
        return _json({"error": str(e)}, e.status)

    @app.exception_handler(RequestValidationError)
    async def malformed(_: Request, e: RequestValidationError) -> Response:
        problems = "; ".join(f"{'.'.join(str(p) for p in err['loc'][1:]) or err['loc'][0]}: "
                             f"{err['msg']}" for err in e.errors())
        return _json({"error": problems}, 422)

    @app.exception_handler(HTTPException)
    async def http(_: Request, e: HTTPException) -> Response:
        return _json({"error": str(e.detail)}, e.status_code)

    json_routes(app)
    page_routes(app)

    def openapi() -> dict[str, Any]:
        if app.openapi_schema is None:
            schema = get_openapi(title=app.title, version=app.version,
                                 description=app.description, routes=app.routes)
            schemas = schema.setdefault("components", {}).setdefault("schemas", {})
            _local_times(schemas)
            schemas["Problem"] = Problem.model_json_schema()
            app.openapi_schema = schema
        return app.openapi_schema

    app.openapi = openapi  # type: ignore[method-assign]
    return app


LOCAL_TIME = {"type": "string",
              "pattern": (r"^-?\d{4,}-\d\d-\d\dT\d\d:\d\d:\d\d(\.\d+)?"
                          r"[+-]\d\d:\d\d(:\d\d(\.\d+)?)?$"),
              "description": "ISO 8601 wall-clock time at the place with its UTC offset; "
                             "before standard time the offset is the local mean time's and "
                             "may carry seconds (+05:53:28)"}


def _local_times(node: Any) -> None:
    """Times in results are declared as written: RFC 3339's date-time has no room for
    the seconds of a local-mean-time offset, which the years before standard time need."""
    if isinstance(node, dict):
        for key, value in node.items():
            if isinstance(value, dict) and value.get("format") == "date-time":
                node[key] = dict(LOCAL_TIME)
            else:
                _local_times(value)
    elif isinstance(node, list):
        for i, value in enumerate(node):
            if isinstance(value, dict) and value.get("format") == "date-time":
                node[i] = dict(LOCAL_TIME)
            else:
                _local_times(value)


def json_routes(app: FastAPI) -> None:
    """The JSON endpoints: one public function each."""
    def get(path: str, model: Any, summary: str) -> Callable[[Callable[..., Any]], Any]:
        return app.get(path, summary=summary, response_class=JSONResponse,
                       responses={200: {"model": model}, **_refusals(404)})

    @get("/api/day", Day, "The almanac of a day: limbs with their times, sun, muhurat")
    async def day(place: Where, date: OnDate = None, calendar: Calendar = "purnimant",
            convention: Convention = "almanac") -> Response:
        d = date or _today(place)
        key = (d, _place_key(place), calendar, convention)
        # An answer kept is sent from the event loop; one to compute (milliseconds in
        # the core, which lets go of the interpreter) goes to a thread, so that the
        # answers kept never wait behind it.
        body = _DAYS.peek(key) or await anyio.to_thread.run_sync(lambda: _DAYS.get(
            key, lambda: JSONResponse(
                _named(api.day, d, place, convention, calendar=calendar).to_dict()).body))
        return Response(body, media_type="application/json")

    @get("/api/days", list[Day], f"Every day of a range (at most {MAX_DAYS} days)")
    async def days(place: Where, start: IsoDate, end: IsoDate,
                   calendar: Calendar = "purnimant",
                   convention: Convention = "almanac") -> Response:
        if not 0 <= (end - start).days < MAX_DAYS:
            raise Bad(f"end {end} must not come before start {start}, and a range holds at "
                      f"most {MAX_DAYS} days")
        return _json(await _heavy(lambda: _named(api.days, start, end, place, convention,
                                                 calendar=calendar)))

    @get("/api/festivals", list[Festival], "The festivals of a year, each with its reasoning")
    async def festivals(place: Where, year: Year = None, calendar: Calendar = "purnimant",
                  convention: Convention = "almanac") -> Response:
        return _json(await _heavy(lambda: api.festivals(year or _today(place).year, place,
                                                        calendar=calendar, convention=convention)))

    @get("/api/ekadashis", list[Ekadashi], "The Ekadashis of a year (Smartha and Vaishnava)")
    async def ekadashis(place: Where, year: Year = None, calendar: Calendar = "purnimant",
                  convention: Convention = "almanac") -> Response:
        return _json(await _heavy(lambda: api.ekadashis(year or _today(place).year, place,
                                                        convention=convention, calendar=calendar)))

    @get("/api/vrats", list[Vrat], "The vrat (fast) days of a year")
    async def vrats(place: Where, year: Year = None, calendar: Calendar = "purnimant",
              convention: Convention = "almanac") -> Response:
        return _json(await _heavy(lambda: api.vrats(year or _today(place).year, place,
                                                    convention=convention, calendar=calendar)))

    @get("/api/muhurat", Muhurat, "Rahu Kalam, Yama Gandam, Gulika Kalam and Abhijit")
    async def muhurat(place: Where, date: OnDate = None,
                convention: Convention = "almanac") -> Response:
        return _json(api.muhurat(date or _today(place), place, convention))

    @get("/api/choghadiya", Choghadiya, "The eight day and eight night Choghadiya periods")
    async def choghadiya(place: Where, date: OnDate = None,
                   convention: Convention = "almanac") -> Response:
        return _json(api.choghadiya(date or _today(place), place, convention))

    @get("/api/lagna", Lagna, "The sidereal ascendant and house cusps at a moment")
    async def lagna(place: Where, when: Annotated[IsoDateTime | None, Query(description=(
                  "default now; without an offset, the wall clock at the place"))] = None,
              system: Annotated[Literal["P", "W", "E", "O"], Query(description=(
                  "houses: Placidus, whole sign, equal, Porphyry"))] = "P") -> Response:
        at = dt.datetime.now(place.zone) if when is None else (
            place.localize(when) if when.tzinfo is None else when)
        return _json(api.lagna(at, place, system))

    @get("/api/lagna/windows", list[LagnaWindow], "The rising signs of a day")
    async def lagna_windows(place: Where, date: OnDate = None) -> Response:
        return _json(api.lagna_windows(date or _today(place), place))

    @get("/api/shraddha", Shraddha | None, "The shraddha day in a year (null if none)")
    async def shraddha(place: Where, death_date: IsoDate, year: Year = None,
                 calendar: Calendar = "purnimant", convention: Convention = "almanac") -> Response:
        return _json(await _heavy(lambda: api.shraddha(
            death_date, year or _today(place).year, place, convention, calendar)))

    @get("/api/shraddha/timeline", ShraddhaTimeline, "Every rite after a death")
    async def shraddha_timeline(place: Where, death_date: IsoDate,
                                calendar: Calendar = "purnimant",
                                convention: Convention = "almanac") -> Response:
        return _json(await _heavy(lambda: api.shraddha_timeline(
            death_date, place, convention=convention, calendar=calendar)))

    @get("/api/places", list[PlaceInfo], "The gazetteer places whose name or country match")
    async def places(q: Annotated[str, Query(max_length=100)] = "") -> Response:
        from tithiloom.places import search
        return _json([{"name": p.name, "country": p.country, "latitude": p.latitude,
                       "longitude": p.longitude, "altitude_m": p.altitude_m,
                       "timezone": p.timezone, "aliases": list(p.aliases)} for p in search(q)])


# ---------------------------------------------------------------- feeds and pages

PlaceName = Annotated[str, Path(max_length=100, description="a gazetteer place")]


def _place(name: str) -> Place:
    return cli.resolve_place(cli.Options(place=name))


def _matches(header: str | None, etag: str) -> bool:
    """Whether an If-None-Match header names ``etag`` (compared weakly)."""
    if header is None:
        return False
    tags = [t.strip().removeprefix("W/") for t in header.split(",")]
    return "*" in tags or etag.removeprefix("W/") in tags


def feed(place: Place, kind: str, calendar: str,
         convention: str) -> tuple[str, Callable[[], bytes]]:
    """The ETag of a place's feed of this year and the next, and how to make it.

    The tag is known before any computation: a calendar re-reading an unchanged
    feed costs no almanac work."""
    year = _today(place).year
    key = (_build(), _place_key(place), kind, year, calendar, convention)
    etag = 'W/"' + hashlib.sha256(repr(key).encode()).hexdigest()[:24] + '"'

    def make() -> bytes:
        o = cli.Options(calendar=calendar, convention=convention)

        def part(job: tuple[cli.Kind[Any], int]) -> list[export.Event]:
            k, y = job
            return k.events(k.fetch(o, y, place, None), y, calendar)
        # The two years side by side: the core computes without holding the interpreter.
        jobs = [(k, y) for k in FEED_KINDS[kind] for y in (year, year + 1)
                if y <= checks.LAST_YEAR]
        events = [e for found in _YEARS.map(part, jobs) for e in found]
        events.sort(key=lambda e: e.date)
        title = {"all": "Almanac"}.get(kind, FEED_KINDS[kind][0].heading)
        return export.ics(events, place, f"{title} {year}-{year + 1} — {place.name}")
    return etag, make


def _link(place: Place) -> str:
    return quote(export.slug(place.name))


def _ym(d: dt.date) -> str:
    return f"{d.year:04d}-{d.month:02d}"


def page_routes(app: FastAPI) -> None:
    """The calendar feeds, the month page and the day page."""
    @app.get("/feeds/{place}/{kind}.ics", summary="A calendar feed of this year and the next",
             response_class=Response, responses={
                 200: {"content": {"text/calendar": {"schema": {"type": "string"}}},
                       "description": "an iCalendar file; events keep their UIDs across reads"},
                 304: {"description": "unchanged since the ETag sent in If-None-Match"},
                 **_refusals(404)})
    async def feeds(request: Request, place: PlaceName,
              kind: Annotated[Literal["festivals", "ekadashi", "vrat", "all"], Path()],
              calendar: Calendar = "purnimant", convention: Convention = "almanac") -> Response:
        where = _place(place)
        etag, make = feed(where, kind, calendar, convention)
        headers = {"ETag": etag, "Cache-Control": FEED_CACHE_CONTROL}
        if _matches(request.headers.get("if-none-match"), etag):
            return Response(status_code=304, headers=headers)
        body = _FEEDS.peek(etag) or await _heavy(lambda: _FEEDS.get(etag, make))
        return Response(body, media_type="text/calendar; charset=utf-8", headers=headers)

    html_page = {200: {"content": {"text/html": {"schema": {"type": "string"}}},
                       "description": "a page"}, **_refusals(404)}

    @app.get("/", include_in_schema=False)
    def home() -> Response:
        place = _place(DEFAULT_PLACE)
        return RedirectResponse(f"/month/{_link(place)}/{_ym(_today(place))}", 303)

    @app.get("/month", summary="The month page a place chooser asks for", responses={
        303: {"description": "to /month/{place}/{yyyy-mm}"}, **_refusals(404)})
    def choose(place: Annotated[str, Query(max_length=100)],
               month: Annotated[str | None, Query(pattern=r"^\d{4}-\d{2}$")] = None,
               calendar: Calendar = "purnimant") -> Response:
        where = _place(place)
        ym = month or _ym(_today(where))
        return RedirectResponse(f"/month/{_link(where)}/{ym}?calendar={calendar}", 303)

    @app.get("/month/{place}/{month}", summary="The printable month, linked to each day",
             response_class=HTMLResponse, responses=html_page)
    async def month(place: PlaceName,
              month: Annotated[str, Path(pattern=r"^\d{4}-\d{2}$", description="yyyy-mm")],
              calendar: Calendar = "purnimant", convention: Convention = "almanac") -> Response:
        where = _place(place)
        year, number = checks.year(int(month[:4])), int(month[5:])
        if not 1 <= number <= 12:
            raise Bad(f"month {month!r}: the month must be 01-12")
        key = (_place_key(where), year, number, calendar, convention)
        page = _MONTHS.peek(key) or await _heavy(lambda: _MONTHS.get(
            key, lambda: _month_page(where, year, number, calendar, convention)))
        return HTMLResponse(page)

    @app.get("/day/{place}/{date}", summary="A day's full almanac as a page",
             response_class=HTMLResponse, responses=html_page)
    async def day_page(place: PlaceName, date: Annotated[IsoDate, Path()],
                 calendar: Calendar = "purnimant",
                 convention: Convention = "almanac") -> Response:
        where = _place(place)
        return HTMLResponse(await _heavy(lambda: _day_page(where, date, calendar, convention)))


def _month_page(place: Place, year: int, month: int, calendar: str, convention: str) -> str:
    """The page the ``month --html`` command writes, wrapped for the browser."""
    o = cli.Options(command="month", month=(year, month), html="month.html",
                    calendar=calendar, convention=convention)
    listing = cli._month(o, place)
    assert listing.file is not None  # asked for with html
    page = listing.file[1]
    text = page if isinstance(page, str) else page.decode()
    # Days the sun does not rise or set (polar night) have no almanac to open.
    known = {d.date.isoformat() for d in listing.data["days"]}
    return _wrap_month(text, place, year, month, calendar, convention, known)


_NAV_CSS = """
nav.serve { font: 11pt "DejaVu Sans", Arial, sans-serif; display: flex; gap: 1em;
  align-items: center; margin: 0 0 4mm; padding: 2mm 3mm; background: #f4f1ec;
  border: 1px solid #d8d0c4; }
nav.serve a { color: #7a1f1f; font-weight: bold; text-decoration: none; }
nav.serve form { margin-left: auto; display: flex; gap: .5em; }
td a.open { display: block; color: inherit; text-decoration: none; min-height: 100%; }
td a.open:hover { background: #fff6e0; }
@media print { nav.serve { display: none; } }
"""


def _query(calendar: str, convention: str) -> str:
    given = {k: v for k, v in (("calendar", calendar), ("convention", convention))
             if v != {"calendar": "purnimant", "convention": "almanac"}[k]}
    return f"?{urlencode(given)}" if given else ""


def _chooser(place: Place, month: str, calendar: str) -> str:
    options = "".join(
        f'<option value="{html.escape(p.name)}"{" selected" if p == place else ""}>'
        f"{html.escape(p.name)}</option>" for p in sorted(gazetteer(), key=lambda p: p.name))
    return (f'<form action="/month" method="get"><select name="place" aria-label="place">'
            f"{options}</select>"
            f'<input type="month" name="month" value="{month}" aria-label="month">'
            f'<input type="hidden" name="calendar" value="{calendar}">'
            f'<button type="submit">Show</button></form>')


def _wrap_month(page: str, place: Place, year: int, month: int, calendar: str,
                convention: str, known: set[str]) -> str:
    """The printable month with a navigation bar (not printed) and each day a link."""
    first = dt.date(year, month, 1)
    before = first - dt.timedelta(days=1)
    after = first + dt.timedelta(days=32)
    q, slug = _query(calendar, convention), _link(place)

    def to(d: dt.date) -> str:
        if not checks.FIRST_YEAR <= d.year <= checks.LAST_YEAR:
            return "<span></span>"
        label = f"{d:%B %Y}"
        rel = "prev" if d < first else "next"
        return (f'<a rel="{rel}" href="/month/{slug}/{_ym(d)}{q}">'
                f'{"← " if rel == "prev" else ""}{label}{" →" if rel == "next" else ""}</a>')

    nav = (f'<nav class="serve">{to(before)}{to(after)}'
           f'<a href="/feeds/{slug}/all.ics">Subscribe (.ics)</a>'
           f"{_chooser(place, _ym(first), calendar)}</nav>")
    linked = re.sub(
        r'(<td\b[^>]*\bdata-date="([0-9-]+)"[^>]*>)(.*?)(</td>)',
        lambda m: (f'{m[1]}<a class="open" href="/day/{slug}/{m[2]}{q}">{m[3]}</a>{m[4]}'
                   if m[2] in known else m[0]), page, flags=re.S)
    linked = linked.replace("</head>", f"<style>{_NAV_CSS}</style></head>", 1)
    return re.sub(r"(<body[^>]*>)", lambda m: m[1] + nav, linked, count=1)


_PAGE_CSS = """
body { font-family: "DejaVu Sans", Arial, sans-serif; margin: 8mm; color: #222; max-width: 60em; }
h1 { font-size: 18pt; margin: 0 0 2mm; } h2 { font-size: 12pt; margin: 5mm 0 1mm; color: #7a1f1f; }
table { border-collapse: collapse; } td, th { border: 1px solid #ccc; padding: 1mm 2mm;
  font-size: 10pt; text-align: left; vertical-align: top; } th { background: #f4f1ec; }
p.why { font-size: 9pt; color: #555; margin: 0 0 2mm; } nav a { margin-right: 1em; color: #7a1f1f; }
"""


def _cell(value: Any, on: dt.date) -> str:
    """A value of a record's JSON as text for a table cell."""
    if isinstance(value, dict):
        if "start" in value and "end" in value and "name" in value:
            return (f"{html.escape(str(value['name']))} "
                    f"{_clock(value['start'], on)} – {_clock(value['end'], on)}")
        if "name" in value:
            extra = ", ".join(f"{'' if k == 'english' else k + ' '}{v}"
                              for k, v in value.items()
                              if k not in ("name", "number") and v not in (None, "")
                              and not isinstance(v, (dict, list)))
            return html.escape(f"{value['name']}" + (f" ({extra})" if extra else ""))
        return "<br>".join(f"{html.escape(k.replace('_', ' '))}: {_cell(v, on)}"
                           for k, v in value.items())
    if isinstance(value, list):
        return "<br>".join(_cell(v, on) for v in value)
    if isinstance(value, str):
        return _clock(value, on)
    if isinstance(value, float):
        return f"{value:.4g}"
    return html.escape(str(value))


def _clock(text: Any, on: dt.date) -> str:
    """An ISO time as HH:MM (with the date when not ``on``); other text as it is."""
    if isinstance(text, str) and len(text) > 16 and text[10:11] == "T":
        try:
            when = dt.datetime.fromisoformat(text)
        except ValueError:
            return html.escape(text)
        return f"{when:%H:%M}" if when.date() == on else f"{when:%d %b %H:%M}"
    return html.escape("--" if text is None else str(text))


def _day_page(place: Place, date: dt.date, calendar: str, convention: str) -> str:
    record: Day = _named(api.day, date, place, convention, calendar=calendar)
    chog = api.choghadiya(date, place, convention)
    o = cli.Options(calendar=calendar, convention=convention)
    seen: list[tuple[str, str]] = []
    for kind in cli.KINDS:
        for r in kind.fetch(o, date.year, place, (date, date)):
            seen.append((kind.text(r, calendar), kind.reasoning(r)))
    rows = "".join(f"<tr><th>{html.escape(k.replace('_', ' ').capitalize())}</th>"
                   f"<td>{_cell(v, date)}</td></tr>"
                   for k, v in record.to_dict().items() if k not in ("date", "place", "muhurat"))
    windows = "".join(f"<tr><td>{_cell(w.to_dict(), date)}</td></tr>"
                      for w in record.muhurat.windows())
    periods = "".join(f"<tr><th>{label}</th><td>"
                      + "<br>".join(_cell(w.to_dict(), date) for w in ws) + "</td></tr>"
                      for label, ws in (("Day", chog.day), ("Night", chog.night)))
    observed = "".join(f"<li>{html.escape(t)}<p class=why>{html.escape(w)}</p></li>"
                       for t, w in seen) or "<li>none</li>"
    q, slug = _query(calendar, convention), _link(place)
    api_q = urlencode({"place": place.name, "date": date.isoformat(), "calendar": calendar,
                       "convention": convention})
    title = f"{date:%A %d %B %Y} — {place.name}"
    return (f'<!DOCTYPE html>\n<html lang="en"><head><meta charset="utf-8">'
            f"<title>{html.escape(title)}</title><style>{_PAGE_CSS}</style></head><body>"
            f'<nav><a href="/month/{slug}/{_ym(date)}{q}">← {date:%B %Y}</a>'
            f'<a href="/day/{slug}/{date - dt.timedelta(days=1)}{q}">previous day</a>'
            f'<a href="/day/{slug}/{date + dt.timedelta(days=1)}{q}">next day</a>'
            f'<a href="/api/day?{api_q}">JSON</a></nav>'
            f"<h1>{html.escape(title)}</h1><p class=why>{html.escape(place.label())}</p>"
            f"<table>{rows}</table><h2>Muhurat</h2><table>{windows}</table>"
            f"<h2>Choghadiya</h2><table>{periods}</table>"
            f"<h2>Observances</h2><ul>{observed}</ul></body></html>\n")


app = create_app()


def serve(host: str = "127.0.0.1", port: int = 8000, workers: int = 1) -> None:
    """Run the application under uvicorn until interrupted."""
    import uvicorn

    if isinstance(port, bool) or not isinstance(port, int) or not 0 <= port <= 65535:
        raise TithiloomError(f"--port must be 0-65535, got {port!r}")
    if isinstance(workers, bool) or not isinstance(workers, int) or not 1 <= workers <= 64:
        raise TithiloomError(f"--workers must be 1-64, got {workers!r}")

    uvicorn.run("tithiloom.service:app", host=host, port=port, workers=workers,
                access_log=False, log_level="warning")


