#!/bin/sh
# Peak memory (resident set) and processor time of sorvani-annotate writing RTF, PDF, a web page
# and a Word document, for 10 MB and 50 MB of Chinese text, beside plain-text output.
#
#   bench/export_memory.sh [BUILD_DIR] [SIZES_IN_MB] [FORMATS] [OPTIONS]
#
# BUILD_DIR holds bin/sorvani-annotate (default: build); SIZES_IN_MB defaults to "10 50",
# FORMATS to "text rtf html pdf docx", and OPTIONS (say "--words --sandhi") to none. Each line printed: format, input MB, peak RSS in MB, user and
# system seconds, output MB, and the peak as a multiple of the input. The texts are made from a
# fixed seed (sentences of the common characters with punctuation, an ASCII word now and then, a
# line end every few sentences), so every run sees the same bytes.
set -eu
build=$(cd "${1:-build}" && pwd)
sizes=${2:-10 50}
formats=${3:-text rtf html pdf docx}
options=${4:-}
work=${TMPDIR:-/tmp}/sorvani-export-bench
mkdir -p "$work"

for mb in $sizes; do
    [ -s "$work/in-$mb.txt" ] || python3 - "$work/in-$mb.txt" "$mb" <<'PY'
import random, sys
path, mb = sys.argv[1], int(sys.argv[2])
rng = random.Random(15)
# The 3755 characters of GB2312 level 1, in a shuffled order, taken with a weight of 1/rank.
chars = [bytes([lead, trail]).decode("gb2312") for lead in range(0xB0, 0xD8)
         for trail in range(0xA1, 0xFF) if not (lead == 0xD7 and trail > 0xF9)]
rng.shuffle(chars)
weights = [1 / (rank + 1) for rank in range(len(chars))]
words = ["Qt", "PDF", "2024", "CPU", "AI", "OK"]
target = mb * 1_000_000
parts, size = [], 0
while size < target:
    sentence = "".join(rng.choices(chars, weights, k=rng.randint(6, 30)))
    if rng.random() < 0.1:
        sentence += " " + rng.choice(words) + " "
    sentence += rng.choice("，。，。！？；")
    if rng.random() < 0.2:
        sentence += "\n"
    parts.append(sentence)
    size += len(sentence.encode())
open(path, "w", encoding="utf-8").write("".join(parts))
PY
done

printf '%-6s %6s %10s %8s %8s %10s %8s\n' format in_MB peak_MB user_s sys_s out_MB peak/in
for mb in $sizes; do
    input="$work/in-$mb.txt"
    in_bytes=$(wc -c <"$input")
    for format in $formats; do
        output="$work/out.$format"
        /usr/bin/time -f '%M %U %S' -o "$work/time" \
            "$build/bin/sorvani-annotate" $options --format "$format" --output "$output" "$input"
        read -r kb user sys <"$work/time"
        out_bytes=$(wc -c <"$output")
        awk -v f="$format" -v i="$in_bytes" -v k="$kb" -v u="$user" -v s="$sys" -v o="$out_bytes" \
            'BEGIN { printf "%-6s %6.1f %10.1f %8.2f %8.2f %10.1f %8.2f\n",
                     f, i / 1e6, k / 1024, u, s, o / 1e6, k * 1024 / i }'
        rm -f "$output"
    done
done
