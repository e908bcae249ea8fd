#!/usr/bin/env bash
# Builds one sanitised tree and runs the test suite in it.
#
#   tools/sanitize.sh build|test|all address [BUILD_DIR]   every test under AddressSanitizer + UBSan
#   tools/sanitize.sh build|test|all thread  [BUILD_DIR]   every test under ThreadSanitizer
#
# Each tree compiles its own JUCE once (cmake/Sanitizers.cmake instruments
# every target alike). Any report fails the run: ASan and TSan end the
# process on their first report, UBSan is made to.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: $0 build|test|all address|thread [BUILD_DIR]"
step=${1:?$usage}
kind=${2:?$usage}
supp="$root/tools/sanitizers"

case "$kind" in
    address)
        build_dir=${3:-"$root/build-asan"}
        sanitize="address,undefined"
        export ASAN_OPTIONS="detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:detect_leaks=1"
        export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
        export UBSAN_OPTIONS="suppressions=$supp/ubsan.supp:halt_on_error=1:print_stacktrace=1"
        ;;
    thread)
        build_dir=${3:-"$root/build-tsan"}
        sanitize="thread"
        export TSAN_OPTIONS="suppressions=$supp/tsan.supp:halt_on_error=1:second_deadlock_stack=1"
        ;;
    *)
        echo "unknown sanitizer '$kind': expected address or thread" >&2
        exit 2
        ;;
esac

if [[ "$step" == build || "$step" == all ]]; then
    "$root/tools/build.sh" "$build_dir" -DKICK_SANITIZE="$sanitize" -DKICK_BUILD_BENCHMARKS=OFF
fi
if [[ "$step" == test || "$step" == all ]]; then
    cd "$build_dir"
    ctest --output-on-failure --parallel "$(nproc)" --timeout 600
fi
