"""Daily panchang and instant sampling: invariants over many dates and
places, transitions checked against the instant sampler, argument handling."""

import array
import datetime as dt

import pytest

import tithiloom._core as core

SECOND = 1.0 / 86400.0
LIMBS = ["tithi", "nakshatra", "yoga", "karana"]
COUNTS = {"tithi": 30, "nakshatra": 27, "yoga": 27}

# (lat, lng, alt, utc_offset_seconds)
PLACES = {
    "delhi": (28.6139, 77.2090, 216.0, 19800),
    "chennai": (13.0827, 80.2707, 6.0, 19800),
    "london": (51.5074, -0.1278, 11.0, 0),
    "new_york": (40.7128, -74.0060, 10.0, -18000),
    "sydney": (-33.8688, 151.2093, 58.0, 36000),
    "reykjavik": (64.1466, -21.9426, 0.0, 0),
    "quito": (-0.1807, -78.4678, 2850.0, -18000),
}
DATES = [(1900, 3, 1), (1947, 8, 15), (1999, 12, 31), (2000, 2, 29), (2024, 6, 21),
         (2026, 1, 1), (2026, 4, 14), (2026, 10, 20), (2050, 11, 5), (2099, 9, 9)]


def weekday_of(y, m, d):
    return (dt.date(y, m, d).weekday() + 1) % 7  # 0 = Sunday


def panchang(place, y, m, d):
    lat, lng, alt, off = PLACES[place]
    return core.py_compute_panchang(y, m, d, lat, lng, alt, off, weekday_of(y, m, d))


def at(jds):
    return core.py_compute_panchanga_at_jds(jds)


def previous_number(limb, number):
    if limb == "karana":
        return None  # the karana cycle is not a plain counter
    return (number - 2) % COUNTS[limb] + 1


@pytest.mark.parametrize("place", PLACES)
@pytest.mark.parametrize("date", DATES)
def test_every_limb_spans_sunrise_and_matches_the_sampler(place, date):
    p = panchang(place, *date)
    assert list(p) == ["sun", "vara", "tithi", "nakshatra", "yoga", "karana"]
    r = p["sun"]["sunrise_jd"]
    starts = [p[limb]["start_jd"] for limb in LIMBS]
    ends = [p[limb]["end_jd"] for limb in LIMBS]
    for limb, s, e in zip(LIMBS, starts, ends):
        assert s <= r <= e, limb
        assert e - s < 2.0, limb
    # Two seconds inside each span the sampler sees the day's element; two
    # seconds before the start it sees the element before.
    inside = at([s + 2 * SECOND for s in starts] + [e - 2 * SECOND for e in ends])
    before = at([s - 2 * SECOND for s in starts])
    for k, limb in enumerate(LIMBS):
        n = p[limb]["number"]
        assert inside[k][limb]["number"] == n, limb
        assert inside[k + 4][limb]["number"] == n, limb
        prev = previous_number(limb, n)
        if prev is not None:
            assert before[k][limb]["number"] == prev, limb
        else:
            assert before[k][limb]["number"] != n


@pytest.mark.parametrize("place", ["delhi", "london", "sydney"])
def test_consecutive_days_share_their_tithi_boundary(place):
    day = dt.date(2026, 1, 1)
    days = [panchang(place, *(day + dt.timedelta(k)).timetuple()[:3]) for k in range(45)]
    shared = 0
    for a, b in zip(days, days[1:]):
        ta, tb = a["tithi"], b["tithi"]
        if tb["number"] == ta["number"] % 30 + 1:
            shared += 1
            assert abs(ta["end_jd"] - tb["start_jd"]) < SECOND
    assert shared > 30


@pytest.mark.parametrize("place", PLACES)
def test_sampling_at_sunrise_equals_the_daily_panchang(place):
    days = [panchang(place, *d) for d in DATES]
    sampled = at([p["sun"]["sunrise_jd"] for p in days])
    for p, s in zip(days, sampled):
        assert list(s) == LIMBS
        assert s["tithi"] == {k: p["tithi"][k] for k in ("number", "name", "paksha")}
        assert s["nakshatra"] == {k: p["nakshatra"][k] for k in ("number", "name", "pada")}
        assert s["yoga"] == {k: p["yoga"][k] for k in ("number", "name")}
        assert s["karana"] == {k: p["karana"][k] for k in ("number", "name")}


def test_new_moon_boundary_names():
    day = dt.date(2026, 1, 1)
    while (p := panchang("delhi", day.year, day.month, day.day))["tithi"]["number"] != 30:
        day += dt.timedelta(1)
    assert p["tithi"]["name"] == "Krishna Amavasya"
    assert p["karana"]["number"] in (9, 10)
    new_moon = p["tithi"]["end_jd"]
    if p["karana"]["number"] == 10:
        assert p["karana"]["end_jd"] == pytest.approx(new_moon, abs=SECOND)
    after, before = at([new_moon + 2 * SECOND, new_moon - 2 * SECOND])
    assert after["tithi"] == {"number": 1, "name": "Shukla Pratipada", "paksha": "Shukla"}
    assert after["karana"] == {"number": 11, "name": "Kimstughna"}
    assert before["tithi"] == {"number": 30, "name": "Krishna Amavasya", "paksha": "Krishna"}
    assert before["karana"] == {"number": 10, "name": "Nagava"}


@pytest.mark.parametrize("weekday, number, name, english", [
    (0, 0, "Ravivara", "Sunday"),
    (6, 6, "Shanivara", "Saturday"),
    (7, 7, "Ravivara", "Sunday"),
    (8, 8, "Somavara", "Monday"),
    (4294967295, 4294967295, "Budhavara", "Wednesday"),
])
def test_vara_from_the_given_weekday(weekday, number, name, english):
    lat, lng, alt, off = PLACES["delhi"]
    p = core.py_compute_panchang(2026, 4, 14, lat, lng, alt, off, weekday)
    assert p["vara"] == {"number": number, "name": name, "english": english}


class TestSamplerArguments:
    def test_sequences_and_numbers(self):
        jd = 2461144.5
        ref = at([jd])
        assert at((jd,)) == ref
        assert at(array.array("d", [jd])) == ref
        assert at([2461144]) == at([2461144.0])
        assert at([]) == []

    @pytest.mark.parametrize("bad, exc, text", [
        ("2461144.5", TypeError, "argument 'jds'"),
        (42, TypeError, "argument 'jds': 'int' object cannot be converted to 'Sequence'"),
        ([1.0, None], TypeError, "argument 'jds'"),
    ])
    def test_bad_input_raises_before_work(self, bad, exc, text):
        with pytest.raises(exc, match=text):
            at(bad)

    def test_items_that_mutate_the_list_are_read_from_a_snapshot(self):
        jds = []

        class Shrinking:
            def __float__(self):
                jds.clear()
                return 2461144.5

        jds.extend([Shrinking()] + [2461144.5] * 50)
        assert at(jds) == at([2461144.5] * 51)

