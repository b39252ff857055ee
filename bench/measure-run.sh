#!/usr/bin/env bash
# Start-up time (hyperfine) and the peak memory of a run through all 24 records
# (/usr/bin/time -v) of the built viewer on the demo data, in a private Xvfb server.
set -euo pipefail
build=${1:-build}
for tool in hyperfine /usr/bin/time Xvfb; do
    command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install hyperfine time xvfb)"; exit 1; }
done
Xvfb :87 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server' EXIT
sleep 1
export DISPLAY=:87 QT_QPA_PLATFORM=xcb QT_FONT_DPI=96
demo=$(realpath "$build/demo.vid")

echo "== start-up: from starting the binary to record 0 painted in its window, beside a bare Qt"
echo "   window of the same size started the same way (target: at most 1.25 times as long)"
hyperfine --warmup 3 --runs 30 --style basic \
    -n sorkam "$build/bench/first_paint $build/app/sorkam $demo" \
    -n "bare window" "$build/bench/first_paint $build/bench/bare_window $demo"

echo "== peak memory of a run that shows every record"
"$build/bench/first_paint" --step-all "$demo" &
driver=$!
/usr/bin/time -v "$build/app/sorkam" "$demo" 2>&1 | grep -E "Maximum resident|Elapsed|Exit status" || true
wait $driver
