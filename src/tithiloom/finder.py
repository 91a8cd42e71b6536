"""Finding a festival by name: its days over a run of years at a place.

A name matches a rule by its id, its name, the name without its note in
brackets, the note itself, either side of "A / B", or one of the other names
it is known by (its ``aliases``), ignoring case and accents.  Exact matches win; else every rule whose names hold the words; else
the refusal lists close matches, as an unknown place's does.
"""

from __future__ import annotations

import difflib
import re
from collections.abc import Iterable, Mapping
from typing import Any

from tithiloom import api, checks, rules as rulefiles
from tithiloom.errors import TithiloomError, UnknownFestival
from tithiloom.places import Place, _key as fold
from tithiloom.results import Festival

# Searching more years than this is a mistake (a span of dates, not years).
MAX_YEARS = 500


def _names(rule: Mapping[str, Any]) -> set[str]:
    """The folded names a rule answers to."""
    name = str(rule["name"])
    bare = re.sub(r"\s*\([^)]*\)", "", name)
    notes = re.findall(r"\(([^)]*)\)", name)
    parts = [p for text in (name, bare) for p in text.split("/")]
    aliases = [str(a) for a in rule.get("aliases", ())]
    return {fold(t) for t in (str(rule["id"]), name, bare, *notes, *parts, *aliases) if fold(t)}


def matching(name: str, rules: Iterable[Mapping[str, Any]]) -> list[dict[str, Any]]:
    """The rules ``name`` names (see the module's note); :class:`UnknownFestival` if none."""
    if not isinstance(name, str) or not fold(name):
        raise UnknownFestival(f"name must be a festival's name, got {name!r}")
    key = fold(name)
    table = [(dict(r), _names(r)) for r in rules]
    exact = [r for r, names in table if key in names]
    if exact:
        return exact
    within = [r for r, names in table if any(key in n for n in names)]
    if within:
        return within
    # Against whole names and their single words ("janmastami" is a typo of a word).
    owners: dict[str, list[str]] = {}
    for r, names in table:
        for n in names | {w for n in names for w in n.split()}:
            owners.setdefault(n, []).append(str(r["name"]))
    close = difflib.get_close_matches(key, owners, n=8, cutoff=0.75)
    suggestions = list(dict.fromkeys(o for n in close for o in owners[n]))[:5]
    hint = f"; close matches: {', '.join(suggestions)}" if suggestions else ""
    raise UnknownFestival(f"no festival called {name!r}{hint} (`tithiloom festivals` lists "
                          f"them all)")


def _years(years: int | Iterable[int]) -> list[int]:
    if isinstance(years, int):
        return [checks.year(years, "years")]
    try:
        listed = sorted(set(years))
    except TypeError:
        raise TithiloomError(
            f"years must be a year or an iterable of years (such as range(2026, 2036)), "
            f"got {years!r}") from None
    if not listed or len(listed) > MAX_YEARS:
        raise TithiloomError(
            f"years must hold 1-{MAX_YEARS} years, got {len(listed)}")
    return [checks.year(y, "years") for y in listed]


def find(name: str, years: int | Iterable[int], place: Place,
         rules: rulefiles.RuleSource = None, calendar: str = "purnimant",
         convention: str = "almanac") -> list[Festival]:
    """The days of the festival called ``name`` in ``years`` at ``place``, in date order.

    ``name`` ignores case and accents ("diwali", "Dīvālī"); a part of a name
    finds every festival that holds it ("purnima").  ``years`` is a year or an
    iterable of years, such as ``range(2026, 2036)``; ``rules``, ``calendar``
    and ``convention`` are those of :func:`festivals`.  An unknown name raises
    :class:`UnknownFestival`, whose message lists close matches.
    """
    checks.place(place)
    wanted = matching(name, rulefiles.festival_rules(rules))
    found = [f for year in _years(years)
             for f in api.festivals(year, place, wanted, calendar, None, convention)]
    return sorted(found, key=lambda f: (f.date, f.id))
