"""Repeated calls of every function, valid and failing, leave no Python
objects behind."""

import gc
import sys

import every_call
import pytest

CALLS_PER_WINDOW = 4


@pytest.fixture(scope="module", autouse=True)
def walk_only_what_the_calls_make():
    # What the process held before is left out of the collections (a full
    # walk of the suite's heap takes a quarter of a second).
    gc.collect()
    gc.freeze()
    yield
    gc.unfreeze()


@pytest.mark.parametrize("fn", every_call.VALID + every_call.INVALID)
def test_each_call_leaves_nothing_behind(fn):
    for _ in range(2):  # warm-up: caches, interned names
        every_call.call(fn)
    growth = [window_growth(fn) for _ in range(2)]
    # A leak grows in every window by a block a call at least; a buffer the
    # interpreter keeps for a while shows in one window only.
    assert min(growth) < CALLS_PER_WINDOW


def window_growth(fn):
    gc.collect()
    before = sys.getallocatedblocks()
    for _ in range(CALLS_PER_WINDOW):
        every_call.call(fn)
    gc.collect()
    return sys.getallocatedblocks() - before
