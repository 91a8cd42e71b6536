"""Rule data for festivals and Ekadashis: reading the YAML files and checking them.

Every problem is one :class:`RuleError` that names the file, the entry and the
key, so a family editing a rule file sees what to fix.
"""

from __future__ import annotations

import os
from collections.abc import Iterable, Mapping
from functools import lru_cache
from importlib import resources
from pathlib import Path
from typing import Any

from tithiloom import _core
from tithiloom.errors import RuleError

# The engine's own tables: the rules and labels it reads (labels compared after
# ASCII lower-casing, as it does) and the number range of each integer key.
# The almanac convention reads more rules, labels and keys than the engine's
# own; an entry's `almanac` mapping holds what that convention reads instead.
_VOCABULARY = _core._vocabulary()
RULES = _VOCABULARY["rules"] + _VOCABULARY["almanac"]["rules"]
_LABELS = {**_VOCABULARY["labels"], **_VOCABULARY["almanac"]["labels"]}
_VYAPTI = _VOCABULARY["vyapti_priorities"]  # under which kaala and vyapti_tie are read
_PARAVIDDHA = ("", "paraviddha")  # the default priority's label
_INT_RANGES = {**_VOCABULARY["ranges"], "day_offset": (-30, 30),
               "with_nakshatra": _VOCABULARY["ranges"]["nakshatra"]}

_NEEDS = {"tithi_at_sunrise": ("lunar_month", "tithi"),
          "tithi_at_moonrise": ("lunar_month", "tithi"),
          "sankranti": ("sankranti_index",),
          "nakshatra_at_sunrise": ("nakshatra", "sankranti_index"),
          "nakshatra_in_solar_month": ("nakshatra", "sankranti_index")}
_ALLOWS = {"tithi_at_sunrise": {"priority", "kaala", "vyapti_tie", "adhika_maasa",
                                "with_nakshatra", "avoid_bhadra", "bhadra_fallback",
                                "udaya_three_muhurtas", "vriddhi_second"},
           "tithi_at_moonrise": {"adhika_maasa"},
           "sankranti": {"ingress"}, "nakshatra_at_sunrise": set(),
           "nakshatra_in_solar_month": {"ingress"}}
_COMMON = {"id", "name", "rule", "day_offset", "description", "region", "tradition", "basis",
           "annual", "aliases"}
ALMANAC = "almanac"
CONVENTIONS = (ALMANAC, "core")

RuleSource = str | os.PathLike[str] | Iterable[Mapping[str, Any]] | None

# The largest rule file read: room for some 800 festivals, a dozen times the
# shipped rules, while any file within it loads in about a second.
MAX_FILE_BYTES = 256 << 10


def _lower(text: str) -> str:
    return "".join(chr(ord(c) + 32) if "A" <= c <= "Z" else c for c in text)


def _single_use(root: Any, path: Path | str) -> None:
    """Refuses a list or mapping that is used twice: through an alias, a few
    hundred bytes can otherwise stand for billions of values."""
    import yaml

    seen: set[int] = set()
    stack = [root]
    while stack:
        node = stack.pop()
        if isinstance(node, yaml.ScalarNode):
            continue
        if id(node) in seen:
            mark = node.start_mark
            raise RuleError(f"{path}: the list or mapping at line {mark.line + 1}, column "
                            f"{mark.column + 1} is used again through an alias; an alias may "
                            f"stand only for a single value")
        seen.add(id(node))
        if isinstance(node, yaml.MappingNode):
            stack.extend(n for pair in node.value for n in pair)
        else:
            stack.extend(node.value)


