#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# What the game's start-up costs in instructions, beside the floor every Qt Widgets program pays
# (bench/floor.cpp). Milliseconds wander with the machine's load; an instruction count does not,
# so a change too small to show in bench/startup.sh still shows here. Each program runs under
# callgrind on a private Xvfb from exec until it is idle: its first frame has been painted
# (bench/firstframe.cpp watches for it) and it has then used no CPU for a whole second. It is
# then stopped by its PID with SIGTERM, which Qt leaves to the default action, so callgrind
# writes its counts without any shutdown code being counted. The medians of the instruction
# totals and their ratio are printed, and then the functions whose inclusive cost in the game
# lies furthest above the floor's (of the last run of each), to show where the difference goes.
# Usage: bench/instructions.sh [runs] [functions]   (runs of each program, 3 by default; functions
#                                                   listed, 25 by default, 0 for none)
# With CALLGRIND_KEEP=DIR the last run's callgrind.game and callgrind.floor are copied to DIR, for
# callgrind_annotate --tree=calling or KCachegrind.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

runs=${1:-3}
top=${2:-25}
[[ $runs =~ ^[1-9][0-9]*$ && $top =~ ^[0-9]+$ ]] || {
    echo "usage: $0 [runs] [functions]" >&2
    exit 2
}

ensure_packages "${build_packages[@]}" valgrind xvfb xauth pkgconf libxcb1-dev libxcb-damage0-dev

build_and_start_xvfb
# Qt seeds its hashes at random, which moves the count by thousands from run to run.
export QT_HASH_SEED=0

# One run of program $1 under callgrind, its counts written to $2; prints the instruction total.
measure() {
    local program=$1 out=$2 ticks last quiet
    # firstframe gives up after 30 s; callgrind is 20 to 50 times slower than the program alone.
    start_watched 400 valgrind --tool=callgrind --callgrind-out-file="$out" "$program"
    # Idle: ten samples in a row, a tenth of a second apart, without a clock tick of CPU.
    last=$(cpu_ticks "$pid")
    quiet=0
    for _ in $(seq 1200); do
        sleep 0.1
        ticks=$(cpu_ticks "$pid")
        if [ "$ticks" = "$last" ]; then
            quiet=$((quiet + 1))
            [ "$quiet" -ge 10 ] && break
        else
            quiet=0
            last=$ticks
        fi
    done
    [ "$quiet" -ge 10 ] || { echo "$program never came to rest" >&2; exit 1; }
    kill -TERM "$pid"
    wait "$watcher" || true
    pids=("$xvfb_pid")
    awk '$1 == "totals:" { print $2 }' "$out"
}

game="$build/tavlin"
floor="$build/bench/tavlin_floor"
# Unmeasured warm-up runs, so that font and shader caches are filled before the counts begin.
measure "$game" "$workdir/warmup.game" >/dev/null
measure "$floor" "$workdir/warmup.floor" >/dev/null
echo "run: instructions of the game, then of the floor" >&2
for ((i = 1; i <= runs; i++)); do
    measure "$game" "$workdir/callgrind.game" >>"$workdir/game"
    measure "$floor" "$workdir/callgrind.floor" >>"$workdir/floor"
    echo "$i: $(tail -n 1 "$workdir/game")   $(tail -n 1 "$workdir/floor")" >&2
done

g=$(median <"$workdir/game")
f=$(median <"$workdir/floor")
awk -v g="$g" -v f="$f" -v n="$runs" 'BEGIN {
    printf "%-34s %10s %10s %10s\n", "median of " n " runs", "game", "floor", "game/floor"
    printf "%-34s %10.2f %10.2f %10.2f\n", "instructions, exec to idle (M)", g / 1e6, f / 1e6, g / f
}'
[ "$top" -gt 0 ] || exit 0

# "count function" for every function, inclusive of what it calls; the same function can stand
# on several lines (one per object file), so they are added up.
inclusive() {
    callgrind_annotate --inclusive=yes --threshold=100 --show-percs=no --auto=no "$1" |
        awk 'found && NF >= 2 && $1 ~ /^[0-9,]+$/ {
                 count = $1; gsub(",", "", count)
                 sub(/^[ \t]*[0-9,]+[ \t]+/, ""); sub(/ \[[^]]*\]$/, ""); sub(/^\?\?\?:/, "")
                 cost[$0] += count
             }
             /^Ir +file:function/ { found = 1 }
             END { for (name in cost) print cost[name] "\t" name }'
}
if [ -n "${CALLGRIND_KEEP:-}" ]; then
    cp "$workdir/callgrind.game" "$workdir/callgrind.floor" "$CALLGRIND_KEEP"
fi
inclusive "$workdir/callgrind.game" >"$workdir/game.functions"
inclusive "$workdir/callgrind.floor" >"$workdir/floor.functions"
echo
echo "Functions furthest above the floor, inclusive (M instructions, last run of each; a function"
echo "that calls itself through others, as widget painting does, counts once for each level):"
printf '%10s %10s %10s  %s\n' game floor above function
# Anything above the program's own total is such a cycle counted over and over: left out.
total=$(tail -n 1 "$workdir/game")
awk -F '\t' -v total="$total" 'NR == FNR { floor[$2] = $1; next }
             { above = $1 - floor[$2]; if (above > 0 && $1 <= total) printf "%.3f\t%.3f\t%.3f\t%s\n",
                   $1 / 1e6, floor[$2] / 1e6, above / 1e6, $2 }' \
    "$workdir/floor.functions" "$workdir/game.functions" |
    sort -t "$(printf '\t')" -k3,3gr |
    awk -F '\t' -v top="$top" 'NR <= top {
        printf "%10.3f %10.3f %10.3f  %s\n", $1, $2, $3, substr($4, 1, 110) }'
