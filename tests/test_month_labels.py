"""Month labels of the command line under either reckoning."""

import pytest

from tithiloom import cli


@pytest.mark.parametrize("amanta, paksha, adhik, calendar, shown", [
    ("Ashadha", "Krishna", False, "purnimant", "Shravana"),
    ("Phalguna", "Krishna", False, "purnimant", "Chaitra"),
    ("Phalguna", "Shukla", False, "purnimant", "Phalguna"),
    ("Phalguna", "Krishna", False, "amant", "Phalguna"),
    ("Jyeshtha", "Krishna", True, "purnimant", "Adhika Ashadha"),
])
def test_month_names_follow_the_chosen_reckoning(amanta, paksha, adhik, calendar, shown):
    assert cli.month_label(amanta, paksha, adhik, calendar) == shown
