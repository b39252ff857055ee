#!/usr/bin/env bash
# sorkam-export's figures: start-up of --version and info beside /bin/true and a do-nothing C++
# program, svg, pdf and png --legend of 24 records, one record's png of a view against the plain one, time to info's first lines on a 5 GiB sparse file, peak memory of csv over 1,000 and
# 10,000 records and of png --each at scale 4, one record's picture against gnuplot's, and png
# --each against one gnuplot process drawing the same 240 records, and one record's svg and pdf
# against gnuplot's svg and pdfcairo terminals (gnuplot-nox is only this
# benchmark's peer; without it those figures are skipped), and rank and png --density over
# 100,008 records.
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

echo "== start-up, whole process, each beside its peers in the same minute (no shell between)"
printf '#include <string>\nint main(int n, char**) { return std::string(n, 0).size() > 9; }\n' >nothing.cpp
g++ -O2 -Wl,-z,relro -Wl,-z,now nothing.cpp -o nothing
hyperfine -N --warmup 5 --runs 50 --style basic --export-json startup.json \
    -n /bin/true "/bin/true" -n "do-nothing C++ (libstdc++ loaded)" "./nothing" \
    -n "sorkam-export --version" "$tool --version" -n "sorkam-export info" "$tool info demo.vid" 2>&1 | grep -E "Time|^Bench"
python3 - <<'PY'
import json
runs = {r["command"]: r["median"] for r in json.load(open("startup.json"))["results"]}
t = runs["/bin/true"]
for name, target in (("do-nothing C++ (libstdc++ loaded)", None), ("sorkam-export --version", 2), ("sorkam-export info", 3)):
    goal = f" (target {target}x)" if target else ""
    print(f"{name}: {runs[name] * 1000:.2f} ms, {runs[name] / t:.1f}x /bin/true{goal}")
PY

echo "== pictures of a view, 24 records, whole process (svg and pdf: target 50 ms; SVG under 500 KB)"
hyperfine -N --warmup 3 --runs 30 --style basic \
    -n svg "$tool svg demo.vid -r 0-23 -o view.svg" \
    -n pdf "$tool pdf demo.vid -r 0-23 -o view.pdf" \
    -n "png --legend" "$tool png demo.vid -r 0-23 -o view.png --legend" 2>&1 | grep -E "Time|^Bench"
for f in view.svg view.pdf view.png; do echo "$f: $(stat -c %s "$f") bytes"; done
echo "== one record's png of a view (legend, zoomed range, cursors) against the plain one: target 2x"
hyperfine -N --warmup 3 --runs 30 --style basic --export-json decorated.json \
    -n plain "$tool png demo.vid -r 0 -o plain.png" \
    -n view "$tool png demo.vid -r 0 --legend --range 100-600 --cursors 200,300 -o view.png" \
    2>&1 | grep -E "Time|^Bench"
python3 - <<'PY'
import json
runs = {r["command"]: r["median"] * 1000 for r in json.load(open("decorated.json"))["results"]}
print(f"view {runs['view']:.1f} ms, plain {runs['plain']:.1f} ms: "
      f"{runs['view'] / runs['plain']:.2f}x (target 2x)")
PY

echo "== info: time to the first three lines (length, records) on a 5 GiB sparse file"
hyperfine --warmup 3 --runs 20 --style basic "$tool info sparse.vid | head -n 3 >/dev/null" \
    2>&1 | grep -E "Time|Range"

echo "== csv: peak memory (maximum resident set)"
for file in r1008.vid r10008.vid; do
    records=$(( $(stat -c %s "$file") / 5024 ))
    /usr/bin/time -f "$records records: %M KB, %e s" "$tool" csv "$file" -r "0-$((records - 1))" -o /dev/null
done

echo "== rank over 100,008 records (502 MB, in the page cache): target 0.5 s and 64 MB"
repeat 4167 r100008.vid
cat r100008.vid >/dev/null
hyperfine -N --warmup 1 --runs 10 --style basic \
    -n "rank --top 10" "$tool rank r100008.vid --against 0 --top 10 -o top.csv" \
    -n "rank, every record" "$tool rank r100008.vid --against 0 -o all.csv" 2>&1 | grep -E "Time|^Bench"
