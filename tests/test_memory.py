"""Repeated calls of every function, valid and failing, leave no Python
objects behind."""

import gc
import sys

import every_call
import pytest

CALLS_PER_WINDOW = 4


@pytest.mark.parametrize("fn", every_call.VALID + every_call.INVALID)
def test_each_call_leaves_nothing_behind(fn):
    for _ in range(2):  # warm-up: caches, interned names
        every_call.call(fn)
    growth = []
    for _ in range(2):
        gc.collect()
        before = sys.getallocatedblocks()
        for _ in range(CALLS_PER_WINDOW):
            every_call.call(fn)
        gc.collect()
        growth.append(sys.getallocatedblocks() - before)
    # A leak grows in every window by a block a call at least; a buffer the
    # interpreter keeps for a while shows in one window only.
    assert min(growth) < CALLS_PER_WINDOW
