#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each for a
# bounded time, all at once, starting from the committed seed corpus.
#
#   tools/fuzz.sh build|run|all [BUILD_DIR]     FUZZ_SECONDS=60 by default
#
# Fails when any target finds a crash, a sanitizer report, a broken check, a
# leak or a slow input (a hang); the input that did it is kept in
# BUILD_DIR/fuzz-findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
step=${1:?"usage: $0 build|run|all [BUILD_DIR]"}
build_dir=${2:-"$root/build-fuzz"}
seconds=${FUZZ_SECONDS:-60}
targets=(saved_state parameter_text number_display controls_chunk audio_header)
# Inputs of up to 4 KB run in well under a millisecond, sanitisers included:
# one that takes 3 s is a hang (a reader looping on it), and fails the run.
default_options="-max_len=4096 -timeout=3"
# The saved state's reader takes texts of up to 65 KB, so its inputs reach past
# that from the start (from seeds near it) rather than growing there slowly.
# Near that limit the slowest shapes (thousands of distinct names, of elements or of
# character references, each input read three times) take up to 2.5 s in this
# instrumented build on a loaded machine: a hang is one that takes 20 s.
# Each target's dictionary holds the tokens its reader reacts to.
declare -A target_options=([saved_state]="-max_len=73728 -len_control=0 -timeout=20 -dict=$root/fuzz/saved_state.dict"
                           [audio_header]="$default_options -dict=$root/fuzz/audio_header.dict")

if [[ "$step" == build || "$step" == all ]]; then
    clang_version=22
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$root" -B "$build_dir" -G Ninja "${launcher[@]}" \
          -DCMAKE_C_COMPILER="clang-$clang_version" -DCMAKE_CXX_COMPILER="clang++-$clang_version" \
          -DKICK_SANITIZE=address,undefined -DKICK_FUZZ=ON \
          -DKICK_BUILD_TESTS=OFF -DKICK_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$build_dir" --target fuzzers --parallel "$(nproc)"
fi
[[ "$step" == run || "$step" == all ]] || exit 0

export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="suppressions=$root/tools/sanitizers/ubsan.supp:halt_on_error=1:print_stacktrace=1"

findings="$build_dir/fuzz-findings"
rm -rf "$findings"
mkdir -p "$findings"

pids=()
for target in "${targets[@]}"; do
    # New inputs go to a scratch corpus; the committed seeds are only read.
    work="$build_dir/fuzz-corpus/$target"
    mkdir -p "$work"
    read -ra options <<<"${target_options[$target]:-$default_options}"
    "$build_dir/fuzz/fuzz_$target" "$work" "$root/fuzz/corpus/$target" \
        -max_total_time="$seconds" -rss_limit_mb=2048 "${options[@]}" \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        >"$findings/$target.log" 2>&1 &
    pids+=($!)
done

failed=0
for i in "${!targets[@]}"; do
    if wait "${pids[$i]}"; then
        echo "fuzz_${targets[$i]}: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$findings/${targets[$i]}.log" | grep -o '[0-9]*$') runs, no finding"
    else
        failed=1
        echo "fuzz_${targets[$i]}: FINDING (log and input in $findings)" >&2
        tail -n 40 "$findings/${targets[$i]}.log" >&2
    fi
done
exit "$failed"
