"""The module from several Python threads at once, and the worker pool:
results equal, to the bit, those of one thread computing alone."""

import os
import threading
from importlib import resources

import pytest
import yaml

import tithiloom._core as core
from bits import exact

DELHI = (28.6139, 77.2090, 216.0)
SYDNEY = (-33.87, 151.21, 58.0)


def shipped(name, key=None):
    data = yaml.safe_load(resources.files("tithiloom").joinpath(f"data/{name}.yaml")
                          .read_text(encoding="utf-8"))
    return data[key] if key else data


FESTIVALS = shipped("festivals", "festivals")
EKADASHIS = shipped("ekadashis")


HOURS = [2461041.5 + h / 24 for h in range(1000)]
CALLS = {
    "batch_year": lambda: core.py_compute_batch_year(2026, *DELHI, 19800),
    "batch_range_tromso": lambda: core.py_compute_batch_range(1850, 4, 1, 1850, 9, 1, 69.6492,
                                                              18.9553, 0.0, 3600),
    "instants": lambda: core.py_compute_panchanga_at_jds(HOURS),
    "panchang": lambda: core.py_compute_panchang(-1200, 3, 3, -33.87, 151.21, 58.0, 36000, 1),
    "sankrantis": lambda: core.py_compute_sankrantis(2026, 19800),
    "festivals": lambda: core.py_compute_festivals(FESTIVALS, 2026, *DELHI, 19800),
    "festivals_amant_sydney": lambda: core.py_compute_festivals(FESTIVALS, 1850, *SYDNEY, 36000,
                                                                "amant"),
    "ekadashis": lambda: core.py_compute_ekadashis(EKADASHIS, 2026, *DELHI, 19800),
    "ekadashis_sydney": lambda: core.py_compute_ekadashis(EKADASHIS, 2031, *SYDNEY, 36000),
    "vrats": lambda: core.py_compute_vrat_dates(2026, *SYDNEY, 36000),
    "shraddha": lambda: core.py_compute_shraddha(2024, 11, 2, 2027, *DELHI, 19800),
    "timeline": lambda: core.py_compute_shraddha_timeline(2025, 3, 30, *DELHI, 19800, 4, 3, 3),
    # The last years of the span: the call fails, alike on any number of threads.
    "timeline_past_the_span": lambda: core.py_compute_shraddha_timeline(2995, 5, 5, *SYDNEY,
                                                                        36000, 2, 9, 9),
}
POOLED = ["batch_year", "batch_range_tromso", "instants", "festivals", "festivals_amant_sydney",
          "ekadashis", "ekadashis_sydney", "vrats", "shraddha", "timeline",
          "timeline_past_the_span"]


def outcome(call):
    """The exact result, or the error's type and text."""
    try:
        return exact(call())
    except ValueError as e:
        return ("ValueError", str(e))


@pytest.fixture
def threads_env():
    saved = os.environ.get("TITHILOOM_THREADS")
    yield os.environ
    if saved is None:
        os.environ.pop("TITHILOOM_THREADS", None)
    else:
        os.environ["TITHILOOM_THREADS"] = saved


@pytest.mark.parametrize("name", POOLED)
def test_pool_equals_single_thread(name, threads_env):
    threads_env["TITHILOOM_THREADS"] = "1"
    single = outcome(CALLS[name])
    threads_env.pop("TITHILOOM_THREADS")
    assert outcome(CALLS[name]) == single


def test_concurrent_calls_equal_sequential_ones():
    expected = {name: outcome(call) for name, call in CALLS.items()}
    results, errors = {}, []

    def run(name):
        try:
            results[name] = outcome(CALLS[name])
        except BaseException as e:  # reported below, not lost in the thread
            errors.append(e)

    workers = [threading.Thread(target=run, args=(name,)) for name in CALLS]
    for w in workers:
        w.start()
    for w in workers:
        w.join()
    assert not errors
    assert results == expected


def test_close_on_another_thread_changes_no_running_computation():
    expected = exact(CALLS["batch_year"]())
    stop = threading.Event()

    def closer():
        while not stop.is_set():
            core.py_close()
            core.py_ayanamsa(2451545.0)

    t = threading.Thread(target=closer)
    t.start()
    try:
        for _ in range(3):
            assert exact(CALLS["batch_year"]()) == expected
    finally:
        stop.set()
        t.join()


J = 2461144.5
QUICK = {
    "ayanamsa": lambda: core.py_ayanamsa(J),
    "sidereal_ketu": lambda: core.py_sidereal_longitude(J, -1),
    "speed_moon": lambda: core.py_planet_speed(J, 1),
    "sunrise": lambda: core.py_sunrise_jd(J, *SYDNEY),
    "sun_data": lambda: core.py_compute_sun_data(2026, 4, 14, *DELHI, 19800),
    "lagna": lambda: core.py_compute_lagna(J, 28.6, 77.2, "P"),
    "lagna_windows": lambda: core.py_compute_lagna_windows(J, -33.87, 151.21),
    "panchang_delhi": lambda: core.py_compute_panchang(2026, 4, 14, *DELHI, 19800, 2),
    "lunar_months": lambda: core.py_compute_lunar_months(2026, "purnimant"),
    "muhurat": lambda: core.py_compute_muhurat(2, J, 12.5),
    "jd_to_datetime": lambda: core.py_jd_to_datetime(J + 0.123),
    "failing_sun_data": lambda: core.py_compute_sun_data(4000, 1, 1, *DELHI, 19800),
    "festivals": CALLS["festivals"],
    "ekadashis": CALLS["ekadashis"],
    "shraddha": CALLS["shraddha"],
    "timeline": CALLS["timeline"],
}


@pytest.mark.parametrize("with_close", [False, True], ids=["steady", "close_and_init_looping"])
def test_many_threads_mixed_calls_equal_sequential_ones(with_close):
    expected = {name: outcome(call) for name, call in QUICK.items()}
    names = list(QUICK)
    # Each thread its own order, so that different functions overlap.
    orders = [names[k:] + names[:k] for k in range(0, len(names), 2)]
    results, errors = [], []
    stop = threading.Event()

    def run(order):
        try:
            results.append({name: outcome(QUICK[name]) for name in order})
        except BaseException as e:  # reported below, not lost in the thread
            errors.append(e)

    def closer():
        while not stop.is_set():
            core.py_close()
            core.py_init(None)

    workers = [threading.Thread(target=run, args=(order,)) for order in orders]
    if with_close:
        workers.append(threading.Thread(target=closer))
    for w in workers:
        w.start()
    for w in workers[:len(orders)]:
        w.join()
    stop.set()
    for w in workers[len(orders):]:
        w.join()
    assert not errors
    assert len(results) == len(orders)
    for r in results:
        assert r == expected
