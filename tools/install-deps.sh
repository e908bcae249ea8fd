#!/usr/bin/env bash
# Installs the Debian packages that are missing (apt-get runs only when
# something is), for one of two uses:
#
#   tools/install-deps.sh render   building the module and kick_host, and rendering
#                                  (Xvfb for --screenshot without a display)
#   tools/install-deps.sh [test]   that, and the test and benchmark libraries,
#                                  xauth for xvfb-run (the window tests),
#                                  clang and its sanitizer and fuzzing runtimes
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    juce-modules-source
    libfreetype-dev libfontconfig1-dev libx11-dev libxrandr-dev libxinerama-dev
    libxcursor-dev libxcomposite-dev libxext-dev libgl-dev
    libpng-dev libjpeg-dev zlib1g-dev
    libsndfile1-dev
    xvfb
)
case "${1:-test}" in
    render) ;;
    test) packages+=(xauth libgtest-dev libbenchmark-dev clang-22 libclang-rt-22-dev libfuzzer-22-dev) ;;
    *) echo "usage: $0 [render|test]" >&2; exit 2 ;;
esac
if [[ "${KICK_EXTRA_PACKAGES:-}" != "" ]]; then
    read -r -a extra <<< "${KICK_EXTRA_PACKAGES}"
    packages+=("${extra[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
