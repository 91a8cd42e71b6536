"""The module from several Python threads at once, with py_close and py_init
looping on another: every function's results and errors equal, to the bit,
those of one thread computing alone. (Pooled results against one thread are
checked in the C++ tests.)"""

import threading

import pytest

import tithiloom._core as core

import every_call
from bits import exact

# Every function but the life cycle's own, valid and failing.
CALLS = dict(enumerate(every_call.VALID[1:-1] + every_call.INVALID))


def outcome(call):
    """The exact result, or the error's type and text."""
    try:
        return exact(call())
    except every_call.EXPECTED_ERRORS as e:
        return (type(e).__name__, str(e))


@pytest.mark.parametrize("with_close", [False, True], ids=["steady", "close_and_init_looping"])
def test_many_threads_mixed_calls_equal_sequential_ones(with_close):
    expected = {name: outcome(call) for name, call in CALLS.items()}
    names = list(CALLS)
    # Each thread its own order, so that different functions overlap.
    orders = [names[k:] + names[:k] for k in range(0, len(names), 9)]
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
