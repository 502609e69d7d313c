#!/usr/bin/env bash
# Encodes 16-bit PCM WAV files (speech, noise, sweeps, full-scale steps; mono and stereo;
# lengths that end inside a block) with zephane-tool import-wav and with ffmpeg's
# adpcm_ima_qt encoder, and checks that the ADPCM blocks are byte for byte the same.
# Usage: compare_with_ffmpeg.sh ZEPHANE_TOOL
# Exits 77 (skipped) when ffmpeg is not installed.
set -euo pipefail
tool=${1:?usage: compare_with_ffmpeg.sh ZEPHANE_TOOL}
if ! command -v ffmpeg >/dev/null 2>&1; then
  echo "compare_with_ffmpeg: skipped, ffmpeg is not installed"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ff() { ffmpeg -hide_banner -loglevel error -nostdin -y "$@"; }

# Prints the body of the SSND chunk of an AIFF-C file (its 8-byte offset and block size
# fields skipped): the ADPCM blocks as ffmpeg wrote them.
ssnd_blocks() {
  local file=$1 at size
  at=$(grep -obUa SSND "$file" | head -n 1 | cut -d: -f1)
  size=$(od -An -tu1 -j $((at + 4)) -N 4 "$file" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
  tail -c +$((at + 17)) "$file" | head -c $((size - 8))
}

# name | lavfi source (mono, 22050 Hz) | samples
signals=(
  "noise|anoisesrc=color=white:amplitude=1:seed=7:sample_rate=22050|30011"
  "pink|anoisesrc=color=pink:amplitude=0.5:seed=3:sample_rate=22050|22050"
  "sweep|aevalsrc=exprs=0.9*sin(2*PI*(20*t+5490*t*t)):sample_rate=22050|44100"
  "steps|aevalsrc=exprs=if(gte(mod(n\,37)\,18)\,1\,-1):sample_rate=22050|10000"
  "slow-steps|aevalsrc=exprs=if(gte(mod(n\,700)\,350)\,1\,-1):sample_rate=22050|7000"
  "silence|anullsrc=r=22050:cl=mono|100"
)
if ffmpeg -hide_banner -filters 2>/dev/null | grep -cw flite >/dev/null; then
  signals+=("speech|flite=text='Hold the bridge until the second wave arrives':voice=slt,aresample=22050|0")
else
  echo "compare_with_ffmpeg: this ffmpeg has no flite filter; speech is left out"
fi

failures=0
compared=0
for entry in "${signals[@]}"; do
  IFS='|' read -r name source samples <<<"$entry"
  trim=""
  [ "$samples" != 0 ] && trim=",atrim=end_sample=$samples"
  for channels in 1 2; do
    wav="$work/$name-$channels.wav"
    if [ "$channels" = 1 ]; then
      ff -f lavfi -i "$source$trim" -ac 1 -ar 22050 -c:a pcm_s16le "$wav"
    else
      # A second, different channel: the same signal delayed and inverted.
      ff -f lavfi -i "$source$trim" -filter_complex \
        "[0:a]aformat=sample_fmts=fltp:channel_layouts=mono,asplit[a][b];[b]adelay=41,volume=-1[c];[a][c]join=inputs=2:channel_layout=stereo" \
        -ar 22050 -c:a pcm_s16le "$wav"
    fi
    ff -i "$wav" -c:a adpcm_ima_qt "$work/ffmpeg.aiff"
    ssnd_blocks "$work/ffmpeg.aiff" >"$work/ffmpeg.blocks"
    rm -f "$work/ours.tag"
    "$tool" import-wav "$work/ours.tag" soun:test "$wav" >/dev/null
    "$tool" export-sample-data "$work/ours.tag" soun:test 0 "$work/ours.blocks"
    compared=$((compared + 1))
    if cmp -s "$work/ffmpeg.blocks" "$work/ours.blocks"; then
      echo "same: $name, $channels channel(s), $(stat -c %s "$work/ours.blocks") bytes of blocks"
    else
      echo "DIFFERENT: $name, $channels channel(s): ffmpeg $(stat -c %s "$work/ffmpeg.blocks") bytes, ours $(stat -c %s "$work/ours.blocks") bytes"
      cmp "$work/ffmpeg.blocks" "$work/ours.blocks" | head -n 1 || true
      failures=$((failures + 1))
    fi
  done
done
echo "compare_with_ffmpeg: $compared compared, $failures different"
[ "$failures" -eq 0 ]
