"""Almanac tables on a Dask cluster: the Parquet files hold what the single-process
functions give, every partition is whole even when a worker dies, resume skips
what is done, and bad places are refused with their line before any work."""

import dataclasses
import datetime as dt
import json
import os
import signal
import subprocess
import sys

import pytest

pq = pytest.importorskip("pyarrow.parquet")
distributed = pytest.importorskip("dask.distributed")

from tithiloom import Place, api, results, tables  # noqa: E402
from tithiloom.errors import TithiloomError  # noqa: E402

# Record fields the tables leave out: the place and calendar are the partition's
# and the run's, the nested records repeat the day's tithi, a window's name and
# auspiciousness are fixed by its column, and days() gives no Moon.
LEFT_OUT = {"place", "moon", "hindu_date.calendar", "hindu_date.paksha", "hindu_date.tithi",
            "hindu_date.tithi_name", *(f"muhurat.{w}.{f}" for w in (
                "rahu_kalam", "yama_gandam", "gulika_kalam", "abhijit")
                for f in ("name", "auspicious")),
            "muhurta.auspicious", *(f"{p}_parana.{f}" for p in ("smartha", "vaishnava")
                                    for f in ("name", "auspicious"))}


@pytest.fixture(scope="module")
def scheduler():
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=":0") as cluster:
        yield cluster.scheduler_address


def leaves(record, prefix=""):
    for f in dataclasses.fields(record):
        v = getattr(record, f.name)
        if isinstance(v, results.Record):
            yield from leaves(v, f"{prefix}{f.name}.")
        else:
            yield f"{prefix}{f.name}"


def test_tables_hold_what_the_functions_give(scheduler, tmp_path):
    places = [Place.named(n) for n in ("Ujjain", "Tromsø", "São Paulo")]
    done = tables.run(places, (2026, 2026), tmp_path, calendar="amant", scheduler=scheduler)
    assert done.tasks == 3 and done.skipped == 0
    compared, covered, seen = 0, set(), set()
    for table in tables.TABLES:
        columns = tables.SCHEMAS[table]
        covered |= {".".join(c.path) for c in columns}
        for place in places:
            want = tables._fetch(table, place, 2026, "almanac", "amant")
            got = pq.read_table(tables.partition(tmp_path, table, place.name, 2026))
            assert got.schema == tables.arrow_schema(table, place.timezone)
            assert got.num_rows == len(want) > 0
            for record, row in zip(want, got.to_pylist()):
                seen |= set(leaves(record))
                for c in columns:
                    assert row[c.name] == tables.value(record, c.path), (table, place, c.name)
                    compared += 1
    print(f"{compared} fields compared")
    assert compared > 30_000
    # Every field of the records is a column, or left out on purpose.
    # (A record that is None, as where a festival has no alternate, is not a field.)
    assert {leaf for leaf in seen if leaf not in covered
            and not any(c.startswith(leaf + ".") for c in covered)} == LEFT_OUT


def test_a_killed_worker_leaves_every_partition_whole(scheduler, tmp_path):
    places = [Place.named(n) for n in ("Pune", "Leicester", "Nairobi")]
    with distributed.Client(scheduler) as client:
        pids = list(client.run(os.getpid).values())
    killed = []

    def kill_one(done, total, seconds):
        if not killed:  # the other worker is busy with a task of its own by now
            os.kill(pids[0], signal.SIGKILL)
            killed.append(pids[0])

    done = tables.run(places, (2030, 2031), tmp_path, tables=("daily", "ekadashis"),
                      scheduler=scheduler, progress=kill_one)
    with distributed.Client(scheduler) as client:
        client.wait_for_workers(2, timeout=60)  # the nanny restarts it for the next test
    assert killed and done.tasks == 6
    for place in places:
        for year in (2030, 2031):
            daily = pq.read_table(tables.partition(tmp_path, "daily", place.name, year))
            assert daily.num_rows == 365
            assert pq.read_table(tables.partition(tmp_path, "ekadashis", place.name, year)
                                 ).num_rows >= 24
    assert [f for _, _, fs in os.walk(tmp_path) for f in fs if f != "part.parquet"] \
        == ["manifest.json"]


