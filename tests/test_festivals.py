"""Festival definitions: the reckoning, the order of the results, days without
sunrise, the ends of the ephemeris, and how definitions are read, strictly or
leniently. (The dates of rules of every kind, in a polar night too, are pinned
by the digests in test_ranges.py and compared across ways of computing them
in the C++ tests.)"""

import datetime as dt
import math

import pytest

import tithiloom._core as core

DELHI = (28.6139, 77.2090, 216.0)
IST = 19800
ARCTIC = (80.0, 15.0, 0.0)  # none around the December solstice, sunrises in March
CET = 3600
DAY = dt.timedelta(days=1)
KEYS = ["festival_id", "festival_name", "year", "month", "day", "sunrise_jd", "tithi_at_sunrise",
        "lunar_month_name", "is_adhik_month", "reasoning", "priority_applied", "kaala_applied",
        "alternate"]


def festivals(defs, year=2026, place=DELHI, offset=IST, system="amant"):
    return core.py_compute_festivals(defs, year, *place, offset, system)


def tithi_def(month, tithi, **extra):
    return {"id": f"{month}-{tithi}", "name": f"M{month} T{tithi}", "rule": "tithi_at_sunrise",
            "lunar_month": month, "tithi": tithi, **extra}


def sankranti_def(index, **extra):
    return {"id": f"s{index}", "name": "S", "rule": "sankranti", "sankranti_index": index, **extra}


def date_of(o):
    return dt.date(o["year"], o["month"], o["day"])


def test_reckoning_spellings_and_the_year_a_lunar_day_belongs_to():
    for system in ("amanta", "amant", "Amant", "amant ", "\ud800"):  # two spellings are amant
        (o,) = festivals([tithi_def(12, 20)], system=system)
        assert o["lunar_month_name"] == ("Phalguna" if system in ("amanta", "amant") else "Chaitra")
    # The Pausha of December belongs to no year; that of January to the year before.
    assert festivals([tithi_def(10, 5)]) == []
    assert festivals([tithi_def(10, 5)], 2025)[0]["year"] == 2025
    # A month without twin has no adhika days.
    assert festivals([tithi_def(1, 9, adhika_maasa="adhika")]) == []


# --- order, the ends of the ephemeris, days without sunrise ---

@pytest.mark.parametrize("month, tithi, year, place, offset, expected", [
    (7, 10, 2034, DELHI, IST, dt.date(2034, 10, 22)),  # Navami holds the sunrises of 21 and 22
    (2, 25, 2026, (40.7128, -74.0060, 10.0), -18000, dt.date(2026, 5, 11)),
])
def test_a_skipped_lunar_day_falls_on_the_day_it_begins_and_ends(month, tithi, year, place,
                                                                  offset, expected):
    [o] = festivals([tithi_def(month, tithi)], year, place, offset)
    assert date_of(o) == expected


def test_order_is_by_sunrise_and_stable_with_days_without_sunrise_last():
    defs = [tithi_def(7, 30, id="a"), sankranti_def(3), tithi_def(7, 30, id="b"),
            tithi_def(1, 1, id="c")]
    got = festivals(defs)
    assert [o["festival_id"] for o in got] == ["c", "s3", "a", "b"] and list(got[0]) == KEYS
    got = festivals([sankranti_def(i) for i in (11, 3, 0, 2)], place=ARCTIC, offset=CET)
    assert [o["festival_id"] for o in got] == ["s2", "s3", "s11", "s0"]
    assert [math.isnan(o["sunrise_jd"]) for o in got] == [False, False, True, True]
    # A shift onto a day without sunrise keeps the date asked for.
    dhanu = core.py_compute_sankrantis(2026, CET)[11]
    (o,) = festivals([sankranti_def(11, day_offset=3)], place=ARCTIC, offset=CET)
    assert date_of(o) == dt.date(dhanu["year"], dhanu["month"], dhanu["day"]) + 3 * DAY
    assert math.isnan(o["sunrise_jd"]) and o["tithi_at_sunrise"] == 1  # the tithi of NaN


def test_shifts_of_any_size_at_the_ends_of_the_ephemeris_drop_quietly():
    # Every year from -3000 to 3002 lies inside the ephemeris with its calendar.
    defs = [{"id": str(k), "name": "S", "rule": "sankranti", "sankranti_index": i, "day_offset": k}
            for i in (0, 4, 11) for k in (-400, -2**31, 2**31 - 1, 400)]
    defs.append(tithi_def(10, 20, day_offset=-60, priority="vyapti", kaala="nishita"))
    for year in (-3000, 3002):
        got = festivals(defs, year)
        assert all(o["year"] == year for o in got)
        assert not {o["festival_id"] for o in got} & {str(-2**31), str(2**31 - 1)}


# --- reading the definitions ---

