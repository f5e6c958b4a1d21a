#!/usr/bin/env bash
# Test songs, made with sox and lame at build time: short, so tests stay fast.
#   tone1k.mp3  4 s of 1 kHz at half scale, 128 kbit/s CBR with an Info header
#   steps.mp3   2 s of 440 Hz then 3 s of 1320 Hz, CBR with an Info header
#   short.mp3   2.5 s of 660 Hz, CBR without any VBR header (length estimated)
#   vbr.mp3     the steps song as VBR with a Xing header
set -euo pipefail
out="$1"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
tone() {   # file seconds hz
    sox -n -r 44100 -c 2 -b 16 "$1" synth "$2" sine "$3" vol 0.5
}
tone "$work/tone1k.wav" 4 1000
tone "$work/low.wav" 2 440
tone "$work/high.wav" 3 1320
sox "$work/low.wav" "$work/high.wav" "$work/steps.wav"
tone "$work/short.wav" 2.5 660
lame --quiet -b 128 --cbr "$work/tone1k.wav" "$out/tone1k.mp3"
lame --quiet -b 128 --cbr "$work/steps.wav" "$out/steps.mp3"
lame --quiet -b 128 --cbr -t "$work/short.wav" "$out/short.mp3"
lame --quiet -V 4 "$work/steps.wav" "$out/vbr.mp3"
