#!/usr/bin/env bash
# Builds the engine and runs every test. With TOVEK_SANITIZE=1 the build
# (in build-sanitize) uses AddressSanitizer and UndefinedBehaviorSanitizer;
# with TOVEK_WERROR=1 every compiler warning is an error (as in CI).
set -euo pipefail
cd "$(dirname "$0")"
build=build
flags=()
if [ "${TOVEK_SANITIZE:-0}" = 1 ]; then
  build=build-sanitize
  flags=(-DTOVEK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
else
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
if [ "${TOVEK_WERROR:-0}" = 1 ]; then flags+=(-DTOVEK_WERROR=ON); else flags+=(-DTOVEK_WERROR=OFF); fi
cmake -S . -B "$build" "${flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
