"""Almanac tables for many places and years: computed on a Dask cluster, written as Parquet.

One task is one place-year: it computes that year's daily almanac, festivals,
Ekadashis and vrats on a worker, writes each as one Parquet file of its
partition (``OUT/<table>/place=<folder>/year=<year>/part.parquet``) and sends
back only a small summary, so the client never holds the tables.  Each file
is written whole or not at all, so a partition whose files all exist is
complete; a worker killed mid-task leaves none of its own, and the cluster
runs the task again elsewhere.  ``manifest.json`` in OUT records the inputs,
so that a later run can finish the same tables (``resume``) and never mixes
another run's into them.

dask and pyarrow are imported only here, and only when a table is built, so
that ``import tithiloom`` needs neither.
"""

from __future__ import annotations

import contextlib
import csv
from array import array
import datetime as dt
import hashlib
import io
import json
import logging
import os
import re
import time
from collections.abc import Callable, Generator, Iterable, Iterator, Sequence
from dataclasses import dataclass, field
from pathlib import Path
from typing import Any

from tithiloom import api, checks, places as gazetteer
from tithiloom.errors import TithiloomError, UnknownPlace
from tithiloom.export import write_atomic
from tithiloom.places import Place

TABLES = ("daily", "festivals", "ekadashis", "vrats")
MANIFEST = "manifest.json"
PART = "part.parquet"
FORMAT = 1  # of the layout and the manifest; a reader checks it
_TEMPORARY = re.compile(r"^\.tithiloom-.*\.tmp$")  # what write_atomic leaves when killed


def _require() -> tuple[Any, Any]:
    """pyarrow and pyarrow.parquet, or a clear error naming the extra that brings them."""
    try:
        import pyarrow
        import pyarrow.parquet
    except ImportError as e:
        raise TithiloomError(f"tables need pyarrow and dask: pip install 'tithiloom[tables]' "
                             f"({e})") from None
    return pyarrow, pyarrow.parquet


def _distributed() -> Any:
    try:
        import dask.distributed
    except ImportError as e:
        raise TithiloomError(f"tables need pyarrow and dask: pip install 'tithiloom[tables]' "
                             f"({e})") from None
    return dask.distributed


# ---------------------------------------------------------------- schema

@dataclass(frozen=True, slots=True)
class Column:
    """One column: its name, its kind of value, where a record holds it (a path of
    attributes; None anywhere on it is a null) and what it means."""

    name: str
    kind: str  # time, date, int8, int16, float, bool, enum (dictionary-encoded), text
    path: tuple[str, ...]
    meaning: str


def _col(name: str, kind: str, meaning: str, path: str = "") -> Column:
    return Column(name, kind, tuple((path or name).split(".")), meaning)


def _limb(limb: str, numbers: str, extra: Sequence[Column] = ()) -> list[Column]:
    return [_col(limb, "int8", f"{limb} prevailing at sunrise, {numbers}", f"{limb}.number"),
            _col(f"{limb}_name", "enum", f"that {limb}'s name", f"{limb}.name"), *extra,
            _col(f"{limb}_start", "time", f"when that {limb} began", f"{limb}.start"),
            _col(f"{limb}_end", "time", f"when that {limb} ends", f"{limb}.end")]


def _window(prefix: str, path: str, what: str) -> list[Column]:
    return [_col(f"{prefix}_start", "time", f"{what}: start", f"{path}.start"),
            _col(f"{prefix}_end", "time", f"{what}: end", f"{path}.end")]


