#!/usr/bin/env bash
# Retakes the README's screenshots (docs/capturas/*.png) from the real windows
# on a fresh demo folder, in English under a fixed locale and screen size, so
# that a new picture differs only where the program changed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh zelvora-admin zelvora_capturas
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export LC_ALL=C.UTF-8 LANG=C.UTF-8 TZ=UTC
build/tools/zelvora-admin init --carpeta "$tmp" --punto "PORTERIA PRINCIPAL" --demo >/dev/null
mkdir -p docs/capturas
xvfb-run -a -s "-screen 0 1280x800x24" build/tools/zelvora_capturas "$tmp" docs/capturas
