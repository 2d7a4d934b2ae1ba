#!/usr/bin/env bash
# Configures (once) and builds the debug tree; later runs are incremental.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
[[ -f build/build.ninja ]] || cmake --preset debug >/dev/null
cmake --build --preset debug
