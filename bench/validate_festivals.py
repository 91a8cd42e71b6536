"""How many published festival dates the shipped festival rules reproduce.

Run: PYTHONPATH=<build>/python python bench/validate_festivals.py
         [--years 2001-2035] [--place "New Delhi"] [--convention almanac|core|both] [--json]

Needs the `holidays` package at the version pinned in the `test` extra (its
Hindu festival tables are fixed Gregorian dates per year, compiled from
published almanacs; they are the reference here, not a computation):

    python -m venv .venv/holidays && .venv/holidays/bin/pip install holidays==0.108 \
        PyYAML tzdata icalendar

For each year and each table in FESTIVALS below, the table's date is compared
with the date `tithiloom.festivals(year, place, convention=...)` gives the
mapped rule id, under each convention asked for (both by default).
Text output: per festival the festival-years the table lists in the range,
the matches and misses, one diagnosis line per miss (both days' tithi and
nakshatra at sunrise, our rule and its reasoning), then the total
"N of M festival-years (P %)" per convention, and the per-festival matches
side by side.  The offset in a miss line is the table's date
minus ours.  --json prints the per-festival summary (with the missed dates)
instead.  Years outside a table's range are not counted.
"""

import argparse
import datetime as dt
import json
import sys
from collections import Counter

from holidays.calendars.hindu import _HinduLunisolar

import tithiloom

# holidays' table name -> our festival id.  Only tables naming the same
# observance as one shipped rule; tables for observances we have no rule for
# (Kali Puja, Dev Diwali, the jayantis of saints, ...) are left out, and for
# Diwali the India table is used, not the Nepal one (DIWALI).  A table that
# follows one region in some years and another in others names every shipped
# entry it may follow: a year matches when one of them gives its date, and
# the summary counts the years each entry matched.
FESTIVALS: dict[str, str | tuple[str, ...]] = {
    "MAKAR_SANKRANTI": "makar_sankranti",
    "PONGAL": "thai_pongal",
    "BASANT_PANCHAMI": "vasant_panchami",
    "MAHA_SHIVARATRI": "maha_shivaratri",
    "HOLI": "holi",
    "GUDI_PADWA": "ugadi",
    "CHAITRA_NAVRATRI": "chaitra_navratri",
    "RAM_NAVAMI": "rama_navami",
    "MAHAVIR_JAYANTI": "mahavir_jayanti",
    "HANUMAN_JAYANTI": "hanuman_jayanti",
    "VAISAKHI": "vaisakhi",
    "PUTHANDU": "puthandu",
    "VISHU": "vishu",
    "POHELA_BOISHAKH": "pohela_boishakh",
    "BUDDHA_PURNIMA": "buddha_purnima",
    "RATH_YATRA": "rath_yatra",
    "GURU_PURNIMA": "guru_purnima",
    "NAAG_PANCHAMI": ("nag_panchami", "nag_panchami_west"),
    "RAKSHA_BANDHAN": "raksha_bandhan",
    "JANMASHTAMI": "krishna_janmashtami_vaishnava",  # public calendars keep the Vaishnava day
    "ONAM": "onam",
    "HARTALIKA_TEEJ": "hartalika_teej",
    "GANESH_CHATURTHI": "ganesh_chaturthi",
    "VISHWAKARMA_PUJA": "vishwakarma_puja",
    "ANANT_CHATURDASHI": "anant_chaturdashi",
    "PITRA_MOKSH_AMAVASYA": "mahalaya_amavasya",
    "SHARAD_NAVRATRI": "sharad_navratri",
    "MAHA_ASHTAMI": "durga_ashtami",
    "MAHA_NAVAMI": "maha_navami",
    "DUSSEHRA": "vijayadashami",
    "KARWA_CHAUTH": "karwa_chauth",
    "NARAKA_CHATURDASHI": "naraka_chaturdashi",
    "DIWALI_INDIA": "diwali",
    "GOVARDHAN_PUJA": "govardhan_puja",
    "CHHATH_PUJA": "chhath_puja",
    "GURU_NANAK_JAYANTI": "guru_nanak_jayanti",
    "DATTATREYA_JAYANTI": "dattatreya_jayanti",
}


def table_date(calendar: _HinduLunisolar, table: str, year: int) -> dt.date | None:
    """The table's date for ``year``, or None where the table has no entry."""
    day, _estimated = getattr(calendar, f"{table.lower()}_date")(year)
    return day


def sunrise_limbs(day: dt.date, place: tithiloom.Place) -> str:
    d = tithiloom.day(day, place)
    return f"{d.tithi.name} ({d.tithi.number}), {d.nakshatra.name}"


def diagnose(ours: tithiloom.Festival | None, table: dt.date, place: tithiloom.Place) -> str:
    """One line saying what each day held at sunrise and why we chose ours."""
    theirs = f"table {table} has {sunrise_limbs(table, place)} at sunrise"
    if ours is None:
        return f"ours none, {theirs}"
    rule = ours.priority + (f"/{ours.kaala}" if ours.kaala else "")
    return (f"ours {ours.date}, table {table} ({(table - ours.date).days:+d} d): {theirs}; "
            f"ours has {sunrise_limbs(ours.date, place)}; {rule}: {ours.reasoning}")