def test_resume_skips_complete_place_years_and_other_runs_are_refused(scheduler, tmp_path):
    places = [Place.named("Ujjain")]
    args = dict(tables=("vrats",), scheduler=scheduler)
    tables.run(places, (2040, 2041), tmp_path, **args)
    kept = tables.partition(tmp_path, "vrats", "Ujjain", 2040)
    stamp = kept.stat().st_mtime_ns
    tables.partition(tmp_path, "vrats", "Ujjain", 2041).unlink()
    done = tables.run(places, (2040, 2041), tmp_path, resume=True, **args)
    assert (done.tasks, done.skipped) == (1, 1) and kept.stat().st_mtime_ns == stamp
    with pytest.raises(TithiloomError, match="--resume finishes"):
        tables.run(places, (2040, 2041), tmp_path, **args)
    with pytest.raises(TithiloomError, match="another run .its years differ"):
        tables.run(places, (2040, 2042), tmp_path, resume=True, **args)
    with pytest.raises(TithiloomError, match="another run .its convention differ"):
        tables.run(places, (2040, 2041), tmp_path, resume=True, convention="core", **args)
    (tmp_path / tables.MANIFEST).unlink()
    with pytest.raises(TithiloomError, match="that no run of tithiloom recorded"):
        tables.run(places, (2040, 2041), tmp_path, resume=True, **args)


BAD = """name,lat,lng,alt,zone
Here,12.5,77.25,900,Asia/Kolkata
North,91,10,0,Europe/Oslo
Nowhere,10,10,0,Mars/Olympus
here,1,2
Atlantis
Two,fields
Far,10.5,east
"""


def test_bad_places_are_reported_with_their_lines_before_any_work(tmp_path):
    csv = tmp_path / "places.csv"
    csv.write_text(BAD)
    out = tmp_path / "out"
    done = subprocess.run([sys.executable, "-m", "tithiloom", "table", "--places", str(csv),
                           "--years", "2026-2027", "--out", str(out)],
                          capture_output=True, text=True, timeout=120)
    assert done.returncode == 2 and done.stdout == ""
    message = done.stderr
    assert message.count("\n") == 1 and message.startswith("tithiloom: error: ")
    for expected in ("line 3: latitude of 'North' must lie in [-90, 90]",
                     "line 4: unknown time zone 'Mars/Olympus'",
                     "line 6: unknown place 'Atlantis'",
                     "line 7: expected name,lat,lng,alt,zone",
                     "line 8: longitude of 'Far' is not a number",
                     "line 5: 'here' repeats the place of line 2"):
        assert expected in message
    assert not out.exists()


@pytest.mark.parametrize("name, expected", [("São Paulo", "sao-paulo"), ("Tromsø", "tromso"),
                                            ("../..", "x"), ("a" * 300, None)])
def test_place_folders_are_safe_paths(name, expected):
    got = tables.folder(name)
    assert got == expected if expected else (len(got) <= 64 and got != tables.folder("a" * 299))
    assert "/" not in got and not got.startswith((".", "_"))


def test_the_manifest_records_the_inputs(tmp_path):
    place = Place("Camp", -77.85, 166.67, 10, "Antarctica/McMurdo")
    tables._claim(tmp_path, tables.inputs([place], (2026, 2030), "almanac", "amant",
                                          tables.TABLES), resume=False)
    recorded = json.loads((tmp_path / tables.MANIFEST).read_text())["inputs"]
    assert recorded["places"] == [{"name": "Camp", "folder": "camp", "latitude": -77.85,
                                   "longitude": 166.67, "altitude_m": 10,
                                   "timezone": "Antarctica/McMurdo"}]
    assert (recorded["years"], recorded["convention"], recorded["calendar"]) \
        == ([2026, 2030], "almanac", "amant")
    assert recorded["version"] and recorded["tables"] == list(tables.TABLES)
