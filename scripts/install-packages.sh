#!/usr/bin/env bash
# Installs the Debian 12 packages voxpan needs to build, run and be tested,
# when any of them is missing. Run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libx11-dev fontconfig fonts-dejavu-core
  espeak-ng sox
  libspeechd-dev speech-dispatcher speech-dispatcher-espeak-ng
  googletest libgtest-dev
  python3 python3-xlib xvfb xdotool x11-utils libhamlib-utils ser2net
  desktop-file-utils groff-base
  debhelper dpkg-dev lintian appstream
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
