#!/usr/bin/env bash
# Installs what building and rendering need, builds the module and kick_host
# (no tests), and renders a built-in kick through the effect.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" render
"$root/tools/build.sh" "$root/build" -DKICK_BUILD_TESTS=OFF -DKICK_BUILD_BENCHMARKS=OFF
"$root/build/host/cli/kick_host" --out "$root/build/kick_render.wav"