def _read_yaml(path: Path | str, text: str, top: str) -> list[Any]:
    import yaml  # deferred so that `import tithiloom` stays quick

    # Safe loading; the C loader where PyYAML has one (same rules as
    # yaml.safe_load, ten times faster on the shipped file). A text that may
    # hold an alias (always written *name) has its nodes checked before any
    # value is built from them.
    safe: Any = getattr(yaml, "CSafeLoader", yaml.SafeLoader)

    class Checked(safe):  # type: ignore[misc]
        def get_single_node(self) -> Any:
            node = super().get_single_node()
            if node is not None:
                _single_use(node, path)
            return node

    try:
        data = yaml.load(text, Loader=Checked if "*" in text else safe)  # noqa: S506 - safe
    except yaml.YAMLError as e:
        mark = getattr(e, "problem_mark", None)
        where = f" at line {mark.line + 1}, column {mark.column + 1}" if mark else ""
        problem = getattr(e, "problem", None) or str(e)
        raise RuleError(f"{path}: not valid YAML{where}: {problem}") from e
    except RuleError:
        raise
    except ValueError as e:  # a date that does not exist, an integer too long to convert
        raise RuleError(f"{path}: the value{_line_of_bad_value(text)} cannot be read "
                        f"({str(e).split(';')[0]})") from e
    if isinstance(data, dict) and top in data:
        data = data[top]
    if not isinstance(data, list):
        raise RuleError(f"{path}: expected a list of entries (or a mapping with a "
                        f"'{top}' list), got {type(data).__name__}")
    return data


def _line_of_bad_value(text: str) -> str:
    """" at line N" of the first scalar that does not load on its own, or ""."""
    import yaml

    try:
        nodes = [yaml.compose(text, Loader=getattr(yaml, "CSafeLoader", yaml.SafeLoader))]
    except yaml.YAMLError:
        return ""
    while nodes:
        node = nodes.pop(0)
        if isinstance(node, yaml.ScalarNode):
            try:
                yaml.safe_load(node.value) if not node.style else None  # plain scalars
            except (ValueError, yaml.YAMLError):
                return f" at line {node.start_mark.line + 1}"
        elif isinstance(node, yaml.MappingNode):
            nodes.extend(n for pair in node.value for n in pair)
        elif node is not None:
            nodes.extend(node.value)
    return ""


class _Entry:
    """Checks one entry, naming file, entry and key in every message."""

    def __init__(self, source: str, index: int, raw: Any) -> None:
        self.source, self.index = source, index
        if not isinstance(raw, Mapping):
            raise RuleError(f"{source}: entry {index}: expected a mapping of keys, "
                            f"got {type(raw).__name__}")
        self.raw: Mapping[str, Any] = raw
        ident = raw.get("id", raw.get("month", raw.get("name")))
        if ident is not None and not (isinstance(ident, str) and ident.isprintable()):
            ident = repr(ident)  # a message stays one line, whatever the file holds
        self.where = f"{source}: entry {index}" + (f" ({ident})" if ident is not None else "")

    def fail(self, key: str, message: str) -> RuleError:
        return RuleError(f"{self.where}: key '{key}': {message}")

    def string(self, key: str, required: bool = True) -> str | None:
        if key not in self.raw:
            if required:
                raise self.fail(key, "missing")
            return None
        value = self.raw[key]
        if not isinstance(value, str) or not value.strip():
            raise self.fail(key, f"expected a non-empty text, got {value!r}")
        return value

    def integer(self, key: str, required: bool = True) -> int | None:
        if key not in self.raw:
            if required:
                raise self.fail(key, "missing")
            return None
        value = self.raw[key]
        low, high = _INT_RANGES[key]
        if isinstance(value, bool) or not isinstance(value, int):
            raise self.fail(key, f"expected a whole number from {low} to {high}, got {value!r}")
        if not low <= value <= high:
            raise self.fail(key, f"must lie from {low} to {high}, got {value}")
        return value

    def label(self, key: str) -> str | None:
        value = self.string(key, required=False)
        if value is None:
            return None
        accepted = _LABELS[key]
        if _lower(value) not in accepted:
            raise self.fail(key, f"unknown label {value!r}; accepted: {', '.join(accepted)}")
        return value