BASE = {"id": "x", "name": "X", "rule": "tithi_at_sunrise", "lunar_month": 1, "tithi": 9}
NOT_STR = "'{}' object cannot be converted to 'PyString'"
OUT_OF_RANGE = "out of range integral type conversion attempted"


@pytest.mark.parametrize("defs, exc, text", [
    ([{"name": "X", "rule": "sankranti"}], KeyError, "'id'"),
    ([{"id": "x", "rule": "sankranti"}], KeyError, "'name'"),
    ([{"id": "x", "name": "X"}], KeyError, "'rule'"),
    ([{"id": 1}], TypeError, NOT_STR.format("int")),  # id first
    ([{**BASE, "kaala": 4}], TypeError, NOT_STR.format("int")),
    ([{**BASE, "vyapti_tie": True}], TypeError, NOT_STR.format("bool")),
    ([{**BASE, "sankranti_index": 1.0}], TypeError,
     "'float' object cannot be interpreted as an integer"),
    ([{**BASE, "nakshatra": "3"}], TypeError, "'str' object cannot be interpreted as an integer"),
    ([{**BASE, "sankranti_index": -1}], OverflowError, OUT_OF_RANGE),
    ([{**BASE, "nakshatra": 2**32}], OverflowError, OUT_OF_RANGE),
    ([BASE, None], TypeError, "'NoneType' object cannot be converted to 'PyDict'"),
    ((BASE,), TypeError, "argument 'festival_defs': 'tuple' object cannot be converted to 'PyList'"),
])
def test_malformed_definitions_fail_the_whole_call(defs, exc, text):
    with pytest.raises(exc) as info:
        festivals(defs)
    assert str(info.value) == text
    with pytest.raises(TypeError, match="^argument 'calendar_system': 'int' object"):
        festivals([], system=5)


class Boom(Exception):
    pass


class IndexRaises:
    def __index__(self):
        raise Boom("index")


def test_lenient_readings():
    # Unusable months and tithis read as 0 and resolve nothing; so do rules
    # that are unknown or miss what they need.
    for value in (None, "9", -9, 9.0, 2**40, [9], IndexRaises()):
        assert festivals([{**BASE, "tithi": value}, {**BASE, "lunar_month": value}]) == []
    assert festivals([{"id": "x", "name": "X", "rule": rule, **extra} for rule, extra in [
        ("Sankranti", {"sankranti_index": 3}), ("sankranti", {"sankranti_index": 12}),
        ("sankranti", {}), ("nakshatra_at_sunrise", {"nakshatra": 28, "sankranti_index": 3}),
        ("nakshatra_at_sunrise", {"sankranti_index": 3}),
        ("tithi_at_sunrise", {"lunar_month": 13, "tithi": 5}),
        ("tithi_at_sunrise", {"lunar_month": 1, "tithi": 31})]]) == []
    # A day offset that is not a 32-bit integer reads as 0; labels in any ASCII
    # case, and unencodable labels read as the defaults.
    (plain,) = festivals([BASE])
    for value, shift in ((None, 0), ("-1", 0), (-1.0, 0), (2**31, 0), (-1, -1), (True, 1)):
        (o,) = festivals([{**BASE, "day_offset": value}])
        assert date_of(o) == date_of(plain) + shift * DAY
    (a,) = festivals([{**BASE, "priority": "VYAPTI", "kaala": "Madhyaahna"}])
    assert (a["priority_applied"], a["kaala_applied"]) == ("vyapti", "madhyahna")
    assert festivals([{**BASE, "priority": "\ud800", "kaala": "\udc00", "adhika_maasa": "\ud800",
                       "vyapti_tie": "\ud800"}]) == [plain]
    assert plain["priority_applied"] == "paraviddha"
    # Values read strictly pass the caller's own exception on.
    for key in ("sankranti_index", "day_offset"):
        with pytest.raises(Boom, match="index"):
            festivals([{**BASE, key: IndexRaises()}])


class StrangeList(list):
    def __iter__(self):
        raise Boom("iterated")

    def __getitem__(self, i):
        raise Boom("indexed")


class StrangeDict(dict):
    def __getitem__(self, key):
        raise Boom("getitem")

    def get(self, key, default=None):
        return 42


def test_subclasses_are_read_as_their_list_and_dict_and_many_definitions():
    assert festivals(StrangeList([StrangeDict(BASE)])) == festivals([BASE])
    cheap = [{"id": str(i), "name": "N", "rule": "none"} for i in range(99_990)]
    real = [tithi_def(m, 9) for m in range(1, 11)]
    assert festivals(cheap + real) == festivals(real)
    repeated = festivals([tithi_def(6, 4)] * 20_000)
    assert len(repeated) == 20_000 and all(o == repeated[0] for o in repeated)
