"""The gazetteer and the Place type."""

import pytest

import tithiloom
from tithiloom.places import gazetteer

REQUIRED = [
    # every state and union-territory capital
    "Amaravati", "Itanagar", "Dispur", "Patna", "Raipur", "Panaji", "Gandhinagar", "Chandigarh",
    "Shimla", "Ranchi", "Bengaluru", "Thiruvananthapuram", "Bhopal", "Mumbai", "Imphal",
    "Shillong", "Aizawl", "Kohima", "Bhubaneswar", "Jaipur", "Gangtok", "Chennai", "Hyderabad",
    "Agartala", "Lucknow", "Dehradun", "Kolkata", "New Delhi", "Port Blair", "Daman",
    "Srinagar", "Jammu", "Leh", "Kavaratti", "Puducherry",
    # pilgrimage cities
    "Varanasi", "Ujjain", "Haridwar", "Prayagraj", "Ayodhya", "Mathura", "Vrindavan", "Dwarka",
    "Puri", "Rameswaram", "Tirupati", "Madurai", "Nashik", "Gaya", "Kedarnath", "Badrinath",
    # abroad
    "Kathmandu", "Colombo", "Dhaka", "Singapore", "Kuala Lumpur", "Dubai", "London",
    "Leicester", "New York", "Edison NJ", "Houston", "Chicago", "Toronto", "San Francisco",
    "Sydney", "Auckland", "Durban", "Port Louis", "Suva", "Paramaribo", "Port of Spain",
]


def test_the_gazetteer_is_large_and_every_entry_is_a_valid_place():
    places = gazetteer()
    assert len(places) >= 150
    names = [p.name for p in places]
    assert len(set(names)) == len(names)
    assert all(isinstance(p, tithiloom.Place) for p in places)  # each passed the checks


@pytest.mark.parametrize("name", REQUIRED)
def test_required_places_are_there(name):
    assert tithiloom.Place.named(name).timezone


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
