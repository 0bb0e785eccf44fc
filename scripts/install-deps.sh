#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Velmora need.
# Safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config clang-format perl git
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-serialport-dev qt6-translations-l10n
  libqt6dbus6 libzstd-dev zstd sqlite3
  dbus xvfb xauth imagemagick fonts-dejavu-core fonts-liberation2 culmus
  desktop-file-utils shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
