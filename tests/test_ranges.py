"""Every year the ephemeris covers, and a clear error outside it: impossible
places and instants refused, library failures reported, no data file read
from anywhere, the same results on every thread."""

import hashlib
import math
import os
import random
import re
import subprocess
import sys

import pytest

import tithiloom._core as core

DELHI = (28.6139, 77.2090, 216.0)
JD = 2461144.5  # 2026-04-14 00:00 UT
SPAN = "a Julian Day between 625000.5 and 2818000.5"

# --- impossible arguments ---

PLACE_CALLS = {  # each with (lat, lng, alt)
    "sunrise": lambda p: core.py_sunrise_jd(JD, *p),
    "sunset": lambda p: core.py_sunset_jd(JD, *p),
    "sun_data": lambda p: core.py_compute_sun_data(2026, 4, 14, *p, 19800),
    "panchang": lambda p: core.py_compute_panchang(2026, 4, 14, *p, 0, 2),
    "batch_year": lambda p: core.py_compute_batch_year(2026, *p, 19800),
    "batch_range": lambda p: core.py_compute_batch_range(2026, 1, 1, 2026, 1, 2, *p, 19800),
    "festivals": lambda p: core.py_compute_festivals([], 2026, *p, 19800),
    "lagna": lambda p: core.py_compute_lagna(JD, *p[:2]),
    "lagna_windows": lambda p: core.py_compute_lagna_windows(JD, *p[:2]),
}


@pytest.mark.parametrize("name", PLACE_CALLS)
def test_impossible_places_are_refused(name):
    for lat in (math.nan, 91.0, -90.000001, math.inf):
        with pytest.raises(ValueError, match=r"^argument 'lat': must be a finite number between "
                                             r"-90 and 90 degrees, got " + re.escape(repr(lat))):
            PLACE_CALLS[name]((lat, 77.2, 216.0))
    for arg, value in (("lng", math.nan), ("lng", -math.inf), ("alt", math.nan), ("alt", math.inf)):
        if arg == "alt" and "lagna" in name:
            continue  # takes no altitude
        place = {"lat": 28.6, "lng": 77.2, "alt": 216.0, arg: value}
        with pytest.raises(ValueError, match=f"^argument '{arg}': must be a finite number, got"):
            PLACE_CALLS[name](tuple(place.values()))


INSTANT_CALLS = {
    "jd": [lambda jd: core.py_tropical_longitude(jd, 1), lambda jd: core.py_sidereal_longitude(jd, 0),
           lambda jd: core.py_planet_speed(jd, 10), core.py_ayanamsa,
           lambda jd: core.py_compute_lagna(jd, 28.6, 77.2)],
    "jd_start": [lambda jd: core.py_sunrise_jd(jd, *DELHI),
                 lambda jd: core.py_compute_lagna_windows(jd, 28.6, 77.2)],
    "jd_noon": [lambda jd: core.py_sunset_jd(jd, *DELHI)],
}


@pytest.mark.parametrize("jd", [math.nan, math.inf, -math.inf, 1e15, 625000.4, 2818000.6])
@pytest.mark.parametrize("arg", INSTANT_CALLS)
def test_instant_outside_the_span_is_refused(arg, jd):
    for call in INSTANT_CALLS[arg]:
        with pytest.raises(ValueError, match=f"^argument '{arg}': must be {SPAN} "
                                             r"\(the span the ephemeris covers\), got "):
            call(jd)
    if not math.isfinite(jd):
        with pytest.raises(ValueError, match="^argument 'jd': must be a finite number, got"):
            core.py_jd_to_datetime(jd)
    with pytest.raises(ValueError, match=f"^argument 'jds': item 2 must be {SPAN}"):
        core.py_compute_panchanga_at_jds([JD, JD, jd, math.nan])
    for end in (625000.5, 2818000.5):  # the span's ends are inside
        assert 0.0 <= core.py_tropical_longitude(end, 1) < 360.0


# --- library failures ---

PAST_THE_SPAN = [
    lambda: core.py_compute_panchang(4000, 1, 1, *DELHI, 19800, 6),
    lambda: core.py_compute_sun_data(4000, 1, 1, *DELHI, 19800),
    lambda: core.py_compute_batch_range(-3500, 3, 1, -3500, 3, 3, *DELHI, 19800),
    lambda: core.py_compute_sankrantis(3100),
    lambda: core.py_compute_lunar_months(-3100, "purnimant"),
    lambda: core.py_compute_sankrantis(2**31 - 1, -2**31),
    lambda: core.py_compute_lunar_months(-2**31, "amant"),
    lambda: core.py_compute_festivals([], 4000, *DELHI, 19800),
    lambda: core.py_compute_festivals([{"id": "m", "name": "M", "rule": "sankranti",
                                        "sankranti_index": 0}], -3100, *DELHI, 19800),
    # Inside the span, but the search for the day's sunset runs past its end.
    lambda: core.py_sunset_jd(2818000.4, *DELHI),
]


