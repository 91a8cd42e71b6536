#!/usr/bin/env bash
# Builds tithiloom and runs every test: pytest under each available Python
# (the default python3 and 3.13), the C++ unit tests, and the whole pytest
# suite once more against an AddressSanitizer + UBSan build.
# Installs whatever is missing first; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh

pythons=("$(command -v python3)")
for candidate in python3.13 /root/.pyenv/versions/3.13*/bin/python3.13 /usr/bin/python3.13; do
  if "$candidate" -c 'import sys; assert sys.version_info[:2] == (3, 13)' 2>/dev/null; then
    [ "$("$candidate" -c 'import sys; print(sys.executable)')" != "$(python3 -c 'import sys; print(sys.executable)')" ] &&
      pythons+=("$candidate")
    break
  fi
done

# One virtual environment per interpreter, with the package installed from this tree.
for py in "${pythons[@]}"; do
  ver=$("$py" -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')
  venv=.venv/py$ver
  [ -x "$venv/bin/python" ] || "$py" -m venv "$venv"
  "$venv/bin/python" -m pip install -q --disable-pip-version-check \
    scikit-build-core ninja cmake pytest hypothesis
  "$venv/bin/python" -m pip install -q --disable-pip-version-check --no-build-isolation \
    -Cbuild-dir="build/wheel-$ver" .
  echo "== pytest, Python $ver"
  (cd tests && "$root/$venv/bin/python" -m pytest -q -p no:cacheprovider .)
done

venv_py=$root/.venv/py$(python3 -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')/bin/python
cmake_bin=$(dirname "$venv_py")/cmake

echo "== C++ unit tests"
"$cmake_bin" -S . -B build/check -G Ninja -DCMAKE_BUILD_TYPE=Release -DTITHILOOM_TESTS=ON \
  -DPython_EXECUTABLE="$venv_py" -DCMAKE_MAKE_PROGRAM="$(dirname "$venv_py")/ninja" >/dev/null
"$cmake_bin" --build build/check
build/check/core_tests --gtest_brief=1

echo "== pytest and C++ tests under AddressSanitizer + UndefinedBehaviorSanitizer"
"$cmake_bin" -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTITHILOOM_SANITIZE=ON \
  -DTITHILOOM_TESTS=ON -DPython_EXECUTABLE="$venv_py" \
  -DCMAKE_MAKE_PROGRAM="$(dirname "$venv_py")/ninja" >/dev/null
"$cmake_bin" --build build/asan
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
build/asan/core_tests --gtest_brief=1
(cd tests && LD_PRELOAD="$(gcc -print-file-name=libasan.so)" PYTHONMALLOC=malloc \
  PYTHONPATH="$root/build/asan/python" "$venv_py" -m pytest -q -p no:cacheprovider .)

echo "== all tests passed"
