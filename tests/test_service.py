"""The web service: every endpoint fuzzed from its own OpenAPI schema, bad input
refused with a JSON reason, feeds that a calendar re-reads without duplicates,
and the month page's links."""

from __future__ import annotations

import re
import subprocess
import sys
import warnings
from typing import Any

import pytest

pytest.importorskip("fastapi")
schemathesis = pytest.importorskip("schemathesis")
from hypothesis import HealthCheck, settings  # noqa: E402
from schemathesis import checks  # noqa: E402
with warnings.catch_warnings():  # starlette's notice that it would rather have httpx2
    warnings.simplefilter("ignore")
    from starlette.testclient import TestClient

from tithiloom import service  # noqa: E402

client = TestClient(service.app)
schema = schemathesis.openapi.from_asgi("/openapi.json", service.app)


@schema.parametrize()
@settings(max_examples=6, deadline=None, derandomize=True,
          suppress_health_check=list(HealthCheck))
def test_fuzzed_requests_get_no_server_error_and_keep_to_the_schema(case: Any) -> None:
    # Valid by the schema is not always computable (a place not in the
    # gazetteer): acceptance of such data is not asked for.
    case.call_and_validate(checks=[checks.not_a_server_error, checks.status_code_conformance,
                                   checks.content_type_conformance,
                                   checks.response_schema_conformance,
                                   checks.negative_data_rejection])


@pytest.mark.parametrize("url, status, named", [
    ("/api/day?place=Atlantis", 404, "Atlantis"),
    ("/api/day?date=2026-02-30", 422, "date"),
    ("/api/day?date=0001-06-01", 400, "0001-06-01"),
    ("/api/festivals?year=3001", 422, "year"),
    ("/api/day?lat=91&lng=0", 422, "lat"),
    ("/api/day?lat=10", 400, "--lng"),
    ("/api/day?place=Pune&conventoin=core", 400, "conventoin"),
    ("/api/days?start=2026-01-01&end=2027-06-01", 400, "366"),
    ("/month/pune/2026-13", 400, "01-12"),
    ("/feeds/atlantis/all.ics", 404, "atlantis"),
])
def test_bad_input_is_refused_with_its_reason(url: str, status: int, named: str) -> None:
    r = client.get(url)
    assert r.status_code == status
    assert named in r.json()["error"]


def test_a_feed_read_again_is_not_modified_and_keeps_its_uids() -> None:
    first = client.get("/feeds/Ujjain/ekadashi.ics")
    assert first.status_code == 200 and first.headers["content-type"].startswith("text/calendar")
    assert "max-age" in first.headers["cache-control"]
    etag = first.headers["etag"]
    again = client.get("/feeds/ujjain/ekadashi.ics", headers={"If-None-Match": etag})
    assert again.status_code == 304 and again.content == b""
    uids = re.findall(r"^UID:(.*)\r$", first.text, re.M)
    assert len(uids) >= 48  # two years of Ekadashis
    assert uids == re.findall(r"^UID:(.*)\r$", client.get("/feeds/ujjain/ekadashi.ics").text, re.M)
    assert client.get("/feeds/ujjain/ekadashi.ics?calendar=amant").headers["etag"] != etag


def test_each_event_of_a_feed_has_its_own_uid() -> None:
    # (Saphala of 3 Jan and of 23 Dec 2027: one lunar month twice in a year.)
    uids = re.findall(r"^UID:(.*)\r$", client.get("/feeds/ujjain/ekadashi.ics").text, re.M)
    assert len(uids) == len(set(uids))


def test_month_page_links_months_days_and_places() -> None:
    page = client.get("/month/new-delhi/2026-11").text
    assert 'href="/month/new-delhi/2026-10"' in page and 'href="/month/new-delhi/2026-12"' in page
    days = re.findall(r'href="(/day/new-delhi/2026-11-\d\d)"', page)
    assert len(days) == 30
    assert "Diwali" in client.get(days[7]).text  # 8 November
    chosen = client.get("/month?place=Ujjain&month=2027-01", follow_redirects=False)
    assert chosen.headers["location"].startswith("/month/ujjain/2027-01")


def test_importing_the_package_leaves_the_web_stack_out() -> None:
    code = "import sys, tithiloom, tithiloom.cli; sys.exit('fastapi' in sys.modules)"
    assert subprocess.run([sys.executable, "-c", code]).returncode == 0
