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
    st.floats(allow_nan=True, allow_infinity=True), st.integers(), st.booleans(),
    st.integers(min_value=-(2**33), max_value=2**33),
    st.sampled_from([0.0, -0.0, 1e-300, 1e300, -1e300, math.nan, math.inf, -math.inf, 2451545.0,
                     2461144.5, 28.6, 77.2, 89.9999, 90.0, -90.0, 360.0, 0, 1, -1, 7, 10, 12, 13,
                     31, 2**31 - 1, -(2**31), 2**32 - 1, 2**32]))
objects = st.one_of(
    st.none(), st.text(max_size=8), st.binary(max_size=4), st.just(object()),
    st.sampled_from(["P", "W", "E", "O", "amant", "purnimant", "", "x\0y", "\ud800"]),
    st.lists(st.floats(), max_size=4), st.tuples(st.integers(), st.floats()),
    st.dictionaries(st.text(max_size=6), st.integers() | st.text(max_size=4) | st.none(),
                    max_size=6),
    st.lists(st.dictionaries(st.sampled_from(["name", "tithi", "month", "paksha", "kaala"]),
                             st.integers(0, 40) | st.text(max_size=6) | st.none()), max_size=3))
anything = numbers | objects
# Definitions of any shape, with the keys, rules and labels the reader knows.
KEYS = ["id", "name", "rule", "lunar_month", "tithi", "sankranti_index", "nakshatra", "priority",
        "kaala", "vyapti_tie", "day_offset", "adhika_maasa", "month", "shukla_name",
        "krishna_name", "other"]
VALUES = st.one_of(
    st.none(), st.booleans(), st.integers(-3, 40), st.integers(), st.floats(), st.text(max_size=6),
    st.sampled_from(["tithi_at_sunrise", "sankranti", "nakshatra_at_sunrise", "vyapti", "earlier",
                     "puurvaviddha", "aparahna", "nishita", "purva", "both", "adhika_only",
                     "\ud800"]), st.lists(st.integers(), max_size=2), st.builds(object))
DEFINITIONS = st.lists(st.dictionaries(st.sampled_from(KEYS) | st.text(max_size=3), VALUES,
                                       max_size=12) | st.builds(object), max_size=4)

# Arguments whose value sets the amount of work are kept small; whole-year
# batches cost about a second each: few and cheap calls only.
SIZES = st.integers(min_value=-2, max_value=3) | objects
OBSERVANCES = ("py_compute_festivals", "py_compute_ekadashis")
STRATEGIES = {
    "jds": st.lists(numbers, max_size=40) | objects, "monthly_count": SIZES,
    # Definitions at places with few sunrises (quick), in years in and past the span.
    "festival_defs": DEFINITIONS, "ekadashi_defs": DEFINITIONS,
    **{(f, "year"): st.sampled_from([2026, -2999, 4000]) for f in OBSERVANCES},
    **{(f, "lat"): st.sampled_from([66.5, 89.5]) | numbers for f in OBSERVANCES},
    **{(f, n): st.just(0) for f in OBSERVANCES for n in ("lng", "alt", "utc_offset")},
    ("py_compute_festivals", "calendar_system"): st.sampled_from(["amant", "purnimant"]) | objects,
    "annual_years": SIZES, "pitru_paksha_years": SIZES,
    ("py_compute_batch_year", "year"): st.sampled_from([2026, -(2**31)]) | objects,
    ("py_compute_batch_range", "start_year"): st.just(2026),
    ("py_compute_batch_range", "end_year"): st.just(2026),
    ("py_compute_batch_range", "start_month"): st.sampled_from([1, 2, 13, 0]) | objects,
    ("py_compute_batch_range", "end_month"): st.sampled_from([1, 2, 13, 0]) | objects,
}
EXAMPLES = {"py_compute_batch_year": 4, "py_compute_batch_range": 15}


@st.composite
def calls(draw, func):
    params = list(inspect.signature(getattr(core, func)).parameters)
    # Sometimes drop or add arguments, sometimes pass some by keyword.
    count = draw(st.sampled_from([len(params)] * 6 + list(range(len(params) + 2))))
    names = [params[i] if i < len(params) else "" for i in range(count)]
    values = [draw(STRATEGIES.get((func, n), STRATEGIES.get(n, anything))) for n in names]
    n_positional = draw(st.integers(0, count))
    kwargs = {n or draw(st.sampled_from(["bogus", *params])): v
              for n, v in zip(names[n_positional:], values[n_positional:])}
    return values[:n_positional], kwargs


@pytest.mark.parametrize("func", FUNCTIONS)
def test_arbitrary_arguments_never_crash(func):
    fn = getattr(core, func)

    @settings(max_examples=EXAMPLES.get(func, 100), deadline=None, database=None,
              suppress_health_check=list(HealthCheck))
    @given(calls(func))
    def run(call):
        try:
            fn(*call[0], **call[1])
        except ALLOWED:
            pass

    run()
