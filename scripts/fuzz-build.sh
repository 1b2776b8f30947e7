#!/usr/bin/env bash
# Builds the libFuzzer targets named on the command line with clang, every library instrumented,
# in build/fuzz-sessions (one instrumented build serves every fuzz script): checks and assertions
# of a debug build, optimised as libFuzzer advises (-O1), so that a run tries several times the
# inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/fuzz-sessions
CC=clang CXX=clang++ cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DORN_FUZZ=ON -DORN_BENCHMARKS=OFF \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$out" -j "${JOBS:-$(nproc)}" --target "$@"
