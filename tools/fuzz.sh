#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset, clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time on a copy of its
# seed corpus in a temporary directory; the repository is never written to.
# Any crash, sanitizer report, broken rule, leak or time-out fails the script.
#
#   bash tools/fuzz.sh [seconds-per-target [target...]]
#
# The default is 20 seconds per target and every target in fuzz/. What a run
# finds is kept under the temporary directory it prints.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "fuzz.sh: seconds per target must be a whole number above 0, not '$seconds'" >&2
    exit 2
fi

if (($#)); then
    targets=("$@")
else
    targets=()
    for source in fuzz/fuzz_*.cpp; do
        name=${source##*/}
        targets+=("${name%.cpp}")
    done
fi

command -v clang++ >/dev/null || {
    echo "fuzz.sh: clang++ is missing; run tools/install-deps.sh" >&2
    exit 2
}

jobs=$(nproc 2>/dev/null || echo 2)
echo "=== fuzz ==="
cmake --preset fuzz
cmake --build --preset fuzz --parallel "$jobs"

work=$(mktemp -d "${TMPDIR:-/tmp}/meterwin-fuzz.XXXXXX")
failed=()
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

for target in "${targets[@]}"; do
    binary=build/fuzz/fuzz/$target
    seeds=fuzz/corpus/$target
    if [[ ! -x $binary || ! -d $seeds ]]; then
        echo "fuzz.sh: no target '$target' (wanted $binary and $seeds)" >&2
        failed+=("$target")
        continue
    fi
    corpus=$work/corpus/$target
    mkdir -p "$corpus" "$work/findings"
    cp -R "$seeds/." "$corpus/"
    options=(-max_total_time="$seconds" -timeout=25 -print_final_stats=1
        -artifact_prefix="$work/findings/$target-")
    # Words of the input format (month names, currency symbols) speed the search.
    [[ -f fuzz/$target.dict ]] && options+=(-dict="$PWD/fuzz/$target.dict")
    echo "--- $target: $seconds s on $(find "$corpus" -type f | wc -l) seed inputs"
    # Run from the work directory so that nothing libFuzzer writes lands here.
    if (cd "$work" && "$OLDPWD/$binary" "${options[@]}" "$corpus") >"$work/$target.out" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$work/$target.out" || true
    else
        tail -n 60 "$work/$target.out"
        failed+=("$target")
    fi
done

if ((${#failed[@]})); then
    echo "fuzz.sh: findings or failures in: ${failed[*]}" >&2
    echo "fuzz.sh: logs and the inputs that failed are in $work" >&2
    echo "fuzz.sh: rerun one with build/fuzz/fuzz/<target> <input>" >&2
    exit 1
fi
rm -rf "$work"
echo "fuzz: every target ran without a finding"
