#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Runs apt-get only when something is missing; needs root (or sudo) then.
set -euo pipefail
# The one list of what a brand-new Debian 12 needs; nothing is left to
# recommended packages. Qt6Charts' CMake package requires Qt6OpenGL's, which
# only libqt6opengl6-dev brings. qt6-svg-dev draws the icon (and brings Qt's
# SVG icon plugin); desktop-file-utils checks the menu entry; the sqlite3 shell
# is the reference the view benchmark measures against.
packages=(
  cmake g++ make pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev libqt6sql6-sqlite qt6-translations-l10n
  qt6-svg-dev
  libsqlite3-dev libzip-dev zlib1g-dev
  fonts-liberation2 desktop-file-utils sqlite3
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
