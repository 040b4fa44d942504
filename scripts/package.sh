#!/usr/bin/env bash
# Builds the Debian package (build/ or build-pkg/zelvora_*.deb), installs it with apt so
# that its dependencies come from Debian, and proves the installed program
# reaches its login window on a real X server (Xvfb, Qt's xcb plugin as a
# site's desktop loads it). Runs as root, or through sudo when it is there.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

scripts/install-deps.sh
# The test build when there is one (CI has just built it: the package costs
# no second build); else a build of the program alone.
construccion=build-pkg
if [ -f build/build.ninja ]; then
    construccion=build
else
    cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVORA_TESTS=OFF \
        -DZELVORA_BENCH=OFF >/dev/null
fi
cmake --build "$construccion"
rm -f "$construccion"/zelvora_*.deb
(cd "$construccion" && cpack -G DEB)
paquete=$(ls "$construccion"/zelvora_*.deb)
dpkg-deb -I "$paquete"

export DEBIAN_FRONTEND=noninteractive
# --reinstall: the same version built again still replaces the installed one.
if ! $sudo apt-get install -y -qq --reinstall "./$paquete"; then
    # Package lists may be missing on a machine that had every build package.
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --reinstall "./$paquete"
fi
echo "==== dpkg -L zelvora"
dpkg -L zelvora

sitio=$(stat -c '%U:%G %a' /var/lib/zelvora)
if [ "$sitio" != "root:zelvora 2770" ]; then
    echo "the site folder /var/lib/zelvora is $sitio, not root:zelvora 2770" >&2
    exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
/usr/bin/zelvora-admin init --carpeta "$tmp" --punto PRUEBA --demo >/dev/null
# English chosen already: the login itself opens, titled with its slot 0.
printf 'us\r\n' >"$tmp/zelvora_idioma.cfg"

# Under Xvfb: start the program, wait until a mapped top-level window bears
# the login's title, then end the program.
cat >"$tmp/ver-acceso.sh" <<'EOF'
set -u
unset QT_QPA_PLATFORM
/usr/bin/zelvora --carpeta "$1" >"$1/salida.txt" 2>&1 &
programa=$!
visto=1
for _ in $(seq 1 40); do
    sleep 0.5
    kill -0 "$programa" 2>/dev/null || break
    for id in $(xwininfo -root -tree | awk '/"Access Control"/ { print $1 }'); do
        if xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
            visto=0
            xwininfo -id "$id" | sed -n '2p'
        fi
    done
    [ $visto -eq 0 ] && break
done
kill "$programa" 2>/dev/null
wait "$programa" 2>/dev/null
exit $visto
EOF
if xvfb-run -a bash "$tmp/ver-acceso.sh" "$tmp"; then
    echo "installed program reached its login window"
else
    echo "installed program did NOT reach its login window; its output:" >&2
    cat "$tmp/salida.txt" >&2
    exit 1
fi
