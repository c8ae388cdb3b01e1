#!/usr/bin/env bash
# Installs the Debian 12 packages Quorvel needs to build, test and run.
# Does nothing (and prints nothing) when they are all present.
set -euo pipefail

packages=(
  cmake g++ make dpkg-dev
  qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libqt6sql6-psql
  libjpeg-dev
  postgresql
  fonts-liberation fonts-dejavu-core
  poppler-utils
  python3 python3-icalendar
  xvfb xauth
)

missing=()
for pkg in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$pkg")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"

if ((EUID == 0)); then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "error: not root and sudo is not available; install as root: ${missing[*]}" >&2
  exit 1
fi

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y --no-install-recommends "${missing[@]}"
