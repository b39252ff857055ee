#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running sorkam need.
# Quiet when everything is there; uses sudo when not run as root.
#   (no option)  what building and running every test needs
#   --run        only what building and running the two programs needs
#   --bench      what the benchmark scripts measure with and against (never needed to build,
#                run or test)
set -euo pipefail

run_packages=(
    cmake make g++
    qt6-base-dev qt6-qpa-plugins fontconfig   # Qt 6 Widgets, Print Support, platform plugins
    fonts-liberation        # a face metric-compatible with Times New Roman
    librsvg2-bin            # the icons, drawn from the SVG
    zlib1g-dev              # the export tool's chart tables and PNG files
)
packages=(
    "${run_packages[@]}" pkg-config
    libgtest-dev            # GoogleTest
    libbenchmark-dev        # Google Benchmark
    xvfb libx11-dev libxtst-dev   # the end-to-end run in a real X server
    clang-14 libclang-rt-14-dev   # libFuzzer
    clang-format-14         # the format check
    desktop-file-utils shared-mime-info libxml2-utils man-db dpkg-dev file   # install and package checks
    lintian appstream       # package and metainfo checks
    poppler-utils           # a PDF reader's view of the PDF pictures (pdfinfo)
)
case "${1:-}" in
--run) packages=("${run_packages[@]}") ;;
--bench) packages=(hyperfine time gnuplot-nox) ;;
esac

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
