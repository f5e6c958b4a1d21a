#!/usr/bin/env bash
# Installs everything the project needs on Debian 12 and cross-builds the
# Windows dependencies. Idempotent: a second run installs and builds nothing.
#
#   tools/deps.sh [BUILD_DIR]      (default: build)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(realpath -m "${1:-$ROOT/build}")"
DEPS="$BUILD/deps"
PREFIX="$DEPS/mingw"
export DEBIAN_FRONTEND=noninteractive

log() { printf '[deps] %s\n' "$*"; }

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# --- Debian packages ---------------------------------------------------------

wanted_packages() {
    cat "$ROOT"/tools/packages/*.txt | sed -e 's/#.*//' -e 's/[[:space:]]//g' | grep -v '^$' | sort -u
}

missing_packages() {
    local pkg
    for pkg in $(wanted_packages); do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null)" != installed ]; then
            echo "$pkg"
        fi
    done
}

has_deb_src() {
    grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/
}

add_deb_src() {
    log "adding a deb-src entry"
    sudo_if_needed tee /etc/apt/sources.list.d/debian-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
}

need_sources=0
[ -f "$PREFIX/.json-c.done" ] && [ -f "$PREFIX/.mpg123.done" ] || need_sources=1

missing="$(missing_packages)"
updated=0
if [ -n "$missing" ] || { [ "$need_sources" -eq 1 ] && ! has_deb_src; }; then
    has_deb_src || add_deb_src
    log "apt-get update"
    sudo_if_needed apt-get update -q >/dev/null
    updated=1
fi
if [ -n "$missing" ]; then
    log "installing: $(echo $missing)"
    sudo_if_needed apt-get install -y -q $missing >/dev/null
fi

# Wine and the tests need a zh_CN locale for code page 936 as the ANSI code page.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
    log "generating the zh_CN.UTF-8 locale"
    sudo_if_needed localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

# --- Windows builds of json-c, mpg123 and GoogleTest ------------------------

TOOLCHAIN="$ROOT/cmake/mingw-toolchain.cmake"
mkdir -p "$DEPS/src" "$PREFIX"

fetch_source() {   # name tarball-glob
    local name="$1" glob="$2"
    if ! compgen -G "$DEPS/src/$glob" >/dev/null; then
        if [ "$updated" -eq 0 ]; then
            sudo_if_needed apt-get update -q >/dev/null
            updated=1
        fi
        log "fetching the Debian source package of $name"
        # mpg123's .asc is missing on the mirror, so apt-get exits non-zero
        # although the tarballs arrive: judge by the tarball instead.
        (cd "$DEPS/src" && apt-get source --download-only -q "$name" >/dev/null 2>&1 || true)
        compgen -G "$DEPS/src/$glob" >/dev/null || { log "could not fetch $name"; exit 1; }
    fi
}

unpack() {   # tarball-glob dir
    local tarball
    tarball="$(compgen -G "$DEPS/src/$1" | head -n1)"
    rm -rf "$DEPS/src/$2"
    mkdir -p "$DEPS/src/$2"
    tar -xf "$tarball" -C "$DEPS/src/$2" --strip-components=1
}

build_json_c() {
    [ -f "$PREFIX/.json-c.done" ] && return
    fetch_source json-c 'json-c_*.orig.tar.gz'
    unpack 'json-c_*.orig.tar.gz' json-c
    log "building json-c for Windows"
    cmake -S "$DEPS/src/json-c" -B "$DEPS/build/json-c" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON \
        -DBUILD_TESTING=OFF -DBUILD_APPS=OFF -DDISABLE_WERROR=ON -Wno-dev >/dev/null
    cmake --build "$DEPS/build/json-c" >/dev/null
    cmake --install "$DEPS/build/json-c" >/dev/null
    touch "$PREFIX/.json-c.done"
}

build_mpg123() {
    [ -f "$PREFIX/.mpg123.done" ] && return
    fetch_source mpg123 'mpg123_*.orig.tar.bz2'
    unpack 'mpg123_*.orig.tar.bz2' mpg123
    log "building libmpg123 for Windows"
    cmake -S "$DEPS/src/mpg123/ports/cmake" -B "$DEPS/build/mpg123" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=ON -DBUILD_LIBOUT123=OFF \
        -DBUILD_PROGRAMS=OFF >/dev/null
    cmake --build "$DEPS/build/mpg123" >/dev/null
    cmake --install "$DEPS/build/mpg123" >/dev/null
    touch "$PREFIX/.mpg123.done"
}

build_gtest() {
    [ -f "$PREFIX/.gtest.done" ] && return
    log "building GoogleTest for Windows"
    cmake -S /usr/src/googletest -B "$DEPS/build/googletest" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON \
        -Dgtest_disable_pthreads=OFF >/dev/null
    cmake --build "$DEPS/build/googletest" >/dev/null
    cmake --install "$DEPS/build/googletest" >/dev/null
    touch "$PREFIX/.gtest.done"
}

build_json_c
build_mpg123
build_gtest
log "ready: Windows dependencies in $PREFIX"