SCHEMAS: dict[str, tuple[Column, ...]] = {
    "daily": (
        _col("date", "date", "the civil date at the place"),
        _col("vara", "int8", "weekday, 0 = Sunday", "vara.number"),
        _col("vara_name", "enum", "weekday's Sanskrit name", "vara.name"),
        _col("vara_english", "enum", "weekday's English name", "vara.english"),
        *_limb("tithi", "1-30 (1-15 Shukla)",
               [_col("paksha", "enum", "Shukla or Krishna", "tithi.paksha")]),
        *_limb("nakshatra", "1-27",
               [_col("nakshatra_pada", "int8", "its quarter at sunrise, 1-4", "nakshatra.pada"),
                _col("nakshatra_lord", "enum", "its ruling planet", "nakshatra.lord")]),
        *_limb("yoga", "1-27"),
        *_limb("karana", "1-11"),
        _col("sunrise", "time", "sunrise under the run's convention"),
        _col("sunset", "time", "sunset under the run's convention"),
        _col("day_length_hours", "float", "sunrise to sunset, hours"),
        *_window("rahu_kalam", "muhurat.rahu_kalam", "Rahu Kalam"),
        *_window("yama_gandam", "muhurat.yama_gandam", "Yama Gandam"),
        *_window("gulika_kalam", "muhurat.gulika_kalam", "Gulika Kalam"),
        *_window("abhijit", "muhurat.abhijit", "Abhijit Muhurat"),
        _col("lunar_month", "int8", "amanta month number at sunrise, 1 = Chaitra (null where "
             "not known)", "hindu_date.lunar_month"),
        _col("lunar_month_name", "enum", "the month named in the run's calendar",
             "hindu_date.lunar_month_name"),
        _col("is_adhik", "bool", "an adhika (leap) month", "hindu_date.is_adhik"),
        _col("vikram_samvat", "int16", "Vikram Samvat year", "hindu_date.vikram_samvat"),
        _col("shaka_samvat", "int16", "Shaka Samvat year", "hindu_date.shaka_samvat"),
        _col("samvatsara", "enum", "the year's name in the sixty-year cycle",
             "hindu_date.samvatsara"),
    ),
    "festivals": (
        _col("date", "date", "the day the festival is kept"),
        _col("id", "enum", "the rule's identifier"),
        _col("name", "enum", "the festival's name"),
        _col("sunrise", "time", "sunrise of that day"),
        _col("tithi_at_sunrise", "int8", "tithi 1-30 at that sunrise"),
        _col("lunar_month_name", "enum", "its month, named in the run's calendar"),
        _col("is_adhik_month", "bool", "in an adhika month"),
        _col("priority", "enum", "the rule that chose the day"),
        _col("kaala", "enum", "the part of the day the rule weighs (empty if none)"),
        _col("reasoning", "text", "why this day"),
        _col("alternate_date", "date", "the day another convention would choose",
             "alternate.date"),
        _col("alternate_sunrise", "time", "sunrise of that day", "alternate.sunrise"),
        _col("alternate_priority", "enum", "that convention", "alternate.priority"),
        _col("alternate_reasoning", "text", "why that day", "alternate.reasoning"),
        _col("description", "enum", "what the festival is"),
        _col("region", "enum", "where it is kept"),
        _col("tradition", "enum", "who keeps it"),
        _col("margin_minutes", "float", "minutes that decided the day (almanac convention)"),
        _col("moonrise", "time", "the moonrise a moonrise rule weighed"),
        _col("muhurta_name", "enum", "the kaala that times the rite", "muhurta.name"),
        *_window("muhurta", "muhurta", "the time of the rite"),
    ),
    "ekadashis": (
        _col("smartha_date", "date", "the Smartha fast"),
        _col("name", "enum", "the Ekadashi's name"),
        _col("lunar_month", "int8", "amanta month number, 1 = Chaitra"),
        _col("lunar_month_name", "enum", "its month, named in the run's calendar"),
        _col("is_adhik", "bool", "in an adhika month"),
        _col("paksha", "enum", "Shukla or Krishna"),
        _col("smartha_sunrise", "time", "sunrise of the Smartha fast"),
        _col("vaishnava_date", "date", "the Vaishnava fast"),
        _col("vaishnava_sunrise", "time", "sunrise of the Vaishnava fast"),
        _col("reasoning", "text", "why these days"),
        *_window("smartha_parana", "smartha_parana", "breaking the Smartha fast"),
        *_window("vaishnava_parana", "vaishnava_parana", "breaking the Vaishnava fast"),
    ),
    "vrats": (
        _col("date", "date", "the fast day"),
        _col("type", "enum", "Pradosh Vrat, Sankashti Chaturthi, Amavasya or Purnima Vrat"),
        _col("name", "enum", "the fast with its month"),
        _col("sunrise", "time", "sunrise of that day"),
        _col("lunar_month_name", "enum", "its month, named in the run's calendar"),
        _col("paksha", "enum", "Shukla or Krishna"),
        _col("is_adhik", "bool", "in an adhika month"),
        _col("reasoning", "text", "why this day (almanac convention; else empty)"),
        _col("muhurta_name", "enum", "the kaala that times the rite", "muhurta.name"),
        *_window("muhurta", "muhurta", "the time of the rite"),
    ),
}


