#!/usr/bin/env bash
# Installs what is missing, builds, prepares the demo program folder ./demo the
# first time, and starts Zelvora on it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh zelvora zelvora-admin
if [ ! -f demo/zelvora.db ]; then
    build/tools/zelvora-admin init --carpeta demo --punto "PORTERIA PRINCIPAL" --demo
fi
exec build/src/zelvora --carpeta demo "$@"
