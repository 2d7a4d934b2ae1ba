#!/usr/bin/env bash
# Synthesises the four interface sound effects of Quillmoor Tarot with sox
# and encodes them to MP3 with lame.
#
#   tools/make_sounds.sh      -> writes resources/sounds/{shuffle,card_flip,card_place,reveal}.mp3
#
# Needs: sox, lame (Debian: apt-get install sox lame).
# Output is repeatable: sox runs with -R (fixed noise seed) and every other
# "random" choice comes from a small integer generator with a fixed seed.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUT="$ROOT/resources/sounds"
RATE=44100

for tool in sox lame; do
  command -v "$tool" >/dev/null 2>&1 || { echo "make_sounds.sh: '$tool' not found" >&2; exit 1; }
done

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$OUT"

# Intermediate files are mono 32-bit float WAV, so nothing clips before the
# final normalisation step.
F=(-r "$RATE" -c 1 -b 32 -e floating-point)
SOX=(sox -R -V2)

# --- small deterministic helpers -------------------------------------------
seed=1735
rnd() {  # sets RND to a pseudo-random integer 0..999
  seed=$(( (seed * 1103515245 + 12345) % 2147483648 ))
  RND=$(( (seed >> 12) % 1000 ))
}
secs() {  # microseconds -> "s.ffffff"
  printf '%d.%06d' $(( $1 / 1000000 )) $(( $1 % 1000000 ))
}
permille() {  # 0..1000 -> "0.xxx"
  printf '%d.%03d' $(( $1 / 1000 )) $(( $1 % 1000 ))
}

# One long strip of white noise; every click below is cut from a different
# spot of it so no two clicks share the same grain.
"${SOX[@]}" -n "${F[@]}" "$TMP/noise.wav" synth 3 whitenoise vol 0.5

# click_train OUT N GAP_START_US GAP_END_US JITTER_US LP_LO LP_HI AMP_START AMP_END RAMP_IN
# A run of N tiny noise ticks (1.5-4 ms, sharp attack) each followed by a
# short gap. The gap glides from GAP_START to GAP_END (+/- JITTER), each tick
# gets its own low-pass brightness and loudness, and the loudness follows a
# straight line from AMP_START to AMP_END (per mille) with a RAMP_IN-tick
# fade-in. Filtering happens after the gap is added so the tick can ring out.
click_train() {
  local out=$1 n=$2 g0=$3 g1=$4 jit=$5 lplo=$6 lphi=$7 a0=$8 a1=$9 ramp=${10}
  local i len off lp gap amp env parts=()
  for (( i = 0; i < n; i++ )); do
    rnd; len=$(( 1500 + RND * 25 / 10 ))              # 1.5 .. 4 ms
    rnd; off=$(( RND * 2800 ))                          # where in the noise strip
    rnd; lp=$(( lplo + RND * (lphi - lplo) / 1000 ))
    rnd; gap=$(( g0 + (g1 - g0) * i / (n - 1) + jit * (RND - 500) / 500 ))
    env=$(( a0 + (a1 - a0) * i / (n - 1) ))
    if (( i < ramp )); then env=$(( env * (i + 1) / (ramp + 1) )); fi
    rnd; amp=$(( env * (550 + RND * 45 / 100) / 1000 ))  # 55..100 % of envelope
    "${SOX[@]}" "$TMP/noise.wav" "$TMP/c_$i.wav" \
      trim "$(secs "$off")" "$(secs "$len")" \
      fade q 0.0002 "$(secs "$len")" "$(secs $(( len - 200 )))" \
      pad 0 "$(secs "$gap")" \
      highpass 700 lowpass "$lp" \
      vol "$(permille "$amp")"
    parts+=("$TMP/c_$i.wav")
  done
  "${SOX[@]}" "${parts[@]}" "$out"
  rm -f "${parts[@]}"
}

