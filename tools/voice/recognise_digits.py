#!/usr/bin/env python3
"""Can the digits still be told apart? Each digit recording of each word
folder is given to Debian's offline recogniser, pocketsphinx (packages
pocketsphinx and pocketsphinx-en-us), with a grammar of the ten digit words
only, and the word it heard is printed beside the one that was recorded.

The recogniser misjudges perfectly silent surroundings (its noise estimate
and voice detection expect a room), and small changes of the surroundings
change its answer on the words it is least sure of. So every recording is
heard nine times: with 0.3, 0.5 or 0.7 s of silence on either side, under a
faint noise floor (always the same noise) at three levels. The figure for a
digit is how many of the nine times it was heard as recorded. The recogniser
knows American speech, not espeak-ng's British voice: it is a check that pace
does not blur the digits into each other, not a listener.

usage: recognise_digits.py WORDS_TSV WAVE_FOLDER...
Exit status 0 when every folder could be checked, whatever was heard."""

import collections
import os
import subprocess
import sys
import tempfile

MODEL = "/usr/share/pocketsphinx/model/en-us"
# Silence on either side, in seconds, and noise floors as fractions of full
# scale (about -54, -50 and -48 dB).
PADDINGS = ("0.3", "0.5", "0.7")
NOISE_LEVELS = ("0.002", "0.003", "0.004")
TRIALS = [(padding, level) for padding in PADDINGS for level in NOISE_LEVELS]


def digit_phrases(table):
    """The words table's phrase for each digit, "0" to "9"."""
    phrases = {}
    with open(table, encoding="utf-8") as lines:
        for line in lines:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 2 and fields[0].isdigit() and len(fields[0]) == 1:
                phrases[fields[0]] = fields[1]
    missing = sorted(set("0123456789") - set(phrases))
    if missing:
        sys.exit(f"recognise_digits: no phrase for the digits {missing} in {table}")
    return phrases


def write_grammar_and_dictionary(scratch, phrases):
    words = sorted(set(phrases.values()))
    grammar = os.path.join(scratch, "digits.gram")
    with open(grammar, "w") as out:
        out.write("#JSGF V1.0;\ngrammar digits;\npublic <digit> = " + " | ".join(words) + ";\n")
    dictionary = os.path.join(scratch, "digits.dict")
    with open(os.path.join(MODEL, "cmudict-en-us.dict"), encoding="utf-8") as cmudict, \
            open(dictionary, "w") as out:
        # A word and its other pronunciations, "nine" and "nine(2)".
        out.writelines(line for line in cmudict if line.split(" ")[0].split("(")[0] in words)
    return grammar, dictionary


def heard(recording, padding, level, scratch, grammar, dictionary):
    padded = os.path.join(scratch, "padded.wav")
    noise = os.path.join(scratch, "noise.wav")
    mixed = os.path.join(scratch, "mixed.wav")
    subprocess.run(["sox", "-q", recording, "-r", "16000", "-c", "1", "-b", "16", padded, "pad", padding, padding],
                   check=True)
    length = subprocess.run(["soxi", "-s", padded], check=True, capture_output=True, text=True).stdout.strip()
    subprocess.run(["sox", "-q", "-R", "-n", "-r", "16000", "-c", "1", "-b", "16", noise,
                    "synth", length + "s", "whitenoise", "vol", level], check=True)
    subprocess.run(["sox", "-q", "-m", padded, noise, mixed], check=True)
    result = subprocess.run(["pocketsphinx_continuous", "-infile", mixed, "-hmm", os.path.join(MODEL, "en-us"),
                             "-jsgf", grammar, "-dict", dictionary, "-logfn", os.devnull],
                            check=True, capture_output=True, text=True)
    return result.stdout.strip() or "(nothing)"


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.split("\n\n")[-1])
    phrases = digit_phrases(sys.argv[1])
    with tempfile.TemporaryDirectory(prefix="voxpan-digits-") as scratch:
        grammar, dictionary = write_grammar_and_dictionary(scratch, phrases)
        for folder in sys.argv[2:]:
            right = 0
            lines = []
            for digit, phrase in sorted(phrases.items()):
                recording = os.path.join(folder, digit + ".wav")
                answers = collections.Counter(heard(recording, padding, level, scratch, grammar, dictionary)
                                              for padding, level in TRIALS)
                right += answers[phrase]
                others = ", ".join(f"{word} {count}" for word, count in answers.most_common() if word != phrase)
                lines.append(f"  {digit} {phrase:6} {answers[phrase]} of {len(TRIALS)}"
                             + (f"   (heard as {others})" if others else ""))
            print(f"{folder}: {right} of {10 * len(TRIALS)} heard as recorded")
            print("\n".join(lines))


if __name__ == "__main__":
    main()
