#!/usr/bin/env bash
# Builds the release files into dist/, all from the commit checked out:
#   voxpan_VERSION-1_ARCH.deb      the Debian package (scripts/build-package.sh)
#   voxpan-VERSION-windows.zip     the Windows programs (scripts/build-windows.sh)
#   voxpan-VERSION.tar.gz          the sources, from git archive
#   SHA256SUMS                     the checksums of those three
# Run as root the first time: like the other scripts, it installs the Debian
# packages it needs when they are missing. A working tree with changes that
# are not committed is refused: the files would not be those of the commit.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

if [[ -n $(git status --porcelain) ]]; then
  echo "voxpan: the working tree has changes that are not committed; commit them (or stash them) first" >&2
  exit 1
fi
version=$(head -n 1 VERSION)
zip=voxpan-$version-windows.zip
source=voxpan-$version.tar.gz
mkdir -p dist

git archive --format=tar.gz --prefix="voxpan-$version/" -o "dist/$source" HEAD
scripts/build-package.sh "dist/$source"
package=voxpan_$(dpkg-parsechangelog -S Version)_$(dpkg --print-architecture).deb
cp "build-deb/$package" dist/
scripts/build-windows.sh
(cd dist && sha256sum "$package" "$zip" "$source" >SHA256SUMS)
echo "Release $version in $top/dist:"
cat dist/SHA256SUMS
