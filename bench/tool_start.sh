#!/usr/bin/env bash
# What loading the dictionary costs at every start of sorvani-annotate: processor time (task
# clock, from perf stat) of the whole program on an empty input, with the shipped dictionary and
# with an empty one, in alternating batches; the difference is the load. The same for the tables
# that --words loads besides (the word table and the lexicon): the start with --words against the
# plain start.
#
#   bench/tool_start.sh [BUILD_DIR] [BATCHES]
#
# Needs perf (Debian: linux-perf). BUILD_DIR holds bin/sorvani-annotate (default: build).
set -euo pipefail
build=${1:-build}
batches=${2:-5}
program=$build/bin/sorvani-annotate
empty=$(mktemp)
trap 'rm -f "$empty"' EXIT

# Milliseconds of processor time per run, the mean of 20 runs, with the dictionary and options.
task_clock() {
    perf stat -x, -e task-clock -r 20 "$program" --dictionary "$@" </dev/null 2>&1 >/dev/null |
        awk -F, '/task-clock/ { printf "%.2f", $1 }'
}

echo "program: $program; $batches batches of 20 runs each: shipped dictionary, empty dictionary," \
    "shipped dictionary with --words"
for ((batch = 1; batch <= batches; ++batch)); do
    shipped=$(task_clock "$build/bin/VeRevor.dll")
    none=$(task_clock "$empty")
    words=$(task_clock "$build/bin/VeRevor.dll" --words)
    awk -v s="$shipped" -v n="$none" -v w="$words" \
        'BEGIN { printf "start with dictionary %6.2f ms, without %6.2f ms: load %5.2f ms; " \
                        "with --words %6.2f ms: its tables %5.2f ms\n", s, n, s - n, w, w - s }'
done
