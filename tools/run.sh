#!/usr/bin/env bash
# Installs what is missing, builds and starts Quillmoor Tarot with its default store.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
exec build/quillmoor-tarot "$@"