def entries(fid: str | tuple[str, ...]) -> tuple[str, ...]:
    return fid if isinstance(fid, tuple) else (fid,)


def compare(years: range, place: tithiloom.Place, convention: str) -> list[dict]:
    calendar = _HinduLunisolar()
    rows = {t: {"table": t, "id": "|".join(entries(i)), "listed": 0, "matched": 0,
                "by_entry": Counter(), "misses": []}
            for t, i in FESTIVALS.items()}
    for year in years:
        ours = {f.id: f for f in tithiloom.festivals(year, place, convention=convention)}
        for table, fid in FESTIVALS.items():
            theirs = table_date(calendar, table, year)
            if theirs is None:
                continue
            row = rows[table]
            row["listed"] += 1
            found = [i for i in entries(fid) if i in ours and ours[i].date == theirs]
            if found:
                row["matched"] += 1
                row["by_entry"][found[0]] += 1
            else:
                row["misses"].append((ours.get(entries(fid)[0]), theirs))
    return list(rows.values())


def offsets(misses: list) -> str:
    """Misses by offset (table minus ours), e.g. "+1 d x3, -1 d x1, none x1"."""
    c = Counter("none" if m is None else f"{(t - m.date).days:+d} d" for m, t in misses)
    return ", ".join(f"{k} x{n}" for k, n in c.most_common())


def report(rows: list[dict], place: tithiloom.Place) -> None:
    """Each festival's misses, one diagnosis line each."""
    for r in rows:
        print(f"{r['table']} -> {r['id']}: listed {r['listed']}, matched {r['matched']}, "
              f"missed {len(r['misses'])}" + (f" ({offsets(r['misses'])})" if r["misses"] else ""))
        if len(r["by_entry"]) > 1:
            print("    matched by entry: " + ", ".join(f"{i} x{n}" for i, n in
                                                      r["by_entry"].most_common()))
        for mine, theirs in r["misses"]:
            print("    " + diagnose(mine, theirs, place))


def side_by_side(runs: dict[str, list[dict]]) -> None:
    """Matches per festival under each convention, most misses first."""
    names = list(runs)
    first = runs[names[0]]
    print(f"{'table':<22} {'id':<30} {'listed':>6} " + " ".join(f"{n:>8}" for n in names))
    order = sorted(range(len(first)), key=lambda i: (-len(first[i]["misses"]), first[i]["table"]))
    for i in order:
        r = first[i]
        print(f"{r['table']:<22} {r['id']:<30} {r['listed']:>6} "
              + " ".join(f"{runs[n][i]['matched']:>8}" for n in names))


def as_json(rows: list[dict], years: range, place: tithiloom.Place, convention: str) -> dict:
    listed = sum(r["listed"] for r in rows)
    matched = sum(r["matched"] for r in rows)
    return {
        "place": place.name, "years": [years.start, years.stop - 1], "convention": convention,
        "festivals": [{
            "table": r["table"], "id": r["id"], "listed": r["listed"], "matched": r["matched"],
            "missed": len(r["misses"]),
            "misses": [{"ours": None if m is None else m.date.isoformat(),
                        "table": t.isoformat()} for m, t in r["misses"]],
        } for r in rows],
        "total": {"listed": listed, "matched": matched,
                  "percent": round(100 * matched / listed, 1) if listed else None},
    }


def year_span(text: str) -> range:
    first, _, last = text.partition("-")
    return range(int(first), int(last or first) + 1)


def main(argv: list[str]) -> None:
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--years", type=year_span, default=year_span("2001-2035"),
                    help="A-B or a single year (default 2001-2035)")
    ap.add_argument("--place", default="New Delhi", help="a place name tithiloom knows")
    ap.add_argument("--convention", choices=("almanac", "core", "both"), default="both")
    ap.add_argument("--json", action="store_true", help="print the per-festival summary as JSON")
    args = ap.parse_args(argv)
    place = tithiloom.Place.named(args.place)
    conventions = ("almanac", "core") if args.convention == "both" else (args.convention,)
    runs = {c: compare(args.years, place, c) for c in conventions}
    if args.json:
        print(json.dumps([as_json(rows, args.years, place, c) for c, rows in runs.items()],
                         indent=1))
        return
    for convention, rows in runs.items():
        print(f"== convention {convention}")
        report(rows, place)
        print()
    side_by_side(runs)
    for convention, rows in runs.items():
        listed = sum(r["listed"] for r in rows)
        matched = sum(r["matched"] for r in rows)
        pct = 100 * matched / listed if listed else 0.0
        print(f"{convention}: {matched:,} of {listed:,} festival-years ({pct:.1f} %)")


if __name__ == "__main__":
    main(sys.argv[1:])
