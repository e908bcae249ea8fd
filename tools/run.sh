#!/usr/bin/env bash
# Installs what is missing, builds, and renders a built-in kick through the effect.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" "$root/build"
echo "Built. The command-line host that renders through the plug-in module is not part of this build yet."
