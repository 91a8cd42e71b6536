"""The repaired wheel is self-contained: the Swiss Ephemeris is compiled into the
extension, which, installed into a fresh virtual environment, needs no library
beyond the C and C++ runtimes and computes.  scripts/test.sh builds the wheel
and names it in TITHILOOM_WHEEL; without it the test is skipped."""

import os
import pathlib
import subprocess
import sys

import pytest

WHEEL = os.environ.get("TITHILOOM_WHEEL")


@pytest.mark.skipif(not WHEEL, reason="TITHILOOM_WHEEL is not set (scripts/test.sh sets it)")
def test_the_repaired_wheel_is_self_contained(tmp_path):
    venv = tmp_path / "venv"
    # Without a pip of its own (seeding one takes longer than the rest of the
    # test): this interpreter's pip installs into it.
    subprocess.run([sys.executable, "-m", "venv", "--without-pip", str(venv)], check=True)
    py = venv / "bin" / "python"
    subprocess.run([sys.executable, "-m", "pip", "--python", py, "install", "-q",
                    "--disable-pip-version-check", WHEEL], check=True)
    site = subprocess.run([py, "-c", "import sysconfig; print(sysconfig.get_paths()['platlib'])"],
                          capture_output=True, text=True, check=True).stdout.strip()
    core = next(pathlib.Path(site, "tithiloom").glob("_core*.so"))
    ldd = subprocess.run(["ldd", str(core)], capture_output=True, text=True, check=True).stdout
    assert "libswe" not in ldd and "not found" not in ldd, ldd
    check = ("import datetime as dt, tithiloom; "
             "d = tithiloom.day(dt.date(2026, 4, 14), tithiloom.Place.named('Ujjain')); "
             "print(d.tithi.name, d.sunrise.isoformat())")
    done = subprocess.run([py, "-c", check], capture_output=True, text=True, cwd=tmp_path)
    assert done.returncode == 0, done.stderr
    assert "2026-04-14T06:" in done.stdout
    cli = subprocess.run([venv / "bin" / "tithiloom", "month", "2026-04", "--place", "Ujjain"],
                         capture_output=True, text=True, cwd=tmp_path)
    assert cli.returncode == 0 and "April 2026 — Ujjain" in cli.stdout
