#!/usr/bin/env bash
# The long fuzzing run, not part of CI: builds the fuzzers (clang, AddressSanitizer), seeds
# each from the shared test files and runs a million executions of each, then prints the
# executions, seconds and findings per target. Findings (crash-, leak-, oom-, timeout- files)
# stay in the output folder to become regression tests.
#
# Usage: scripts/fuzz-deep.sh [TARGET...]   (default: every reader and the dance)
# Environment: RUNS (default 1000000), OUT (default build-fuzz/deep), SHARED (the shared
# test files, default ../shared/testdata), CLI (a zelvane-cli to make .zlvm seeds with,
# default build/src/cli/zelvane-cli), JOBS (build jobs, default 2).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
runs="${RUNS:-1000000}"
out="${OUT:-$root/build-fuzz/deep}"
shared="${SHARED:-$root/../shared/testdata}"
cli="${CLI:-$root/build/src/cli/zelvane-cli}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(zlvm dwi stepmania clipboard vmd pmd pmx dance)

echo "== building the fuzzers"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVANE_BUILD_FUZZERS=ON -DZELVANE_BUILD_TESTS=OFF \
    -DZELVANE_BUILD_BENCH=OFF -DZELVANE_BUILD_MEDIA=OFF -DZELVANE_BUILD_RENDER=OFF \
    -DZELVANE_BUILD_APP=OFF >/dev/null
build_targets=("${targets[@]/#/fuzz_}")
[[ " ${targets[*]} " == *" pmx "* ]] && build_targets+=(make_pmx_seeds)
cmake --build "$root/build-fuzz" -j"${JOBS:-2}" --target "${build_targets[@]}"

# Seeds: the shared files of each kind, documents converted from the shared charts, and a few
# hand-made byte strings for the formats nobody ships files of.
seed() {
    local target="$1" dir="$out/seeds/$1"
    rm -rf "$dir"
    mkdir -p "$dir"
    case "$target" in
    dwi) cp "$shared"/dwi/*.dwi "$dir"/ ;;
    stepmania) "$root/scripts/seed-stepmania.sh" "$shared" "$dir" ;;
    vmd) find "$shared" -name '*.vmd' -exec cp {} "$dir"/ \; ;;
    pmd)
        # The shared model and the project's small mannequin, which has every section and is
        # posed whole by the target.
        find "$shared" -name '*.pmd' -exec cp {} "$dir"/ \;
        cp "$root/resources/mannequin/mannequin.pmd" "$dir"/
        ;;
    pmx)
        # Nobody ships PMX files beside the project: the tests' small model in every
        # layout, and the mannequin converted.
        "$root/build-fuzz/fuzz/make_pmx_seeds" "$dir" "$root/resources/mannequin/mannequin.pmd"
        ;;
    zlvm)
        if [ -x "$cli" ]; then
            for chart in "$shared"/dwi/*.dwi; do
                "$cli" convert "$chart" "$dir/$(basename "${chart%.dwi}").zlvm" 2>/dev/null || true
            done
        else
            echo "no $cli: the document fuzzer starts without seeds" >&2
        fi
        ;;
    clipboard)
        # Two notes as a note list (count, then clock, panel, length each), and a clock range
        # (start, length, count) of one note held for a beat.
        printf '\x02\x00\x00\x00''\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00''\x18\x00\x00\x00\x02\x00\x00\x00\x00\x00' >"$dir/list"
        printf '\xc0\x00\x00\x00\xc0\x00\x00\x00\x01\x00\x00\x00''\xc0\x00\x00\x00\x03\x00\x30\x00\x00\x00' >"$dir/range"
        ;;
    dance)
        # Style, tempo, flags, then per note: clock (two bytes), panel, length code. SINGLE at
        # 150 BPM with a jump and a freeze; DOUBLE at 180 crossing the pads.
        printf '\x00\x03\x01''\x00\x00\x00\x00''\x00\x00\x03\x00''\x18\x00\x01\x00''\x30\x00\x02\xd0' >"$dir/single"
        printf '\x01\x04\x03''\x00\x00\x00\x00''\x18\x00\x05\x00''\x30\x00\x07\x00''\x48\x00\x02\x00' >"$dir/double"
        ;;
    esac
}

declare -a report
for target in "${targets[@]}"; do
    fuzzer="$root/build-fuzz/fuzz/fuzz_$target"
    [ -x "$fuzzer" ] || { report+=("$target: not built"); continue; }
    seed "$target"
    corpus="$out/corpus/$target"
    findings="$out/findings/$target"
    mkdir -p "$corpus" "$findings"
    log="$out/$target.log"
    # A large model costs milliseconds a run; inputs of up to 64 KB keep the PMD target fast
    # while the mannequin still reaches every section (the shared model is cut short there,
    # which exercises the refusals).
    max_len=()
    [ "$target" = pmd ] && max_len=(-max_len=65536)
    echo "== $target: $runs executions (log: $log)"
    start=$(date +%s.%N)
    "$fuzzer" -runs="$runs" -rss_limit_mb=2048 -print_final_stats=1 "${max_len[@]}" \
        -artifact_prefix="$findings/" "$corpus" "$out/seeds/$target" >"$log" 2>&1 || true
    end=$(date +%s.%N)
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    found=$(find "$findings" -type f | wc -l)
    report+=("$(printf '%-10s %10s executions %8.1f s %3d findings' "$target" "${executions:-?}" \
        "$(echo "$end - $start" | bc)" "$found")")
done

echo "== results"
printf '%s\n' "${report[@]}"
