#!/usr/bin/env bash
# Builds, makes a large site on SQLite and on a throwaway PostgreSQL cluster, and runs every
# benchmark on both, printing the measured times and ratios.
# Usage: scripts/bench.sh [--scale N] [B1 ... B6]   (default scale 1: 2,000 resources, 1,000,000 bookings)
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/test.sh

scale=1
if [[ "${1:-}" == "--scale" ]]; then
  scale=$2
  shift 2
fi

# The test command has configured build/ (with the settings CI chose); it is configured here only
# when it has not, so that running the benchmarks does not rebuild everything with other settings.
[[ -f build/CMakeCache.txt ]] || bash scripts/build.sh >/dev/null
cmake --build build -j"$(nproc)" --target quorvel-bench quorvel-db >/dev/null

site=$(mktemp -d)
trap 'pg_stop; rm -rf -- "$site"' EXIT
pg_start
pg_site="${QUORVEL_TEST_PG_URL%/postgres}/quorvel_bench"

export QT_QPA_PLATFORM=offscreen
echo "Making the large sites (scale $scale) ..."
build/tools/quorvel-db demo "$site" --scale "$scale" >/dev/null
build/tools/quorvel-db demo "$pg_site" --scale "$scale" >/dev/null

echo "== SQLite"
build/bench/quorvel-bench "$site" "$@" 2> >(grep -v -e propagateSizeHints -e XDG_RUNTIME_DIR >&2)
echo "== PostgreSQL"
build/bench/quorvel-bench "$pg_site" "$@" 2> >(grep -v -e propagateSizeHints -e XDG_RUNTIME_DIR >&2)
