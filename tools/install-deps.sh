#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need; skips what is there.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-charts-dev qt6-serialport-dev qt6-svg-dev
    libgl-dev libsqlite3-dev fonts-wqy-zenhei
    python3 python3-xlrd poppler-utils xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
echo "Installing: ${missing[*]}"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
