#!/usr/bin/env bash
# Starts or stops the real station server (lanxi-station with its demo
# library) for the station client's tests.
#
#   station_fixture.sh start SERVER_EXE STATE_DIR   prints the address, writes STATE_DIR/url
#   station_fixture.sh stop STATE_DIR
#
# The demo library is generated into STATE_DIR/demo-cache on the first start
# and reused afterwards. The server picks a free port; its ready line names it.
set -uo pipefail

stop_server() {   # state_dir
    local pid_file="$1/pid"
    [ -f "$pid_file" ] || return 0
    local pid
    pid="$(cat "$pid_file")"
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null
    fi
    rm -f "$pid_file" "$1/url"
}

case "${1:-}" in
start)
    exe="${2:?server executable}" state="${3:?state folder}"
    if [ ! -x "$exe" ]; then
        echo "station server not found: $exe (build the host configuration first:" \
             "cmake --build <build root>/host --target lanxi-station)" >&2
        exit 1
    fi
    mkdir -p "$state"
    stop_server "$state"
    rm -f "$state/url"
    # Nothing of ctest's pipes may stay open in the background server.
    "$exe" --demo --cache "$state/demo-cache" --port 0 >"$state/server.log" 2>&1 </dev/null &
    echo $! >"$state/pid"
    # Generating the demo library the first time takes a while in a sanitizer build.
    for _ in $(seq 1800); do
        url="$(sed -nE 's|^lanxi-station: serving .* on (http://127\.0\.0\.1:[0-9]+)$|\1|p' \
               "$state/server.log")"
        if [ -n "$url" ]; then
            echo "$url" >"$state/url"
            echo "station server ready on $url"
            exit 0
        fi
        if ! kill -0 "$(cat "$state/pid")" 2>/dev/null; then
            echo "station server ended before it was ready:" >&2
            cat "$state/server.log" >&2
            rm -f "$state/pid"
            exit 1
        fi
        sleep 0.1
    done
    echo "station server not ready after 180 s:" >&2
    cat "$state/server.log" >&2
    stop_server "$state"
    exit 1
    ;;
stop)
    stop_server "${2:?state folder}"
    ;;
*)
    echo "usage: $0 start SERVER_EXE STATE_DIR | stop STATE_DIR" >&2
    exit 2
    ;;
esac
