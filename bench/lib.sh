# SPDX-FileCopyrightText: 2026 Kelmar Games
# SPDX-License-Identifier: MIT

# What the start-up benchmarks share: the Release build of the game, the bare window and the
# first-frame watcher, run on a private Xvfb; a process's CPU time; a program started under the
# watcher; and the median of a column of numbers.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"

build_and_start_xvfb() {
    build="$root/build/bench"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAVLIN_BENCH=ON -DBUILD_TESTING=OFF \
        >/dev/null
    cmake --build "$build" -j"$(jobs)" --target tavlin tavlin_floor firstframe >/dev/null
    source "$root/scripts/lib/xvfb.sh"
    start_xvfb
    export QT_QPA_PLATFORM=xcb
}

# utime + stime in clock ticks; the fields are counted after the command name's closing bracket.
cpu_ticks() {
    local stat
    stat=$(<"/proc/$1/stat")
    stat=${stat##*) }
    awk '{ print $12 + $13 }' <<<"$stat"
}

# Runs a command under bench/firstframe and waits up to $1 tenths of a second for its first
# frame; sets pid (the program's) and ms (exec to first frame), and watcher.
start_watched() {
    local tenths=$1 out="$workdir/firstframe.out" rest
    shift
    : >"$out"
    "$build/bench/firstframe" "$@" >"$out" 2>"$workdir/watched.log" &
    watcher=$!
    pids=("$xvfb_pid" "$watcher")
    for _ in $(seq "$tenths"); do
        [ -s "$out" ] && break
        kill -0 "$watcher" 2>/dev/null || break
        sleep 0.1
    done
    read -r pid ms rest <"$out" || {
        echo "no first frame from $*:" >&2
        cat "$workdir/watched.log" >&2
        exit 1
    }
    pids=("$xvfb_pid" "$pid" "$watcher")
}

median() {
    sort -g | awk '{ v[NR] = $1 }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
