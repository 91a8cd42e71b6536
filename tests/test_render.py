"""The printable month page in a real browser: the grid is drawn, has one cell per
day of the month, and prints on one A4 page."""

import calendar
import os
import re
import shutil
import subprocess
import sys

import pytest

BROWSER = shutil.which("chromium") or shutil.which("chromium-browser")
pytestmark = pytest.mark.skipif(BROWSER is None, reason="no headless Chromium on this machine "
                                "(scripts/test.sh installs Debian's chromium when it can)")


def browser(*args):
    # The sanitizer run preloads its runtime for Python; the browser must not inherit it.
    env = {k: v for k, v in os.environ.items() if k not in ("LD_PRELOAD", "ASAN_OPTIONS")}
    return subprocess.run([BROWSER, "--headless", "--no-sandbox", "--disable-gpu",
                           "--no-first-run", "--disable-dev-shm-usage", *args],
                          capture_output=True, text=True, timeout=180, env=env)


@pytest.mark.parametrize("month", ["2026-08"])  # six rows of weeks: the tallest grid
def test_the_month_page_renders_its_grid(tmp_path, month):
    page = tmp_path / "month.html"
    made = subprocess.run([sys.executable, "-m", "tithiloom", "month", month, "--html",
                           str(page)], capture_output=True, text=True, timeout=300)
    assert made.returncode == 0, made.stderr
    year, mon = map(int, month.split("-"))
    dom = browser("--dump-dom", page.as_uri()).stdout
    cells = re.findall(r'<td class="day[^"]*" data-date="(\d{4}-\d\d-\d\d)"', dom)
    assert len(cells) == calendar.monthrange(year, mon)[1] and len(set(cells)) == len(cells)
    # The lunar months and samvat head the page; fasts and parana are marked and explained.
    assert "Vikram Samvat" in dom and "Sankashti Chaturthi" in dom and 'class="parana"' in dom
    shot = tmp_path / "month.png"
    browser(f"--screenshot={shot}", "--window-size=1400,1000", page.as_uri())
    assert shot.stat().st_size > 20_000  # not a blank page, which compresses to a few KB
    pdf = tmp_path / "month.pdf"
    browser(f"--print-to-pdf={pdf}", "--no-pdf-header-footer", page.as_uri())
    assert len(re.findall(rb"/Type\s*/Page\b", pdf.read_bytes())) == 1
