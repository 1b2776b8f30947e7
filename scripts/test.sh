#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once plainly, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  # A clean build prints no warning; one that does fails here.
  cmake --build "$dir" -j "$jobs" 2>&1 | tee "$dir/build.log"
  if grep -q 'warning:' "$dir/build.log"; then
    echo "The build of $dir printed warnings" >&2
    exit 1
  fi
  # Configuring again with nothing changed leaves the build as it is: a start of run.sh builds nothing.
  cmake -S . -B "$dir" "$@" >/dev/null
  if ! cmake --build "$dir" 2>&1 | grep -q 'no work to do'; then
    echo "A second configuration of $dir with nothing changed rebuilt something" >&2
    exit 1
  fi
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure
}

# The compound-file reader, the session reader, "project.xml" and the report templates are
# fuzzed for a bounded time first (clang, libFuzzer), so that the test runners' summaries close
# the output. A finding of one target hides neither the other targets nor the suites: it fails
# the run at the end.
fuzz_failed=()
bash scripts/fuzz-storage.sh 60 || fuzz_failed+=(storage)
bash scripts/fuzz-sessions.sh 30 || fuzz_failed+=(sessions)
bash scripts/fuzz-documents.sh 30 || fuzz_failed+=(documents)

run_suite build/release -DCMAKE_BUILD_TYPE=Release
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DORN_SANITIZE=ON -DORN_BENCHMARKS=OFF

# The real program of the sanitizer build on a real X desktop (Xvfb with openbox, input through
# xdotool): a short check of its keys, its dialogs and the wheel on the sample, then three minutes
# of random input on a project of three sessions: the findings kept in
# scripts/random-input-replays/ replayed, then seeded input (two seeds, at device pixel ratios 1
# and 2) for the rest of the time. A finding prints its seed and the shortest replay found.
desktop_failed=()
python3 scripts/desktop-check.py build/sanitize/src/app/ampelon || desktop_failed+=("desktop check")
build/sanitize/tests/make_desktop_project build/sanitize/desktop-project.zca >/dev/null 2>&1
replays=()
for replay in scripts/random-input-replays/*.json; do replays+=(--replay "$replay"); done
python3 scripts/random-input.py build/sanitize/src/app/ampelon build/sanitize/desktop-project.zca \
  --seconds 180 --seed 1 --seed 2 --ratio 1 --ratio 2 "${replays[@]}" --log build/sanitize/random-input.log ||
  desktop_failed+=("random input")

if [ ${#fuzz_failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults: ${fuzz_failed[*]}" >&2
fi
if [ ${#desktop_failed[@]} -gt 0 ]; then
  echo "The program on a desktop failed: ${desktop_failed[*]}" >&2
fi
if [ ${#fuzz_failed[@]} -gt 0 ] || [ ${#desktop_failed[@]} -gt 0 ]; then
  exit 1
fi
