#!/usr/bin/env bash
# Builds tithiloom and runs every test: pytest under the default python3 and
# under Python 3.13 where one exists, mypy --strict on the package, each
# Python's repaired wheel in a fresh virtual environment, the C++ unit tests, and both
# suites again against an AddressSanitizer + UndefinedBehaviorSanitizer build.
# Installs whatever is missing first; safe to run again.
#
# Each configuration is built once: the core once in Release, with the
# default python3's wheel and the C++ unit tests, its wheel both installed
# into its venv and, repaired, tested in a fresh one; for each other Python a
# wheel on that same core, likewise; and the sanitizer build, under which the tests
# marked wide are left out. Independent stages run side by side, pytest on
# two workers, the sanitizer lane first in line for the processors; the
# tests that time Ctrl-C run last, when nothing else does.
# Each stage's output is printed whole, under its name, when it ends, and a
# table of the stages' times closes the run. Any failing stage fails the run
# (stages that need its result are left out).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
logs=build/logs
# The machine's environment may keep Python from writing bytecode, which
# makes every process of the run (pytest's workers, the command line's and
# the cluster's children) compile all it imports again: it is written under
# build/ instead.
unset PYTHONDONTWRITEBYTECODE
export PYTHONPYCACHEPREFIX=$root/build/pycache
# Up to three builds run at once: two compilers each keep the two cores busy
# without crowding the tests that run beside them.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
rm -rf "$logs"
mkdir -p "$logs"

# stage NAME TITLE COMMAND...: runs COMMAND with its output in
# build/logs/NAME.log, then prints the log as one block under TITLE (blocks of
# stages running side by side never mix); returns COMMAND's status.
stage() {
  local name=$1 title=$2
  shift 2
  local log=$logs/$name.log start=$SECONDS status=0
  # The subshell's `times` adds up the processor time of all it ran.
  ("$@"; s=$?; times >"$log.cpu"; exit "$s") >"$log" 2>&1 </dev/null || status=$?
  local took=$((SECONDS - start)) verdict=ok cpu=-
  [ "$status" -eq 0 ] || verdict="FAILED (exit $status)"
  [ -s "$log.cpu" ] && cpu=$(awk 'NR == 2 { gsub(/[ms]/, " "); print int($1 * 60 + $2 + $3 * 60 + $4) }' "$log.cpu")
  {
    flock 9
    printf '\n== %s: %s, %ss\n' "$title" "$verdict" "$took"
    cat "$log"
    printf '%-12s %5ss %6ss  %s\n' "$name" "$took" "$cpu" "$verdict" >>"$logs/times"
  } 9>>"$logs/.lock"
  return "$status"
}

# wait_all PID...: waits for every one; fails if any failed.
wait_all() {
  local status=0 pid
  for pid in "$@"; do wait "$pid" || status=1; done
  return "$status"
}

# (Functions run as stages chain their commands with && or return: a stage's
# command is tested by `||`, which turns off set -e inside it.)
system_packages() {
  scripts/install-deps.sh || return
  # The printable month page is checked in a real browser; without one that
  # test is skipped (with its reason in the pytest summary).
  if ! command -v chromium >/dev/null 2>&1; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    { $sudo apt-get update -q && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q chromium; } \
      >/dev/null 2>&1 || echo "chromium could not be installed: the browser test will skip"
  fi
}

# run_pytest PYTHON MARKS [ENVIRONMENT...]: the suite on two workers, but for
# the tests marked serial, and for those MARKS (" and not ...") leaves out.
# The tests marked serial time how fast Ctrl-C is answered: they run last,
# when no other stage loads the machine, the three runs side by side (run
# so, their children answer within 60 ms, against a bound of 500).
run_pytest() {
  local py=$1 marks=$2
  shift 2
  (cd tests && env "$@" "$py" -m pytest -q -p no:cacheprovider -n 2 --dist worksteal \
    -m "not serial$marks" .)
}

run_serial() {  # (they are all in test_interrupt.py: nothing else is collected)
  local py=$1
  shift
  (cd tests && env "$@" "$py" -m pytest -q -p no:cacheprovider -m serial test_interrupt.py)
}

wheel_test() {  # PYTHON WHEEL
  echo "$(basename "$2") $(du -k "$2" | cut -f1) KiB"
  (cd tests && TITHILOOM_WHEEL="$2" "$1" -m pytest -q -p no:cacheprovider test_wheel.py)
}

cmake_build() {  # PYTHON BUILD_DIR [cmake options...]
  local py=$1 dir=$2 tools
  tools=$(dirname "$py")
  shift 2
  "$tools/cmake" -S . -B "$dir" -G Ninja -DCMAKE_MAKE_PROGRAM="$tools/ninja" \
    -DPython_EXECUTABLE="$py" -DTITHILOOM_TESTS=ON "$@" >/dev/null \
    && "$tools/cmake" --build "$dir"
}

# Under the sanitizers any report aborts the process, which fails the run;
# the interpreter's own allocations are not leak-checked.
sanitizer_env=(ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:abort_on_error=1
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1)

venv_python() {  # PYTHON: its venv's python
  echo "$root/.venv/py$("$1" -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')/bin/python"
}

