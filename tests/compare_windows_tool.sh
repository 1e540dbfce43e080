#!/usr/bin/env bash
# Runs the Windows build of sorvani-annotate (under Wine) and the Linux build on the same inputs in
# the same ways, and fails unless both write the same bytes and end with the same status.
#   compare_windows_tool.sh WINDOWS_TOOL LINUX_TOOL EMULATOR...
set -uo pipefail
windows=$1 linux=$2
shift 2
emulator=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# UTF-8 with every kind of line break, with a mark, code page 936, characters beyond the code
# page, a line long enough to wrap, nothing at all.
printf '中国人民\r\n第二行 with ASCII\n汉语拼音\rend' >utf8.txt
printf '\xEF\xBB\xBF你好，世界！\r\n' >mark.txt
printf '简体中文，代码页九三六。\r\n长城\n' | iconv -f UTF-8 -t GBK >gbk.txt
printf '我爱😀中文🎉\nÀ la carte 韩国한국\n' >emoji.txt
for i in $(seq 60); do printf '一二三四五六七八九十'; done >long.txt
: >empty.txt
cp utf8.txt 中文名.txt
cp emoji.txt 表情😀.txt

failures=0
# Runs one way on both builds: $1 names the way, the rest is the command line after the program.
# "{in}" stands for the input file and "{out}" for an output file of the run's own, in the current
# folder; the way "replace" finds an old file there.
compare() {
    local way=$1 input=$2
    shift 2
    local side program status
    for side in linux windows; do
        program=("$linux")
        [ $side = windows ] && program=("${emulator[@]}" "$windows")
        local arguments=()
        for a in "$@"; do
            a=${a//\{in\}/$input}
            arguments+=("${a//\{out\}/输出😀-$side.txt}")
        done
        [ "$way" = replace ] && printf 'old' >"输出😀-$side.txt"
        case $way in
            pipe) cat "$input" | "${program[@]}" "${arguments[@]}" >"$side.stdout" 2>"$side.stderr" ;;
            redirect) "${program[@]}" "${arguments[@]}" <"$input" >"$side.stdout" 2>"$side.stderr" ;;
            *) "${program[@]}" "${arguments[@]}" >"$side.stdout" 2>"$side.stderr" </dev/null ;;
        esac
        echo $? >"$side.status"
        tr -d '\r' <"$side.stderr" >"$side.message"
        [ -e "输出😀-$side.txt" ] && mv "输出😀-$side.txt" "$side.output" || : >"$side.output"
    done
    for part in stdout status message output; do
        if ! cmp -s "linux.$part" "windows.$part"; then
            echo "FAIL: $way $input: $part differs" >&2
            diff <(od -c "linux.$part" | head -20) <(od -c "windows.$part" | head -20) >&2
            failures=$((failures + 1))
        fi
    done
}

# Every input as a named file; each other way on a few of them (Wine starts once for each run).
runs=0
for input in utf8.txt mark.txt gbk.txt emoji.txt long.txt empty.txt 中文名.txt 表情😀.txt; do
    compare file "$input" "{in}"
    runs=$((runs + 1))
done
for way in "pipe utf8.txt -" "pipe gbk.txt --format text --output {out} -" "redirect mark.txt" \
    "redirect emoji.txt --tones" "output 中文名.txt --output {out} {in}" \
    "output 表情😀.txt --tones --output {out} {in}" "replace utf8.txt --output {out} {in}" \
    "tones long.txt --tones {in}" \
    "missing missing.txt {in}" "usage none --bogus"; do
    read -r -a run <<<"$way"
    compare "${run[@]}"
    runs=$((runs + 1))
done
echo "$runs runs compared, $failures differ"
[ $failures -eq 0 ]
