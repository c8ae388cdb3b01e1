#!/usr/bin/env bash
# Installs what is missing, then configures and builds Quorvel into build/.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh

werror=OFF
if [[ "${CI:-}" == "true" ]]; then
  werror=ON
fi

cmake -S . -B build -DQUORVEL_WERROR="$werror"
cmake --build build -j"$(nproc)"
