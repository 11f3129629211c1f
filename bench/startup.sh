#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# What the game costs at start-up and at rest, beside the floor every Qt Widgets program pays
# (bench/floor.cpp): for each run, the time from exec to the first frame painted into the main
# window (bench/firstframe.cpp watches the X server's DAMAGE reports from outside), the resident
# and proportional memory (Rss, Pss of /proc/PID/smaps_rollup) after one idle second, and the CPU
# time (utime + stime of /proc/PID/stat) used during the next three idle seconds and, before
# them, from exec to the end of the first idle second. Both programs run alternately on a
# private Xvfb, after one unmeasured warm-up run each; the medians and the game/floor ratios are
# printed at the end.
# Usage: bench/startup.sh [runs]      (runs of each program; 15 by default)
set -euo pipefail
source "$(dirname "$0")/lib.sh"

runs=${1:-15}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }

ensure_packages "${build_packages[@]}" xvfb xauth pkgconf libxcb1-dev libxcb-damage0-dev

build_and_start_xvfb

ticks=$(getconf CLK_TCK)

smaps_kb() {
    awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/smaps_rollup"
}

# One run: prints "first-frame-ms rss-kB pss-kB idle-cpu-ms start-up-cpu-ms".
measure() {
    local rss pss cpu0 cpu1
    start_watched 300 "$1"
    sleep 1
    rss=$(smaps_kb "$pid" Rss)
    pss=$(smaps_kb "$pid" Pss)
    cpu0=$(cpu_ticks "$pid")
    sleep 3
    cpu1=$(cpu_ticks "$pid")
    kill "$pid"
    wait "$watcher" || true
    pids=("$xvfb_pid")
    echo "$ms $rss $pss $(((cpu1 - cpu0) * 1000 / ticks)) $((cpu0 * 1000 / ticks))"
}

game="$build/tavlin"
floor="$build/bench/tavlin_floor"
measure "$game" >/dev/null
measure "$floor" >/dev/null
# Each run's figures go to stderr as they come, so that the spread behind the medians shows.
echo "run: game, then floor: first-frame-ms rss-kB pss-kB idle-cpu-ms start-up-cpu-ms" >&2
for ((i = 1; i <= runs; i++)); do
    measure "$game" >>"$workdir/game"
    measure "$floor" >>"$workdir/floor"
    echo "$i: $(tail -n 1 "$workdir/game")   $(tail -n 1 "$workdir/floor")" >&2
done

column_median() { awk -v c="$2" '{ print $c }' "$workdir/$1" | median; }

printf '%-34s %10s %10s %10s\n' "median of $runs runs" game floor game/floor
report() {
    local name=$1 column=$2 scale=$3 g f
    g=$(column_median game "$column")
    f=$(column_median floor "$column")
    awk -v n="$name" -v g="$g" -v f="$f" -v s="$scale" 'BEGIN {
        r = (f > 0) ? sprintf("%.2f", g / f) : "-"
        printf "%-34s %10.1f %10.1f %10s\n", n, g / s, f / s, r
    }'
}
report "first frame after exec (ms)" 1 1
report "resident memory, Rss (MiB)" 2 1024
report "proportional memory, Pss (MiB)" 3 1024
report "CPU in 3 idle seconds (ms)" 4 1
report "CPU from exec to 1 s idle (ms)" 5 1
echo "(CPU times are counted in clock ticks of $((1000 / ticks)) ms.)"
