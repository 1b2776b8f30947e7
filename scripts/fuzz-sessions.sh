#!/usr/bin/env bash
# Builds the session-file fuzz target with clang's libFuzzer (every library instrumented, sessions
# read in blocks of 16 KiB) and runs it for a bounded time (seconds, default 30). Seeds are the
# bundled sample session, a short cut of it, and the choices of two varied sessions (inputs that
# do not begin as a session): a cut back across the start of the last read block, a clock set
# back after a sparse block. Every input also loads a varied session drawn from its hash, so that
# the sample alone leads to cuts and clocks set back at the read blocks' edges. Inputs of up to
# 64 KiB (four read blocks) keep the runs at more than a hundred a second.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
out=build/fuzz-sessions
bash scripts/fuzz-build.sh session_fuzzer
mkdir -p "$out/corpus"
if [ -z "$(ls -A "$out/corpus")" ]; then
  cp resources/samples/sample.zlg "$out/corpus/sample.zlg"
  head -c 4096 resources/samples/sample.zlg > "$out/corpus/head.zlg"
  printf '\x40\x30\xa2\x00\x00\x01\x00\x01\x00\x1e\x01\x2c' > "$out/corpus/varied-cut"
  printf '\x90\x00\x34\x00\x06\xfd\xdc\x00\x02\x02\x00\x01\x00\x13\x00\x01' > "$out/corpus/varied-set-back"
fi
"$out/tests/session_fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$out/corpus"