# Final stage shared by all four sounds: trim stray DC/rumble, normalise to
# -3 dBFS peak, write 16-bit mono 44.1 kHz, then encode at 96 kbit/s CBR.
finish() {
  local in=$1 name=$2
  "${SOX[@]}" "$in" -r "$RATE" -c 1 -b 16 -e signed-integer "$TMP/$name.wav" \
    highpass 30 gain -n -3
  lame --quiet --noreplaygain -m m -b 96 --resample 44.1 -q 2 \
    "$TMP/$name.wav" "$OUT/$name.mp3"
}

# --- shuffle.mp3 ------------------------------------------------------------
# A riffle shuffle: ~0.75 s of 52 paper ticks whose spacing tightens from
# 18 ms to 11 ms as the two half-decks interleave, over a faint band-passed
# rustle that flutters at roughly the tick rate. Then the "bridge": after a
# short breath, a quicker, duller cascade of 24 softer ticks as the cards
# slide back together, on a muffled hiss, ending in a soft low thump when
# the squared-up deck settles.
click_train "$TMP/riffle_ticks.wav" 52 18000 11000 4000 3800 8000 700 450 5
"${SOX[@]}" "$TMP/noise.wav" "$TMP/riffle_bed.wav" \
  trim 1.0 0.80 sinc 1500-6000 tremolo 65 70 fade q 0.06 0.80 0.20 vol 0.10
"${SOX[@]}" -m -v 1 "$TMP/riffle_ticks.wav" -v 1 "$TMP/riffle_bed.wav" "$TMP/riffle.wav"

click_train "$TMP/bridge_ticks.wav" 24 9000 6000 2000 1800 3200 500 120 3
"${SOX[@]}" "$TMP/noise.wav" "$TMP/bridge_bed.wav" \
  trim 2.0 0.22 lowpass 1800 highpass 200 fade q 0.03 0.22 0.15 vol 0.12
"${SOX[@]}" -m -v 1 "$TMP/bridge_ticks.wav" -v 1 "$TMP/bridge_bed.wav" "$TMP/bridge.wav" \
  pad 0.04 0

"${SOX[@]}" -n "${F[@]}" "$TMP/settle_body.wav" \
  synth 0.07 sine 150-90 fade q 0.003 0.07 0.06 vol 0.25
"${SOX[@]}" "$TMP/noise.wav" "$TMP/settle_tap.wav" \
  trim 2.5 0.02 fade q 0.001 0.02 0.018 lowpass 1200 vol 0.5
"${SOX[@]}" -m -v 1 "$TMP/settle_body.wav" -v 1 "$TMP/settle_tap.wav" "$TMP/settle.wav" \
  pad 0 0.05

"${SOX[@]}" "$TMP/riffle.wav" "$TMP/bridge.wav" "$TMP/settle.wav" "$TMP/shuffle_raw.wav"
finish "$TMP/shuffle_raw.wav" shuffle

# --- card_flip.mp3 ----------------------------------------------------------
# A crisp flip, 0.2 s: a 2 ms bright snap as the card leaves the thumb, a
# swish made of two band-passed noise layers (a bright 5.5 kHz band that
# dies within 60 ms over a 2.4 kHz band that lasts ~120 ms, so the colour
# slides downward like air rushing past the card), and a faint tick as it
# lands face up.
"${SOX[@]}" "$TMP/noise.wav" "$TMP/flip_snap.wav" \
  trim 0.3 0.002 fade l 0.0001 0.002 0.0018 pad 0 0.008 highpass 2500 vol 0.8 pad 0 0.19
"${SOX[@]}" "$TMP/noise.wav" "$TMP/flip_hi.wav" \
  trim 0.5 0.07 fade t 0.003 0.07 0.065 bandpass 5500 1.2q vol 0.9 pad 0.001 0.129
"${SOX[@]}" "$TMP/noise.wav" "$TMP/flip_mid.wav" \
  trim 0.7 0.12 fade q 0.006 0.12 0.105 bandpass 2400 1q vol 0.7 pad 0.002 0.078
"${SOX[@]}" "$TMP/noise.wav" "$TMP/flip_land.wav" \
  trim 0.9 0.004 fade l 0.0003 0.004 0.0035 pad 0 0.01 bandpass 1800 1.5q vol 0.35 pad 0.125 0.061
