#!/usr/bin/env bash
# Installs what building, running and testing Kelvane needs on Debian 12, and only
# what is missing. Run as root.
set -euo pipefail

packages=(
  build-essential cmake ccache
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins
  libreadstat-dev pspp
  xvfb xauth xdotool
  dpkg-dev desktop-file-utils appstream shared-mime-info man-db
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
