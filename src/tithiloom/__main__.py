"""Print today's sunrise, sunset and day length: python -m tithiloom [--help]."""

import argparse
import datetime as dt

from tithiloom import _core

NEW_DELHI = (28.6139, 77.2090, 216.0)
IST_SECONDS = 19800


def local_time(jd, offset_seconds):
    y, mo, d, h, mi, s, _ = _core.py_jd_to_datetime(jd + offset_seconds / 86400.0)
    return f"{y:04d}-{mo:02d}-{d:02d} {h:02d}:{mi:02d}:{s:02d}"


def parse_args():
    p = argparse.ArgumentParser(prog="python -m tithiloom", description=__doc__)
    p.add_argument("--date", type=dt.date.fromisoformat, help="YYYY-MM-DD (default: today)")
    p.add_argument("--lat", type=float, default=NEW_DELHI[0])
    p.add_argument("--lng", type=float, default=NEW_DELHI[1])
    p.add_argument("--alt", type=float, default=NEW_DELHI[2])
    p.add_argument("--utc-offset", type=int, default=IST_SECONDS, help="seconds east of UTC")
    return p.parse_args()


def main():
    a = parse_args()
    tz = dt.timezone(dt.timedelta(seconds=a.utc_offset))
    day = a.date or dt.datetime.now(tz).date()
    sun = _core.py_compute_sun_data(day.year, day.month, day.day, a.lat, a.lng, a.alt, a.utc_offset)
    print(f"Almanac for {day.isoformat()} at lat {a.lat}, lng {a.lng} (UTC{tz.tzname(None)[3:]})")
    print(f"  Sunrise       {local_time(sun['sunrise_jd'], a.utc_offset)}")
    print(f"  Sunset        {local_time(sun['sunset_jd'], a.utc_offset)}")
    print(f"  Day length    {sun['day_duration_hours']:.4f} h")


if __name__ == "__main__":
    main()
