#!/usr/bin/env bash
# Regenerates the seed files of the decoder fuzzer (fuzz/corpus/decoder/seed-*): a short
# 440 Hz tone, mostly mono at 8 kHz, in each container the analyser reads, so that each
# seed is a few KB. Each seed is laid out as fuzz/DecoderFuzzer.cpp reads it: one byte
# for the extension (its index in kExtensions), 16 bytes of read and seek choices, then
# the file. The regression inputs in the same folder are left alone.
#   usage: scripts/make-decoder-corpus.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/fuzz/corpus/decoder
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"
rm -f "$out"/seed-*

# The choices are consumed from the last byte backwards: read 997 frames, seek to
# frame 1200, read 500, seek to -1, then read on in blocks of 500.
seek_choices='\x01\x00\x03\xf4\x01\x00\x01\x00\xb0\x04\x00\x02\x03\x06\x00\x00'
# All zero: read in blocks of 4096 to the end.
plain_choices='\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'

# seed NAME EXTENSION-INDEX EXTENSION CHOICES SECONDS RATE CHANNELS CODEC-ARGUMENTS...
seed() {
  local name=$1 index=$2 extension=$3 choices=$4 seconds=$5 rate=$6 channels=$7
  shift 7
  local file=$tmp/$name.$extension
  # bitexact: no encoder version strings, so the files only change with the codecs.
  ffmpeg -nostdin -v error -y -f lavfi -i "sine=frequency=440:sample_rate=$rate:duration=$seconds" \
    -ac "$channels" -map_metadata -1 -fflags +bitexact -flags:a +bitexact "$@" "$file"
  [ "$extension" = flac ] && strip_flac_padding "$file"
  { printf "\\x$(printf %02x "$index")"; printf '%b' "$choices"; cat "$file"; } >"$out/seed-$name"
}

# FFmpeg's FLAC muxer reserves 8 KB of padding for tags: mutations there are wasted.
strip_flac_padding() {
  python3 - "$1" <<'EOF'
import sys
path = sys.argv[1]
data = open(path, 'rb').read()
assert data[:4] == b'fLaC'
blocks, i = [], 4
while True:
    header = data[i]
    length = int.from_bytes(data[i + 1:i + 4], 'big')
    if header & 0x7f != 1:
        blocks.append(bytearray(data[i:i + 4 + length]))
    i += 4 + length
    if header & 0x80:
        break
for block in blocks:
    block[0] &= 0x7f
blocks[-1][0] |= 0x80
open(path, 'wb').write(b'fLaC' + b''.join(blocks) + data[i:])
EOF
}

seed wav-s16 0 wav "$seek_choices" 0.3 8000 1 -c:a pcm_s16le
seed wav-s16-plain 0 wav "$plain_choices" 0.3 8000 1 -c:a pcm_s16le
seed wav-f32 0 wav "$seek_choices" 0.1 8000 1 -c:a pcm_f32le
seed wav-s24-stereo 0 wav "$seek_choices" 0.1 8000 2 -c:a pcm_s24le
seed aiff 1 aiff "$seek_choices" 0.3 8000 1 -c:a pcm_s16be
seed flac 2 flac "$seek_choices" 0.3 8000 1 -c:a flac
seed mp3 3 mp3 "$seek_choices" 0.3 8000 1 -c:a libmp3lame -b:a 16k
seed mp3-44k 3 mp3 "$plain_choices" 0.2 44100 1 -c:a libmp3lame -b:a 32k
seed ogg-vorbis 4 ogg "$seek_choices" 0.3 8000 1 -c:a libvorbis -q:a 0
seed opus 5 opus "$seek_choices" 0.3 8000 1 -c:a libopus -b:a 12k
seed m4a-aac 6 m4a "$seek_choices" 0.3 8000 1 -c:a aac -b:a 16k
seed m4a-alac 6 m4a "$seek_choices" 0.3 8000 1 -c:a alac
seed caf-alac 7 caf "$seek_choices" 0.3 8000 1 -c:a alac
seed wma 8 wma "$plain_choices" 0.3 8000 1 -c:a wmav2 -b:a 24k
ls -l "$out"
du -cb "$out"/* | tail -n 1