def _fetch(table: str, place: Place, year: int, convention: str, calendar: str) -> list[Any]:
    if table == "daily":
        return api.days(dt.date(year, 1, 1), dt.date(year, 12, 31), place, convention, calendar)
    if table == "festivals":
        return api.festivals(year, place, calendar=calendar, convention=convention)
    if table == "ekadashis":
        return api.ekadashis(year, place, convention=convention, calendar=calendar)
    return api.vrats(year, place, convention=convention, calendar=calendar)


def value(record: Any, path: Sequence[str]) -> Any:
    """A column's value in a record (None where the path meets a None)."""
    for name in path:
        if record is None:
            return None
        record = getattr(record, name)
    return record


def arrow_schema(table: str, zone: str) -> Any:
    """The pyarrow schema of a table whose times are kept on ``zone``."""
    pa, _ = _require()
    return pa.schema([(c.name, _arrow_type(pa, c.kind, zone)) for c in SCHEMAS[table]])


def _arrow_type(pa: Any, kind: str, zone: str) -> Any:
    return {"time": pa.timestamp("ms", tz=zone), "date": pa.date32(), "int8": pa.int8(),
            "int16": pa.int16(), "float": pa.float64(), "bool": pa.bool_(),
            "enum": pa.dictionary(pa.int32(), pa.string()), "text": pa.string()}[kind]


def to_arrow(table: str, records: Sequence[Any], zone: str) -> Any:
    """Records of one table as a pyarrow Table of its schema."""
    pa, _ = _require()
    arrays = []
    for c in SCHEMAS[table]:
        values = [value(r, c.path) for r in records]
        if c.kind == "time":  # Parquet keeps no unit coarser than the millisecond
            arrays.append(pa.array([None if v is None else int(v.timestamp()) * 1000
                                    for v in values], pa.timestamp("ms", tz=zone)))
        elif c.kind == "enum":
            arrays.append(pa.array(values, pa.string()).dictionary_encode())
        else:
            arrays.append(pa.array(values, _arrow_type(pa, c.kind, zone)))
    return pa.Table.from_arrays(arrays, schema=arrow_schema(table, zone))


# ---------------------------------------------------------------- places and layout

def folder(name: str) -> str:
    """A place's partition folder: its name folded (no accents or case), each run of
    other characters one hyphen; a long name is cut and keeps a hash of the whole."""
    text = re.sub(r"[\W_]+", "-", gazetteer._key(name)).strip("-") or "x"
    if len(text) > 64:
        text = f"{text[:55]}-{hashlib.sha1(name.encode()).hexdigest()[:8]}"
    return text


def partition(out: str | os.PathLike[str], table: str, place: str, year: int) -> Path:
    """The file that holds a table's rows of one place-year."""
    return Path(out) / table / f"place={folder(place)}" / f"year={year}" / PART


