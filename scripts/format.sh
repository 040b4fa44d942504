#!/usr/bin/env bash
# Formats every C++ file under src, tests, tools and bench with the root
# .clang-format. With --check, changes nothing and fails when a file is not
# formatted (what CI runs). The layout is that of Debian 12's clang-format 14;
# other versions lay out some constructs differently.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
if [ -z "$clang_format" ]; then
    echo "clang-format not found (scripts/install-deps.sh installs it)" >&2
    exit 1
fi
archivos=()
while IFS= read -r -d '' f; do
    archivos+=("$f")
done < <(find src tests tools bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
case "${1:-}" in
--check)
    if ! "$clang_format" --dry-run --Werror "${archivos[@]}"; then
        echo "Not formatted: run bash scripts/format.sh" >&2
        exit 1
    fi
    ;;
"")
    "$clang_format" -i "${archivos[@]}"
    ;;
*)
    echo "usage: $0 [--check]" >&2
    exit 2
    ;;
esac