_MONTHLY_RULES = ("tithi_at_sunrise", "tithi_at_moonrise")
_NOT_MONTHLY = {"lunar_month", "adhika_maasa", "day_offset", "annual"}


def _check_festival(e: _Entry, monthly: bool = False) -> None:
    """Checks a festival entry, or (monthly) a tithi rule kept every month."""
    rule = e.string("rule")
    accepted = _MONTHLY_RULES if monthly else RULES
    if rule not in accepted:
        raise e.fail("rule", f"unknown rule {rule!r}; accepted: {', '.join(accepted)}")
    needs = tuple(k for k in _NEEDS[rule] if not (monthly and k in _NOT_MONTHLY))
    allowed = (_COMMON | set(needs) | _ALLOWS[rule]) - (_NOT_MONTHLY if monthly else set())
    for key in e.raw:
        if key not in allowed:
            raise e.fail(str(key), f"not a key of rule '{rule}' (keys: "
                                   f"{', '.join(sorted(allowed))})")
    for key in needs:
        e.integer(key)
    e.integer("day_offset", required=False)
    e.integer("with_nakshatra", required=False)
    for key in ("priority", "kaala", "adhika_maasa", "vyapti_tie", "ingress", "bhadra_fallback"):
        if key in allowed:
            e.label(key)
    priority = _lower(e.raw.get("priority", ""))
    for key in ("kaala", "vyapti_tie", "avoid_bhadra", "bhadra_fallback"):
        if key in e.raw and priority not in _VYAPTI:
            raise e.fail(key, "only matters with priority 'vyapti'")
    if "udaya_three_muhurtas" in e.raw and priority not in _PARAVIDDHA:
        raise e.fail("udaya_three_muhurtas", "only matters with priority 'paraviddha'")
    for key in ("description", "region", "tradition", "basis"):
        e.string(key, required=False)
    aliases = e.raw.get("aliases", [])
    if not isinstance(aliases, list) or not all(isinstance(a, str) and a.strip()
                                                for a in aliases):
        raise e.fail("aliases", f"expected a list of non-empty names, got {aliases!r}")
    for key in ("annual", "avoid_bhadra", "udaya_three_muhurtas", "vriddhi_second"):
        if key in e.raw and not isinstance(e.raw[key], bool):
            raise e.fail(key, f"expected true or false, got {e.raw[key]!r}")


def check_festivals(entries: Iterable[Any], source: str = "<rules>") -> list[dict[str, Any]]:
    """Check festival entries; return them as plain dicts (with all their keys).

    An entry's ``almanac`` mapping replaces its keys under the almanac
    convention; the entry with it applied is checked as well.
    """
    checked: list[dict[str, Any]] = []
    seen: set[str] = set()
    for i, raw in enumerate(entries, 1):
        e = _Entry(source, i, raw)
        ident = e.string("id")
        assert ident is not None
        if ident in seen:
            raise e.fail("id", f"{ident!r} is used by an earlier entry")
        seen.add(ident)
        e.string("name")
        own = {k: v for k, v in e.raw.items() if k != ALMANAC}
        _check_festival(_Entry(source, i, own))
        if ALMANAC in e.raw:
            if not isinstance(e.raw[ALMANAC], Mapping) or {"id", ALMANAC} & set(e.raw[ALMANAC]):
                raise e.fail(ALMANAC, "expected a mapping of the keys the almanac convention "
                                      "reads instead (not 'id')")
            almanac = _Entry(source, i, {**own, **e.raw[ALMANAC]})
            almanac.where += " under the almanac convention"
            _check_festival(almanac)
        checked.append(dict(e.raw))
    return checked


def check_vrats(entries: Iterable[Any], source: str = "<rules>") -> list[dict[str, Any]]:
    """Check vrat entries (tithi rules kept every month); return plain dicts."""
    checked: list[dict[str, Any]] = []
    for i, raw in enumerate(entries, 1):
        e = _Entry(source, i, raw)
        e.string("id")
        e.string("name")
        _check_festival(e, monthly=True)
        checked.append(dict(e.raw))
    return checked


