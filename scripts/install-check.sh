#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a Linux desktop
# needs: the program, the simulator, the help documents, the menu entry (as
# desktop-file-validate judges it) and its icon. Then starts the installed
# program with an empty home and waits until it has made its folder and put
# the help documents there. Runs in a private network namespace, as the
# program searches for receivers when it starts.
#
#   scripts/install-check.sh <build dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${NVX_IN_NETNS:-}" != "1" ]; then
    exec "$here/netns-run.sh" "$0" "$@"
fi

build=$(realpath "$1")
work=$(mktemp -d)
program_pid=""
cleanup() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "install-check: $*" >&2
    [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
    exit 1
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log" >&2; fail "install failed"; }

for f in bin/nvx-ethernet bin/receiver-sim; do
    [ -x "$prefix/$f" ] || fail "$f is missing or not executable"
done
for f in share/nvx-ethernet/nvx_ethernet_ger.pdf share/nvx-ethernet/nvx_ethernet_eng.pdf \
         share/applications/nvx-ethernet.desktop share/icons/hicolor/scalable/apps/nvx-ethernet.svg; do
    [ -s "$prefix/$f" ] || fail "$f is missing or empty"
done
desktop-file-validate "$prefix/share/applications/nvx-ethernet.desktop" || fail "the desktop entry is not valid"
grep -q '^Exec=nvx-ethernet$' "$prefix/share/applications/nvx-ethernet.desktop" || fail "the entry does not start nvx-ethernet"
grep -q '^Icon=nvx-ethernet$' "$prefix/share/applications/nvx-ethernet.desktop" || fail "the entry names another icon"
"$prefix/bin/receiver-sim" --help >/dev/null || fail "the installed simulator does not run"

# First start of the installed program for a user with nothing set up.
home="$work/home"
mkdir -p "$home"
env -u NVX_REGISTRY_FILE -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/nvx-ethernet" >"$work/program.log" 2>&1 &
program_pid=$!
folder="$home/.local/share/nvx-ethernet"
for _ in $(seq 200); do
    [ -s "$folder/Dokumentation/nvx_ethernet_eng.pdf" ] && break
    sleep 0.1
done
[ -d "$folder/DAT" ] || fail "the program did not make $folder/DAT"
for lang in ger eng; do
    cmp -s "$folder/Dokumentation/nvx_ethernet_$lang.pdf" "$prefix/share/nvx-ethernet/nvx_ethernet_$lang.pdf" \
        || fail "nvx_ethernet_$lang.pdf was not brought into the program folder"
done
[ ! -e "$home/.config/nvx-ethernet" ] || fail "the program wrote a configuration store"
echo "install-check: ok"
