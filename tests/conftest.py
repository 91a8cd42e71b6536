"""Shared places and helpers for the tests of the Python layer."""

import datetime as dt

import pytest

import tithiloom


@pytest.fixture(scope="session")
def delhi() -> tithiloom.Place:
    return tithiloom.Place.named("New Delhi")


@pytest.fixture(scope="session")
def new_york() -> tithiloom.Place:
    return tithiloom.Place.named("New York")


@pytest.fixture(scope="session")
def london() -> tithiloom.Place:
    return tithiloom.Place.named("London")


def utc_hours(when: dt.datetime) -> float:
    off = when.utcoffset()
    assert off is not None
    return off.total_seconds() / 3600
