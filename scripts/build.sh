#!/usr/bin/env bash
# Installs what is missing, then configures and builds Quorvel into build/, or into build-sanitize/
# with AddressSanitizer and UndefinedBehaviorSanitizer when QUORVEL_SANITIZE=ON.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh

werror=OFF
if [[ "${CI:-}" == "true" ]]; then
  werror=ON
fi

build_dir=build
sanitize=OFF
if [[ "${QUORVEL_SANITIZE:-}" == "ON" ]]; then
  build_dir=build-sanitize
  sanitize=ON
fi

cmake -S . -B "$build_dir" -DQUORVEL_WERROR="$werror" -DQUORVEL_SANITIZE="$sanitize"
cmake --build "$build_dir" -j"$(nproc)"
