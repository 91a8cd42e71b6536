"""The gazetteer and the Place type."""

import pytest

import tithiloom
from tithiloom.places import gazetteer

# Every state and union-territory capital, pilgrimage cities, cities abroad.
REQUIRED = """Amaravati Itanagar Dispur Patna Raipur Panaji Gandhinagar Chandigarh Shimla Ranchi
Bengaluru Thiruvananthapuram Bhopal Mumbai Imphal Shillong Aizawl Kohima Bhubaneswar Jaipur Gangtok
Chennai Hyderabad Agartala Lucknow Dehradun Kolkata New_Delhi Port_Blair Daman Srinagar Jammu Leh
Kavaratti Puducherry Varanasi Ujjain Haridwar Prayagraj Ayodhya Mathura Vrindavan Dwarka Puri
Rameswaram Tirupati Madurai Nashik Gaya Kedarnath Badrinath Kathmandu Colombo Dhaka Singapore
Kuala_Lumpur Dubai London Leicester New_York Edison_NJ Houston Chicago Toronto San_Francisco Sydney
Auckland Durban Port_Louis Suva Paramaribo Port_of_Spain""".split()


def test_the_gazetteer_is_large_valid_and_has_the_required_places():
    places = gazetteer()
    names = [p.name for p in places]
    assert len(places) >= 150 and len(set(names)) == len(names)
    assert all(isinstance(p, tithiloom.Place) for p in places)  # each passed the checks
    assert all(tithiloom.Place.named(name.replace("_", " ")).timezone for name in REQUIRED)


@pytest.mark.parametrize("query, expected", [
    ("ujjain", "Ujjain"), ("  UJJAIN ", "Ujjain"), ("Zurich", "Zürich"),
    ("sao paulo", "São Paulo"), ("TROMSO", "Tromsø"), ("montreal", "Montréal"),
    ("Bombay", "Mumbai"), ("banaras", "Varanasi"), ("new-delhi", "New Delhi"),
])
def test_lookup_ignores_case_accents_and_knows_aliases(query, expected):
    assert tithiloom.Place.named(query).name == expected


@pytest.mark.parametrize("query, suggestion", [("Ujain", "Ujjain"), ("Leicster", "Leicester"),
                                               ("Hardwar", "Haridwar")])
def test_an_unknown_place_lists_close_matches(query, suggestion):
    with pytest.raises(tithiloom.UnknownPlace, match=suggestion):
        tithiloom.Place.named(query)


@pytest.mark.parametrize("kwargs, word", [
    ({"latitude": 91.0}, "latitude"), ({"latitude": float("nan")}, "latitude"),
    ({"longitude": -180.5}, "longitude"), ({"altitude_m": 1e6}, "altitude"),
    ({"timezone": "Mars/Olympus"}, "time zone"), ({"latitude": "28"}, "latitude"),
])
def test_impossible_places_are_refused(kwargs, word):
    args = {"name": "x", "latitude": 10.0, "longitude": 10.0, "altitude_m": 0.0,
            "timezone": "UTC", **kwargs}
    with pytest.raises(tithiloom.TithiloomError, match=word):
        tithiloom.Place(**args)


@pytest.mark.parametrize("lat, lng, zone, explicit", [
    (40.71, -74.0, "America/New_York", ""), (28.61, 77.21, "Asia/Kolkata", ""),
    (0.0, -30.0, "Etc/GMT+2", ""),  # at sea: the nautical zone
    (40.71, -74.0, "UTC", "UTC"),  # a zone given still wins
])
def test_coordinates_without_a_zone_keep_the_clock_of_the_zone_that_holds_them(lat, lng, zone,
                                                                             explicit):
    assert tithiloom.Place("x", lat, lng, 0.0, explicit).timezone == zone
