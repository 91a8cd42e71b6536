"""Hostile callers: objects whose conversions raise anything at all, dicts and
lists that misbehave, sequences of every kind and size. (Arbitrary definitions:
test_fuzz.py.) Only the conversions' own errors are renamed for the argument; everything else
reaches the caller as the very object raised."""

import array
import errno

import pytest

import tithiloom._core as core

DELHI = (28.6139, 77.2090, 216.0)
at = core.py_compute_panchanga_at_jds


class NeedsTwoArguments(Exception):
    def __init__(self, a, b):
        super().__init__(a, b)


class TypeErrorSubclass(TypeError):
    def __init__(self, a, b):
        super().__init__(a, b)


RAISED = [SystemExit(7), KeyboardInterrupt(), OSError(errno.ENOENT, "gone"), NeedsTwoArguments(1, 2),
          ExceptionGroup("many", [ValueError("a"), KeyError("b")]), ValueError("from the caller"),
          ZeroDivisionError(), TypeErrorSubclass(1, 2)]


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
    lambda bad: at([2451545.0, bad]),
]


@pytest.mark.parametrize("exc", RAISED, ids=lambda e: type(e).__name__)
@pytest.mark.parametrize("call", CALLS)
def test_a_callers_own_exception_reaches_the_caller_unchanged(call, exc):
    with pytest.raises(BaseException) as info:
        call(Raising(exc))
    assert info.value is exc


# --- instant sequences ---

J = [2451545.0, 2451545.5, 2451546.0]


def test_every_kind_of_sequence_gives_the_same_instants():
    expected = at(J)
    assert at(tuple(J)) == at(array.array("d", J)) == expected
    assert at(range(2451545, 2451548)) == at([2451545.0, 2451546.0, 2451547.0])
    assert at([]) == []
    np = pytest.importorskip("numpy")
    assert at(np.array(J)) == expected


@pytest.mark.parametrize("bad, exc, text", [
    ((j for j in J), TypeError, "^argument 'jds': 'generator' object cannot be converted to "
                                "'Sequence'$"),
    ("2451545.0", TypeError, "argument 'jds'"),
    (42, TypeError, "argument 'jds': 'int' object cannot be converted to 'Sequence'"),
    ([1.0, None], TypeError, "argument 'jds'"),
    ([J[0], float("nan")], ValueError, "argument 'jds': item 1"),
])
def test_bad_sequences_are_refused(bad, exc, text):
    with pytest.raises(exc, match=text):
        at(bad)
    # Enormous lists fail before any work.
    with pytest.raises(exc):
        at(["x" if exc is TypeError else float("nan")] * 3_000_000)


def test_items_that_mutate_the_list_are_read_from_a_snapshot():
    jds = []

    class Shrinking:
        def __float__(self):
            jds.clear()
            return 2461144.5

    jds.extend([Shrinking()] + [2461144.5] * 50)
    assert at(jds) == at([2461144.5] * 51)


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
    (lambda d: core.py_compute_festivals([{"id": "x", "name": "X", "rule": "sankranti", **d}],
                                         2026, *DELHI, 19800), "sankranti_index"),
    (lambda d: core.py_compute_ekadashis([d], 2026, *DELHI, 19800), "month"),
])
def test_a_failing_key_comparison_reaches_the_caller(call, key):
    exc = RuntimeError("eq")
    with pytest.raises(RuntimeError) as info:
        call({CollidingKey(key, exc): 1})
    assert info.value is exc

