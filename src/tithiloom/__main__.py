"""Print the panchang of a day (default: today at New Delhi), the dates that
year of the festivals in the rule file shipped with the package, the next
Ekadashi and the vrat days of the coming month.

python -m tithiloom [--date YYYY-MM-DD] [--lat DEG --lng DEG --alt M --utc-offset SECONDS]
"""

import argparse
import datetime as dt
from importlib import resources

import yaml

from tithiloom import _core

NEW_DELHI = (28.6139, 77.2090, 216.0)
IST_SECONDS = 19800
LIMBS = ("tithi", "nakshatra", "yoga", "karana")


def local_time(jd, offset_seconds):
    y, mo, d, h, mi, _, _ = _core.py_jd_to_datetime(jd + offset_seconds / 86400.0)
    return f"{y:04d}-{mo:02d}-{d:02d} {h:02d}:{mi:02d}"


def parse_args():
    p = argparse.ArgumentParser(prog="python -m tithiloom", description=__doc__,
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--date", type=dt.date.fromisoformat, help="YYYY-MM-DD (default: today)")
    p.add_argument("--lat", type=float, default=NEW_DELHI[0], help="degrees north")
    p.add_argument("--lng", type=float, default=NEW_DELHI[1], help="degrees east")
    p.add_argument("--alt", type=float, default=NEW_DELHI[2], help="metres")
    p.add_argument("--utc-offset", type=int, default=IST_SECONDS, help="seconds east of UTC")
    return p.parse_args()


def limb_detail(key, limb):
    return f"  (pada {limb['pada']}, lord {limb['lord']})" if key == "nakshatra" else ""


def shipped(name):
    text = resources.files("tithiloom").joinpath(f"data/{name}").read_text(encoding="utf-8")
    return yaml.safe_load(text)


def festival_rules():
    return shipped("festivals.yaml")["festivals"]


def ymd(entry, prefix=""):
    return dt.date(entry[prefix + "year"], entry[prefix + "month"], entry[prefix + "day"])


def print_festivals(year, a):
    found = _core.py_compute_festivals(festival_rules(), year, a.lat, a.lng, a.alt, a.utc_offset)
    print()
    print(f"Festivals of {year}")
    for f in found:
        print(f"  {f['year']:04d}-{f['month']:02d}-{f['day']:02d}  {f['festival_name']}")
        print(f"              {f['reasoning']}")
        alt = f["alternate"]
        if alt is not None:
            print(f"              Alternate ({alt['priority']}): "
                  f"{alt['year']:04d}-{alt['month']:02d}-{alt['day']:02d}")


def print_next_ekadashi(day, a):
    place = (a.lat, a.lng, a.alt)
    coming = [e for year in (day.year, day.year + 1)
              for e in _core.py_compute_ekadashis(shipped("ekadashis.yaml"), year, *place,
                                                  a.utc_offset)
              if ymd(e, "smartha_") >= day]
    if not coming:
        return
    e = coming[0]
    print()
    print(f"Next Ekadashi: {e['name']} ({e['paksha']}, {e['lunar_month_name']})")
    print(f"  Smartha    {ymd(e, 'smartha_').isoformat()}")
    print(f"  Vaishnava  {ymd(e, 'vaishnava_').isoformat()}")
    print(f"              {e['reasoning']}")


def print_coming_vrats(day, a, days=30):
    last = day + dt.timedelta(days=days)
    vrats = [v for year in sorted({day.year, last.year})
             for v in _core.py_compute_vrat_dates(year, a.lat, a.lng, a.alt, a.utc_offset)
             if day <= ymd(v) <= last]
    print()
    print(f"Vrat days to {last.isoformat()}")
    for v in vrats:
        print(f"  {ymd(v).isoformat()}  {v['name']}")


def main():
    a = parse_args()
    tz = dt.timezone(dt.timedelta(seconds=a.utc_offset))
    day = a.date or dt.datetime.now(tz).date()
    weekday = day.isoweekday() % 7  # 0 = Sunday
    try:
        p = _core.py_compute_panchang(day.year, day.month, day.day, a.lat, a.lng, a.alt,
                                      a.utc_offset, weekday)
    except ValueError as e:
        raise SystemExit(str(e))
    sun, off = p["sun"], a.utc_offset
    print(f"Panchang for {day.isoformat()} at lat {a.lat}, lng {a.lng} ({tz.tzname(None)})")
    print(f"  Vara       {p['vara']['name']} ({p['vara']['english']})")
    for key in LIMBS:
        limb = p[key]
        span = f"{local_time(limb['start_jd'], off)} -> {local_time(limb['end_jd'], off)}"
        print(f"  {key.capitalize():10s} {limb['name']:20s} {span}{limb_detail(key, limb)}")
    print(f"  Sunrise    {local_time(sun['sunrise_jd'], off)}")
    print(f"  Sunset     {local_time(sun['sunset_jd'], off)}")
    print(f"  Day length {sun['day_duration_hours']:.4f} h")
    try:
        print_festivals(day.year, a)
        print_next_ekadashi(day, a)
        print_coming_vrats(day, a)
    except ValueError as e:
        raise SystemExit(str(e))


if __name__ == "__main__":
    main()
