#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands where: every file in place,
# a valid desktop entry, a MIME file that parses and names the composition glob, and the
# installed program (its bin folder made read-only) keeping its MIDI device choice in the
# user's configuration folder. Exit status 77 (skipped) for the part that needs an X server
# when xvfb-run or xdotool is missing.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
cleanup() {
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
prefix=$work/prefix
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" > "$work/install.log"

for file in bin/tonaria bin/tonaria-cli lib/tonaria/tonaria-synth.so share/tonaria/glyphs.bmp \
            share/applications/tonaria.desktop share/mime/packages/tonaria.xml \
            share/icons/hicolor/scalable/apps/tonaria.svg \
            share/icons/hicolor/48x48/apps/tonaria.png \
            share/icons/hicolor/256x256/apps/tonaria.png \
            share/icons/hicolor/scalable/mimetypes/application-x-tonaria.svg; do
    [ -s "$prefix/$file" ] || fail "$file was not installed"
done
[ -x "$prefix/bin/tonaria" ] || fail "bin/tonaria is not executable"
for size in 48 256; do
    # PNG header: width and height, 4 bytes each, big-endian, at offset 16.
    dims=$(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/${size}x${size}/apps/tonaria.png" |
           tr -s ' ' | sed 's/^ //')
    [ "$dims" = "0 0 $((size >> 8)) $((size & 255)) 0 0 $((size >> 8)) $((size & 255))" ] ||
        fail "the ${size} pixel icon is not ${size} x ${size} ($dims)"
done
# Every data file beside the built executable is installed, and nothing else.
(cd "$build/bin" && find . -type f ! -name tonaria ! -name config.xml ! -path './tnrs/*' \
     ! -path './mids/*' ! -path './xmls/*' | sort) > "$work/built"
(cd "$prefix/share/tonaria" && find . -type f | sort) > "$work/installed"
diff "$work/built" "$work/installed" > /dev/null ||
    fail "share/tonaria differs from the build's data: $(diff "$work/built" "$work/installed")"

if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/tonaria.desktop" ||
        fail "desktop-file-validate rejects the desktop entry"
else
    echo "desktop-file-validate is missing (Debian: desktop-file-utils); entry not validated"
fi
grep -qx 'MimeType=application/x-tonaria;' "$prefix/share/applications/tonaria.desktop" ||
    fail "the desktop entry does not name the composition type"
mime=$prefix/share/mime/packages/tonaria.xml
xmllint --noout "$mime" || fail "the MIME file is not well-formed XML"
glob=$(xmllint --xpath "string(//*[local-name()='mime-type'][@type='application/x-tonaria']/*[local-name()='glob']/@pattern)" "$mime")
[ "$glob" = "*.tnr" ] || fail "the MIME type's glob is \"$glob\", not *.tnr"

if ! command -v xvfb-run > /dev/null || ! command -v xdotool > /dev/null; then
    echo "xvfb-run or xdotool is missing: the installed program was not started"
    exit 77
fi
chmod a-w "$prefix/bin"
export XDG_CONFIG_HOME=$work/config HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
export JACK_NO_START_SERVER=1 QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
settings=$XDG_CONFIG_HOME/tonaria/config.xml
export TONARIA_BIN=$prefix/bin/tonaria SETTINGS=$settings
timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    "$TONARIA_BIN" > "$HOME/tonaria.log" 2>&1 &
    pid=$!
    # The first start asks for the MIDI device; OK takes the first one, the built-in synthesizer.
    dialog=$(timeout 60 xdotool search --sync --name "^MIDI Devices$" | head -1)
    [ -n "$dialog" ] || { kill $pid; echo "no device dialog" >&2; exit 1; }
    xdotool windowfocus --sync "$dialog" key Return
    for _ in $(seq 200); do
        [ -f "$SETTINGS" ] && break
        sleep 0.1
    done
    kill $pid 2> /dev/null
    wait $pid 2> /dev/null || true
' || fail "the installed program could not be driven: $(cat "$HOME/tonaria.log" 2> /dev/null)"
[ -f "$settings" ] || fail "no settings in the user's configuration folder"
[ "$(sed -n 2p "$settings")" = '    <MIDI_DEVICE VALUE="0"/>' ] ||
    fail "the settings do not hold device 0: $(cat "$settings")"
[ ! -e "$prefix/bin/config.xml" ] || fail "settings were written beside the installed program"
echo "install test passed"
