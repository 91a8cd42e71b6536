"""The one exception type that bad input raises."""

from __future__ import annotations


class TithiloomError(ValueError):
    """Bad input or a computation that cannot be done; the message names the problem.

    It derives from ``ValueError`` so that callers already catching that keep working.
    """


class UnknownPlace(TithiloomError, LookupError):
    """A place name that is not in the gazetteer."""


class RuleError(TithiloomError):
    """A malformed rule file: the message names the file, the entry and the key."""


class UnknownFestival(TithiloomError, LookupError):
    """A festival name that no rule answers to."""
