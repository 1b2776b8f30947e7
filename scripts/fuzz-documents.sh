#!/usr/bin/env bash
# Builds the fuzz targets of the documents the program reads besides sessions with clang's
# libFuzzer (every library instrumented, in the build the session fuzzer uses) and runs each for
# a bounded time (seconds, default 30): "project.xml", then report templates. Seeds are a project
# the program wrote and the bundled report templates.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
out=build/fuzz-sessions
bash scripts/fuzz-build.sh project_xml_fuzzer report_template_fuzzer
mkdir -p "$out/project-corpus" "$out/template-corpus"
if [ -z "$(ls -A "$out/project-corpus")" ]; then
  cp tests/fuzz/seeds/project.xml "$out/project-corpus/"
fi
if [ -z "$(ls -A "$out/template-corpus")" ]; then
  cp resources/reports/*.fr3 "$out/template-corpus/"
  cp tests/fuzz/seeds/literal.fr3 "$out/template-corpus/"
fi
# A finding in one target does not keep the other from running; either fails the script.
status=0
"$out/tests/project_xml_fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$out/project-corpus" || status=1
QT_QPA_PLATFORM=offscreen "$out/tests/report_template_fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 "$out/template-corpus" || status=1
exit "$status"
