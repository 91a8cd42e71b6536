"""The command-line almanac."""

import subprocess
import sys


def run(*args):
    return subprocess.run([sys.executable, "-m", "tithiloom", *args], capture_output=True, text=True)


def test_prints_the_five_limbs_and_the_sun_in_local_time():
    out = run("--date", "2026-04-14").stdout
    assert "Panchang for 2026-04-14" in out and "Mangalavara (Tuesday)" in out
    for label in ("Tithi", "Nakshatra", "Yoga", "Karana", "Sunrise", "Sunset", "Day length"):
        assert f"  {label}" in out
    assert "Sunrise    2026-04-14 0" in out  # about 06:00 IST


def test_polar_night_is_a_clean_error():
    done = run("--date", "2026-12-21", "--lat", "80", "--utc-offset", "0")
    assert done.returncode == 1 and "polar day/night" in done.stderr and "Traceback" not in done.stderr
