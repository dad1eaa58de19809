#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzz targets and the
# demo need, when any of them is missing.
set -euo pipefail
# qt6-translations-l10n: Qt's own dialogs in German.
packages=(cmake g++ make qt6-base-dev qt6-charts-dev qt6-translations-l10n libgl-dev iproute2 util-linux xvfb
          xauth qt6-qpa-plugins x11-utils imagemagick desktop-file-utils poppler-utils clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" = "0" ] || sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
