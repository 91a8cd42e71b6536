"""The calling convention shared by every function: argument binding, conversion
errors, the registry, and the module's life cycle."""

import inspect
import subprocess
import sys
import textwrap

import pytest

import tithiloom._core as core

EXPECTED_CONSTANTS = {
    "PLANET_SUN": 0, "PLANET_MOON": 1, "PLANET_MERCURY": 2, "PLANET_VENUS": 3,
    "PLANET_MARS": 4, "PLANET_JUPITER": 5, "PLANET_SATURN": 6, "PLANET_RAHU": 10,
    "PLANET_KETU": -1,
}

DELHI = (28.6139, 77.2090, 216.0)


# The registry in order, each function with its parameter list.
SIGNATURES = {
    "py_init": "(ephe_path=None)",
    "py_close": "()",
    "py_datetime_to_jd": "(year, month, day, hour, min, sec)",
    "py_jd_to_datetime": "(jd)",
    "py_tropical_longitude": "(jd, planet_id)",
    "py_sidereal_longitude": "(jd, planet_id)",
    "py_ayanamsa": "(jd)",
    "py_planet_speed": "(jd, planet_id)",
    "py_sunrise_jd": "(jd_start, lat, lng, alt)",
    "py_sunset_jd": "(jd_noon, lat, lng, alt)",
    "py_compute_sun_data": "(year, month, day, lat, lng, alt, utc_offset_seconds)",
    "py_compute_lagna": "(jd, lat, lng, system='P')",
    "py_compute_lagna_windows": "(jd_start, lat, lng)",
    "py_compute_panchang": "(year, month, day, lat, lng, alt, utc_offset_seconds, weekday)",
    "py_compute_panchanga_at_jds": "(jds)",
    "py_compute_muhurat": "(weekday, sunrise_jd, day_duration_hours)",
    "py_compute_choghadiya": "(weekday, sunrise_jd, sunset_jd, day_duration_hours)",
    "py_compute_sankrantis": "(year, utc_offset=0)",
    "py_compute_lunar_months": "(year, system='amant')",
    "py_compute_festivals":
        "(festival_defs, year, lat, lng, alt, utc_offset, calendar_system=None)",
    "py_compute_ekadashis": "(ekadashi_defs, year, lat, lng, alt, utc_offset)",
    "py_compute_vrat_dates": "(year, lat, lng, alt, utc_offset)",
    "py_compute_batch_year": "(year, lat, lng, alt, utc_offset)",
    "py_compute_batch_range": "(start_year, start_month, start_day, end_year, end_month, "
                              "end_day, lat, lng, alt, utc_offset)",
    "py_era_year": "(gregorian_year, offset, new_year_passed)",
    "py_jovian_cycle_index": "(gregorian_year, epoch_year)",
    "py_compute_shraddha": "(death_year, death_month, death_day, target_year, lat, lng, alt, "
                           "utc_offset)",
    "py_compute_shraddha_timeline": "(death_year, death_month, death_day, lat, lng, alt, "
                                    "utc_offset, monthly_count, annual_years, "
                                    "pitru_paksha_years)",
}


def test_all_lists_the_functions_then_the_constants():
    assert core.__all__ == list(SIGNATURES) + list(EXPECTED_CONSTANTS)
    assert {n: getattr(core, n) for n in EXPECTED_CONSTANTS} == EXPECTED_CONSTANTS


@pytest.mark.parametrize("name", SIGNATURES)
def test_every_function_has_its_signature(name):
    assert str(inspect.signature(getattr(core, name))) == SIGNATURES[name]


def test_docstrings_follow_the_signature():
    assert core.py_datetime_to_jd.__doc__ == "Convert (year, month, day, hour, min, sec) to Julian Day."
    assert core.py_compute_vrat_dates.__doc__ == "Compute Vrat (fasting) dates for a year."
    assert core.py_compute_shraddha.__doc__ == "Compute Shraddha (death anniversary) date."
    assert core.py_compute_festivals.__doc__ == (
        "Compute festival dates from definitions (passed as list of dicts from YAML).\n"
        "Each dict: {id, name, rule, lunar_month, tithi, sankranti_index}.")


def test_internal_fault_is_a_base_exception_outside_all():
    assert issubclass(core.InternalFault, BaseException)
    assert not issubclass(core.InternalFault, Exception)
    assert "InternalFault" not in core.__all__


def _raises(exc, text, fn, *args, **kwargs):
    with pytest.raises(exc) as info:
        fn(*args, **kwargs)
    assert str(info.value) == text


