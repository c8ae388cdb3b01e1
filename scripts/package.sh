#!/usr/bin/env bash
# Builds the Debian package from build/ and proves it: apt can satisfy every dependency it declares,
# and the installed quorvel-db creates a database that the installed quorvel starts on.
# On CI (CI=true, as root, on a throwaway machine) the package is installed for real; elsewhere
# apt only simulates the install and the programs run from a copy unpacked into a scratch root.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

rm -rf build/package
cpack --config build/CPackConfig.cmake -B build/package >/dev/null
debs=(build/package/quorvel_*.deb)
if ((${#debs[@]} != 1)) || [[ ! -f "${debs[0]}" ]]; then
  echo "error: expected one package in build/package" >&2
  exit 1
fi
deb=$root/${debs[0]}
echo "Package: $deb"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6sql6-sqlite libqt6sql6-psql fonts-liberation; do
  if [[ "$depends" != *"$needed"* ]]; then
    echo "error: the package does not depend on $needed (Depends: $depends)" >&2
    exit 1
  fi
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-package.XXXXXX")
trap 'rm -rf -- "$scratch"' EXIT

if [[ "${CI:-}" == "true" && $EUID -eq 0 ]]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1 || {
    cat "$scratch/apt.log" >&2
    exit 1
  }
  prefix=/usr
else
  apt-get install --simulate --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1 || {
    cat "$scratch/apt.log" >&2
    exit 1
  }
  dpkg-deb -x "$deb" "$scratch/root"
  prefix=$scratch/root/usr
fi

for file in bin/quorvel bin/quorvel-db share/applications/quorvel.desktop \
            share/icons/hicolor/scalable/apps/quorvel.svg share/icons/hicolor/256x256/apps/quorvel.png \
            share/quorvel/Quorvel.hlp share/quorvel/main-window.png; do
  if [[ ! -e "$prefix/$file" ]]; then
    echo "error: the package does not install $file" >&2
    exit 1
  fi
done

# The menu entry starts Quorvel where its manual lies, so that the help file is found.
if ! grep -qx "Path=/usr/share/quorvel" "$prefix/share/applications/quorvel.desktop"; then
  echo "error: the menu entry does not start Quorvel beside its manual" >&2
  exit 1
fi

site=$scratch/site
mkdir -p "$site"
"$prefix/bin/quorvel-db" init "$site" >/dev/null

# A program that starts waits for its user: still running when the timeout ends it.
rc=0
(cd "$prefix/share/quorvel" && QUORVEL_DATABASE=$site QT_QPA_PLATFORM=offscreen timeout 10 "$prefix/bin/quorvel") \
  >"$scratch/quorvel.log" 2>&1 || rc=$?
if ((rc != 124)) || grep -qi "not loaded\|could not load\|could not find" "$scratch/quorvel.log"; then
  echo "error: the installed quorvel did not start (exit $rc):" >&2
  cat "$scratch/quorvel.log" >&2
  exit 1
fi
echo "The package installs, and the installed quorvel starts on a database made by quorvel-db."
