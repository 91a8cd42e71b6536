"""Shared places and helpers for the tests of the Python layer."""

import datetime as dt

import pytest

import tithiloom


@pytest.fixture(scope="session")
def delhi() -> tithiloom.Place:
    return tithiloom.Place.named("New Delhi")


def utc_hours(when: dt.datetime) -> float:
    off = when.utcoffset()
    assert off is not None
    return off.total_seconds() / 3600


# The SIGINT latency tests time a child process against a bound: they run
# alone (`-m serial`), not beside other tests on parallel workers.
SERIAL_MODULES = {"test_interrupt.py"}


def pytest_configure(config):
    config.addinivalue_line("markers", "serial: run alone, not on parallel workers")


def pytest_collection_modifyitems(items):
    for item in items:
        if item.path.name in SERIAL_MODULES:
            item.add_marker(pytest.mark.serial)