@pytest.mark.parametrize(
    "call, text",
    [
        (lambda: core.py_jd_to_datetime(),
         "py_jd_to_datetime() missing 1 required positional argument: 'jd'"),
        (lambda: core.py_tropical_longitude(),
         "py_tropical_longitude() missing 2 required positional arguments: 'jd' and 'planet_id'"),
        (lambda: core.py_datetime_to_jd(2000, 1),
         "py_datetime_to_jd() missing 4 required positional arguments: 'day', 'hour', 'min' and 'sec'"),
        (lambda: core.py_sunrise_jd(lat=1.0),
         "py_sunrise_jd() missing 3 required positional arguments: 'jd_start', 'lng' and 'alt'"),
    ],
)
def test_missing_arguments(call, text):
    _raises(TypeError, text, call)


@pytest.mark.parametrize(
    "call, text",
    [
        (lambda: core.py_ayanamsa(1.0, 2.0),
         "py_ayanamsa() takes 1 positional arguments but 2 were given"),
        (lambda: core.py_close(1),
         "py_close() takes 0 positional arguments but 1 was given"),
        (lambda: core.py_init(None, None),
         "py_init() takes from 0 to 1 positional arguments but 2 were given"),
    ],
)
def test_too_many_positional(call, text):
    _raises(TypeError, text, call)


@pytest.mark.parametrize(
    "call, text",
    [
        (lambda: core.py_ayanamsa(jd=1.0, when=2.0),
         "py_ayanamsa() got an unexpected keyword argument 'when'"),
        (lambda: core.py_close(force=True),
         "py_close() got an unexpected keyword argument 'force'"),
        (lambda: core.py_ayanamsa(1.0, jd=2.0),
         "py_ayanamsa() got multiple values for argument 'jd'"),
    ],
)
def test_keyword_errors(call, text):
    _raises(TypeError, text, call)


@pytest.mark.parametrize(
    "call, exc, text",
    [
        (lambda: core.py_ayanamsa("x"), TypeError, "argument 'jd': must be real number, not str"),
        (lambda: core.py_tropical_longitude(2451545.0, 1.5), TypeError,
         "argument 'planet_id': 'float' object cannot be interpreted as an integer"),
        (lambda: core.py_compute_sun_data(2026, -1, 1, *DELHI, 0), OverflowError,
         "argument 'month': out of range integral type conversion attempted"),
        (lambda: core.py_datetime_to_jd(2**31, 1, 1, 0, 0, 0.0), OverflowError,
         "argument 'year': out of range integral type conversion attempted"),
        (lambda: core.py_datetime_to_jd(2026, 2**32, 1, 0, 0, 0.0), OverflowError,
         "argument 'month': out of range integral type conversion attempted"),
        (lambda: core.py_datetime_to_jd(2026, 1, 2**70, 0, 0, 0.0), OverflowError,
         "argument 'day': Python int too large to convert to C long"),
        (lambda: core.py_init(5), TypeError,
         "argument 'ephe_path': 'int' object cannot be converted to 'PyString'"),
    ],
)
def test_conversion_errors(call, exc, text):
    _raises(exc, text, call)


def test_unencodable_text_keeps_its_own_error():
    with pytest.raises(UnicodeEncodeError):
        core.py_init("\ud800")


def test_keywords_and_ints_for_floats():
    assert core.py_datetime_to_jd(sec=0, min=0, hour=12, day=1, month=1, year=2000) == 2451545.0
    assert core.py_sunrise_jd(2461144.5, 10, 77, 0) == core.py_sunrise_jd(2461144.5, 10.0, 77.0, 0.0)
    core.py_init()
    core.py_init(None)
    core.py_init(ephe_path=None)


def test_repeated_import_returns_the_same_module():
    code = textwrap.dedent(
        """
        import sys, importlib
        import tithiloom._core as first
        del sys.modules["tithiloom._core"]
        second = importlib.import_module("tithiloom._core")
        assert first is second, "a second module object was created"
        """
    )
    subprocess.run([sys.executable, "-c", code], check=True)


SUB_INTERPRETER_IMPORT = (
    "try:\n"
    "    import tithiloom._core\n"
    "except ImportError:\n"
    "    print('refused')\n"
)


@pytest.mark.parametrize("main_first", [True, False])
def test_only_sub_interpreters_are_refused_whoever_imports_first(main_first):
    testcapi = pytest.importorskip("_testcapi")
    if not hasattr(testcapi, "run_in_subinterp"):
        pytest.skip("no legacy sub-interpreter runner")
    main_import = "import tithiloom._core as core\nprint(len(core.__all__))\n"
    sub_import = f"_testcapi.run_in_subinterp({SUB_INTERPRETER_IMPORT!r})\n"
    code = "import _testcapi\n" + (main_import + sub_import if main_first
                                     else sub_import + main_import)
    out = subprocess.run([sys.executable, "-c", code], check=True, capture_output=True, text=True)
    assert sorted(out.stdout.split()) == ["37", "refused"]
