#!/usr/bin/env bash
# Configures and builds one flavour of the project.
#   scripts/build.sh release [TARGET...]  -> build/release (optimised, for running)
#   scripts/build.sh asan [TARGET...]     -> build/asan (AddressSanitizer + UBSan, for tests)
# Without targets everything is built: programs, tests and benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-release}
[[ $# -gt 0 ]] && shift
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
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$dir" -j "$jobs" "${targets[@]}"
