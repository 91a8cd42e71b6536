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
# apart (`-m serial`), not beside other tests on parallel workers.
SERIAL_MODULES = {"test_interrupt.py"}


# Tests that check results over years of many kinds, or run the command
# line, the web service or the tables on a cluster (which only convert and
# store): the sanitizer lane leaves them out (`-m "not wide"`), as the
# native paths they take run there through the other tests.
WIDE_MODULES = {"test_cli.py", "test_render.py", "test_service.py", "test_tables.py"}


def pytest_configure(config):
    config.addinivalue_line("markers", "serial: run alone, not on parallel workers")
    config.addinivalue_line("markers", "wide: left out under the sanitizers")


def pytest_ignore_collect(collection_path, config):
    # A run that leaves the wide tests out does not import their modules
    # either: the web, browser and cluster stacks take seconds to import under
    # the sanitizers, in every worker.
    if collection_path.name in WIDE_MODULES and "not wide" in config.getoption("markexpr"):
        return True
    return None


def pytest_collection_modifyitems(items):
    for item in items:
        if item.path.name in SERIAL_MODULES:
            item.add_marker(pytest.mark.serial)
        if item.path.name in WIDE_MODULES:
            item.add_marker(pytest.mark.wide)
