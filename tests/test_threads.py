"""The module from several Python threads at once, with py_close and py_init
looping on another: results equal, to the bit, those of one thread computing
alone. (Pooled results against one thread are checked in the C++ tests.)"""

import threading
from importlib import resources

import pytest
import yaml

import tithiloom._core as core
from bits import exact

DELHI = (28.6139, 77.2090, 216.0)
SYDNEY = (-33.87, 151.21, 58.0)
J = 2461144.5
DATA = resources.files("tithiloom").joinpath("data")
FESTIVALS = yaml.safe_load(DATA.joinpath("festivals.yaml").read_text("utf-8"))["festivals"]
EKADASHIS = yaml.safe_load(DATA.joinpath("ekadashis.yaml").read_text("utf-8"))

CALLS = {
    "ayanamsa": lambda: core.py_ayanamsa(J),
    "sidereal_ketu": lambda: core.py_sidereal_longitude(J, -1),
    "speed_moon": lambda: core.py_planet_speed(J, 1),
    "sunrise": lambda: core.py_sunrise_jd(J, *SYDNEY),
    "lagna": lambda: core.py_compute_lagna(J, 28.6, 77.2, "P"),
    "lagna_windows": lambda: core.py_compute_lagna_windows(J, -33.87, 151.21),
    "panchang": lambda: core.py_compute_panchang(-1200, 3, 3, *SYDNEY, 36000, 1),
    "lunar_months": lambda: core.py_compute_lunar_months(2026, "purnimant"),
    "muhurat": lambda: core.py_compute_muhurat(2, J, 12.5),
    "jd_to_datetime": lambda: core.py_jd_to_datetime(J + 0.123),
    "failing_sun_data": lambda: core.py_compute_sun_data(4000, 1, 1, *DELHI, 19800),
    "batch_range_tromso": lambda: core.py_compute_batch_range(1850, 4, 1, 1850, 6, 1, 69.6492,
                                                              18.9553, 0.0, 3600),
    "instants": lambda: core.py_compute_panchanga_at_jds([J + h / 24 for h in range(300)]),
    "sankrantis": lambda: core.py_compute_sankrantis(2026, 19800),
    "festivals": lambda: core.py_compute_festivals(FESTIVALS, 2026, *DELHI, 19800),
    "ekadashis": lambda: core.py_compute_ekadashis(EKADASHIS, 2031, *SYDNEY, 36000),
    "vrats": lambda: core.py_compute_vrat_dates(2026, *SYDNEY, 36000),
    "shraddha": lambda: core.py_compute_shraddha(2024, 11, 2, 2027, *DELHI, 19800),
    "timeline": lambda: core.py_compute_shraddha_timeline(2025, 3, 30, *DELHI, 19800, 4, 3, 3),
}


def outcome(call):
    """The exact result, or the error's type and text."""
    try:
        return exact(call())
    except ValueError as e:
        return ("ValueError", str(e))


@pytest.mark.parametrize("with_close", [False, True], ids=["steady", "close_and_init_looping"])
def test_many_threads_mixed_calls_equal_sequential_ones(with_close):
    expected = {name: outcome(call) for name, call in CALLS.items()}
    names = list(CALLS)
    # Each thread its own order, so that different functions overlap.
    orders = [names[k:] + names[:k] for k in range(0, len(names), 3)]
    results, errors = [], []
    stop = threading.Event()

    def run(order):
        try:
            results.append({name: outcome(CALLS[name]) for name in order})
        except BaseException as e:  # reported below, not lost in the thread
            errors.append(e)

    def closer():
        while not stop.is_set():
            core.py_close()
            core.py_init(None)

    workers = [threading.Thread(target=run, args=(order,)) for order in orders]
    looping = threading.Thread(target=closer)
    if with_close:
        looping.start()
    for w in workers:
        w.start()
    for w in workers:
        w.join()
    stop.set()
    if with_close:
        looping.join()
    assert not errors
    assert len(results) == len(orders) and all(r == expected for r in results)