def places_from(text: str) -> list[Place]:
    """Places named by ``all`` (the gazetteer), ``NAME,NAME`` or a CSV file."""
    if text.strip().lower() == "all":
        return list(gazetteer.gazetteer())
    if text.lower().endswith(".csv") or os.path.isfile(text):
        return read_csv(text)
    names = [n.strip() for n in text.split(",")]
    if not all(names):
        raise TithiloomError(f"--places {text!r}: an empty name; use all, NAME,NAME or a "
                             f"FILE.csv")
    return _distinct([(_named(n), f"{n!r}") for n in names])


def _named(name: str) -> Place:
    try:
        return gazetteer.lookup(name)
    except UnknownPlace as e:  # the hint of the one-place commands does not apply here
        raise UnknownPlace(str(e).split(" (`")[0] + " (`tithiloom places` lists them all; a "
                           "CSV of name,lat,lng,alt,zone gives any other)") from None


_HEADER = ["name", "lat", "lng", "alt", "zone"]


def read_csv(path: str | os.PathLike[str]) -> list[Place]:
    """The places of a CSV file, one a row: ``name,lat,lng[,alt[,zone]]`` (an empty
    zone is the one that holds the coordinates), or a gazetteer name alone.  A
    header row, blank rows and rows starting with # are skipped.  Every bad row is
    reported, with its line number, in one error."""
    try:
        with open(path, newline="", encoding="utf-8-sig") as f:
            rows = list(enumerate(csv.reader(f), 1))
    except (OSError, UnicodeDecodeError) as e:
        raise TithiloomError(f"{os.fspath(path)}: cannot be read ({e})") from None
    found: list[tuple[Place, str]] = []
    errors: list[str] = []
    for line, row in rows:
        cells = [c.strip() for c in row]
        if not any(cells) or cells[0].startswith("#"):
            continue
        if not found and not errors and [c.lower() for c in cells] == _HEADER[:len(cells)]:
            continue
        try:
            found.append((_row(cells), f"line {line}"))
        except TithiloomError as e:
            errors.append(f"line {line}: {e}")
    try:
        places = _distinct(found)
    except TithiloomError as e:
        errors.append(str(e))
        places = []
    if errors:
        more = f" (and {len(errors) - 10} more)" if len(errors) > 10 else ""
        raise TithiloomError(f"{os.fspath(path)}: {'; '.join(errors[:10])}{more}")
    if not places:
        raise TithiloomError(f"{os.fspath(path)}: no places in it")
    return places


def _row(cells: list[str]) -> Place:
    if len(cells) == 1:
        return _named(cells[0])
    if not 3 <= len(cells) <= 5 or not cells[0]:
        raise TithiloomError(f"expected name,lat,lng,alt,zone or a gazetteer name, got "
                             f"{len(cells)} fields")
    cells += [""] * (5 - len(cells))
    numbers = []
    for label, text in zip(("latitude", "longitude", "altitude"), cells[1:4]):
        try:
            numbers.append(float(text) if text or label != "altitude" else 0.0)
        except ValueError:
            raise TithiloomError(f"{label} of {cells[0]!r} is not a number: {text!r}") from None
    latitude, longitude, altitude = numbers
    return Place(cells[0], latitude, longitude, altitude, cells[4])


def _distinct(found: Iterable[tuple[Place, str]]) -> list[Place]:
    """The places, refusing two that are one place or share a partition folder."""
    seen: dict[str, str] = {}
    out = []
    for place, where in found:
        key = folder(place.name)
        if key in seen:
            raise TithiloomError(f"{where}: {place.name!r} repeats the place of {seen[key]} "
                                 f"(names must differ beyond case, accents and punctuation)")
        seen[key] = where
        out.append(place)
    return out


