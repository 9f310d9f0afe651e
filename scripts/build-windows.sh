#!/usr/bin/env bash
# Builds voxpan for Windows on Debian 12, cross-compiled with mingw-w64:
# build-windows/voxpan.exe and pansetup.exe (statically linked: they need
# only the DLLs every Windows has), the unit tests for Windows, and
# dist/voxpan-windows.zip.
# Run as root, it first installs the Debian packages it needs when they are
# missing (the compiler, wine for the tests, GoogleTest's sources).
#
# The recorded words are the Linux build's (build/wave) when it has made
# them, otherwise they are recorded here. When the Linux build has its panel
# and simulated receiver, the end-to-end tests under wine are set up too:
#   (cd build-windows && ctest --output-on-failure)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)

packages=(
  cmake g++-mingw-w64-x86-64-posix googletest
  wine wine64 xvfb xdotool python3 python3-xlib
  espeak-ng sox
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "voxpan: these Debian packages are missing: ${missing[*]}" >&2
    echo "voxpan: run this command as root (or with sudo) to install them" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

wave_source=
[[ -f build/wave/.generated ]] && wave_source=$top/build/wave
linux_build=
[[ -x build/voxpan && -x build/tools/receiver_sim/receiver-sim ]] && linux_build=$top/build

# ccache, when there is one, also serves a fresh clone in another folder.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
fi

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DVOXPAN_WAVE_SOURCE="$wave_source" -DVOXPAN_LINUX_BUILD="$linux_build" "${launcher[@]}"
cmake --build build-windows -j "$jobs" --target windows_zip voxpan_windows_unit_tests

# Only the libraries of Windows itself: nothing to ship beside the programs.
allowed='^(KERNEL32|USER32|GDI32|WINMM|msvcrt|ADVAPI32|WS2_32)\.dll$'
for program in build-windows/*.exe; do
  unexpected=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/.*DLL Name: //p' | grep -Eiv "$allowed" || true)
  if [[ -n $unexpected ]]; then
    echo "voxpan: $program needs DLLs that Windows does not have: $unexpected" >&2
    exit 1
  fi
done
echo "Built $top/dist/voxpan-windows.zip"
