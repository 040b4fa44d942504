#!/usr/bin/env bash
# Installs what building, running and testing Zelvora needs on Debian 12.
# Runs as root, or through sudo when it is there.
set -euo pipefail
paquetes=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
    qt6-serialport-dev qt6-multimedia-dev gstreamer1.0-plugins-base
    libsqlite3-dev sqlite3
    libqt6sql6-psql postgresql
    libsodium-dev
    qt6-translations-l10n
    clang-format
    libbenchmark-dev
    fonts-liberation poppler-utils xvfb xauth
    dpkg-dev x11-utils
)
faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -eq 0 ]; then
    exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${faltan[@]}"
