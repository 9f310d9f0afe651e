#!/usr/bin/env bash
# Builds the Debian package build-deb/voxpan_VERSION-1_ARCH.deb with
# dpkg-buildpackage (debian/), which writes its results beside the tree it
# builds: so the tree is a copy in build-deb/, of the working tree's files
# (those git knows or would add), or of a source tarball made by git archive.
# Run as root, it first installs the Debian packages it needs when they are
# missing.
#
#   scripts/build-package.sh [voxpan-VERSION.tar.gz]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/install-packages.sh

version=$(head -n 1 VERSION)
out=$top/build-deb
tree=$out/voxpan-$version
rm -rf "$out"
mkdir -p "$tree"
if (($#)); then
  tar -xzf "$1" -C "$tree" --strip-components=1
elif git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # Files deleted but not yet committed are passed over.
  git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$tree"
else
  tar --exclude='./build*' --exclude=./dist --exclude=./run -cf - . | tar -xf - -C "$tree"
fi

(cd "$tree" && dpkg-buildpackage -b -us -uc -J"$(nproc)")
echo "Built $(ls "$out"/voxpan_"$version"-*_"$(dpkg --print-architecture)".deb)"
