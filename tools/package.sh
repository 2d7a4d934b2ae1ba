#!/usr/bin/env bash
# Installs what is missing, builds the release tree and makes the Debian package
# build-release/quillmoor-tarot_<version>_amd64.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
[[ -f build-release/build.ninja ]] || cmake --preset release >/dev/null
cmake --build --preset release --target quillmoor-tarot
cd build-release
cpack -G DEB
