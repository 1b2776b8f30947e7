#!/usr/bin/env bash
# Builds the libFuzzer targets named on the command line with clang, every library instrumented,
# in build/fuzz-sessions (one instrumented build serves every fuzz script).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/fuzz-sessions
CC=clang CXX=clang++ cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORN_FUZZ=ON -DORN_BENCHMARKS=OFF \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$out" -j "${JOBS:-$(nproc)}" --target "$@"