def years_from(text: str) -> tuple[int, int]:
    """``FIRST-LAST`` or one year."""
    first, _, last = text.strip().partition("-")
    try:
        span = checks.year(int(first)), checks.year(int(last or first))
    except ValueError:
        raise TithiloomError(f"not years: {text!r}; use FIRST-LAST, such as 2026-2075") from None
    if span[1] < span[0]:
        raise TithiloomError(f"years {text!r}: the last comes before the first")
    return span


# ---------------------------------------------------------------- the manifest

def inputs(places: Sequence[Place], years: tuple[int, int], convention: str, calendar: str,
           tables: Sequence[str]) -> dict[str, Any]:
    """What a run computes, as its manifest records it (JSON values)."""
    from tithiloom import __version__

    return {"format": FORMAT, "version": __version__,
            "places": [{"name": p.name, "folder": folder(p.name), "latitude": p.latitude,
                        "longitude": p.longitude, "altitude_m": p.altitude_m,
                        "timezone": p.timezone} for p in places],
            "years": list(years), "convention": convention, "calendar": calendar,
            "tables": list(tables)}


def _claim(out: Path, wanted: dict[str, Any], resume: bool) -> None:
    """Make OUT this run's: a new or empty directory gets the manifest; one with
    this run's manifest is taken only to resume; anything else is refused."""
    manifest = out / MANIFEST
    if manifest.is_file():
        try:
            found = json.loads(manifest.read_text(encoding="utf-8"))
        except (OSError, ValueError) as e:
            raise TithiloomError(f"{manifest}: cannot be read ({e})") from None
        if not isinstance(found, dict) or found.get("inputs") != wanted:
            had = found.get("inputs", {}) if isinstance(found, dict) else {}
            differ = [k for k in wanted if not isinstance(had, dict) or had.get(k) != wanted[k]]
            raise TithiloomError(f"{out} holds the tables of another run (its "
                                 f"{', '.join(differ) or 'manifest'} differ): choose another "
                                 f"--out")
        if not resume:
            raise TithiloomError(f"{out} holds tables of this run already: --resume finishes "
                                 f"them, or choose another --out")
        return
    if out.exists() and (not out.is_dir() or any(out.iterdir())):
        raise TithiloomError(f"{out} holds files that no run of tithiloom recorded: choose a "
                             f"new or empty --out")
    out.mkdir(parents=True, exist_ok=True)
    write_atomic(manifest, json.dumps({"inputs": wanted}, indent=1, ensure_ascii=False) + "\n")


def complete(out: str | os.PathLike[str], place: str, year: int,
             tables: Sequence[str] = TABLES) -> bool:
    """Whether a place-year's files are all written (each is whole or absent)."""
    return all(partition(out, t, place, year).is_file() for t in tables)


# ---------------------------------------------------------------- one task

def place_year(place: Place, year: int, out: str, convention: str, calendar: str,
               tables: Sequence[str] = TABLES) -> dict[str, Any]:
    """Compute and write one place-year's tables (on a worker); returns the rows of
    each table, the bytes written, and the seconds and processor seconds taken."""
    _, pq = _require()
    started, cpu = time.perf_counter(), time.process_time()
    rows, size = {}, 0
    for table in tables:
        data = to_arrow(table, _fetch(table, place, year, convention, calendar), place.timezone)
        buffer = io.BytesIO()
        pq.write_table(data, buffer, compression="zstd")
        path = partition(out, table, place.name, year)
        path.parent.mkdir(parents=True, exist_ok=True)
        for stale in os.listdir(path.parent):  # left by a worker killed while writing
            if _TEMPORARY.match(stale):
                (path.parent / stale).unlink(missing_ok=True)
        write_atomic(path, buffer.getvalue())
        rows[table], size = data.num_rows, size + buffer.tell()
    return {"rows": rows, "bytes": size, "seconds": time.perf_counter() - started,
            "cpu_seconds": time.process_time() - cpu}


