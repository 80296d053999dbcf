#!/usr/bin/env bash
# Makes the wave files of a new installation's sound folder: the spoken race
# calls, the start-light beep, the lap-correction and best-lap sounds, and the
# click every playback slot is primed with. A file already in the folder, under
# any letter case, is left alone: a race director's own recordings win.
#
#   data/tools/make_sounds.sh <application folder>
#
# Every file is PCM, 16-bit, stereo, 22050 Hz: the one format the timer's
# playback slots take.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 <application folder>" >&2
  exit 2
fi
app_dir=$1

# The folder may already exist as "qelsound" or "QELSOUND" on a copied install.
sound_dir=$(find "$app_dir" -mindepth 1 -maxdepth 1 -type d -iname QelSound -print -quit 2>/dev/null || true)
if [ -z "$sound_dir" ]; then
  sound_dir="$app_dir/QelSound"
  mkdir -p "$sound_dir"
fi

have() {
  [ -n "$(find "$sound_dir" -mindepth 1 -maxdepth 1 -iname "$1" -print -quit)" ]
}

# name|kind|what: kind "say" speaks the text, "sox" takes sox synthesis effects.
sounds=(
  "Race Starts in 1 min.wav|say|Race starts in one minute"
  "Race Starts in 40 sec.wav|say|Race starts in forty seconds"
  "Race Starts in 20 sec.wav|say|Race starts in twenty seconds"
  "Race Starts in 5 sec.wav|say|Race starts in five seconds"
  "Get Ready.wav|say|Get ready"
  "Go.wav|say|Go!"
  "Yellow Flag.wav|say|Yellow flag"
  "White Flag.wav|say|White flag, last lap"
  "Red Flag.wav|say|Red flag"
  "10 Seconds Left.wav|say|Ten seconds left"
  "Heat Over.wav|say|Heat over"
  "Race Over.wav|say|Race over"
  "Checkered Flag.wav|say|Checkered flag"
  "Add Lap.wav|say|Lap added"
  "Remove Lap.wav|say|Lap removed"
  "beep.wav|sox|synth 0.15 sine 1000 fade 0.005 0.15 0.03 gain -4"
  "goby1.wav|sox|synth 0.02 square 1800 fade 0 0.02 0.015 gain -8"
  "Each Lap.wav|sox|synth 0.06 sine 1320 fade 0.003 0.06 0.02 gain -8"
  "Personal Best.wav|sox|synth 0.12 sine 880 : synth 0.2 sine 1175 fade 0.005 0.2 0.08 gain -5"
  "Overall Best.wav|sox|synth 0.1 sine 784 : synth 0.1 sine 988 : synth 0.1 sine 1175 : synth 0.3 sine 1568 fade 0.005 0.3 0.12 gain -6"
)

missing=()
for entry in "${sounds[@]}"; do
  name=${entry%%|*}
  have "$name" || missing+=("$entry")
done
[ ${#missing[@]} -eq 0 ] && exit 0

for tool in espeak-ng sox; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "error: '$tool' is needed to make the default race sounds in $sound_dir," >&2
    echo "       but it is not installed. Run scripts/install-deps.sh, then build again." >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
format=(-r 22050 -c 2 -b 16 -e signed-integer)

for entry in "${missing[@]}"; do
  name=${entry%%|*}
  rest=${entry#*|}
  kind=${rest%%|*}
  what=${rest#*|}
  out="$work/out.wav"
  if [ "$kind" = say ]; then
    espeak-ng -v en -s 150 -w "$work/voice.wav" "$what"
    # Trim the silence espeak leaves around the words, so a call is heard the
    # moment it is due, and bring every call to the same loudness.
    sox "$work/voice.wav" "${format[@]}" "$out" \
      silence 1 0.02 1% reverse silence 1 0.02 1% reverse norm -3
  else
    # shellcheck disable=SC2086  # the effects are words on purpose
    sox -n "${format[@]}" "$out" $what
  fi
  # Into place only when whole, so a build stopped half-way leaves no short
  # file that would then count as present.
  mv "$out" "$sound_dir/$name"
  echo "made QelSound/$name"
done