"${SOX[@]}" -m -v 1 "$TMP/flip_snap.wav" -v 1 "$TMP/flip_hi.wav" \
  -v 1 "$TMP/flip_mid.wav" -v 1 "$TMP/flip_land.wav" "$TMP/flip_raw.wav" \
  trim 0 0.2 fade t 0 0.2 0.01
finish "$TMP/flip_raw.wav" card_flip

# --- card_place.mp3 ---------------------------------------------------------
# A soft placement, 0.2 s: a low sine "thud" gliding 220 -> 110 Hz with a
# quick exponential decay (the table), a 25 ms low-passed noise pat (the
# card's face meeting felt), and a very quiet puff of air; everything is
# kept under 1.5 kHz so it stays gentle.
"${SOX[@]}" -n "${F[@]}" "$TMP/place_body.wav" \
  synth 0.25 sine 220-110 fade l 0.004 0.25 0.245 vol 0.45
"${SOX[@]}" "$TMP/noise.wav" "$TMP/place_pat.wav" \
  trim 1.2 0.025 fade q 0.003 0.025 0.022 pad 0 0.03 lowpass 1400 lowpass 1400 highpass 120 vol 2.5 pad 0 0.145
"${SOX[@]}" "$TMP/noise.wav" "$TMP/place_air.wav" \
  trim 1.4 0.06 fade q 0.01 0.06 0.045 bandpass 900 0.7q vol 0.15 pad 0 0.14
"${SOX[@]}" -m -v 1 "$TMP/place_body.wav" -v 1 "$TMP/place_pat.wav" \
  -v 1 "$TMP/place_air.wav" "$TMP/place_raw.wav" \
  trim 0 0.2 fade t 0 0.2 0.02
finish "$TMP/place_raw.wav" card_place

# --- reveal.mp3 -------------------------------------------------------------
# A gentle chime, 1.1 s: an E major bell chord (E5, E6, G#6, B6, E7) whose
# notes enter 35 ms apart like a small sparkle. Each note is a pair of sines
# 1-2 Hz apart (a slow shimmer), with an 8 ms soft attack and an exponential
# decay that is faster for the higher notes, as in a real bell. A touch of
# room reverb softens the result; a short linear fade closes the tail.
note() {  # note OUT FREQ DETUNE_FREQ DELAY_S DECAY_S LEVEL
  "${SOX[@]}" -n -r "$RATE" -c 2 -b 32 -e floating-point "$TMP/n2.wav" \
    synth "$5" sine "$2" sine "$3"
  "${SOX[@]}" "$TMP/n2.wav" -c 1 "$1" remix - fade q 0.008 fade l 0 "$5" "$5" vol "$6" pad "$4" 0
}
note "$TMP/r1.wav"  659.26  660.26 0.000 3.0 0.45
note "$TMP/r2.wav" 1318.51 1319.81 0.035 2.4 0.40
note "$TMP/r3.wav" 1661.22 1662.72 0.070 2.0 0.32
note "$TMP/r4.wav" 1975.53 1977.33 0.105 1.7 0.26
note "$TMP/r5.wav" 2637.02 2639.02 0.140 1.3 0.16
"${SOX[@]}" -m -v 1 "$TMP/r1.wav" -v 1 "$TMP/r2.wav" -v 1 "$TMP/r3.wav" \
  -v 1 "$TMP/r4.wav" -v 1 "$TMP/r5.wav" "$TMP/reveal_dry.wav"
"${SOX[@]}" "$TMP/reveal_dry.wav" "$TMP/reveal_raw.wav" \
  vol 0.5 reverb 35 60 40 100 10 trim 0 1.1 fade t 0 1.1 0.25
finish "$TMP/reveal_raw.wav" reveal

echo "Wrote: $(cd "$OUT" && ls shuffle.mp3 card_flip.mp3 card_place.mp3 reveal.mp3 | tr '\n' ' ')"
