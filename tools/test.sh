#!/usr/bin/env bash
# The one test command: installs what is missing, builds both configurations
# and runs every test — the host tests natively (with sanitizers and a bounded
# fuzz run), the Windows tests under Wine inside one Xvfb display and one
# PulseAudio server started for the run.
#
#   tools/test.sh [ctest arguments...]     e.g. tools/test.sh -R Lyric
#
# BUILD_ROOT (default: build) chooses the build tree, so that several
# checkouts or people can build side by side.
set -uo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
BUILD_ROOT="$(realpath -m "${BUILD_ROOT:-build}")"
JOBS="$(nproc)"

step() { printf '\n=== %s\n' "$*"; }

step "dependencies"
tools/deps.sh || exit 1

step "host build"
cmake --preset host -B "$BUILD_ROOT/host" >/dev/null || exit 1
cmake --build "$BUILD_ROOT/host" -j "$JOBS" || exit 1

step "windows build"
cmake --preset windows -B "$BUILD_ROOT/windows" \
    -DSTATION_SERVER_EXE="$BUILD_ROOT/host/server/lanxi-station" >/dev/null || exit 1
cmake --build "$BUILD_ROOT/windows" -j "$JOBS" || exit 1

# shellcheck source=session.sh
source tools/session.sh
trap session_stop EXIT
SESSION_HEADLESS=1 session_start "$BUILD_ROOT/windows" || exit 1

run_ctest() {   # label dir args...
    local label="$1" dir="$2"; shift 2
    step "$label tests"
    ctest --test-dir "$dir" --output-on-failure --timeout 600 "$@" 2>&1 | tee "$dir/ctest.log"
    return "${PIPESTATUS[0]}"
}

run_ctest host "$BUILD_ROOT/host" -j "$JOBS" "$@"
host_rc=$?
# Windows tests share one display and one sound device: run them one by one.
run_ctest windows "$BUILD_ROOT/windows" "$@"
windows_rc=$?

totals() {   # sums the "N tests failed out of M" lines of both runs
    grep -h 'tests failed out of' "$BUILD_ROOT/host/ctest.log" "$BUILD_ROOT/windows/ctest.log" |
        sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1 \2/' |
        awk '{ failed += $1; all += $2 } END { printf "%d passed, %d failed\n", all - failed, failed }'
}
step "summary"
totals
[ "$host_rc" -eq 0 ] && [ "$windows_rc" -eq 0 ]
