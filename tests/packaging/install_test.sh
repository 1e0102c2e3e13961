#!/usr/bin/env bash
# install_test.sh BUILD_DIR VERSION LIBRARY_SUBDIR: installs the build into a fresh prefix and
# starts the installed program there as the menu entry does, offscreen, in a network of its own,
# with its own settings and data folders. It must register the control libraries of the
# installed tree, play its start-up sound from the installed sounds, and work in the data folder.
# Ends with 77 (skipped) when no private network can be made.
set -euo pipefail
build=$1
version=$2
libraries=$3
work=$(mktemp -d)
program=
finish() {
    [ -z "$program" ] || { kill "$program" && wait "$program"; } 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
[ -z "$(find "$prefix/bin" -type f ! -name tarvil32 ! -name qvtest)" ] || fail "more than the program and qvtest in bin/"
[ -x "$prefix/bin/qvtest" ] || fail "qvtest not installed"
[ "$("$prefix/bin/tarvil32" --version)" = "Tarvil 32 $version" ] || fail "--version"
[[ "$("$prefix/bin/tarvil32" --help)" == *--data-home* ]] || fail "--help"

entry=$prefix/share/applications/tarvil32.desktop
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml || fail "metainfo"
fi

unshare -rn true 2>/dev/null || { echo "skipped: no private network"; exit 77; }

# The menu's command, with the installed program for its name.
read -r -a command <<<"$(sed -n 's/^Exec=//p' "$entry")"
[ "${command[0]}" = tarvil32 ] || fail "the menu entry starts ${command[0]}"
command[0]=$prefix/bin/tarvil32

# Settings of a machine where the program ran before (the first run has no start-up sound), a
# damaged saved-messages file in the data folder, and a current directory elsewhere.
mkdir -p "$work/windows" "$work/data/tarvil32" "$work/elsewhere"
printf '[Sounds]\r\nStart Up=tarvil.wav\r\n' >"$work/windows/tarvil32.INI"
printf x >"$work/data/tarvil32/Message.sav"
cd "$work/elsewhere"
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" \
    TARVIL_WINDIR="$work/windows" XDG_DATA_HOME="$work/data" \
    unshare -rn "${command[@]}" >"$work/program.log" 2>&1 &
program=$!

registered() { grep -q "=$prefix/$libraries/qvcm200.so" "$work/windows/registry.ini"; }
heard() { [ -n "$(tr -d '\0' <"$work/audio.raw" | head -c 1)" ]; }
kept() { [ -f "$work/data/tarvil32/Message.sav.damaged" ]; }
for _ in $(seq 600); do
    { registered && heard && kept; } 2>/dev/null && exit 0
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
cat "$work/program.log" >&2
registered 2>/dev/null || fail "the installed control libraries were not registered"
heard 2>/dev/null || fail "no start-up sound was played"
fail "the saved messages were not read from the data folder"
