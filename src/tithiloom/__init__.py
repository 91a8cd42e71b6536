"""Hindu almanac (panchang) computations for any date and any place on Earth."""

from tithiloom import _core

__all__ = ["_core"]
