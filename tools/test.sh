#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite, the suite
# again under AddressSanitizer + UBSan and under ThreadSanitizer, and each
# fuzz target for a bounded time. Fails on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" test

# The four build trees compile at once, so that their long JUCE compiles
# overlap; each one's output goes to a log shown only when it fails.
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
builds=(plain asan tsan fuzz)
# The plain tree may have been configured by tools/run.sh, without tests.
"$root/tools/build.sh" "$root/build" -DKICK_BUILD_TESTS=ON -DKICK_BUILD_BENCHMARKS=ON >"$logs/plain" 2>&1 &
"$root/tools/sanitize.sh" build address >"$logs/asan" 2>&1 &
"$root/tools/sanitize.sh" build thread >"$logs/tsan" 2>&1 &
"$root/tools/fuzz.sh" build >"$logs/fuzz" 2>&1 &
failed=0
for name in "${builds[@]}"; do
    if ! wait -n; then
        failed=1
    fi
done
if ((failed)); then
    for name in "${builds[@]}"; do
        grep -q -E 'FAILED|Error|error:' "$logs/$name" && { echo "== $name build"; tail -n 60 "$logs/$name"; }
    done
    exit 1
fi

# The runs follow one another, so that no suite's timing is disturbed by
# another; each runs even when an earlier one failed, so every failure shows.
status=0
(cd "$root/build" && ctest --output-on-failure --parallel "$(nproc)" --timeout 600) || status=1
"$root/tools/sanitize.sh" test address || status=1
"$root/tools/sanitize.sh" test thread || status=1
"$root/tools/fuzz.sh" run || status=1
exit "$status"
