#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit tests, the
# platform tests, the simulated receiver's tests and the end-to-end tests of
# the real program under Xvfb; then the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer; then the Debian package,
# built and checked; then the Windows build, its unit tests and its
# end-to-end tests under wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)

scripts/install-packages.sh

# Line tables only (-g1): a backtrace still names files and lines, and the
# build takes little more than half the time of full debug information.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DPython3_EXECUTABLE=/usr/bin/python3
cmake --build build -j "$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" -DVOXPAN_SANITIZE=ON \
  -DVOXPAN_UNIT_TESTS_ONLY=ON
cmake --build build-sanitize -j "$jobs"

status=0
echo "=== Tests of the regular build"
(cd build && ctest --output-on-failure -j "$jobs") || status=1
echo "=== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs") || status=1
echo "=== The Debian package: its files, lintian, and its programs unpacked with dpkg -x"
if scripts/build-package.sh >build/package-build.log 2>&1; then
  /usr/bin/python3 tests/package/test_package.py build-deb/voxpan_*.deb || status=1
else
  tail -n 40 build/package-build.log
  echo "voxpan: the package did not build; its whole log is build/package-build.log" >&2
  status=1
fi
echo "=== The Windows build: unit tests and end-to-end tests under wine"
scripts/build-windows.sh
(cd build-windows && ctest --output-on-failure) || status=1
exit $status
