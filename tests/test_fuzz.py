"""Every registered function, called with arbitrary objects and numbers in every
argument position, either returns or raises one of the documented exceptions."""

import inspect
import math

import pytest
from hypothesis import HealthCheck, given, settings
from hypothesis import strategies as st

import tithiloom._core as core

FUNCTIONS = [n for n in core.__all__ if callable(getattr(core, n))]
ALLOWED = (TypeError, ValueError, OverflowError, KeyError, MemoryError)

numbers = st.one_of(
    st.floats(allow_nan=True, allow_infinity=True),
    st.sampled_from([0.0, -0.0, 1e-300, 1e300, -1e300, math.nan, math.inf, -math.inf,
                     2451545.0, 2461144.5, 28.6, 77.2, 89.9999, 90.0, -90.0, 360.0]),
    st.integers(),
    st.integers(min_value=-(2**33), max_value=2**33),
    st.sampled_from([0, 1, -1, 7, 10, 12, 13, 31, 2**31 - 1, -(2**31), 2**32 - 1, 2**32]),
    st.booleans(),
)
objects = st.one_of(
    st.none(),
    st.text(max_size=8),
    st.sampled_from(["P", "W", "E", "O", "amant", "purnimant", "", "x\0y", "\ud800"]),
    st.binary(max_size=4),
    st.lists(st.floats(), max_size=4),
    st.tuples(st.integers(), st.floats()),
    st.dictionaries(st.text(max_size=6), st.integers() | st.text(max_size=4) | st.none(),
                    max_size=6),
    st.lists(st.dictionaries(st.sampled_from(["name", "tithi", "month", "paksha", "kaala"]),
                             st.integers(0, 40) | st.text(max_size=6) | st.none()),
             max_size=3),
    st.just(object()),
)
anything = numbers | objects

# Arguments whose value sets the amount of work are kept small.
SIZES = st.integers(min_value=-2, max_value=3)
WORK_BOUNDED = {
    "jds": st.lists(numbers, max_size=40) | objects,
    "monthly_count": SIZES | objects,
    "annual_years": SIZES | objects,
    "pitru_paksha_years": SIZES | objects,
}
# Whole-year batches cost about a second each: few and cheap calls only.
BATCH_YEARS = st.sampled_from([2026, -(2**31)]) | objects
BATCH_OVERRIDES = {
    "py_compute_batch_year": {"year": BATCH_YEARS},
    "py_compute_batch_range": {"start_year": st.just(2026), "end_year": st.just(2026),
                               "start_month": st.sampled_from([1, 2, 13, 0]) | objects,
                               "end_month": st.sampled_from([1, 2, 13, 0]) | objects},
}
EXAMPLES = {"py_compute_batch_year": 4, "py_compute_batch_range": 15}


def _strategy(func, param):
    override = BATCH_OVERRIDES.get(func, {}).get(param)
    return override if override is not None else WORK_BOUNDED.get(param, anything)


@st.composite
def calls(draw, func):
    params = list(inspect.signature(getattr(core, func)).parameters)
    # Sometimes drop or add arguments, sometimes pass some by keyword.
    count = draw(st.sampled_from([len(params)] * 6 + list(range(len(params) + 2))))
    values = [draw(_strategy(func, params[i] if i < len(params) else "")) for i in range(count)]
    n_positional = draw(st.integers(0, count))
    args = values[:n_positional]
    kwargs = {}
    for i in range(n_positional, count):
        name = params[i] if i < len(params) else draw(st.sampled_from(["bogus", *params]))
        kwargs[name] = values[i]
    return args, kwargs


@pytest.mark.parametrize("func", FUNCTIONS)
def test_arbitrary_arguments_never_crash(func):
    fn = getattr(core, func)

    @settings(max_examples=EXAMPLES.get(func, 150), deadline=None, database=None,
              suppress_health_check=list(HealthCheck))
    @given(calls(func))
    def run(call):
        args, kwargs = call
        try:
            fn(*args, **kwargs)
        except ALLOWED:
            pass

    run()
