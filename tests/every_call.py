"""One valid call of each of the 28 functions, and calls reaching each kind
of error, for the memory and reference-count checks (small inputs: each call
is cheap)."""

import math

import tithiloom._core as core

D = (28.6139, 77.2090, 216.0)
J = 2461144.5
FESTIVAL = {"id": "x", "name": "X", "rule": "tithi_at_sunrise", "lunar_month": 1, "tithi": 9,
            "priority": "vyapti", "kaala": "madhyahna"}
EKADASHI = {"month": 1, "shukla_name": "A", "krishna_name": "B"}

VALID = [
    lambda: core.py_init(None),
    lambda: core.py_datetime_to_jd(2026, 4, 14, 6, 30, 15.5),
    lambda: core.py_jd_to_datetime(J),
    lambda: core.py_tropical_longitude(J, 1),
    lambda: core.py_sidereal_longitude(J, -1),
    lambda: core.py_ayanamsa(J),
    lambda: core.py_planet_speed(J, 10),
    lambda: core.py_sunrise_jd(J, *D),
    lambda: core.py_sunset_jd(J, *D),
    lambda: core.py_compute_sun_data(2026, 4, 14, *D, 19800),
    lambda: core.py_compute_lagna(J, 28.6, 77.2, "W"),
    lambda: core.py_compute_lagna_windows(J, 28.6, 77.2),
    lambda: core.py_compute_panchang(2026, 4, 14, *D, 19800, 2),
    lambda: core.py_compute_panchanga_at_jds([J, J + 0.5]),
    lambda: core.py_compute_muhurat(2, J, 12.5),
    lambda: core.py_compute_choghadiya(2, J, J + 0.5, 12.0),
    lambda: core.py_compute_sankrantis(2026, 19800),
    lambda: core.py_compute_lunar_months(2026, "purnimant"),
    lambda: core.py_compute_festivals([FESTIVAL], 2026, *D, 19800, "amant"),
    lambda: core.py_compute_ekadashis([EKADASHI], 2026, *D, 19800),
    lambda: core.py_compute_vrat_dates(2026, *D, 19800),
    lambda: core.py_compute_batch_year(2026, *D, 19800),
    lambda: core.py_compute_batch_range(2026, 4, 14, 2026, 4, 15, *D, 19800),
    lambda: core.py_era_year(2026, 57, True),
    lambda: core.py_jovian_cycle_index(2026, 1987),
    lambda: core.py_compute_shraddha(2025, 6, 10, 2026, *D, 19800),
    lambda: core.py_compute_shraddha_timeline(2025, 6, 10, *D, 19800, 1, 1, 0),
    lambda: core.py_close(),
]

INVALID = [
    lambda: core.py_init(3),
    lambda: core.py_close(1),
    lambda: core.py_datetime_to_jd(2026, -1, 1, 0, 0, 0.0),
    lambda: core.py_jd_to_datetime(math.nan),
    lambda: core.py_tropical_longitude(J, 8),
    lambda: core.py_sidereal_longitude(J),
    lambda: core.py_ayanamsa(1e15),
    lambda: core.py_planet_speed("x", 1),
    lambda: core.py_sunrise_jd(J, 91.0, 0.0, 0.0),
    lambda: core.py_sunset_jd(J, 0.0, math.inf, 0.0),
    lambda: core.py_compute_sun_data(2026, 6, 21, 80.0, 0.0, 0.0, 0),
    lambda: core.py_compute_sun_data(4000, 1, 1, *D, 19800),
    lambda: core.py_compute_lagna(J, 28.6, 77.2, "Q"),
    lambda: core.py_compute_lagna_windows(J, 28.6, 77.2, bogus=1),
    lambda: core.py_compute_panchang(2026, 4, 14, *D, 19800, 2, 3),
    lambda: core.py_compute_panchanga_at_jds("abc"),
    lambda: core.py_compute_panchanga_at_jds([J, None]),
    lambda: core.py_compute_muhurat(weekday=2, sunrise_jd=J),
    lambda: core.py_compute_choghadiya(2, J, J, J, weekday=2),
    lambda: core.py_compute_sankrantis(2**31),
    lambda: core.py_compute_lunar_months(2026, None),
    lambda: core.py_compute_festivals([{"name": "x"}], 2026, *D, 19800),
    lambda: core.py_compute_festivals([FESTIVAL, 3], 2026, *D, 19800),
    lambda: core.py_compute_festivals((FESTIVAL,), 2026, *D, 19800),
    lambda: core.py_compute_ekadashis([{"month": 13, "shukla_name": "a", "krishna_name": "b"}],
                                      2026, *D, 19800),
    lambda: core.py_compute_ekadashis([{"month": 1}], 2026, *D, 19800),
    lambda: core.py_compute_vrat_dates(2026, *D),
    lambda: core.py_compute_batch_year(2026, math.nan, 0.0, 0.0, 0),
    lambda: core.py_compute_batch_range(2026, 2, 30, 2026, 3, 1, *D, 19800),
    lambda: core.py_compute_batch_range(-2000000000, 1, 1, 2000000000, 12, 31, *D, 0),
    lambda: core.py_era_year(2026, 57, 1),
    lambda: core.py_jovian_cycle_index(2026),
    lambda: core.py_compute_shraddha(2025, 6, 10, 2026, *D),
    lambda: core.py_compute_shraddha_timeline(2025, 6, 10, *D, 19800, -1, 0, 0),
]

EXPECTED_ERRORS = (TypeError, ValueError, OverflowError, KeyError, MemoryError)


def call(fn):
    try:
        fn()
    except EXPECTED_ERRORS:
        pass
