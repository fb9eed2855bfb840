#!/usr/bin/env bash
# Builds the engine and runs every test: the C++ tests (ctest), then the
# tests of the Python package in python/ against the host program just
# built. With TOVEK_SANITIZE=1 the build (in build-sanitize) uses
# AddressSanitizer and UndefinedBehaviorSanitizer and only the C++ tests run
# (the Python tests drive the same engine through its host program and add
# nothing under the sanitizers).
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

# The Python tests use Debian's interpreter and packages; install what is
# missing (as root), or say what to install.
python=/usr/bin/python3
if [ "${TOVEK_SANITIZE:-0}" != 1 ] && ! "$python" -c 'import numpy, pandas, matplotlib, tqdm, pytest' 2>/dev/null; then
  packages=(python3 python3-numpy python3-pandas python3-matplotlib python3-tqdm python3-pytest)
  if [ "$(id -u)" != 0 ]; then
    echo "The Python tests need Debian's packages: sudo apt-get install ${packages[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update -q
  apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${packages[@]}"
fi

cmake -S . -B "$build" "${flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
if [ "${TOVEK_SANITIZE:-0}" != 1 ]; then
  TOVEK_ENGINE="$PWD/$build/tovek" "$python" -m pytest -q -p no:cacheprovider python/tests
fi
