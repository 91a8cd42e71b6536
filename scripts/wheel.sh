#!/usr/bin/env bash
# Usage: scripts/wheel.sh [--no-repair] [PYTHON [CMAKE_OPTION...]]
# Builds the wheel for that interpreter once (in build/wheel-X.Y, with any
# extra -DNAME=VALUE options), installs that same wheel into its .venv, and
# repairs it with auditwheel (the Swiss Ephemeris is compiled into the
# extension, so this only sets its manylinux tag); prints the repaired wheel's
# path (with --no-repair, the wheel as built).
set -euo pipefail
cd "$(dirname "$0")/.."
repair=true
[ "${1:-}" = --no-repair ] && { repair=false; shift; }
scripts/install-deps.sh
py=$(scripts/venv.sh --tools-only "${1:-python3}")
[ $# -gt 0 ] && shift
ver=$("$py" -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')
defines=()
for option in "$@"; do defines+=("-Ccmake.define.${option#-D}"); done
raw=build/wheel-raw-$ver
rm -rf "$raw" && mkdir -p "$raw"
"$py" -m pip wheel -q --disable-pip-version-check --no-deps --no-build-isolation \
  -Cbuild-dir="build/wheel-$ver" ${defines[@]+"${defines[@]}"} -w "$raw" . >&2
built=$(realpath "$raw"/tithiloom-*.whl)
"$py" -m pip install -q --disable-pip-version-check --force-reinstall --no-deps "$built" >&2
if ! $repair; then
  echo "$built"
  exit 0
fi
mkdir -p dist
log=build/auditwheel-$ver.log
PATH="$(dirname "$py"):$PATH" "$py" -m auditwheel repair -w dist "$built" \
  >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
ls -t dist/tithiloom-*cp${ver/./}*.whl | head -1 | xargs realpath
