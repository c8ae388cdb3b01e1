#!/usr/bin/env bash
# Installs what is missing, builds, creates a demo database if there is none, and starts Quorvel.
# The database is $QUORVEL_DATABASE (a directory or a postgresql:// URL), by default demo-site/ at
# the top of the repository. Extra arguments go to the program.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

location=${QUORVEL_DATABASE:-$root/demo-site}
is_dir=false
if [[ "$location" != postgresql://* && "$location" != postgres://* ]]; then
  is_dir=true
  mkdir -p -- "$location"
  location=$(cd -- "$location" && pwd)
fi

bash "$root/scripts/build.sh"

db_tool=$root/build/tools/quorvel-db
if ! "$db_tool" exists "$location" >/dev/null 2>&1; then
  echo "Creating a demo database in $location"
  "$db_tool" demo "$location"
fi

program=$root/build/src/quorvel
if [[ ! -x "$program" ]]; then
  echo "Quorvel is not built yet ($program is missing); the database is ready in $location."
  exit 0
fi

export QUORVEL_DATABASE=$location
if [[ "$is_dir" == true ]]; then
  cd -- "$location"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  exec xvfb-run -a "$program" "$@"
fi
exec "$program" "$@"
