#!/usr/bin/env bash
# Builds the application and starts it. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh all

build=${TONARIA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target tonaria
exec "$build/bin/tonaria" "$@"
