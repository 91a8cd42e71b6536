#!/usr/bin/env bash
# Builds tithiloom if needed and prints today's almanac (arguments are passed on).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
py=$(scripts/venv.sh python3)
exec "$py" -m tithiloom "$@"
