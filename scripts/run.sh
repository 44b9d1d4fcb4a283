#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts the desktop
# program on the per-user data folder (created on first run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
exec build/release/bin/garvel "$@"
