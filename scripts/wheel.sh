#!/usr/bin/env bash
# Usage: scripts/wheel.sh [PYTHON]
# Builds the wheel and repairs it with auditwheel (the Swiss Ephemeris is
# compiled into the extension, so this only sets its manylinux tag); prints
# the repaired wheel's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
py=$(scripts/venv.sh "${1:-python3}")
ver=$("$py" -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')
raw=build/wheel-raw-$ver
rm -rf "$raw" && mkdir -p "$raw" dist
"$py" -m pip wheel -q --disable-pip-version-check --no-deps --no-build-isolation \
  -Cbuild-dir="build/wheel-$ver" -w "$raw" . >&2
log=build/auditwheel-$ver.log
PATH="$(dirname "$py"):$PATH" "$py" -m auditwheel repair -w dist "$raw"/tithiloom-*.whl \
  >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
ls -t dist/tithiloom-*cp${ver/./}*.whl | head -1 | xargs realpath
