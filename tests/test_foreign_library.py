"""Another user of the system's Swiss Ephemeris in the same process (loaded
through ctypes) changes the library's per-thread state between two calls on
the same thread: the module's results stay the same to the bit."""

import ctypes
import ctypes.util

import pytest

import tithiloom._core as core
from bits import exact

DELHI = (28.6139, 77.2090, 216.0)
J = 2461144.5
FESTIVAL = {"id": "x", "name": "X", "rule": "tithi_at_sunrise", "lunar_month": 1, "tithi": 9,
            "priority": "vyapti", "kaala": "madhyahna"}


def load_system_library():
    for name in filter(None, ("libswe.so.2.0", "libswe.so.2", ctypes.util.find_library("swe"))):
        try:
            return ctypes.CDLL(name)
        except OSError:
            pass


LIB = load_system_library()
pytestmark = pytest.mark.skipif(LIB is None, reason="no system Swiss Ephemeris")
if LIB is not None:
    LIB.swe_set_sid_mode.argtypes = [ctypes.c_int32, ctypes.c_double, ctypes.c_double]
    LIB.swe_set_delta_t_userdef.argtypes = [ctypes.c_double]
    LIB.swe_set_ephe_path.argtypes = [ctypes.c_char_p]
    LIB.swe_close.argtypes = []
    LIB.swe_get_ayanamsa_ut.restype = ctypes.c_double
    LIB.swe_get_ayanamsa_ut.argtypes = [ctypes.c_double]


CALLS = {
    "ayanamsa": lambda: core.py_ayanamsa(J),
    "sidereal_moon": lambda: core.py_sidereal_longitude(J, 1),
    "sidereal_ketu": lambda: core.py_sidereal_longitude(J, -1),
    "sunrise": lambda: core.py_sunrise_jd(J, *DELHI),
    "lagna": lambda: core.py_compute_lagna(J, 28.6, 77.2, "P"),
    "panchang": lambda: core.py_compute_panchang(2026, 4, 14, *DELHI, 19800, 2),
    "instants": lambda: core.py_compute_panchanga_at_jds([J, J + 0.25, J + 0.5]),
    "sankrantis": lambda: core.py_compute_sankrantis(2026, 19800),
    "festivals": lambda: core.py_compute_festivals([FESTIVAL], 2026, *DELHI, 19800),
    "shraddha": lambda: core.py_compute_shraddha(2025, 6, 10, 2026, *DELHI, 19800),
}

FOREIGN = {
    "fagan_bradley_mode": lambda: LIB.swe_set_sid_mode(0, 0.0, 0.0),
    "raman_mode": lambda: LIB.swe_set_sid_mode(3, 0.0, 0.0),
    "close": lambda: LIB.swe_close(),
    "user_delta_t": lambda: LIB.swe_set_delta_t_userdef(0.01),
    "path_then_close": lambda: (LIB.swe_set_ephe_path(b"."), LIB.swe_close()),
}


@pytest.fixture(autouse=True)
def restore_library():
    yield
    if LIB is not None:
        LIB.swe_set_delta_t_userdef(-1e-10)  # back to the library's own ΔT
        LIB.swe_close()


@pytest.mark.parametrize("change", FOREIGN)
def test_foreign_change_between_calls_changes_nothing(change):
    before = {name: exact(call()) for name, call in CALLS.items()}
    # Guards the test itself: the change does reach the library our module uses.
    ours = LIB.swe_get_ayanamsa_ut(J)
    FOREIGN[change]()
    assert LIB.swe_get_ayanamsa_ut(J) != ours
    for name, call in CALLS.items():
        FOREIGN[change]()
        assert exact(call()) == before[name], name
