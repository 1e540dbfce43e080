#!/usr/bin/env bash
# Readings by word against one reading per character: the speed of sorvani-annotate --words
# (and --words --sandhi) beside the plain run on the same text, and the peak memory of --words on
# a large input read from a pipe, with and without line ends.
#
#   bench/annotate_words.sh [BUILD_DIR] [TEXT]
#
# BUILD_DIR holds bin/sorvani-annotate with its dictionary and word table (default: build).
# TEXT is about 10 MB of real modern prose (default: the one bench/annotate_throughput.mjs
# makes, /tmp/sorvani-annotate-bench/prose.txt; run that script once first). ROUNDS (default 9)
# is the number of rounds; each round times every mode once, in an order that turns from round
# to round. REPEAT (default 10) is the number of runs in each timing. COPIES (default 30) is
# how many times the text is repeated for the memory runs.
#
# Speed is processor time (user + system), which shows the program's own cost when other work
# shares the machine; the figures are medians over the rounds.
set -euo pipefail
build=$(realpath "${1:-build}")
text=${2:-/tmp/sorvani-annotate-bench/prose.txt}
rounds=${ROUNDS:-9}
copies=${COPIES:-30}
program=$build/bin/sorvani-annotate
[ -f "$text" ] || { echo "no text at $text: run node bench/annotate_throughput.mjs first" >&2; exit 1; }

modes=("" "--words" "--words --sandhi")
times=()
# Processor seconds of one run of the program on the text, with the given options: the mean of
# REPEAT runs timed together, as time(1) counts in hundredths of a second and a run takes a few
# of them.
repeat=${REPEAT:-10}
cpu() {
    # shellcheck disable=SC2016 # the loop's variables are the inner shell's
    /usr/bin/time -f '%U %S' sh -c 'for _ in $(seq "$1"); do "$2" $3 "$4"; done' sh "$repeat" \
        "$program" "$1" "$text" 2>&1 >/dev/null | tail -1 |
        awk -v n="$repeat" '{printf "%.4f", ($1 + $2) / n}'
}
for ((round = 0; round < rounds; ++round)); do
    for ((i = 0; i < ${#modes[@]}; ++i)); do
        m=$(((i + round) % ${#modes[@]}))
        times[m]+="$(cpu "${modes[m]}") "
    done
done
# The median and the best of the runs.
median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
best() { tr ' ' '\n' | grep . | sort -n | head -1; }
echo "text: $(stat -c %s "$text") bytes; $rounds rounds; processor seconds"
for ((m = 0; m < ${#modes[@]}; ++m)); do
    awk -v name="${modes[m]:-(plain)}" -v all="${times[m]}" \
        -v m="$(median <<<"${times[m]}")" -v pm="$(median <<<"${times[0]}")" \
        -v b="$(best <<<"${times[m]}")" -v pb="$(best <<<"${times[0]}")" \
        'BEGIN {printf "%-17s median %.3f s (%3.0f%% of the plain speed), best %.3f s (%3.0f%%); runs: %s\n",
                name, m, 100 * pm / m, b, 100 * pb / b, all}'
done

# Peak memory for a large input through a pipe: the program reads, annotates and writes as it goes.
peak() {
    local filter=$1
    shift
    for ((c = 0; c < copies; ++c)); do cat "$text"; done | $filter |
        /usr/bin/time -f '%M' "$program" "$@" 2>&1 >/dev/null | tail -1
}
size=$((copies * $(stat -c %s "$text") / 1000000))
echo "peak resident memory for $size MB from a pipe:"
echo "  plain, with line ends:        $(peak cat) KB"
echo "  --words, with line ends:      $(peak cat --words) KB"
echo "  --words, without line ends:   $(peak "tr -d \\r\\n" --words) KB"
echo "  --words --sandhi, one line:   $(peak "tr -d \\r\\n" --words --sandhi) KB"
