#!/usr/bin/env bash
# Draws every screenshot in docs/ again, headless, from a fresh demo database.
# Usage: scripts/screenshots.sh [DIRECTORY]   (default: docs)
# QUORVEL_BUILD_DIR names another build directory than build/.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=$(realpath -m "${1:-docs}")
build=${QUORVEL_BUILD_DIR:-build}
mkdir -p "$out"

cmake --build "$build" --target quorvel-db quorvel-screenshots quorvel-view-screenshots \
  quorvel-settings-screenshots quorvel-admin-screenshots quorvel-report-screenshots >/dev/null

site=$(mktemp -d)
trap 'rm -rf -- "$site"' EXIT
"$build"/tools/quorvel-db demo "$site" >/dev/null

export QT_QPA_PLATFORM=offscreen
"$build"/tools/screenshots/quorvel-screenshots "$out"
"$build"/tools/screenshots/quorvel-view-screenshots "$site" "$out"
"$build"/tools/screenshots/quorvel-settings-screenshots "$site" "$out"
"$build"/tools/screenshots/quorvel-admin-screenshots "$site" "$out"
"$build"/tools/report-screenshots/quorvel-report-screenshots "$out"
echo "Screenshots written to $out"
