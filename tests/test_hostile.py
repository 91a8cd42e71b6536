"""Hostile callers: objects whose conversions raise anything at all, dicts and
lists that misbehave, sequences of every kind and size. Only the conversions'
own errors are renamed for the argument; everything else reaches the caller
as the very object raised."""

import array
import errno

import pytest
from hypothesis import HealthCheck, given, settings
from hypothesis import strategies as st

import tithiloom._core as core

DELHI = (28.6139, 77.2090, 216.0)


class NeedsTwoArguments(Exception):
    def __init__(self, a, b):
        super().__init__(a, b)


RAISED = [
    SystemExit(7),
    KeyboardInterrupt(),
    OSError(errno.ENOENT, "gone"),
    NeedsTwoArguments(1, 2),
    ExceptionGroup("many", [ValueError("a"), KeyError("b")]),
    ValueError("from the caller"),
    ZeroDivisionError(),
]


class Raising:
    def __init__(self, exc):
        self.exc = exc

    def __float__(self):
        raise self.exc

    def __index__(self):
        raise self.exc


# A float argument and an integer argument of a few functions.
CALLS = [
    lambda bad: core.py_ayanamsa(bad),
    lambda bad: core.py_tropical_longitude(2451545.0, bad),
    lambda bad: core.py_compute_sun_data(2026, 4, 14, bad, 77.2, 216.0, 19800),
    lambda bad: core.py_compute_sankrantis(bad),
    lambda bad: core.py_compute_shraddha_timeline(2025, 3, 30, *DELHI, 19800, 0, bad, 0),
    lambda bad: core.py_compute_panchanga_at_jds([2451545.0, bad]),
]


@pytest.mark.parametrize("exc", RAISED, ids=lambda e: type(e).__name__)
@pytest.mark.parametrize("call", CALLS)
def test_a_callers_own_exception_reaches_the_caller_unchanged(call, exc):
    with pytest.raises(BaseException) as info:
        call(Raising(exc))
    assert info.value is exc


@pytest.mark.parametrize("call, exc, text", [
    (lambda: core.py_ayanamsa("x"), TypeError, "argument 'jd': must be real number, not str"),
    (lambda: core.py_compute_sankrantis(2**31), OverflowError,
     "argument 'year': out of range integral type conversion attempted"),
])
def test_conversion_errors_name_the_argument_and_keep_the_original_as_cause(call, exc, text):
    with pytest.raises(exc) as info:
        call()
    assert type(info.value) is exc and str(info.value) == text
    assert type(info.value.__cause__) is exc
    assert text.endswith(str(info.value.__cause__))


class TypeErrorSubclass(TypeError):
    def __init__(self, a, b):
        super().__init__(a, b)


def test_a_subclass_of_a_conversion_error_is_not_rebuilt():
    exc = TypeErrorSubclass(1, 2)
    with pytest.raises(TypeErrorSubclass) as info:
        core.py_ayanamsa(Raising(exc))
    assert info.value is exc


# --- instant sequences ---

J = [2451545.0, 2451545.5, 2451546.0]


def test_every_kind_of_sequence_gives_the_same_instants():
    expected = core.py_compute_panchanga_at_jds(J)
    assert core.py_compute_panchanga_at_jds(tuple(J)) == expected
    assert core.py_compute_panchanga_at_jds(array.array("d", J)) == expected
    assert core.py_compute_panchanga_at_jds(range(2451545, 2451548)) == \
        core.py_compute_panchanga_at_jds([2451545.0, 2451546.0, 2451547.0])


def test_numpy_arrays_are_sequences_of_instants():
    np = pytest.importorskip("numpy")
    assert core.py_compute_panchanga_at_jds(np.array(J)) == core.py_compute_panchanga_at_jds(J)


def test_a_generator_is_refused():
    with pytest.raises(TypeError, match="^argument 'jds': 'generator' object cannot be "
                                        "converted to 'Sequence'$"):
        core.py_compute_panchanga_at_jds(j for j in J)


@pytest.mark.parametrize("filler, exc", [("x", TypeError), (float("nan"), ValueError)])
def test_enormous_lists_are_refused_without_work(filler, exc):
    with pytest.raises(exc):
        core.py_compute_panchanga_at_jds([filler] * 3_000_000)


# --- definition dicts ---


class CollidingKey:
    """A key that lands in the slot of a real key and fails to compare."""

    def __init__(self, name, exc):
        self.name, self.exc = name, exc

    def __hash__(self):
        return hash(self.name)

    def __eq__(self, other):
        raise self.exc


@pytest.mark.parametrize("call, key", [
    (lambda d: core.py_compute_festivals([d], 2026, *DELHI, 19800), "id"),
    (lambda d: core.py_compute_ekadashis([d], 2026, *DELHI, 19800), "month"),
])
def test_a_failing_key_comparison_reaches_the_caller(call, key):
    exc = RuntimeError("eq")
    with pytest.raises(RuntimeError) as info:
        call({CollidingKey(key, exc): 1})
    assert info.value is exc


KEYS = ["id", "name", "rule", "lunar_month", "tithi", "sankranti_index", "nakshatra",
        "priority", "kaala", "vyapti_tie", "day_offset", "adhika_maasa", "month",
        "shukla_name", "krishna_name", "other"]
VALUES = st.one_of(
    st.none(), st.booleans(), st.integers(-3, 40), st.integers(), st.floats(),
    st.text(max_size=6),
    st.sampled_from(["tithi_at_sunrise", "sankranti", "nakshatra_at_sunrise", "vyapti",
                     "puurvaviddha", "aparahna", "purva", "adhika_only", "\ud800"]),
    st.lists(st.integers(), max_size=2), st.builds(object),
)
DEFINITION = st.dictionaries(st.sampled_from(KEYS) | st.text(max_size=3), VALUES, max_size=10)
ALLOWED = (TypeError, ValueError, OverflowError, KeyError, UnicodeEncodeError)


@settings(max_examples=40, deadline=None, database=None,
          suppress_health_check=list(HealthCheck))
@given(st.lists(DEFINITION | st.builds(object), max_size=2))
def test_random_ekadashi_definitions_return_or_raise_a_documented_error(defs):
    try:
        core.py_compute_ekadashis(defs, 2026, 89.5, 0.0, 0.0, 0)  # few sunrises: quick
    except ALLOWED:
        pass