@pytest.mark.parametrize("call", PAST_THE_SPAN)
def test_a_failure_of_the_library_raises_its_message_and_leaves_no_trace(call):
    before = core.py_compute_panchang(2026, 4, 14, *DELHI, 19800, 2)
    with pytest.raises(ValueError, match=r"^ephemeris: jd -?\d+\.\d+ outside Moshier('s)? "
                                         r"(planet|Moon) range 625000\.50 \.\. 2818000\.50$"):
        call()
    assert core.py_compute_panchang(2026, 4, 14, *DELHI, 19800, 2) == before


def test_sankrantis_and_months_across_the_span():
    adhika = 0
    years = range(-2999, 3000, 97)
    for year in years:
        jds = [s["jd"] for s in core.py_compute_sankrantis(year, 19800)]
        assert len(jds) == 12 and all(27.0 < b - a < 33.0 for a, b in zip(jds, jds[1:]))
        months = core.py_compute_lunar_months(year)
        assert all(m["name"] != "Unknown" for m in months)
        assert all(a["end_jd"] == b["start_jd"] for a, b in zip(months, months[1:]))
        # An intercalary month comes about every 32 months: at most one a list.
        assert sum(m["is_adhik"] for m in months) <= 1
        adhika += sum(m["is_adhik"] for m in months)
    # About 7 in 19 years; listed months overlap the year's ends, a little more.
    assert 0.25 < adhika / len(years) < 0.55
    makar = core.py_compute_sankrantis(-2000, 19800)[0]  # far in the past, the year before
    assert (makar["name"], makar["year"], makar["month"]) == ("Makar Sankranti", -2001, 11)


def present_era_digest():
    h = hashlib.sha256()
    for year in (1900, 1950, 2000, 2026, 2100):
        h.update(repr(core.py_compute_sankrantis(year, 19800)).encode())
        for system in ("amant", "purnimant"):
            h.update(repr(core.py_compute_lunar_months(year, system)).encode())
    h.update(repr(core.py_compute_batch_range(2026, 3, 1, 2026, 3, 31, *DELHI, 19800)).encode())
    h.update(repr(core.py_compute_panchang(1900, 1, 1, *DELHI, 19800, 1)).encode())
    h.update(repr(core.py_compute_panchanga_at_jds([2415020.5 + 73.1 * k
                                                    for k in range(1000)])).encode())
    h.update(repr([core.py_sidereal_longitude(2451545.0 + 101.7 * k, b)
                   for k in range(-100, 500) for b in (0, 1, 10, -1)]).encode())
    return h.hexdigest()


def test_present_era_results_are_unchanged_to_the_last_bit():
    # Float reprs round-trip exactly, so equal digests mean equal bits.
    assert present_era_digest() == (
        "9b5846822e43638b2175d098d3aa1617a6b8bcd2a71507aaa7a440558bb84b25")


# Rules of every kind, fixed here rather than read from the shipped files.
OBSERVANCE_RULES = (
    [{"id": f"t{i}", "name": f"t{i}", "rule": "tithi_at_sunrise", "lunar_month": i % 12 + 1,
      "tithi": (7 * i) % 30 + 1, "priority": ("paraviddha", "puurvaviddha", "vyapti")[i % 3],
      "kaala": ("aparahna", "madhyahna", "pradosha", "nishita", "full_day")[i % 5],
      "adhika_maasa": ("nija", "adhika_only", "adhika_and_nija", "adhika_if_exists")[i % 4],
      "day_offset": -1 if i % 7 == 0 else 0} for i in range(24)]
    + [{"id": f"s{i}", "name": f"s{i}", "rule": "sankranti", "sankranti_index": i}
       for i in range(0, 12, 3)]
    + [{"id": f"n{i}", "name": f"n{i}", "rule": "nakshatra_at_sunrise", "sankranti_index": i,
        "nakshatra": 2 * i + 1} for i in range(1, 12, 3)])
EKADASHI_NAMES = [{"month": m, "shukla_name": f"S{m}", "krishna_name": f"K{m}"}
                  for m in range(1, 13)]


def observance_digest():
    h = hashlib.sha256()
    for place, offset, year in ((DELHI, 19800, 2026), ((-33.87, 151.21, 58.0), 36000, 1950)):
        h.update(repr(core.py_compute_festivals(OBSERVANCE_RULES, year, *place, offset)).encode())
        h.update(repr(core.py_compute_ekadashis(EKADASHI_NAMES, year, *place, offset)).encode())
        h.update(repr(core.py_compute_vrat_dates(year, *place, offset)).encode())
        h.update(repr(core.py_compute_shraddha(year - 1, 3, 30, year + 2, *place, offset))
                 .encode())
        h.update(repr(core.py_compute_shraddha_timeline(year - 1, 3, 30, *place, offset, 12, 4, 4))
                 .encode())
    return h.hexdigest()


def test_present_era_observances_are_unchanged_to_the_last_bit():
    # Festivals, Ekadashis, vrats and shraddha as computed on one thread alone.
    assert observance_digest() == (
        "3d03c7f0e58de030afbb89e71253c247488b85c06c8ebf2ae0c2b105ad5723a6")


