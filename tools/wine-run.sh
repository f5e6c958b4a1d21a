#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's settings. CMake uses it
# as the cross-compiling emulator, so ctest runs the Windows tests through it.
# Expects WINEPREFIX (and DISPLAY, PULSE_SERVER for windows and sound) from
# the test session; see tools/session.sh.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX is not set: run the tests through tools/test.sh or source tools/session.sh}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}"
exec /usr/bin/wine "$@"
