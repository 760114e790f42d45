#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
# Usage: install-deps.sh [core|all]   (core: the Qt-free libraries, tests and benchmarks)
set -euo pipefail

core=(cmake ninja-build g++ pkg-config clang-format libgtest-dev libgmock-dev libbenchmark-dev
      libpugixml-dev
      # playback: system MIDI ports, the built-in synthesizer and its General MIDI SoundFont;
      # jackd1 (not jackd2, which would remove librtmidi-dev) gives the tests a real MIDI port
      librtmidi-dev libfluidsynth-dev timgm6mb-soundfont jackd1
      # ALSA's and JACK's messages are routed to the diagnostic stream
      libasound2-dev
      # the check that every source folder includes only the folders below it
      python3)
# The desktop application: Qt 6 Widgets, the font the glyph sheet is drawn with, and an X
# server with tools for looking at the windows in tests.
# MuseScore 3 reads the exported MusicXML back in a round-trip test: notes, numerals, tempo
# (about 50 MB). desktop-file-utils and libxml2-utils check the installed desktop entry and
# file type.
gui=(qt6-base-dev qt6-svg-dev libgl-dev fonts-freefont-ttf xvfb xauth xdotool imagemagick
     musescore3 desktop-file-utils libxml2-utils)
packages=("${core[@]}")
if [ "${1:-all}" = "all" ]; then
    packages+=("${gui[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
