"""Drives `tithiloom serve` on the loopback with many concurrent clients and
reports requests/s, p50/p99 latency, errors and the server's resident memory.

Starts its own server (127.0.0.1, a free port, --workers N), runs bounded
phases and stops the server it started:
  day    CLIENTS clients looking up days (today ± SPREAD days) at places
         across the gazetteer, each pausing THINK s (mean) between requests,
         as apps do; run twice: from a cold start, then with the answers kept;
  feed   two years of festivals for places never asked before (uncached), then
         each again with its ETag (a calendar re-reading: 304);
  mix    the same clients on a mix: 80 % day lookups, 10 % feed reads (most
         with the ETag of an earlier read), 10 % month pages; cold, then warm;
  long   (--long N) the mix without pauses until N requests, memory after the
         first 1,000 and at the end.
Every phase is bounded by a request count and by --seconds.

Run: PYTHONPATH=<build>/python python bench/bench_service.py [--workers 1]
     [--clients 200] [--think 1.0] [--spread 3] [--requests 6000] [--seconds 60]
     [--long 100000]
(the interpreter needs the serve extra: fastapi, uvicorn).
"""

import argparse
import asyncio
import datetime as dt
import os
import random
import socket
import subprocess
import sys
import time

from tithiloom.export import slug  # noqa: E402
from tithiloom.places import gazetteer  # noqa: E402

HOST = "127.0.0.1"
PLACES = [slug(p.name) for p in gazetteer()]


def free_port():
    with socket.socket() as s:
        s.bind((HOST, 0))
        return s.getsockname()[1]


