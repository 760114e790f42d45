#!/bin/sh
# Records the demonstrations' pointer paths again into data/dynamichelp, under a virtual X
# server: run after the variant view changed, from the repository with a build in ./build.
#   tools/demopaths/record.sh [NUMBER...]
set -e
cd "$(dirname "$0")/../.."
cmake --build build --target tonaria-recordpaths
# A quick pace: the choices depend on where the pointer goes, not on how fast.
TONARIA_DEMO_STEP_MS=3 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    build/tools/demopaths/tonaria-recordpaths data "$@"
