#!/usr/bin/env bash
# Builds the session-file fuzz target with clang's libFuzzer (every library instrumented) and
# runs it for a bounded time (seconds, default 30). Seeds are the bundled sample session and a
# short cut of it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
out=build/fuzz-sessions
bash scripts/fuzz-build.sh session_fuzzer
mkdir -p "$out/corpus"
if [ -z "$(ls -A "$out/corpus")" ]; then
  cp resources/samples/sample.zlg "$out/corpus/sample.zlg"
  head -c 4096 resources/samples/sample.zlg > "$out/corpus/head.zlg"
fi
"$out/tests/session_fuzzer" -max_total_time="$seconds" -max_len=131072 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$out/corpus"