def tree(pid):
    """A process and its descendants (the uvicorn workers)."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    ppid = int(f.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                continue
            children.setdefault(ppid, []).append(int(entry))
    found, todo = [], [pid]
    while todo:
        p = todo.pop()
        found.append(p)
        todo += children.get(p, [])
    return found


def tree_sum(pid, name, read):
    """read(text) of /proc/<p>/<name>, summed over the process tree of pid
    (processes that end meanwhile count nothing)."""
    total = 0
    for p in tree(pid):
        try:
            with open(f"/proc/{p}/{name}") as f:
                total += read(f.read())
        except (OSError, StopIteration):
            pass
    return total


def tree_rss_kib(pid):
    return tree_sum(pid, "status", lambda text: next(
        int(line.split()[1]) for line in text.splitlines() if line.startswith("VmRSS:")))


def tree_cpu_seconds(pid):
    # utime and stime, fields 14 and 15, after the command name in parentheses.
    return tree_sum(pid, "stat", lambda text: sum(
        int(x) for x in text.rsplit(")", 1)[1].split()[11:13])) / os.sysconf("SC_CLK_TCK")


class Connection:
    """One keep-alive HTTP/1.1 connection (a client's own, as a browser or app keeps)."""

    def __init__(self, port):
        self.port, self.reader, self.writer = port, None, None

    async def get(self, path, headers=()):
        reused = self.writer is not None
        if not reused:
            self.reader, self.writer = await asyncio.open_connection(HOST, self.port)
        extra = "".join(f"{k}: {v}\r\n" for k, v in headers)
        self.writer.write(f"GET {path} HTTP/1.1\r\nHost: {HOST}\r\n{extra}\r\n".encode())
        try:
            head = await self.reader.readuntil(b"\r\n\r\n")
        except (asyncio.IncompleteReadError, ConnectionError) as e:
            if not reused or getattr(e, "partial", b""):
                raise
            # The server closed a connection left idle past its keep-alive: as any
            # client does, send the request again on a new one.
            self.close()
            self.writer = None
            return await self.get(path, headers)
        lines = head.decode("latin-1").split("\r\n")
        status = int(lines[0].split()[1])
        fields = {k.lower(): v.strip() for k, _, v in (x.partition(":") for x in lines[1:] if x)}
        body = await self.reader.readexactly(int(fields.get("content-length", 0)))
        return status, fields, body

    def close(self):
        if self.writer is not None:
            self.writer.close()


class Tally:
    """Latencies by kind of request; errors are failed connections and 5xx, and
    refusals (4xx, such as a day without sunrise in the polar night) are counted apart."""

    def __init__(self):
        self.times, self.errors, self.refused, self.count = {}, {}, {}, 0
        self.failures = []  # the first few failed connections, for the report

    def add(self, kind, seconds, status):
        self.times.setdefault(kind, []).append(seconds)
        self.count += 1
        if status is None or status >= 500:
            self.errors[kind] = self.errors.get(kind, 0) + 1
        if status is not None and status >= 500:
            self.failures.append(f"{kind}: status {status}")
        elif status is not None and status >= 400:
            self.refused[kind] = self.refused.get(kind, 0) + 1

    def report(self, label, wall, cpu=None):
        used = "" if cpu is None else (f", server CPU {cpu:.1f} s = "
                                       f"{cpu / max(self.count, 1) * 1000:.2f} ms a request")
        print(f"{label}: {self.count} requests in {wall:.1f} s = {self.count / wall:.0f} req/s"
              f"{used}")
        for kind, ts in sorted(self.times.items()):
            ts = sorted(ts)
            p = lambda q: ts[min(len(ts) - 1, int(q * len(ts)))] * 1000  # noqa: E731
            print(f"  {kind:<10} n={len(ts):<6} p50 {p(0.50):7.1f} ms  p99 {p(0.99):7.1f} ms  "
                  f"max {ts[-1] * 1000:7.1f} ms  errors {self.errors.get(kind, 0)}  "
                  f"refused {self.refused.get(kind, 0)}")
        for failure in self.failures:
            print(f"  failed: {failure}")


SPREAD = [3]  # days either side of today that day lookups ask for


def near_today():
    return (dt.date.today() + dt.timedelta(days=random.randint(-SPREAD[0], SPREAD[0]))).isoformat()


def day_request():
    return "day", f"/api/day?place={random.choice(PLACES)}&date={near_today()}", ()


class Mix:
    """The mixed workload; remembers feed ETags as subscribed calendars do."""

    def __init__(self):
        self.etags = {}

    def next(self):
        r = random.random()
        if r < 0.8:
            return day_request()
        place = random.choice(PLACES[:20])  # the places most people live in
        if r < 0.9:
            path = f"/feeds/{place}/festivals.ics"
            tag = self.etags.get(path) if random.random() < 0.8 else None
            return "feed", path, (("If-None-Match", tag),) if tag else ()
        month = dt.date.today().replace(day=1) + dt.timedelta(days=random.choice((0, 31)))
        return "month", f"/month/{place}/{month:%Y-%m}", ()


async def run_clients(port, clients, think, limit, seconds, pick, tally, on_count=None,
                      etags=None):
    deadline = time.monotonic() + seconds
    left = [limit]

    async def client():
        conn = Connection(port)
        await asyncio.sleep(random.random() * think)  # clients arrive spread out
        try:
            while left[0] > 0 and time.monotonic() < deadline:
                left[0] -= 1
                kind, path, headers = pick()
                t = time.perf_counter()
                try:
                    status, fields, _ = await conn.get(path, headers)
                    if etags is not None and "etag" in fields:
                        etags[path] = fields["etag"]
                except (OSError, asyncio.IncompleteReadError, ValueError) as e:
                    status = None
                    if tally.count < 100000 and len(tally.failures) < 3:
                        tally.failures.append(f"{path}: {e!r}")
                    conn.close()
                    conn = Connection(port)
                tally.add(kind, time.perf_counter() - t, status)
                if on_count is not None:
                    on_count(tally.count)
                if think:
                    await asyncio.sleep(random.expovariate(1 / think))
        finally:
            conn.close()

    start = time.monotonic()
    await asyncio.gather(*(client() for _ in range(clients)))
    return time.monotonic() - start


async def feeds(port, places, seconds):
    """Uncached reads of distinct places' festival feeds, one at a time, then re-reads."""
    conn, first, again, deadline = Connection(port), Tally(), Tally(), time.monotonic() + seconds
    tags, start = {}, time.monotonic()
    for place in places:
        if time.monotonic() > deadline:
            break
        path = f"/feeds/{place}/festivals.ics"
        t = time.perf_counter()
        status, fields, body = await conn.get(path)
        first.add("uncached", time.perf_counter() - t,
                  status if body.startswith(b"BEGIN") else None)
        tags[path] = fields.get("etag")
    first_wall, start = time.monotonic() - start, time.monotonic()
    for path, tag in tags.items():
        t = time.perf_counter()
        status, _, body = await conn.get(path, (("If-None-Match", tag),))
        again.add("etag", time.perf_counter() - t, status if status == 304 and not body else None)
    conn.close()
    first.report("feed of two years of festivals, first read of each place (uncached), "
                 "one at a time", first_wall)
    again.report("the same feeds re-read with their ETag (304)", time.monotonic() - start)


async def main(o):
    port = free_port()
    cmd = [sys.executable, "-m", "tithiloom", "serve", "--host", HOST, "--port", str(port),
           "--workers", str(o.workers)]
    server = subprocess.Popen(cmd)
    try:
        for _ in range(300):
            try:
                status, _, _ = await Connection(port).get("/api/places?q=zzz")
                break
            except OSError:
                await asyncio.sleep(0.1)
        else:
            raise SystemExit("the server did not start")
        load = os.getloadavg()
        print(f"server pid {server.pid}, {o.workers} worker(s), {os.cpu_count()} cores, "
              f"load average {load[0]:.2f} {load[1]:.2f} {load[2]:.2f}, "
              f"resident {tree_rss_kib(server.pid) / 1024:.1f} MiB at start")
        if "day" in o.phases:
            for state in ("first, from cold", "again, warm"):
                tally, cpu = Tally(), tree_cpu_seconds(server.pid)
                wall = await run_clients(port, o.clients, o.think, o.requests, o.seconds,
                                         day_request, tally)
                tally.report(f"day lookups {state}, {o.clients} clients, think {o.think} s, "
                             f"dates today ± {o.spread} days", wall,
                             tree_cpu_seconds(server.pid) - cpu)
        if "feed" in o.phases:
            await feeds(port, PLACES[-o.feeds:], o.seconds)
        if "mix" in o.phases:
            mix = Mix()
            for state in ("first, from cold", "again, warm"):
                tally, cpu = Tally(), tree_cpu_seconds(server.pid)
                wall = await run_clients(port, o.clients, o.think, o.requests, o.seconds,
                                         mix.next, tally, etags=mix.etags)
                tally.report(f"mix {state}, {o.clients} clients, think {o.think} s", wall,
                             tree_cpu_seconds(server.pid) - cpu)
        if o.long:
            mix, tally, marks, cpu = Mix(), Tally(), {}, tree_cpu_seconds(server.pid)

            def mark(n):
                if n == 1000 and n not in marks:
                    marks[n] = tree_rss_kib(server.pid)
            wall = await run_clients(port, o.clients, 0, o.long, o.long_seconds, mix.next, tally,
                                     on_count=mark, etags=mix.etags)
            end = tree_rss_kib(server.pid)
            tally.report(f"long mix without pauses, {o.clients} clients", wall,
                         tree_cpu_seconds(server.pid) - cpu)
            if 1000 in marks:
                print(f"  resident after 1,000 requests {marks[1000] / 1024:.1f} MiB, after "
                      f"{tally.count:,} {end / 1024:.1f} MiB "
                      f"({(end - marks[1000]) / marks[1000]:+.1%})")
        load = os.getloadavg()
        print(f"resident {tree_rss_kib(server.pid) / 1024:.1f} MiB at end; load average "
              f"{load[0]:.2f} {load[1]:.2f} {load[2]:.2f}")
    finally:
        server.terminate()
        server.wait(timeout=30)


if __name__ == "__main__":
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--workers", type=int, default=1)
    p.add_argument("--clients", type=int, default=200)
    p.add_argument("--think", type=float, default=1.0, help="mean pause between a client's "
                   "requests, seconds")
    p.add_argument("--requests", type=int, default=6000, help="per phase")
    p.add_argument("--seconds", type=float, default=60, help="per phase")
    p.add_argument("--feeds", type=int, default=10, help="places whose feed is read uncached")
    p.add_argument("--phases", default="day,feed,mix")
    p.add_argument("--spread", type=int, default=3, help="day lookups ask for today ± this "
                   "many days")
    p.add_argument("--long", type=int, default=0, help="requests of the memory run (0: none)")
    p.add_argument("--long-seconds", type=float, default=900)
    options = p.parse_args()
    SPREAD[0] = options.spread
    asyncio.run(main(options))
