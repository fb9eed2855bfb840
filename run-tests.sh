#!/usr/bin/env bash
# Builds the engine and runs every test: the C++ tests (ctest), then the
# tests of the Python package in python/ against the host program just
# built. Installs first what a fresh Debian machine lacks (as root; as
# another user it prints the apt-get line and stops).
#
# With TOVEK_SANITIZE=1 the build (in build-sanitize) uses AddressSanitizer
# and UndefinedBehaviorSanitizer and only the C++ tests run (the Python
# tests drive the same engine through its host program and add nothing
# under the sanitizers). With TOVEK_WERROR=1 every compiler warning is an
# error (as in CI).
set -euo pipefail
cd "$(dirname "$0")"

python=/usr/bin/python3
need=()
command -v cmake >/dev/null 2>&1 || need+=(cmake)
command -v g++ >/dev/null 2>&1 || need+=(g++)
command -v make >/dev/null 2>&1 || need+=(make)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
[ -f /usr/include/gmock/gmock.h ] || need+=(libgmock-dev)
if [ "${TOVEK_SANITIZE:-0}" != 1 ] && ! "$python" -c 'import numpy, pandas, matplotlib, tqdm, pytest' 2>/dev/null; then
  need+=(python3 python3-numpy python3-pandas python3-matplotlib python3-tqdm python3-pytest)
fi
if [ "${#need[@]}" -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "The tests need Debian's packages: sudo apt-get install ${need[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update -q
  apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${need[@]}"
fi

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
if [ "${TOVEK_SANITIZE:-0}" != 1 ]; then
  TOVEK_ENGINE="$PWD/$build/tovek" "$python" -m pytest -q -p no:cacheprovider python/tests
fi