def _task(place: Place, year: int, out: str, convention: str, calendar: str,
          tables: Sequence[str]) -> dict[str, Any]:
    """:func:`place_year` on a worker.  A cluster runs one task per processor: the
    core's own pool of threads would only crowd the other tasks (unless the
    worker's environment sets TITHILOOM_THREADS)."""
    os.environ.setdefault("TITHILOOM_THREADS", "1")
    return place_year(place, year, out, convention, calendar, tables)


# ---------------------------------------------------------------- the run

@dataclass
class Summary:
    """What a run did: tasks run and skipped, the place-years that failed (each
    "place year: why"), rows per table, bytes written, the tasks' seconds and
    processor seconds (on a busy machine the first exceed the second) and the
    run's wall-clock seconds."""

    tasks: int = 0
    skipped: int = 0
    failed: list[str] = field(default_factory=list)
    workers: int = 0
    rows: dict[str, int] = field(default_factory=dict)
    bytes: int = 0
    task_seconds: float = 0.0
    cpu_seconds: float = 0.0
    seconds: float = 0.0

    def add(self, result: dict[str, Any]) -> None:
        self.tasks += 1
        for table, n in result["rows"].items():
            self.rows[table] = self.rows.get(table, 0) + n
        self.bytes += result["bytes"]
        self.task_seconds += result["seconds"]
        self.cpu_seconds += result["cpu_seconds"]


class IncompleteRun(TithiloomError):
    """Some place-years failed; the others are written (``summary`` says what was done)."""

    def __init__(self, summary: Summary) -> None:
        failed = summary.failed
        more = f" (and {len(failed) - 3} more)" if len(failed) > 3 else ""
        super().__init__(f"{len(failed)} of {summary.tasks + len(failed)} place-years failed, "
                         f"the others are written (--resume tries the failed again): "
                         f"{'; '.join(failed[:3])}{more}")
        self.summary = summary


Progress = Callable[[int, int, float], None]  # tasks done, tasks to do, seconds so far
# A run whose first tasks all fail (workers without tithiloom, an OUT they cannot
# write) stops instead of failing every task.
FAILURES_BEFORE_ANY_SUCCESS = 16


