#!/usr/bin/env bash
# Installs what is missing, builds, starts the demo station and runs the
# player on it.
#
#   tools/run.sh [--station URL] [--seconds N]
#
# With no DISPLAY (a server, CI) it runs headless under Xvfb with a null sound
# device, plays for N seconds (default 20) and leaves out/screenshot.png and
# out/sound.wav, the sound it really played. With a DISPLAY it opens the
# player on your desktop with your sound and runs until you quit it from the
# tray menu. --station plays another station instead of the demo one.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
OUT="$ROOT/out"
SECONDS_TO_PLAY=20
STATION_URL=""
while [ $# -gt 0 ]; do
    case "$1" in
    --station) STATION_URL="$2"; shift 2 ;;
    --seconds) SECONDS_TO_PLAY="$2"; shift 2 ;;
    -h | --help) sed -n '2,13p' "$0"; exit 0 ;;
    *) echo "run.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done

tools/deps.sh
cmake --preset windows >/dev/null
cmake --build build/windows
if [ -z "$STATION_URL" ]; then
    cmake --preset host >/dev/null
    cmake --build build/host --target lanxi-station
fi

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
mkdir -p "$OUT"

# shellcheck source=session.sh
source tools/session.sh
STATION_PID=""
RECORDER_PID=""
cleanup() {
    [ -n "$RECORDER_PID" ] && kill -INT "$RECORDER_PID" 2>/dev/null && wait "$RECORDER_PID" 2>/dev/null
    [ -n "$STATION_PID" ] && kill "$STATION_PID" 2>/dev/null && wait "$STATION_PID" 2>/dev/null
    session_stop
}
trap cleanup EXIT
SESSION_NULL_SINK="$headless" session_start build/windows

if [ -z "$STATION_URL" ]; then
    echo "[run] starting the demo station (the first start generates its music)"
    build/host/server/lanxi-station --demo --cache "$ROOT/build/demo-cache" --port 17878 \
        >"$OUT/station.log" 2>"$OUT/station.err" &
    STATION_PID=$!
    for _ in $(seq 1 600); do
        grep -q 'lanxi-station: serving' "$OUT/station.log" 2>/dev/null && break
        kill -0 "$STATION_PID" 2>/dev/null || { cat "$OUT/station.err" >&2; exit 1; }
        sleep 0.2
    done
    STATION_URL="http://127.0.0.1:17878"
fi
echo "[run] station $STATION_URL"

if [ "$headless" = 1 ]; then
    parecord -d nullsink.monitor --latency-msec=20 --file-format=wav "$OUT/sound.wav" &
    RECORDER_PID=$!
    tools/wine-run.sh build/windows/program/LanxiFM.exe --station "$STATION_URL" >"$OUT/player.log" 2>&1 &
    echo "[run] playing for $SECONDS_TO_PLAY seconds"
    sleep "$SECONDS_TO_PLAY"
    import -window root "$OUT/screenshot.png"
    echo "[run] left $OUT/screenshot.png and $OUT/sound.wav"
else
    tools/wine-run.sh build/windows/program/LanxiFM.exe --station "$STATION_URL"
fi
