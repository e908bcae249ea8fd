#!/usr/bin/env bash
# Installs what is missing, builds, and renders a built-in kick through the effect.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" "$root/build"
"$root/build/host/cli/kick_host" --out "$root/build/kick_render.wav"
