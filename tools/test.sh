#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless. Screenshots land in
# build/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
ctest --preset debug --output-on-failure "$@"
