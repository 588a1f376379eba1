#!/usr/bin/env bash
# Measures keyra end to end (decoding included): peak memory on a 3-minute and a
# 2-hour stereo file, and throughput with -j 1 and -j 2 on 20 3-minute files
# (10 WAV, 10 MP3). Takes a few minutes; not part of `make bench`.
#   bash bench/measure-cli.sh [BUILD_DIR] [WORK_DIR]
set -euo pipefail
build=${1:-build}
work=${2:-$build/bench-cli}
keyra=$build/cli/keyra
synth=$build/examples/keyra-synth
[ -x "$keyra" ] && [ -x "$synth" ] || { echo "build keyra_cli and keyra_synth in $build first" >&2; exit 1; }
mkdir -p "$work/library"

keys=(A:min C:maj Eb:maj F#:min G:maj B:min Db:maj E:min Bb:maj D:min)
for i in "${!keys[@]}"; do
  base="$work/library/$(printf '%02d' "$i")"
  [ -f "$base.wav" ] || "$synth" --key "${keys[$i]}" --seconds 180 "$base.wav"
  [ -f "$base.mp3" ] || ffmpeg -nostdin -v error -y -i "$base.wav" -c:a libmp3lame -b:a 192k "$base.mp3"
done
long="$work/two-hours.wav"
[ -f "$long" ] || ffmpeg -nostdin -v error -y -stream_loop 39 -i "$work/library/00.wav" -c copy "$long"
[ -f "$work/two-hours.mp3" ] || ffmpeg -nostdin -v error -y -i "$long" -c:a libmp3lame -b:a 192k "$work/two-hours.mp3"

measure() { # label, keyra arguments...
  local label=$1; shift
  /usr/bin/time -v "$keyra" --quiet --format json "$@" > /dev/null 2> "$work/time.txt" || true
  local rss seconds cpu
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
  seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$work/time.txt" |
            awk -F: '{ if (NF == 3) print $1 * 3600 + $2 * 60 + $3; else print $1 * 60 + $2 }')
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { print s }' "$work/time.txt")
  echo "$label: peak RSS $((rss / 1024)) MiB, $seconds s wall, $cpu s CPU" >&2
  echo "$seconds"
}

audio_seconds() { # total decoded duration of the given files, from keyra itself
  "$keyra" --quiet --format csv "$@" | awk -F, 'NR > 1 { s += $8 } END { print s }'
}

echo "== load before: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine skews the figures)" >&2
echo "== memory" >&2
measure "3-minute WAV" "$work/library/00.wav" > /dev/null
measure "2-hour WAV  " "$long" > /dev/null
measure "3-minute MP3" "$work/library/00.mp3" > /dev/null
measure "2-hour MP3  " "$work/two-hours.mp3" > /dev/null

echo "== throughput on 20 files (10 WAV, 10 MP3, 3 minutes each)" >&2
total=$(audio_seconds "$work/library")
for jobs in 1 2; do
  t=$(measure "-j $jobs" -j "$jobs" "$work/library")
  awk -v t="$t" -v a="$total" -v j="$jobs" \
    'BEGIN { printf "-j %d: %.2f files/s, realtime factor %.0f (%.0f s of audio in %.1f s)\n", j, 20 / t, a / t, a, t }'
done
