# Test session for the Windows programs: one Xvfb display with a compositing
# manager (so layered windows blend), one PulseAudio server with a null sink
# (so there is a sound device whose output can be captured), and a Wine prefix
# under the build tree. Source this file, then:
#
#   session_start BUILD_DIR    exports DISPLAY, PULSE_SERVER, WINEPREFIX, ...
#   session_stop               stops what session_start started, by PID
#
# An existing DISPLAY is replaced only when SESSION_HEADLESS=1 or none is set.
# SESSION_NULL_SINK=0 keeps the system's own sound server instead of starting
# the capturable null sink.

SESSION_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SESSION_PIDS=()

session_log() { printf '[session] %s\n' "$*" >&2; }

session_wait_for() {   # tries command...
    local tries="$1"; shift
    local i
    for ((i = 0; i < tries; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

session_free_display() {
    local n
    for ((n = 91; n < 200; n++)); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            echo "$n"
            return
        fi
    done
    return 1
}

session_start_display() {
    local n
    n="$(session_free_display)"
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >"$SESSION_DIR/xvfb.log" 2>&1 &
    SESSION_PIDS+=($!)
    export DISPLAY=":$n"
    session_wait_for 100 xdpyinfo -display "$DISPLAY" || { session_log "Xvfb did not start"; return 1; }
    # Without a compositing manager, layered windows come out opaque black.
    xcompmgr >"$SESSION_DIR/xcompmgr.log" 2>&1 &
    SESSION_PIDS+=($!)
    sleep 0.3
    # xsetroot's colour is lost under xcompmgr; hsetroot's stays.
    hsetroot -solid '#3070a0' >/dev/null 2>&1 || true
    session_log "display $DISPLAY"
}

session_start_sound() {
    local dir="$SESSION_DIR/pulse"
    rm -rf "$dir"
    mkdir -p "$dir/pulse"
    chmod 700 "$dir"
    export XDG_RUNTIME_DIR="$dir" PULSE_RUNTIME_PATH="$dir/pulse" PULSE_STATE_PATH="$dir/state"
    export PULSE_SERVER="unix:$dir/pulse/native"
    pulseaudio --daemonize=no -n --use-pid-file=no --disable-shm=yes --exit-idle-time=-1 \
        --log-target="file:$dir/pa.log" \
        --load="module-null-sink sink_name=nullsink sink_properties=device.description=NullSink rate=44100" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse/native" \
        --load="module-always-sink" >/dev/null 2>&1 &
    SESSION_PIDS+=($!)
    session_wait_for 100 pactl info || { session_log "PulseAudio did not start"; return 1; }
    pactl set-default-sink nullsink
    # Recording programs (and waveIn under Wine) then hear what was played.
    pactl set-default-source nullsink.monitor
    # With nobody listening the null sink renders in long periods, and a
    # recording that joins later waits for them and misses most of the sound.
    # A steady low-latency listener keeps the monitor timely for everyone.
    parec --latency-msec=20 -d nullsink.monitor --raw >/dev/null 2>&1 &
    SESSION_PIDS+=($!)
    session_log "sound server $PULSE_SERVER"
}

# Wine does not know the Windows font families the program asks for; its
# font Replacements (not fontconfig) make them resolve to installed fonts.
# Applied at every start so that existing prefixes get changes too.
session_registry() {
    local reg="$SESSION_DIR/fonts.reg" cjk="WenQuanYi Zen Hei" name
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for name in 宋体 SimSun 新宋体 NSimSun 仿宋 FangSong 黑体 SimHei 微软雅黑 "Microsoft YaHei" 楷体 KaiTi; do
            printf '"%s"="%s"\r\n' "$name" "$cjk"
        done
        printf '"Arial"="Liberation Sans"\r\n'
        printf '"Segoe UI"="Liberation Sans"\r\n'
        printf '"Microsoft Sans Serif"="Liberation Sans"\r\n'
        # A crashing test must end at once: no crash dialog, no waiting debugger.
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n'
        printf '"ShowCrashDialog"=dword:00000000\r\n'
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
    /usr/bin/wine regedit /S "$reg" || true
}

session_prepare_wine() {
    export WINEPREFIX="$SESSION_DIR/wineprefix"
    export WINEDEBUG=-all WINEARCH=win64
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
    if [ ! -f "$WINEPREFIX/.project-ready" ]; then
        session_log "creating the Wine prefix $WINEPREFIX"
        /usr/bin/wine wineboot -i >"$SESSION_DIR/wineboot.log" 2>&1
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        /usr/bin/wineserver -w
        touch "$WINEPREFIX/.project-ready"
    fi
    session_registry
    # Keep the wineserver and Wine's background processes (services,
    # explorer) alive for the whole session, started with their output away
    # from any test: they would otherwise hold ctest's output pipe open.
    /usr/bin/wineserver -p >/dev/null 2>&1 || true
    /usr/bin/wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

session_start() {   # BUILD_DIR
    SESSION_DIR="$(realpath -m "$1")/session"
    mkdir -p "$SESSION_DIR"
    export SESSION_DIR
    # Code page 936 as the ANSI code page, as on the target systems.
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    if [ -z "${DISPLAY:-}" ] || [ "${SESSION_HEADLESS:-0}" = 1 ]; then
        session_start_display
    fi
    if [ "${SESSION_NULL_SINK:-1}" = 1 ]; then
        session_start_sound
    fi
    session_prepare_wine
}

session_stop() {
    local pid
    if [ -n "${WINEPREFIX:-}" ]; then
        /usr/bin/wineserver -k >/dev/null 2>&1 || true
    fi
    for pid in "${SESSION_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${SESSION_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    SESSION_PIDS=()
}
