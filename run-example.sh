#!/usr/bin/env bash
# Builds the engine and runs it on the bundled example problem, in a copy of
# the problem folder under build/example, as the front end would.
set -euo pipefail
cd "$(dirname "$0")"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tovek >/dev/null
rm -rf build/example && mkdir -p build/example
cp examples/pipe-pile/* build/example/
status=0
./build/tovek build/example || status=$?
echo
echo "Run status: $status"
echo "Report:         $(pwd)/build/example/pipe24.out"
echo "Plot data file: $(pwd)/build/example/pipe24.plt"
exit "$status"