# Every lunar day under each priority (vyapti on six kaalas, both tie-breaks;
# every adhika choice in the months with a twin).
KAALAS = ("aparahna", "madhyahna", "nishita", "pradosha", "full_day", "sunrise")
ADHIKA = ("nija", "adhika_only", "adhika_and_nija", "adhika_if_exists")
LUNAR_DAYS = {p: [{"id": f"{p}{m}-{t}", "name": "x", "rule": "tithi_at_sunrise", "lunar_month": m,
                   "tithi": t, "priority": p.strip(), "kaala": KAALAS[(m + t) % 6],
                   "adhika_maasa": ADHIKA[t % 4] if m in (3, 5) else "nija",
                   "vyapti_tie": "purva" if t % 2 else "later"}
                  for m in range(1, 13) for t in (range(1, 31) if p[-1] != " " else range(4, 30, 5))]
              for p in ("paraviddha", "puurvaviddha", "vyapti", "vyapti ")}


@pytest.mark.wide
def test_observances_of_every_kind_are_unchanged_to_the_last_bit():
    # At Delhi in 2026 and in an adhika year, in a polar winter (the fallback),
    # west of Greenwich and south of the equator, in both reckonings; the
    # death anniversaries; the lunar months of years with a kshaya month.
    h = hashlib.sha256()
    for place, offset, year, system, kinds in (
            (DELHI, 19800, 2026, "amant", ("paraviddha", "puurvaviddha", "vyapti")),
            (DELHI, 19800, 2023, "amant", ("paraviddha", "puurvaviddha", "vyapti ")),
            ((69.65, 18.96, 0.0), 3600, 2026, None, ("paraviddha",)),
            ((40.7128, -74.0060, 10.0), -18000, 2026, "amant", ("paraviddha", "vyapti ")),
            ((-33.87, 151.21, 20.0), 36000, 2026, None, ("paraviddha", "puurvaviddha"))):
        rules = [r for k in kinds for r in LUNAR_DAYS[k]]
        h.update(repr(core.py_compute_festivals(rules, year, *place, offset, system)).encode())
        h.update(repr(core.py_compute_ekadashis(EKADASHI_NAMES, year, *place, offset)).encode())
        h.update(repr(core.py_compute_vrat_dates(year, *place, offset)).encode())
        for death in ((2024, 8, 19), (2025, 3, 30), (2025, 6, 12), (2025, 11, 5)):
            if system is None or year == 2026 and place == DELHI:
                h.update(repr(core.py_compute_shraddha(*death, year, *place, offset)).encode())
                h.update(repr(core.py_compute_shraddha_timeline(*death, *place, offset, 12, 3, 3))
                         .encode())
    for year in (1963, 1983, 2005, 2023, 2026, 2031):
        for system in ("amant", "purnimant"):
            h.update(repr(core.py_compute_lunar_months(year, system)).encode())
    # Changed once, on purpose: a skipped lunar day after one that holds two
    # sunrises now falls on the second of them (New York, 11 May 2026).
    assert h.hexdigest() == "c0215efc5ed4163fc2a0febfa9e1a2ac637e17237d7827055abc65b0021bb556"


# --- data files and threads ---

PROBE = """
import threading
import tithiloom._core as core

def probe():
    print(repr((core.py_sidereal_longitude(2461144.5, 1),
                core.py_compute_panchang(2026, 4, 14, 28.6139, 77.209, 216.0, 19800, 2))))
"""
ON_A_NEW_THREAD = "worker = threading.Thread(target=probe); worker.start(); worker.join()\n"


def run_probe(cwd, body="probe()\n", **env):
    done = subprocess.run([sys.executable, "-c", PROBE + body], cwd=cwd, capture_output=True,
                          text=True, timeout=60, env={**os.environ, **env})
    assert done.returncode == 0, done.stderr
    return done.stdout


@pytest.fixture(scope="module")
def clean_results(tmp_path_factory):
    return run_probe(tmp_path_factory.mktemp("clean"))


# The names the library would look for (ΔT table, leap seconds, ephemeris files).
DATA_NAMES = ("swe_deltat.txt", "sedeltat.txt", "seleapsec.txt", "semo_18.se1", "sepl_18.se1",
              "seas_18.se1")


def plant(directory, kind):
    for name in DATA_NAMES:
        path = directory / name
        if kind == "fifo":
            os.mkfifo(path)  # opened for reading, it would block for ever
        elif kind == "dev_zero":
            path.symlink_to("/dev/zero")
        elif kind == "plausible" and name.endswith(".txt"):
            path.write_text("-2000000 12345.0\n2026 1000.0\n" if "delta" in name else "20260101\n")
        else:
            path.write_bytes(random.Random(name).randbytes(65536))


@pytest.mark.parametrize("kind", ["garbage", "plausible", "fifo", "dev_zero"])
def test_data_files_anywhere_change_nothing(tmp_path, clean_results, kind):
    # The same files in the current directory, under SE_EPHE_PATH and in the
    # path given to py_init: no file is opened, on any thread.
    plant(tmp_path, kind)
    body = f"core.py_init({str(tmp_path)!r})\nprobe()\n" + ON_A_NEW_THREAD
    assert run_probe(tmp_path, body, SE_EPHE_PATH=str(tmp_path)) == clean_results * 2