def under(convention: str, entries: Iterable[Mapping[str, Any]]) -> list[dict[str, Any]]:
    """The festival entries as the convention reads them: each ``almanac``
    mapping applied (almanac) or dropped (core)."""
    out = []
    for entry in entries:
        own = {k: v for k, v in entry.items() if k != ALMANAC}
        if convention == ALMANAC:
            own.update(entry.get(ALMANAC, {}))
        out.append(own)
    return out


def check_ekadashis(entries: Iterable[Any], source: str = "<rules>") -> list[dict[str, Any]]:
    """Check Ekadashi name entries (one per lunar month); return plain dicts."""
    checked: list[dict[str, Any]] = []
    months: set[int] = set()
    for i, raw in enumerate(entries, 1):
        e = _Entry(source, i, raw)
        month = e.integer("month")
        assert month is not None
        if month in months:
            raise e.fail("month", f"month {month} is named by an earlier entry")
        months.add(month)
        e.string("shukla_name")
        e.string("krishna_name")
        for key in e.raw:
            if key not in ("month", "shukla_name", "krishna_name", "description",
                           "shukla_description", "krishna_description", "lunar_month_name"):
                raise e.fail(str(key), "not a key of an Ekadashi entry")
        checked.append(dict(e.raw))
    return checked


def _load(source: RuleSource, shipped: str, top: str,
          check: Any) -> list[dict[str, Any]]:
    if source is None:
        return list(_shipped(shipped, top, check))
    if isinstance(source, (str, os.PathLike)):
        path = Path(source)
        try:
            with path.open("rb") as f:
                raw = f.read(MAX_FILE_BYTES + 1)
        except OSError as e:
            raise RuleError(f"{path}: cannot read: {e.strerror or e}") from e
        if len(raw) > MAX_FILE_BYTES:
            raise RuleError(f"{path}: larger than the {MAX_FILE_BYTES >> 10} KiB a rule file "
                            f"may have")
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError as e:
            line = raw.count(b"\n", 0, e.start) + 1
            raise RuleError(f"{path}: not UTF-8 text at line {line} (byte {e.start + 1})") from e
        result: list[dict[str, Any]] = check(_read_yaml(path, text, top), str(path))
        return result
    result = check(list(source), "<rules>")
    return result


@lru_cache(maxsize=None)
def _shipped(name: str, top: str, check: Any) -> tuple[dict[str, Any], ...]:
    try:
        text = resources.files("tithiloom").joinpath(f"data/{name}").read_text(encoding="utf-8")
    except OSError as e:
        raise RuleError(f"{name}: the shipped rule file cannot be read ({e.strerror or e})") from e
    return tuple(check(_read_yaml(name, text, top), name))


def festival_rules(source: RuleSource = None) -> list[dict[str, Any]]:
    """Festival rules from a YAML file, a list of dicts, or (None) the shipped file."""
    return _load(source, "festivals.yaml", "festivals", check_festivals)


def vrat_rules() -> list[dict[str, Any]]:
    """The shipped vrat rules of the almanac convention."""
    return _load(None, "vrats.yaml", "vrats", check_vrats)


def ekadashi_rules(source: RuleSource = None) -> list[dict[str, Any]]:
    """Ekadashi names from a YAML file, a list of dicts, or (None) the shipped file."""
    return _load(source, "ekadashis.yaml", "ekadashis", check_ekadashis)


def festival_rules_added(source: RuleSource) -> list[dict[str, Any]]:
    """The shipped festival rules with those of ``source`` added; an entry whose id
    is a shipped one's replaces it."""
    extra = festival_rules(source)
    ids = {e["id"] for e in extra}
    return [e for e in festival_rules() if e["id"] not in ids] + extra
