"""Throughput of the Parquet almanac tables on Dask: place-years per second on one
worker and on two, the scheduler's own cost per task, and what that projects
for 100 000 places x 50 years on 100 workers.

Run: PYTHONPATH=<build>/python python3 bench/bench_tables.py [--places N] [--years N]
     [--full]

Prints, for the first N gazetteer places over N years from 2030: the daily table
alone on a cluster of one worker and of two (each warmed first: the ephemeris
is loaded before the clock starts), with the speed-up (target >= 1.8x on two
workers); all four tables on one worker (the cost of a full task and the bytes
it writes); the scheduler's seconds per task, from trivial tasks; and the
projection.  --full also times all 217 places x 10 years with every table on
the machine's processors, with the size written (it takes a while).
"""

import argparse
import os
import shutil
import tempfile
import time

from dask.distributed import Client, LocalCluster, wait

from tithiloom import places as gazetteer, tables

TARGET_PLACES, TARGET_YEARS, TARGET_WORKERS = 100_000, 50, 100


def cluster(workers):
    return LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                        dashboard_address=":0", silence_logs=40)


def warm(client):
    """Load the package and the ephemeris on every worker before timing."""
    def one_day():
        import datetime as dt
        from tithiloom import api
        api.days(dt.date(2029, 1, 1), dt.date(2029, 1, 2), gazetteer.lookup("Ujjain"))
    client.run(one_day)


def timed_run(workers, places, years, which, root):
    out = tempfile.mkdtemp(dir=root)
    with cluster(workers) as c, Client(c) as client:
        warm(client)
        done = tables.run(places, years, out, tables=which, scheduler=c.scheduler_address)
    shutil.rmtree(out)
    return done


def scheduler_cost(n=2000):
    """Seconds of the scheduler per task, from n tasks that do nothing (two workers)."""
    with cluster(2) as c, Client(c) as client:
        client.run(lambda: None)
        started = time.perf_counter()
        futures = client.map(lambda i: {"rows": {}, "bytes": 0, "seconds": 0.0,
                                        "cpu_seconds": 0.0}, range(n), pure=False)
        wait(futures)
        return (time.perf_counter() - started) / n


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--places", type=int, default=12)
    parser.add_argument("--years", type=int, default=2)
    parser.add_argument("--full", action="store_true",
                        help="also 217 places x 10 years, all tables, every processor")
    a = parser.parse_args()
    root = tempfile.mkdtemp(prefix="bench-tables-")
    print(f"load before: {os.getloadavg()[0]:.2f} {os.getloadavg()[1]:.2f} "
          f"{os.getloadavg()[2]:.2f}, {os.cpu_count()} processors")
    places = list(gazetteer.gazetteer())[:a.places]
    years = (2030, 2030 + a.years - 1)
    n = len(places) * a.years
    rates = {}
    for workers in (1, 2):
        done = timed_run(workers, places, years, ("daily",), root)
        rates[workers] = done.tasks / done.seconds
        print(f"daily, {n} place-years on {workers} worker(s): {done.seconds:.2f} s, "
              f"{rates[workers]:.2f} place-years/s ({done.task_seconds / done.tasks * 1e3:.0f} "
              f"ms a task, {done.cpu_seconds / done.tasks * 1e3:.0f} ms of it on a processor)")
    print(f"speed-up on two workers: {rates[2] / rates[1]:.2f}x (target >= 1.8x)")
    print(f"load now: {os.getloadavg()[0]:.2f} (other work takes processors from the workers "
          f"when a task's time exceeds its processor time)")

    full = timed_run(1, places[:max(2, a.places // 3)], years, tables.TABLES, root)
    # A worker of its own processor spends on a task its processor time.
    per_task = full.cpu_seconds / full.tasks
    per_bytes = full.bytes / full.tasks
    print(f"all four tables on one worker: {full.tasks / full.seconds:.2f} place-years/s, "
          f"{full.task_seconds / full.tasks * 1e3:.0f} ms a task ({per_task * 1e3:.0f} ms on a "
          f"processor) and {per_bytes / 1e3:.1f} kB written per "
          f"place-year ({', '.join(f'{t} {r / full.tasks:.0f}' for t, r in full.rows.items())} "
          f"rows each)")

    overhead = scheduler_cost()
    print(f"scheduler: {overhead * 1e3:.2f} ms per trivial task "
          f"({1 / overhead:.0f} tasks/s at most)")

    total = TARGET_PLACES * TARGET_YEARS
    compute = total * per_task / TARGET_WORKERS
    scheduling = total * overhead
    print(f"projection, {TARGET_PLACES} places x {TARGET_YEARS} years = {total:.0e} tasks on "
          f"{TARGET_WORKERS} workers: computing {compute / 3600:.1f} h, the scheduler "
          f"{scheduling / 3600:.1f} h (it keeps up while {per_task / overhead:.0f} workers or "
          f"fewer ask), so about {max(compute, scheduling) / 3600:.1f} h; "
          f"{total * per_bytes / 1e12:.2f} TB in {total * len(tables.TABLES) / 1e6:.0f} "
          f"million files")

    if a.full:
        every = list(gazetteer.gazetteer())
        out = os.path.join(root, "full")
        started = time.perf_counter()
        try:
            done = tables.run(every, (2030, 2039), out)
        except tables.IncompleteRun as e:
            done = e.summary
        wall = time.perf_counter() - started
        print(f"217 places x 10 years, all tables, {done.workers} workers: {wall:.0f} s with "
              f"the cluster's start ({done.tasks / done.seconds:.2f} place-years/s), "
              f"{done.bytes / 1e6:.1f} MB, rows {done.rows}")
        for failure in done.failed:
            print(f"  failed: {failure}")
    shutil.rmtree(root)
    print(f"load after: {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
