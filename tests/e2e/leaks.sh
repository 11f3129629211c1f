#!/usr/bin/env bash
# The real program started on a private X server and closed through its own menu (Alt+G, X:
# Game > Exit, so that it ends normally), with its heap checked at exit: by LeakSanitizer in the
# sanitizer build, by valgrind in any other. Fails on any lost block whose allocation stack
# passes through the program's own code. Leaks wholly inside system libraries are suppressed
# (leaks-*.supp, each entry explained) or, when new, shown without failing.
# Usage: leaks.sh lsan|valgrind PATH-TO-GAME SOURCE-DIR
source "$(dirname "$0")/lib.sh"
checker=$1
game=$2
sources=$3
here=$(cd "$(dirname "$0")" && pwd)
log="$workdir/heap.log"

case $checker in
lsan)
    # A build without the sanitizers would pass here without having checked anything.
    ldd "$game" | grep libasan >/dev/null || fail "$game is not built with the sanitizers"
    # The slow unwinder sees through the system libraries, built without frame pointers, so
    # that a leak made under the program's own frames shows them.
    export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=50:exitcode=23
    export LSAN_OPTIONS="suppressions=$here/leaks-lsan.supp:print_suppressions=1"
    run=("$game")
    ;;
valgrind)
    command -v valgrind >/dev/null || { echo "SKIP: valgrind is not installed"; exit 77; }
    if ldd "$game" | grep libasan >/dev/null; then
        echo "SKIP: valgrind cannot run a sanitizer build"
        exit 77
    fi
    run=(valgrind --leak-check=full --show-leak-kinds=definite --num-callers=50
         --child-silent-after-fork=yes --suppressions="$here/leaks-valgrind.supp" "$game")
    ;;
*)
    fail "unknown leak checker: $checker"
    ;;
esac

start_xvfb
QT_QPA_PLATFORM=xcb "${run[@]}" 2>"$log" &
game_pid=$!
pids+=("$game_pid")
wid=$(timeout 120 xdotool search --all --sync --onlyvisible --pid "$game_pid" \
    --name '^Tavlin Solitaire$' | head -n 1) || fail "no window appeared"
sleep 0.5

xdotool windowfocus --sync "$wid"
xdotool key alt+g
sleep 0.3
xdotool key x
await_exit "$game_pid" 120 "the program did not end after Game > Exit"
status=0
wait "$game_pid" || status=$?

case $checker in
lsan)
    # 23 is LeakSanitizer's own status: leaks were found, to be judged below.
    if [ "$status" -ne 0 ] && [ "$status" -ne 23 ]; then
        cat "$log" >&2
        fail "the program ended with status $status"
    fi
    if [ "$status" -eq 23 ] && ! grep -q 'ERROR: LeakSanitizer' "$log"; then
        cat "$log" >&2
        fail "the program ended with status 23 without a leak report"
    fi
    ;;
valgrind)
    [ "$status" -eq 0 ] || { cat "$log" >&2; fail "the program ended with status $status"; }
    grep -q 'HEAP SUMMARY' "$log" || { cat "$log" >&2; fail "valgrind made no heap summary"; }
    ;;
esac

# Each lost block is a paragraph of stack lines; print those whose frames name the program's own
# code, then count them all. LeakSanitizer files a lost cycle wholly under indirect leaks, and
# every QObject makes one with its private part, so in its report both kinds count; valgrind
# breaks cycles and names one block of each as definitely lost.
report=$(awk -v sources="$sources/" '
    function finish() {
        if (inBlock) {
            total++
            if (ours) { mine++; printf "%s\n\n", block }
        }
        inBlock = 0; ours = 0; block = ""
    }
    /^(Direct|Indirect) leak of / || /are definitely lost in loss record/ { finish(); inBlock = 1 }
    /^$/ || /^==[0-9]+== *$/ { finish(); next }
    inBlock {
        block = block "\n" $0
        if (index($0, "tavlin::") || index($0, sources)) ours = 1
    }
    END { finish(); printf "%d %d\n", total, mine }
' "$log")
counts=$(tail -n 1 <<<"$report")
read -r total mine <<<"$counts"
if [ "$mine" -gt 0 ]; then
    head -n -1 <<<"$report" >&2
    fail "$mine leak(s) made by the program's own code"
fi
if [ "$total" -gt 0 ]; then
    echo "note: $total leak(s) inside system libraries, not suppressed:"
    cat "$log"
fi
grep -A6 'Suppressions used' "$log" || grep -E 'definitely lost:|suppressed:' "$log" || true
echo "passed: no leak from the program's code ($checker)"