def run(places: Sequence[Place], years: tuple[int, int], out: str | os.PathLike[str], *,
        convention: str = "almanac", calendar: str = "purnimant",
        tables: Sequence[str] = TABLES, scheduler: str | None = None,
        workers: int | None = None, resume: bool = False,
        progress: Progress | None = None) -> Summary:
    """Write the tables of every place and year (``years``: first and last, inclusive).

    ``scheduler`` is the address of a running Dask scheduler (``tcp://host:port``);
    without one, a local cluster of ``workers`` processes (default: one per
    processor) runs the tasks and is shut down after.  Every input is checked
    before any work; an OUT that holds another run's files is refused, and this
    run's own only with ``resume``, which skips the place-years already complete.
    """
    conv, cal = api._convention(convention), api._calendar(calendar)
    try:
        first, last = years
    except (TypeError, ValueError):
        raise TithiloomError(f"years must be a pair (first, last), got {years!r}") from None
    first, last = checks.year(first, "the first year"), checks.year(last, "the last year")
    if last < first:
        raise TithiloomError(f"the last year {last} comes before the first {first}")
    unknown = [t for t in tables if t not in TABLES]
    if unknown or not tables:
        raise TithiloomError(f"unknown tables {unknown}; choose among {', '.join(TABLES)}")
    places = _distinct((checks.place(p, f"places[{i}]"), f"places[{i}]")
                       for i, p in enumerate(places))
    if not places:
        raise TithiloomError("no places to compute")
    if workers is not None and (isinstance(workers, bool) or not isinstance(workers, int)
                                or not 1 <= workers <= 1024):
        raise TithiloomError(f"workers must be a whole number 1-1024, got {workers!r}")
    if workers is not None and scheduler is not None:
        raise TithiloomError("workers are those of the scheduler's cluster: give --workers "
                             "or --scheduler, not both")
    _require()
    distributed = _distributed()
    root = Path(out)
    _claim(root, inputs(places, (first, last), conv, cal, tables), resume)
    # Place-years by number (place × years + year): millions of them take little room.
    span = last - first + 1
    todo = array("L", (i for i in range(len(places) * span) if not (resume and complete(
        root, places[i // span].name, first + i % span, tables))))
    work = ((places[i // span], first + i % span) for i in todo)
    summary = Summary(skipped=len(places) * span - len(todo))
    with _client(distributed, scheduler, workers) as client:
        started = time.monotonic()  # the rate is the tasks', not the cluster's start
        summary.workers = sum(client.nthreads().values())
        with contextlib.closing(_map(distributed, client, work, str(root), conv, cal,
                                     tuple(tables))) as results:
            for result in results:
                if isinstance(result, str):
                    summary.failed.append(result)
                    if not summary.tasks and len(summary.failed) >= FAILURES_BEFORE_ANY_SUCCESS:
                        break
                else:
                    summary.add(result)
                if progress is not None:
                    progress(summary.tasks + len(summary.failed), len(todo),
                             time.monotonic() - started)
    summary.seconds = time.monotonic() - started
    if summary.failed:
        raise IncompleteRun(summary)
    return summary


class _client:
    """A client of the scheduler named, or of a local cluster made for the run."""

    def __init__(self, distributed: Any, scheduler: str | None, workers: int | None) -> None:
        self.distributed, self.scheduler, self.workers = distributed, scheduler, workers
        self.cluster: Any = None
        self.client: Any = None

    def __enter__(self) -> Any:
        d = self.distributed
        try:
            if self.scheduler is not None:
                self.client = d.Client(self.scheduler, timeout="20s")
            else:
                self.cluster = d.LocalCluster(
                    n_workers=self.workers or len(os.sched_getaffinity(0)),
                    threads_per_worker=1, processes=True, dashboard_address=":0",
                    silence_logs=logging.CRITICAL)  # a failed task is reported at the end
                self.client = d.Client(self.cluster)
        except (OSError, TimeoutError) as e:
            self.__exit__()
            raise TithiloomError(f"cannot reach the scheduler {self.scheduler or 'started'} "
                                 f"({e})") from None
        return self.client

    def __exit__(self, *_: object) -> None:
        for part in (self.client, self.cluster):
            if part is not None:
                part.close()


def _map(distributed: Any, client: Any, todo: Iterator[tuple[Place, int]], out: str,
         convention: str, calendar: str,
         tables: tuple[str, ...]) -> Generator[dict[str, Any] | str, None, None]:
    """The summaries of the tasks as they end (a failed one's: "place year: why").
    Only a few tasks per worker wait on the scheduler at a time: a run of
    millions of place-years never floods it."""
    window = max(64, 4 * sum(client.nthreads().values()))
    token = os.urandom(4).hex()
    pending = todo
    inflight: dict[str, tuple[Any, Place, int]] = {}

    def submit() -> Any:
        for place, year in pending:
            key = f"tithiloom-table-{folder(place.name)}-{year}-{token}"
            future = client.submit(_task, place, year, out, convention, calendar, tables,
                                   key=key, pure=False)
            inflight[key] = (future, place, year)
            return future
        return None

    running = distributed.as_completed([f for f in (submit() for _ in range(window))
                                        if f is not None])
    try:
        for future in running:
            _, place, year = inflight.pop(future.key)
            try:
                result: dict[str, Any] | str = future.result()
            except Exception as e:  # the place-year fails, the run goes on
                reason = str(e) if isinstance(e, TithiloomError) else f"{type(e).__name__}: {e}"
                result = f"{place.name} {year}: {reason}"
            following = submit()
            if following is not None:
                running.add(following)
            yield result
    finally:  # an interrupted run leaves nothing queued on a shared cluster
        client.cancel([f for f, _, _ in inflight.values()])
