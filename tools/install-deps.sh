#!/usr/bin/env bash
# Installs the Debian packages the build, the test host and the tests need,
# only those that are missing (apt-get runs only when something is).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    juce-modules-source
    libfreetype-dev libfontconfig1-dev libx11-dev libxrandr-dev libxinerama-dev
    libxcursor-dev libxcomposite-dev libxext-dev libgl-dev
    libpng-dev libjpeg-dev zlib1g-dev
    libgtest-dev libbenchmark-dev
    libsndfile1-dev
    xvfb xauth
    clang-22 libclang-rt-22-dev libfuzzer-22-dev
)
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
