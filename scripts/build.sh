#!/usr/bin/env bash
# Configures and builds one flavour of the project.
#   scripts/build.sh release   -> build/release (optimised, for running)
#   scripts/build.sh asan      -> build/asan (AddressSanitizer + UBSan, for tests)
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-release}
jobs=${GARVEL_JOBS:-2}
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=Release) ;;
  asan) args=(-DCMAKE_BUILD_TYPE=Debug -DGARVEL_SANITIZE=ON) ;;
  *) echo "unknown flavour $flavour" >&2; exit 2 ;;
esac
dir=build/$flavour
if [[ ! -f $dir/build.ninja ]]; then
  cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir" -j "$jobs"
