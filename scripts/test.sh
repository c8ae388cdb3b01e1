#!/usr/bin/env bash
# Installs what is missing, builds, then runs every test. Database tests run on SQLite and on a
# throwaway PostgreSQL 15 cluster that this script starts on a free localhost port and removes on
# exit. Extra arguments go to ctest, e.g. scripts/test.sh -R booking; without them the Debian package
# is built and checked afterwards too (scripts/package.sh). QUORVEL_SANITIZE=ON builds into
# build-sanitize/ with AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests there.
set -euo pipefail

PG_BIN=/usr/lib/postgresql/15/bin
PG_DIR=""
PG_PORT=""

# Runs a command as the cluster's owner: the postgres system user when we are root (initdb refuses
# root), otherwise the current user.
as_pg() {
  if ((EUID == 0)); then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

# True when some TCP socket (IPv4 or IPv6) is bound to the given local port.
port_in_use() {
  local hex
  hex=$(printf ':%04X ' "$1")
  grep -qs -- "$hex" /proc/net/tcp /proc/net/tcp6
}

free_port() {
  local port
  for _ in $(seq 200); do
    port=$((20000 + RANDOM % 40000))
    if ! port_in_use "$port"; then
      echo "$port"
      return 0
    fi
  done
  echo "error: no free TCP port found" >&2
  return 1
}

pg_stop() {
  if [[ -z "$PG_DIR" ]]; then
    return 0
  fi
  if [[ -f "$PG_DIR/data/postmaster.pid" ]]; then
    if ! as_pg "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m immediate -w -t 30 stop >/dev/null 2>&1; then
      local pid
      pid=$(head -n 1 "$PG_DIR/data/postmaster.pid" 2>/dev/null || true)
      if [[ "$pid" =~ ^[0-9]+$ ]]; then
        kill -9 "$pid" 2>/dev/null || true
      fi
    fi
  fi
  rm -rf -- "$PG_DIR"
  PG_DIR=""
}

pg_start() {
  if [[ ! -x "$PG_BIN/initdb" ]]; then
    echo "error: $PG_BIN/initdb not found (is the postgresql package installed?)" >&2
    return 1
  fi
  if ((EUID == 0)); then
    # Under /tmp rather than $TMPDIR: the postgres user must be able to reach it.
    PG_DIR=$(mktemp -d /tmp/quorvel-pg.XXXXXX)
    chown postgres: "$PG_DIR"
  else
    PG_DIR=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-pg.XXXXXX")
  fi
  chmod 700 "$PG_DIR"

  # Run from inside the cluster directory: the postgres user may not be allowed into the caller's.
  (cd "$PG_DIR" && as_pg "$PG_BIN/initdb" -D "$PG_DIR/data" --auth=trust -U postgres \
      --no-locale -E UTF8 >"$PG_DIR/initdb.log" 2>&1) || {
    cat "$PG_DIR/initdb.log" >&2
    return 1
  }

  as_pg tee -a "$PG_DIR/data/postgresql.conf" >/dev/null <<CONF

# throwaway test cluster
listen_addresses = '127.0.0.1'
unix_socket_directories = '$PG_DIR'
fsync = off
synchronous_commit = off
full_page_writes = off
CONF

  local attempt
  for attempt in 1 2 3 4 5; do
    PG_PORT=$(free_port)
    if (cd "$PG_DIR" && as_pg "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" \
          -o "-p $PG_PORT" -w -t 60 start >/dev/null); then
      break
    fi
    echo "PostgreSQL did not start on port $PG_PORT (attempt $attempt):" >&2
    tail -n 20 "$PG_DIR/server.log" >&2 || true
    if ((attempt == 5)); then
      return 1
    fi
  done

  local tries=0
  until "$PG_BIN/pg_isready" -q -h 127.0.0.1 -p "$PG_PORT" -U postgres; do
    tries=$((tries + 1))
    if ((tries > 300)); then
      echo "error: PostgreSQL on port $PG_PORT does not accept connections" >&2
      tail -n 20 "$PG_DIR/server.log" >&2 || true
      return 1
    fi
    sleep 0.1
  done

  export QUORVEL_TEST_PG_URL="postgresql://postgres@127.0.0.1:$PG_PORT/postgres"
}

main() {
  cd "$(dirname "${BASH_SOURCE[0]}")/.."
  bash scripts/build.sh

  trap pg_stop EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  pg_start
  echo "PostgreSQL test server: $QUORVEL_TEST_PG_URL"

  local build_dir=build
  if [[ "${QUORVEL_SANITIZE:-}" == "ON" ]]; then
    build_dir=build-sanitize
    # What the leak check leaves out, and why, is in .ci/lsan.supp. Qt's libraries have no frame
    # pointers, so only the slow unwinder sees far enough up a leak's stack to match them.
    export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp:print_suppressions=0:fast_unwind_on_malloc=0"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  fi

  local rc=0
  ctest --test-dir "$build_dir" --output-on-failure -j2 "$@" || rc=$?
  if ((rc == 0 && $# == 0)) && [[ "$build_dir" == build ]]; then
    bash scripts/package.sh || rc=$?
  fi
  exit "$rc"
}

# Sourcing this file only defines the functions above.
if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  main "$@"
fi