# The Release lanes: the default python3's wheel with the C++ unit tests;
# then, side by side, its pytest, the C++ unit tests, the repaired wheel in
# a fresh venv, and each other Python's lane.
release_lanes() {
  local venv_py ver wheel pids=() other
  venv_py=$(venv_python python3)
  ver=$("$venv_py" -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')
  stage "build-$ver" "build: the wheel for Python $ver (Release, with the C++ unit tests)" \
    scripts/wheel.sh python3 -DTITHILOOM_TESTS=ON || return 1
  wheel=$(tail -n 1 "$logs/build-$ver.log")
  stage cpp "C++ unit tests" "build/wheel-$ver/core_tests" --gtest_brief=1 & pids+=($!)
  stage wheel "the repaired wheel in a fresh virtual environment" \
    wheel_test "$venv_py" "$wheel" & pids+=($!)
  stage "pytest-$ver" "pytest under $("$venv_py" --version)" run_pytest "$venv_py" "" & pids+=($!)
  for other in "${pythons[@]:1}"; do
    other_lane "$other" "$root/build/wheel-$ver" & pids+=($!)
  done
  wait_all "${pids[@]}"
}

# Another Python's repaired wheel, linking the core (which does not depend on
# the interpreter) from the first lane's build; then, side by side, that wheel
# in a fresh virtual environment and its pytest.
other_lane() {  # PYTHON CORE_BUILD_DIR
  local venv_py ver wheel pids=()
  venv_py=$(venv_python "$1")
  ver=$("$venv_py" -c 'import sys; print(f"{sys.version_info[0]}.{sys.version_info[1]}")')
  stage "build-$ver" "build: the wheel for Python $ver (Release, on the same core)" \
    scripts/wheel.sh "$1" "-DTITHILOOM_CORE_FROM=$2" || return 1
  wheel=$(tail -n 1 "$logs/build-$ver.log")
  stage "wheel-$ver" "the repaired wheel for Python $ver in a fresh virtual environment" \
    wheel_test "$venv_py" "$wheel" & pids+=($!)
  stage "pytest-$ver" "pytest under $("$venv_py" --version)" run_pytest "$venv_py" "" & pids+=($!)
  wait_all "${pids[@]}"
}

# The sanitizer lane: its build, then the C++ unit tests and pytest.
sanitizer_lane() {
  local venv_py pids=()
  venv_py=$(venv_python python3)
  # Unoptimised, with line tables: the tests' time goes to the library (built
  # at its own level) and to the interpreter, so -O1 would make them no faster
  # and take the compiler 60 % longer.
  stage build-asan "build: AddressSanitizer + UndefinedBehaviorSanitizer (-O0)" \
    cmake_build "$venv_py" build/asan -DCMAKE_BUILD_TYPE=None "-DCMAKE_C_FLAGS=-O0 -g1" \
    "-DCMAKE_CXX_FLAGS=-O0 -g1" -DTITHILOOM_SANITIZE=ON || return 1
  stage cpp-asan "C++ unit tests under AddressSanitizer + UndefinedBehaviorSanitizer" \
    env "${sanitizer_env[@]}" build/asan/core_tests --gtest_brief=1 & pids+=($!)
  # The tests marked wide (results over years of many kinds, the command
  # line, the web service, the tables) run in the release lanes only.
  stage pytest-asan "pytest under AddressSanitizer + UndefinedBehaviorSanitizer" \
    run_pytest "$venv_py" " and not wide" "${sanitizer_env[@]}" LD_PRELOAD="$(gcc -print-file-name=libasan.so)" \
    PYTHONMALLOC=malloc PYTHONPATH="$root/build/asan/python" & pids+=($!)
  wait_all "${pids[@]}"
}

status=0
stage system "system packages" system_packages || status=1

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

if [ "$status" -eq 0 ]; then
  pids=()
  for i in "${!pythons[@]}"; do
    stage "venv-$i" "build and test tools in the venv of ${pythons[$i]}" \
      scripts/venv.sh --tools-only "${pythons[$i]}" & pids+=($!)
  done
  wait_all "${pids[@]}" || status=1
fi

if [ "$status" -eq 0 ]; then
  pids=()
  # The sanitizer lane goes first: its build is the longest, and its tests
  # then run beside the Release lanes' (given the processors first, the
  # Release lanes leave the sanitizer lane to run alone at the end).
  sanitizer_lane & pids+=($!)
  (renice -n 5 -p "$BASHPID" >/dev/null; release_lanes) & pids+=($!)
  stage mypy "mypy --strict" "$(venv_python python3)" -m mypy --strict src/tithiloom & pids+=($!)
  wait_all "${pids[@]}" || status=1
fi

if [ "$status" -eq 0 ]; then
  pids=()
  for i in "${!pythons[@]}"; do
    venv_py=$(venv_python "${pythons[$i]}")
    stage "serial-$i" "Ctrl-C timing under $("$venv_py" --version)" run_serial "$venv_py" &
    pids+=($!)
  done
  stage serial-asan "Ctrl-C timing under the sanitizers" \
    run_serial "$(venv_python python3)" "${sanitizer_env[@]}" \
    LD_PRELOAD="$(gcc -print-file-name=libasan.so)" PYTHONMALLOC=malloc \
    PYTHONPATH="$root/build/asan/python" & pids+=($!)
  wait_all "${pids[@]}" || status=1
fi

echo
echo "== stage times (wall clock, processor)"
cat "$logs/times"
if [ "$status" -ne 0 ]; then
  echo "== FAILED: $(grep -c FAILED "$logs/times" || true) stage(s) failed (their output is above, and in $logs)"
  exit 1
fi
echo "== all tests passed"
