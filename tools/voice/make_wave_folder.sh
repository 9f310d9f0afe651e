#!/bin/sh
# Records the panel's words into a folder of WAV files (mono, 16-bit PCM,
# 22050 Hz), one per line of the words table, spoken by espeak-ng and trimmed
# of leading and trailing silence by sox. Touches OUT_DIR/.generated last, and
# only when every word was made.
#
# usage: make_wave_folder.sh WORDS_TSV OUT_DIR [PACE]
#   PACE  normal (the default), fast or fastest: the same words, spoken faster
set -eu

VOICE=en
RATE=22050

# Words a minute, and what espeak-ng is told besides. Normal, 200: every
# digit lasts under 0.4 s, and the operator waits for each word before the
# panel goes on. The faster paces are spoken fast by espeak-ng itself, which
# shortens the sounds and the gaps inside a phrase alike, and -z drops the
# pause it adds at the end. Fast, 300 (about the fastest most listeners
# follow): the ten digits together last 0.61 of the normal ones, with room
# under the 0.65 aimed at (290 would miss it). Fastest, 340: 0.47, under the
# 0.5 aimed at (330 would miss it). From 450 on espeak-ng would speak at 175
# and stretch the sound afterwards, which buzzes on short words. The tone and
# the pause between receiver commands are the same at every pace.
pace_of() {
    case "$1" in
    normal) SPEED=200 ENDING= ;;
    fast) SPEED=300 ENDING=-z ;;
    fastest) SPEED=340 ENDING=-z ;;
    *) return 1 ;;
    esac
}

# Quieter than this counts as silence when trimming (a fraction of full scale).
TRIM_LEVEL=0.1%

fail() {
    echo "make_wave_folder: $*" >&2
    exit 1
}

usage="usage: $0 WORDS_TSV OUT_DIR [normal|fast|fastest]"
[ "$#" -eq 2 ] || [ "$#" -eq 3 ] || { echo "$usage" >&2; exit 2; }
words=$1
out=$2
pace_of "${3:-normal}" || { echo "$usage" >&2; exit 2; }

command -v espeak-ng >/dev/null 2>&1 || fail "espeak-ng not found (apt-get install espeak-ng)"
command -v sox >/dev/null 2>&1 || fail "sox not found (apt-get install sox)"
command -v soxi >/dev/null 2>&1 || fail "soxi not found (apt-get install sox)"
[ -r "$words" ] || fail "cannot read the words table $words"

tab=$(printf '\t')
mkdir -p "$out" || fail "cannot create $out"
rm -f "$out/.generated"
# Recordings of words dropped or renamed since the last run would otherwise
# linger, and names that differ only in case would shadow each other.
rm -f "$out"/*.wav "$out"/*.WAV
scratch=$(mktemp -d "${TMPDIR:-/tmp}/voxpan_words.XXXXXX") || fail "cannot create a scratch folder"
trap 'rm -rf "$scratch"' EXIT

# The table itself: two columns, no name twice (letter case ignored).
grep -v -e '^#' -e '^[[:space:]]*$' "$words" >"$scratch/table" || fail "no words in $words"
if grep -v "^[^${tab}][^${tab}]*${tab}[^${tab}][^${tab}]*\$" "$scratch/table" >"$scratch/bad"; then
    fail "lines of $words without exactly a word and a phrase separated by one tab: $(tr '\n' '|' <"$scratch/bad")"
fi
cut -f1 "$scratch/table" | tr '[:upper:]' '[:lower:]' | sort | uniq -d >"$scratch/twice"
[ ! -s "$scratch/twice" ] || fail "words named twice (case ignored): $(tr '\n' ' ' <"$scratch/twice")"

format="-r $RATE -c 1 -b 16 -e signed-integer"
# sox dithers what it synthesises on the way to 16 bits; -R seeds the dither
# alike every time, so that the tone and the pause come out the same in every
# build and at every pace.
count=0
while IFS="$tab" read -r word phrase; do
    target="$out/$word.wav"
    case "$phrase" in
    "(tone)")
        # shellcheck disable=SC2086
        sox -q -R -n $format "$target" synth 0.15 sine 1000 fade t 0.01 0.15 0.02 vol 0.5 </dev/null ||
            fail "sox could not make the tone \"$word\""
        ;;
    "(silence)")
        # shellcheck disable=SC2086
        sox -q -R -n $format "$target" trim 0 0.1 </dev/null || fail "sox could not make the pause \"$word\""
        ;;
    *)
        # shellcheck disable=SC2086
        espeak-ng -v "$VOICE" -s "$SPEED" $ENDING -w "$scratch/spoken.wav" -- "$phrase" </dev/null ||
            fail "espeak-ng could not speak \"$phrase\" for \"$word\""
        # shellcheck disable=SC2086
        sox -q "$scratch/spoken.wav" $format "$target" \
            silence 1 0.005 "$TRIM_LEVEL" reverse silence 1 0.005 "$TRIM_LEVEL" reverse </dev/null ||
            fail "sox could not trim \"$word\""
        ;;
    esac
    length=$(soxi -D "$target" </dev/null 2>/dev/null) || fail "\"$word\" is no readable WAV file"
    case "$length" in
    0 | 0.0 | 0.00* | "") fail "\"$word\" came out empty (phrase \"$phrase\")" ;;
    esac
    count=$((count + 1))
done <"$scratch/table"

touch "$out/.generated"
echo "make_wave_folder: $count words in $out"
