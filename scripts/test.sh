#!/usr/bin/env bash
# Builds tithiloom and runs every test: pytest under the default python3 and
# under Python 3.13 where one exists, mypy --strict on the package, the
# repaired wheel in a fresh virtual environment, the C++ unit tests, and both
# suites again against an AddressSanitizer + UndefinedBehaviorSanitizer build.
# Installs whatever is missing first; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh

# The printable month page is checked in a real browser; without one that test
# is skipped (with its reason in the pytest summary).
if ! command -v chromium >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  { $sudo apt-get update -q && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q chromium; } \
    >/dev/null 2>&1 || echo "== chromium could not be installed: the browser test will skip"
fi

# The default interpreter, plus a 3.13 if the default is not one already.
pythons=(python3)
if ! python3 -c 'import sys; sys.exit(sys.version_info[:2] != (3, 13))'; then
  for candidate in python3.13 /root/.pyenv/versions/3.13*/bin/python3.13 /usr/bin/python3.13; do
    if "$candidate" -c 'pass' 2>/dev/null; then
      pythons+=("$candidate")
      break
    fi
  done
fi

run_pytest() {  # PYTHON [extra environment...]
  local py=$1
  shift
  (cd tests && env "$@" "$py" -m pytest -q -p no:cacheprovider .)
}

for py in "${pythons[@]}"; do
  venv_py=$(scripts/venv.sh "$py")
  echo "== pytest under $("$venv_py" --version)"
  run_pytest "$venv_py"
done

venv_py=$(scripts/venv.sh python3)
tools=$(dirname "$venv_py")

echo "== mypy --strict"
"$venv_py" -m mypy --strict src/tithiloom

echo "== the repaired wheel in a fresh virtual environment"
wheel=$(scripts/wheel.sh python3)
echo "$(basename "$wheel") $(du -k "$wheel" | cut -f1) KiB"
(cd tests && TITHILOOM_WHEEL="$wheel" "$venv_py" -m pytest -q -p no:cacheprovider test_wheel.py)
configure() {  # BUILD_DIR [cmake options...]
  local dir=$1
  shift
  "$tools/cmake" -S . -B "$dir" -G Ninja -DCMAKE_MAKE_PROGRAM="$tools/ninja" \
    -DPython_EXECUTABLE="$venv_py" -DTITHILOOM_TESTS=ON "$@" >/dev/null
  "$tools/cmake" --build "$dir"
}

echo "== C++ unit tests"
configure build/check -DCMAKE_BUILD_TYPE=Release
build/check/core_tests --gtest_brief=1

echo "== C++ unit tests and pytest under AddressSanitizer + UndefinedBehaviorSanitizer"
configure build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTITHILOOM_SANITIZE=ON
# Any report aborts the process, which fails the run; the interpreter's own
# allocations are not leak-checked.
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
build/asan/core_tests --gtest_brief=1
run_pytest "$venv_py" LD_PRELOAD="$(gcc -print-file-name=libasan.so)" PYTHONMALLOC=malloc \
  PYTHONPATH="$root/build/asan/python"

echo "== all tests passed"
