#!/usr/bin/env bash
# sorkam-export's figures: time to info's first lines on a 5 GiB sparse file, peak memory of csv
# over 1,000 and 10,000 records, and png --each against one gnuplot process drawing the same
# 240 records (gnuplot-nox is only this benchmark's peer; without it that figure is skipped).
# Usage: bench/export-figures.sh [BUILD_DIR]
set -euo pipefail
build=$(realpath "${1:-build}")
tool=$build/export/sorkam-export
for needed in hyperfine /usr/bin/time; do
    command -v "$needed" >/dev/null || { echo "needs $needed (apt-get install hyperfine time)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# 24 demo records repeated to the lengths wanted.
"$build/tools/make_demo_data" demo.vid
repeat() { for _ in $(seq "$1"); do cat demo.vid; done > "$2"; }
repeat 10 r240.vid
repeat 42 r1008.vid
repeat 417 r10008.vid
truncate -s 5G sparse.vid

echo "== info: time to the first three lines (length, records) on a 5 GiB sparse file"
hyperfine --warmup 3 --runs 20 --style basic "$tool info sparse.vid | head -n 3 >/dev/null" \
    2>&1 | grep -E "Time|Range"

echo "== csv: peak memory (maximum resident set)"
for file in r1008.vid r10008.vid; do
    records=$(( $(stat -c %s "$file") / 5024 ))
    /usr/bin/time -f "$records records: %M KB, %e s" "$tool" csv "$file" -r "0-$((records - 1))" -o /dev/null
done

echo "== png --each: 240 records, sorkam-export against one gnuplot process"
if ! command -v gnuplot >/dev/null; then
    echo "skipped: gnuplot is not installed (apt-get install gnuplot-nox)"
    exit 0
fi
# gnuplot's input, made before the clock starts: each record's samples 0..801 as columns.
"$tool" csv r240.vid -r 0-239 | awk -F, 'NR > 1 && $4 < 802 {
    print $4, $5, $6, $7, $8 > sprintf("r%03d.dat", $1) }'
mkdir -p gnuplot sorkam
cat > pictures.gp <<'GP'
set terminal png size 755,538
set grid
set xrange [0:935]
set yrange [0:315]
unset key
do for [r=0:239] {
    set output sprintf("gnuplot/%03d.png", r)
    f = sprintf("r%03d.dat", r)
    set multiplot layout 2,1
    set title "VIDEO A"
    plot f using ($1+35):($2+25) with lines lc rgb "red", f using ($1+35):($4+25) with lines lc rgb "red"
    set title "VIDEO B"
    plot f using ($1+35):($3+25) with lines lc rgb "red", f using ($1+35):($5+25) with lines lc rgb "red"
    unset multiplot
}
GP
hyperfine --warmup 1 --runs 5 --style basic --export-json times.json \
    -n gnuplot "gnuplot pictures.gp" \
    -n sorkam-export "$tool png r240.vid -r 0-239 --each sorkam" 2>&1 | grep -E "Time|Range|^Bench"
python3 - <<'PY'
import json
runs = {r["command"]: r["median"] for r in json.load(open("times.json"))["results"]}
g, s = runs["gnuplot"] / 240 * 1000, runs["sorkam-export"] / 240 * 1000
print(f"per picture: gnuplot {g:.2f} ms, sorkam-export {s:.2f} ms, {g / s:.1f}x (target 3x)")
PY
echo "average file size: gnuplot $(( $(du -sb gnuplot | cut -f1) / 240 )) bytes," \
     "sorkam-export $(( $(du -sb sorkam | cut -f1) / 240 )) bytes"
