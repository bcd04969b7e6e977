#!/usr/bin/env bash
# Installs the Debian packages the build, the app and the tests need. Idempotent and quiet:
# when everything is present it only asks dpkg.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    qt6-base-dev libmpv-dev libcurl4-openssl-dev libicu-dev libpcre2-dev
    libcpp-httplib-dev libgtest-dev
    # run: CJK glyphs for the window's texts, media for the stand-in catalogue
    fonts-wqy-microhei ffmpeg libgl1-mesa-dri
    # tests: a real X server and a window manager for the window smoke tests, clang for fuzzing
    xvfb xauth openbox clang libclang-rt-14-dev
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
