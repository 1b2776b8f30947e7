#!/usr/bin/env bash
# Builds the compound-file fuzz target with clang's libFuzzer and runs it for a bounded time
# (seconds, default 60). Seeds are small files written by libgsf's gsf tool.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz-storage
mkdir -p "$out/corpus" "$out/seedfiles"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Isrc \
  tests/fuzz/CompoundFileFuzzer.cpp src/platform/storage/*.cpp src/platform/framework/CString.cpp \
  -lglog -o "$out/compound_file_fuzzer"
if [ -z "$(ls -A "$out/corpus")" ]; then
  printf 'hello' > "$out/seedfiles/a.txt"
  head -c 5000 /dev/zero | tr '\0' 'x' > "$out/seedfiles/b.bin"
  mkdir -p "$out/seedfiles/dir" && printf 'inner' > "$out/seedfiles/dir/c.txt"
  (cd "$out/seedfiles" && gsf createole ../corpus/seed1.ole a.txt && gsf createole ../corpus/seed2.ole a.txt b.bin dir) 2>/dev/null
fi
"$out/compound_file_fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$out/corpus"
