#!/usr/bin/env bash
# Encode and decode of a 10-minute 22050 Hz stereo 16-bit WAV, as whole commands, against
# ffmpeg's adpcm_ima_qt encoder and decoder on the same file in the same run:
#   encode  zephane-tool import-wav (WAV -> sound tag file)  vs  ffmpeg WAV -> AIFF-C 'ima4'
#   decode  zephane-tool export-wav (sound tag -> WAV)       vs  ffmpeg AIFF-C 'ima4' -> WAV
# Each command runs RUNS times (default 5), alternating with its peer; the median counts.
# Usage: bench/sound_vs_ffmpeg.sh [RUNS]    (builds the bench preset first)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
command -v ffmpeg >/dev/null || { echo "sound_vs_ffmpeg: ffmpeg is not installed"; exit 1; }
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
tool=build/bench/src/cli/zephane-tool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ff() { ffmpeg -hide_banner -loglevel error -nostdin -y "$@"; }

# Ten minutes of music-like sound: two tones and pink noise, different in each channel.
ff -f lavfi -i "aevalsrc=exprs=0.3*sin(2*PI*220*t)+0.2*sin(2*PI*(330+20*sin(t))*t)|0.3*sin(2*PI*277*t)+0.1*sin(2*PI*1100*t):sample_rate=22050:duration=600" \
   -f lavfi -i "anoisesrc=color=pink:amplitude=0.2:sample_rate=22050:duration=600" \
   -filter_complex "[1:a]aformat=channel_layouts=mono,asplit[n1][n2];[n2]adelay=7[n3];[n1][n3]join=inputs=2:channel_layout=stereo[n];[0:a][n]amix=inputs=2:normalize=0" \
   -ar 22050 -c:a pcm_s16le "$work/in.wav"

# Prints the wall-clock seconds a command takes.
seconds() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  local end=$EPOCHREALTIME
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f\n", b - a }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

ours_encode() { rm -f "$work/ours.tag"; "$tool" import-wav "$work/ours.tag" soun:bnch "$work/in.wav"; }
ours_decode() { "$tool" export-wav "$work/ours.tag" soun:bnch 0 "$work/ours.wav"; }
ffmpeg_encode() { ff -i "$work/in.wav" -c:a adpcm_ima_qt "$work/ffmpeg.aiff"; }
ffmpeg_decode() { ff -i "$work/ffmpeg.aiff" -c:a pcm_s16le "$work/ffmpeg.wav"; }

for kind in encode decode; do : >"$work/ours-$kind"; : >"$work/ffmpeg-$kind"; done
ours_encode >/dev/null; ffmpeg_encode # warm the page cache
for ((i = 0; i < runs; i++)); do
  seconds ours_encode >>"$work/ours-encode"
  seconds ffmpeg_encode >>"$work/ffmpeg-encode"
  seconds ours_decode >>"$work/ours-decode"
  seconds ffmpeg_decode >>"$work/ffmpeg-decode"
done

echo "sound_vs_ffmpeg: $(stat -c %s "$work/in.wav") bytes of WAV (600 s, 22050 Hz, stereo), median of $runs runs"
status=0
for kind in encode decode; do
  ours=$(median <"$work/ours-$kind")
  theirs=$(median <"$work/ffmpeg-$kind")
  ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.4f", a / b }')
  printf '  %s  zephane-tool %.3f s  ffmpeg %.3f s  ratio %.2f\n' "$kind" "$ours" "$theirs" "$ratio"
  if awk -v r="$ratio" 'BEGIN { exit !(r > 1.0) }'; then status=1; fi
done
build/bench/bench/sound_codec_bench
exit $status
