#!/usr/bin/env bash
# Installs what is missing, builds the desktop program (only the program and
# its data, not the tests and benchmarks) and starts it on the per-user data
# folder (created on first run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release garvel
exec build/release/bin/garvel "$@"
