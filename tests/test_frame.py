"""The calling convention shared by every function: the registry against its
type stub, argument binding and conversion errors, and the module's life cycle."""

import ast
import inspect
import pathlib
import subprocess
import sys

import pytest

import tithiloom._core as core

CONSTANTS = {"PLANET_SUN": 0, "PLANET_MOON": 1, "PLANET_MERCURY": 2, "PLANET_VENUS": 3,
             "PLANET_MARS": 4, "PLANET_JUPITER": 5, "PLANET_SATURN": 6, "PLANET_RAHU": 10,
             "PLANET_KETU": -1}
ORDER = ("init close datetime_to_jd jd_to_datetime tropical_longitude sidereal_longitude "
         "ayanamsa planet_speed sunrise_jd sunset_jd compute_sun_data compute_lagna "
         "compute_lagna_windows compute_panchang compute_panchanga_at_jds compute_muhurat "
         "compute_choghadiya compute_sankrantis compute_lunar_months compute_festivals "
         "compute_ekadashis compute_vrat_dates compute_batch_year compute_batch_range era_year "
         "jovian_cycle_index compute_shraddha compute_shraddha_timeline").split()


def stub_signatures():
    """Each function's parameter list as the type stub declares it."""
    tree = ast.parse((pathlib.Path(core.__file__).parent / "_core.pyi").read_text())
    out = {}
    for f in (n for n in tree.body if isinstance(n, ast.FunctionDef)):
        names = [a.arg for a in f.args.args]
        defaults = [None] * (len(names) - len(f.args.defaults)) + f.args.defaults
        out[f.name] = "(" + ", ".join(
            n if d is None else f"{n}={ast.literal_eval(d)!r}" for n, d in zip(names, defaults)) + ")"
    return out


def test_the_registry_matches_its_stub():
    assert core.__all__ == ["py_" + n for n in ORDER] + list(CONSTANTS)
    assert {n: getattr(core, n) for n in CONSTANTS} == CONSTANTS
    stub = stub_signatures()
    assert {n: str(inspect.signature(getattr(core, n))) for n in stub} == stub
    assert sorted(n for n in stub if not n.startswith("_")) == sorted("py_" + n for n in ORDER)
    assert core.py_compute_shraddha.__doc__ == "Compute Shraddha (death anniversary) date."
    assert issubclass(core.InternalFault, BaseException)
    assert not issubclass(core.InternalFault, Exception)


@pytest.mark.parametrize("call, exc, text", [
    (lambda: core.py_jd_to_datetime(), TypeError,
     "py_jd_to_datetime() missing 1 required positional argument: 'jd'"),
    (lambda: core.py_datetime_to_jd(2000, 1), TypeError, "py_datetime_to_jd() missing 4 required "
     "positional arguments: 'day', 'hour', 'min' and 'sec'"),
    (lambda: core.py_sunrise_jd(lat=1.0), TypeError,
     "py_sunrise_jd() missing 3 required positional arguments: 'jd_start', 'lng' and 'alt'"),
    (lambda: core.py_ayanamsa(1.0, 2.0), TypeError,
     "py_ayanamsa() takes 1 positional arguments but 2 were given"),
    (lambda: core.py_close(1), TypeError, "py_close() takes 0 positional arguments but 1 was given"),
    (lambda: core.py_init(None, None), TypeError,
     "py_init() takes from 0 to 1 positional arguments but 2 were given"),
    (lambda: core.py_ayanamsa(jd=1.0, when=2.0), TypeError,
     "py_ayanamsa() got an unexpected keyword argument 'when'"),
    (lambda: core.py_ayanamsa(1.0, jd=2.0), TypeError,
     "py_ayanamsa() got multiple values for argument 'jd'"),
    (lambda: core.py_ayanamsa("x"), TypeError, "argument 'jd': must be real number, not str"),
    (lambda: core.py_tropical_longitude(2451545.0, 1.5), TypeError,
     "argument 'planet_id': 'float' object cannot be interpreted as an integer"),
    (lambda: core.py_datetime_to_jd(2026, 2**32, 1, 0, 0, 0.0), OverflowError,
     "argument 'month': out of range integral type conversion attempted"),
    (lambda: core.py_datetime_to_jd(2026, 1, 2**70, 0, 0, 0.0), OverflowError,
     "argument 'day': Python int too large to convert to C long"),
    (lambda: core.py_init(5), TypeError,
     "argument 'ephe_path': 'int' object cannot be converted to 'PyString'"),
])
def test_binding_and_conversion_errors(call, exc, text):
    with pytest.raises(exc) as info:
        call()
    assert type(info.value) is exc and str(info.value) == text
    if text.startswith("argument "):  # a conversion's own error, kept as the cause
        assert type(info.value.__cause__) is exc and text.endswith(str(info.value.__cause__))


class Unprintable:
    def __str__(self):
        raise RuntimeError("no text")


class Raises:
    def __init__(self, error):
        self.error = error

    def __float__(self):
        raise self.error


def test_a_conversion_error_without_a_text_keeps_its_type():
    with pytest.raises(TypeError, match="^argument 'jd': TypeError$") as info:
        core.py_ayanamsa(Raises(TypeError(Unprintable())))
    assert type(info.value.__cause__) is TypeError


def test_keywords_ints_for_floats_and_unencodable_text():
    assert core.py_datetime_to_jd(sec=0, min=0, hour=12, day=1, month=1, year=2000) == 2451545.0
    assert core.py_sunrise_jd(2461144.5, 10, 77, 0) == core.py_sunrise_jd(2461144.5, 10.0, 77.0, 0.0)
    core.py_init(ephe_path=None)
    with pytest.raises(UnicodeEncodeError):
        core.py_init("\ud800")


def test_repeated_import_returns_the_same_module():
    code = ("import sys, importlib, tithiloom._core as first\n"
            "del sys.modules['tithiloom._core']\n"
            "assert importlib.import_module('tithiloom._core') is first\n")
    subprocess.run([sys.executable, "-c", code], check=True)


@pytest.mark.parametrize("main_first", [True, False])
def test_only_sub_interpreters_are_refused_whoever_imports_first(main_first):
    testcapi = pytest.importorskip("_testcapi")
    if not hasattr(testcapi, "run_in_subinterp"):
        pytest.skip("no legacy sub-interpreter runner")
    main = "import tithiloom._core as core\nprint(len(core.__all__))\n"
    sub = ("_testcapi.run_in_subinterp('try:\\n    import tithiloom._core\\n"
           "except ImportError:\\n    print(\"refused\")\\n')\n")
    code = "import _testcapi\n" + (main + sub if main_first else sub + main)
    out = subprocess.run([sys.executable, "-c", code], check=True, capture_output=True, text=True)
    assert sorted(out.stdout.split()) == ["37", "refused"]
