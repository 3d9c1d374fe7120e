#!/usr/bin/env bash
# Runs every libFuzzer binary of a fuzz build tree for the given seconds and prints
# per target the inputs run and the crashes found (hangs and leaks count as crashes).
#   tests/fuzz/run-fuzzers.sh <build-dir> <seconds> [target...]
# The committed corpus/<target>/ seeds each run; what libFuzzer learns is kept in
# <build-dir>/fuzz-corpus/<target>/. A new crashing input is copied to corpus/<target>/
# for committing with its fix (or to known-failures/<target>/ while it still fails).
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 <build-dir> <seconds> [target...]" >&2; exit 2; }
build=$(cd "$1" && pwd)
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
supp=$here/../sanitizer

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for dir in "$here"/corpus/*/; do
        targets+=("$(basename "$dir")")
    done
fi

# The stores write (and sync) their files for every input: on a RAM disk that is
# ten times faster. The scratch folders and libFuzzer's own go to TMPDIR.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

# The same bug reached by many inputs would flood the corpus: keep a few, smallest first.
keep=3
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$supp/ubsan.supp"

total=0
report=()
for target in "${targets[@]}"; do
    binary=$build/tests/fuzz/fuzz_$target
    if [ ! -x "$binary" ]; then
        echo "No fuzz binary for $target: $binary" >&2
        exit 1
    fi
    seeds=$here/corpus/$target
    work=$build/fuzz-corpus/$target
    artifacts=$build/fuzz-artifacts/$target
    log=$build/fuzz-logs/$target.log
    rm -rf "$artifacts"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"

    # The search targets enforce their one second themselves, with a message;
    # libFuzzer's timeout is the backstop for a hang anywhere else.
    timeout=10
    case "$target" in searchengine | markdownsearcher) timeout=5 ;; esac
    options=(-max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 -max_len=8192
             -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1
             -artifact_prefix="$artifacts/" -print_final_stats=1)
    [ -f "$here/dict/$target.dict" ] && options+=(-dict="$here/dict/$target.dict")

    echo "== $target: ${seconds}s (log: $log)"
    "$binary" "${options[@]}" "$work" "$seeds" >"$log" 2>&1 || true

    # Fork mode reports "#<runs>: cov: ... oom/timeout/crash: a/b/c ...".
    status=$(grep -E '^#[0-9]+: cov:' "$log" | tail -n 1 || true)
    runs=$(sed -E 's/^#([0-9]+):.*/\1/' <<<"$status")
    failures=$(sed -nE 's#.*oom/timeout/crash: ([0-9]+)/([0-9]+)/([0-9]+).*#\1 \2 \3#p' <<<"$status")
    read -r ooms timeouts crashes <<<"${failures:-0 0 0}"
    found=$((ooms + timeouts + crashes))
    # A seed that fails while the corpus is first read leaves a file but no count.
    written=$(find "$artifacts" -type f | wc -l)
    [ "$written" -gt "$found" ] && found=$written

    saved=()
    while IFS= read -r file; do
        [ -n "$file" ] || continue
        cp "$file" "$seeds/"
        saved+=("tests/fuzz/corpus/$target/$(basename "$file")")
    done < <(find "$artifacts" -type f -printf '%s %p\n' | sort -n | head -n "$keep" | cut -d' ' -f2-)

    if [ -z "$status" ]; then
        # No status line: the binary stopped before fuzzing (a bad option or dictionary).
        line=$(printf '%-18s did not run: %s' "$target" "$(tail -n 1 "$log")")
        echo "$line"
        report+=("$line")
        total=$((total + 1))
        continue
    fi
    line=$(printf '%-18s runs: %10s  crashes: %s' "$target" "$runs" "$found")
    [ "$found" -gt 0 ] && line+=" (oom $ooms, timeout $timeouts, crash $crashes)"
    echo "$line"
    report+=("$line")
    # What broke, as the jobs reported it (libFuzzer echoes their ERROR lines).
    while IFS= read -r reason; do
        echo "   $reason"
        report+=("   $reason")
    done < <(grep -hoE '(FUZZ PROPERTY BROKEN|ERROR: (AddressSanitizer|LeakSanitizer)|runtime error).{0,160}' "$log" |
             sort | uniq -c | sort -rn | head -n 3 | sed -E 's/^ *([0-9]+) /\1x /')
    for file in "${saved[@]}"; do
        echo "   saved $file"
        report+=("   saved $file")
    done
    total=$((total + found))
done

echo
echo "Fuzzing summary (${seconds}s per target):"
printf '%s\n' "${report[@]}"
if [ "$total" -gt 0 ]; then
    echo "Crashing inputs (if any) were saved under tests/fuzz/corpus/: fix and commit them, or move"
    echo "them to tests/fuzz/known-failures/<target>/ while they still fail. Logs: $build/fuzz-logs/"
    exit 1
fi
