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


def test_prints_the_years_festivals_from_the_shipped_rules():
    out = run("--date", "2026-04-14").stdout
    festivals = out[out.index("Festivals of 2026"):out.index("Next Ekadashi")].splitlines()[1:]
    names = [line.split("  ", 2)[2] for line in festivals if line.startswith("  2026-")]
    assert len(names) == 12 and "Vaisakhi" in names and "Diwali (Lakshmi Puja)" in names
    assert "  2026-04-14  Vaisakhi" in out
    assert "Sun enters Mesha (sidereal 0.0\u00b0) on 2026-04-14 at " in out


def test_polar_night_is_a_clean_error():
    done = run("--date", "2026-12-21", "--lat", "80", "--utc-offset", "0")
    assert done.returncode == 1 and "polar day/night" in done.stderr and "Traceback" not in done.stderr


def test_prints_the_next_ekadashi_and_the_coming_vrats():
    out = run("--date", "2026-11-15").stdout
    assert "Next Ekadashi: Prabodhini (Shukla, Kartik)" in out
    assert "  Smartha    2026-11-20\n  Vaishnava  2026-11-21\n" in out
    vrats = out[out.index("Vrat days to 2026-12-15"):].splitlines()[1:]
    assert vrats and all("2026-11-15" <= line.split()[0] <= "2026-12-15" for line in vrats)
