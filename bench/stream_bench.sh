#!/usr/bin/env bash
# CPU cost of playing a song: the engine under Wine (download, decode and
# output in real time) beside Debian's native mpg123 decoding the same file
# to nowhere. Not run in CI.
#
#   bench/stream_bench.sh [song.mp3|URL] [seconds]
#
# Without a song, a 60 s test tone is made with sox and lame. BUILD_ROOT
# (default: build) chooses the build tree holding windows/tests-bin.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="$(realpath -m "${BUILD_ROOT:-$ROOT/build}")"
BIN="$BUILD_ROOT/windows/tests-bin"
SECONDS_TO_PLAY="${2:-30}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

song="${1:-}"
if [ -z "$song" ]; then
    sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 60 sine 440 sine 660 vol 0.5
    lame --quiet -b 192 "$work/tone.wav" "$work/song.mp3"
    song="$work/song.mp3"
fi
local_copy="$song"
if [[ "$song" == http* ]]; then
    curl -s -o "$work/download.mp3" "$song"
    local_copy="$work/download.mp3"
fi

# shellcheck source=../tools/session.sh
source "$ROOT/tools/session.sh"
trap 'session_stop; rm -rf "$work"' EXIT
# The session's helpers are written for scripts without errexit.
set +e
SESSION_HEADLESS=1 session_start "$BUILD_ROOT/windows" >/dev/null 2>&1
started=$?
set -e
[ "$started" -eq 0 ] || { echo "the test session did not start" >&2; exit 1; }

bench_source="$song"
if [[ "$song" != http* ]]; then
    cp "$song" "$BIN/bench-song.mp3"
    bench_source="bench-song.mp3"
fi
(cd "$BIN" && "$ROOT/tools/wine-run.sh" stream_bench.exe "$bench_source" "$SECONDS_TO_PLAY") |
    tr -d '\r' | tee "$work/engine.txt"
rm -f "$BIN/bench-song.mp3"

length="$(awk '/^length_seconds/ { print $2 }' "$work/engine.txt")"
engine_cpu="$(awk '/^cpu_seconds_per_minute/ { print $2 }' "$work/engine.txt")"
TIMEFORMAT='%U %S'
native_cpu="$( { time mpg123 -q -t "$local_copy" >/dev/null 2>&1; } 2>&1 | tail -1 |
    awk '{ print $1 + $2 }')"
native_per_minute="$(awk -v cpu="$native_cpu" -v len="$length" \
    'BEGIN { if (len > 0) printf "%.3f", cpu * 60 / len; else print "n/a" }')"

printf '\nCPU seconds per minute of audio\n'
printf '  engine under Wine (real-time playback): %s\n' "$engine_cpu"
printf '  native mpg123 -t (decoding only):       %s\n' "$native_per_minute"
