#!/usr/bin/env bash
# Installs what building, running and testing Kelvane needs on Debian 12, and only
# what is missing. Run as root.
set -euo pipefail

packages=(
  build-essential cmake ccache
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins
  libreadstat-dev pspp
  xvfb xauth xdotool
  poppler-utils
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

# Node and npm for it: Debian's, unless a node that brings its own npm is there already.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends nodejs npm
fi

# The Data Package library that the tests read the analyzer's tidy tables with, at the
# versions the lockfile pins, into the folder of its check script.
datapackage_check="$(dirname "$0")/../tests/support/datapackage"
if [[ ! -d $datapackage_check/node_modules/datapackage ]]; then
  echo "Installing the Data Package library for the tests"
  npm ci --prefix "$datapackage_check" --no-audit --no-fund --ignore-scripts \
    --omit-lockfile-registry-resolved
fi
