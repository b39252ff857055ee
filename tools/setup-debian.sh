#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running sorkam need.
# Quiet when everything is there; uses sudo when not run as root. With --bench, also what the
# benchmark scripts measure with and against (never needed to build, run or test).
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-qpa-plugins fontconfig   # Qt 6 Widgets, Qt Test, platform plugins
    libgtest-dev            # GoogleTest
    libbenchmark-dev        # Google Benchmark
    fonts-liberation        # a face metric-compatible with Times New Roman
    xvfb libx11-dev libxtst-dev   # the end-to-end run in a real X server
    clang-14 libclang-rt-14-dev   # libFuzzer
    clang-format-14         # the format check
    desktop-file-utils shared-mime-info libxml2-utils man-db dpkg-dev file   # install and package checks
    librsvg2-bin lintian appstream   # icons drawn from the SVG; package and metainfo checks
)
if [ "${1:-}" = --bench ]; then
    packages=(hyperfine time gnuplot-nox)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
