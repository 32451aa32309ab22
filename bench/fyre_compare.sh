#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Peter de Jong at 600 x 600 drawn by fyre (a peer renderer of the map, Debian
# package `fyre`) and by morvane-render with every core, hit count, the same
# a, b, c, d and about the same number of points; prints both rates and the
# ratio; then --fast on one thread against fyre. Skipped, with a message,
# where fyre or the renderer is missing.
#
#   bash bench/fyre_compare.sh [BUILD_DIR]     (QUALITY=10 sets fyre's length)
set -euo pipefail

build=${1:-build}
render=$build/morvane-render
quality=${QUALITY:-10}
a=1.4 b=-2.3 c=2.4 d=-2.1

if ! command -v fyre >/dev/null; then
    echo "fyre comparison skipped: fyre is not installed (apt-get install fyre)"
    exit 0
fi
if [ ! -x /usr/bin/time ]; then
    echo "fyre comparison skipped: /usr/bin/time is missing (apt-get install time)"
    exit 0
fi
if [ ! -x "$render" ]; then
    echo "fyre comparison skipped: $render is not built"
    exit 0
fi

cores=$(nproc)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
load=$(cut -d' ' -f1 /proc/loadavg)

# fyre stops at a quality, not at a point count. Its status lines carry the
# percentage done, the points so far and its own points per second (wall
# time); the peak density it measures grows in step with the points, so the
# last line's points scaled by its percentage give the total.
/usr/bin/time -f '%e %U %S' -o "$tmp/fyre.time" \
    fyre -o "$tmp/fyre.png" -s 600 -q "$quality" \
    -p "a=$a" -p "b=$b" -p "c=$c" -p "d=$d" >"$tmp/fyre.out" 2>&1
read -r fyre_pct fyre_seen fyre_rate < <(tr '\r' '\n' <"$tmp/fyre.out" |
    awk '/\/sec/ { p = $1; n = $2; r = $3 } END { sub("%", "", p); sub("/sec", "", r); print p, n, r }')
if [ -z "${fyre_rate:-}" ]; then
    echo "fyre comparison skipped: fyre printed no progress (raise QUALITY)"
    exit 0
fi
points=$(awk -v n="$fyre_seen" -v p="$fyre_pct" 'BEGIN { printf "%.0f", n * 100 / p }')
read -r fyre_wall fyre_user fyre_sys <"$tmp/fyre.time"

/usr/bin/time -f '%e %U %S' -o "$tmp/ours.time" \
    "$render" --type 6 --res 600 --set method=3 \
    --set "p.a=$a" --set "p.b=$b" --set "p.c=$c" --set "p.d=$d" \
    --iterations "$points" --orbits 8 --threads "$cores" -o "$tmp/ours.png" >"$tmp/ours.out" 2>"$tmp/ours.err"
ours_rate=$(sed -n 's/.*(\([0-9.]*\) per second).*/\1/p' "$tmp/ours.out")
read -r ours_wall ours_user ours_sys <"$tmp/ours.time"

awk -v fr="$fyre_rate" -v fu="$fyre_user" -v fs="$fyre_sys" -v fw="$fyre_wall" \
    -v orate="$ours_rate" -v ou="$ours_user" -v os="$ours_sys" -v ow="$ours_wall" \
    -v n="$points" -v cores="$cores" -v load="$load" \
    -v a="$a" -v b="$b" -v c="$c" -v d="$d" 'BEGIN {
    fc = n / (fu + fs); oc = n / (ou + os)
    printf "Peter de Jong a=%s b=%s c=%s d=%s, 600 x 600, hit count, %.3g points, %d cores (load %s)\n",
        a, b, c, d, n, cores, load
    printf "  fyre            %6.1f M points/s (%.1f s), %6.1f M per processor-second\n",
        fr / 1e6, fw, fc / 1e6
    printf "  morvane-render  %6.1f M points/s (%.1f s), %6.1f M per processor-second  (--orbits 8 --threads %d)\n",
        orate / 1e6, ow, oc / 1e6, cores
    printf "  ours / fyre     %6.2f (target at least 1.5), per processor-second %.2f\n", orate / fr, oc / fc
}'

# --fast on one thread (fyre draws on one thread), 64 orbits in vector lanes.
/usr/bin/time -f '%e %U %S' -o "$tmp/fast.time" \
    "$render" --type 6 --res 600 --set method=3 \
    --set "p.a=$a" --set "p.b=$b" --set "p.c=$c" --set "p.d=$d" \
    --iterations "$points" --orbits 64 --fast --threads 1 -o "$tmp/fast.png" >"$tmp/fast.out" 2>"$tmp/fast.err"
read -r fast_wall fast_user fast_sys <"$tmp/fast.time"
awk -v fu="$fyre_user" -v fs="$fyre_sys" -v qu="$fast_user" -v qs="$fast_sys" -v qw="$fast_wall" \
    -v n="$points" 'BEGIN {
    fc = n / (fu + fs); qc = n / (qu + qs)
    printf "  --fast, 1 thread %6.1f M per processor-second (%.1f s)  (--orbits 64 --threads 1)\n", qc / 1e6, qw
    printf "  --fast / fyre    per processor-second %.2f (target at least 3)\n", qc / fc
}'
