#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it on the bundled sample session.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)" --target ampelon
# Without arguments the program opens the sample project, made from the bundled sample session
# on the first start and reused afterwards; a ".zlg" given here still asks where its project goes.
[ $# -gt 0 ] || set -- --sample
exec build/release/src/app/ampelon "$@"