/usr/bin/time -f "rank --top 10: %M KB" "$tool" rank r100008.vid --against 0 --top 10 -o top.csv
/usr/bin/time -f "rank, every record: %M KB" "$tool" rank r100008.vid --against 0 -o all.csv
echo "== png --density of the same 100,008 records, whole process, 2 cores: target 1 s, flat memory"
hyperfine -N --warmup 1 --runs 5 --style basic \
    -n "png --density" "$tool png r100008.vid --density -o density.png" 2>&1 | grep -E "Time|^Bench"
/usr/bin/time -f "png --density, 100,008 records: %M KB" "$tool" png r100008.vid --density -o density.png
/usr/bin/time -f "png --density, 24 records: %M KB" "$tool" png demo.vid --density -o density.png
rm r100008.vid

echo "== png --each --scale 4 of 240 records: peak memory, whatever the number of cores"
/usr/bin/time -f "%M KB, %e s" "$tool" png r240.vid -r all --scale 4 --each scale4

echo "== png --each: 240 records, sorkam-export against one gnuplot process"
if ! command -v gnuplot >/dev/null; then
    echo "skipped: gnuplot is not installed (apt-get install gnuplot-nox)"
    exit 0
fi
# gnuplot's input, made before the clock starts: each record's samples 0..801 as columns.
"$tool" csv r240.vid -r 0-239 | awk -F, 'NR > 1 && $4 < 802 {
    print $4, $5, $6, $7, $8 > sprintf("r%03d.dat", $1) }'
mkdir -p gnuplot sorkam
# The same picture for gnuplot: the chart's size and scale, both plots' two traces. The
# pictures' script writes one per record; the other only record 0's, a process each.
gnuplotPicture() { # OUTPUT DATA
    cat <<GP
set output $1
f = $2
set multiplot layout 2,1
set title "VIDEO A"
plot f using (\$1+35):(\$2+25) with lines lc rgb "red", f using (\$1+35):(\$4+25) with lines lc rgb "red"
set title "VIDEO B"
plot f using (\$1+35):(\$3+25) with lines lc rgb "red", f using (\$1+35):(\$5+25) with lines lc rgb "red"
unset multiplot
GP
}
preamble='set terminal png size 755,538
set grid
set xrange [0:935]
set yrange [0:315]
unset key'
{
    echo "$preamble"
    echo 'do for [r=0:239] {'
    gnuplotPicture 'sprintf("gnuplot/%03d.png", r)' 'sprintf("r%03d.dat", r)'
    echo '}'
} > pictures.gp
{
    echo "$preamble"
    gnuplotPicture '"one-gnuplot.png"' '"r000.dat"'
} > one.gp
hyperfine -N --warmup 3 --runs 30 --style basic --export-json one.json \
    -n gnuplot "gnuplot one.gp" -n sorkam-export "$tool png r240.vid -r 0 -o one.png" 2>&1 |
    grep -E "Time|^Bench"
python3 - <<'PY'
import json
runs = {r["command"]: r["median"] for r in json.load(open("one.json"))["results"]}
g, s = runs["gnuplot"] * 1000, runs["sorkam-export"] * 1000
print(f"one picture: gnuplot {g:.1f} ms, sorkam-export {s:.1f} ms, {g / s:.1f}x (target 3x)")
PY

# The same record as vectors: gnuplot's svg and pdfcairo terminals against svg and pdf.
for terminal in "svg size 755,538" "pdfcairo size 7.86in,5.6in"; do
    {
        echo "set terminal $terminal"
        echo "$preamble" | tail -n +2
        gnuplotPicture "\"one-gnuplot.${terminal%% *}\"" '"r000.dat"'
    } > "one-${terminal%% *}.gp"
done
hyperfine -N --warmup 3 --runs 30 --style basic --export-json vectors.json \
    -n "gnuplot svg" "gnuplot one-svg.gp" -n "sorkam-export svg" "$tool svg r240.vid -r 0 -o one.svg" \
    -n "gnuplot pdfcairo" "gnuplot one-pdfcairo.gp" \
    -n "sorkam-export pdf" "$tool pdf r240.vid -r 0 -o one.pdf" 2>&1 | grep -E "Time|^Bench"
python3 - <<'PY'
import json
runs = {r["command"]: r["median"] * 1000 for r in json.load(open("vectors.json"))["results"]}
for peer, ours in (("gnuplot svg", "sorkam-export svg"), ("gnuplot pdfcairo", "sorkam-export pdf")):
    print(f"one record: {peer} {runs[peer]:.1f} ms, {ours} {runs[ours]:.1f} ms, "
          f"{runs[peer] / runs[ours]:.1f}x (target 3x)")
PY

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
