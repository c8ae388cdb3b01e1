#!/usr/bin/env bash
# The long form of the many-workstations stress test: builds, then runs it on SQLite and on a
# throwaway PostgreSQL cluster with more workstations and more attempts each than the test command
# does, and prints each run's figures. QUORVEL_STRESS_PROCESSES and QUORVEL_STRESS_ATTEMPTS
# override the defaults below.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/test.sh

bash scripts/build.sh
trap pg_stop EXIT
pg_start

export QT_QPA_PLATFORM=offscreen
export QUORVEL_STRESS_PROCESSES="${QUORVEL_STRESS_PROCESSES:-8}"
export QUORVEL_STRESS_ATTEMPTS="${QUORVEL_STRESS_ATTEMPTS:-500}"
for engine in sqlite postgresql; do
  echo "== $engine"
  QUORVEL_TEST_ENGINE=$engine build/tests/stress/tst_stress workstationsBookingAtOnceLoseAndDoubleBookNothing
done
