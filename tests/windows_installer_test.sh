#!/usr/bin/env bash
# Installs Sorvani with its Windows installer under Wine as a silent install does, checks what it
# put in place (the files, the uninstall entry, and with the desktop program its Start-menu entry
# and "Open with"), starts the installed sorvani.exe to its main window and ends it, runs the
# installed sorvani-annotate.exe against the Linux build, uninstalls, and fails unless nothing of
# it is left.
#   windows_installer_test.sh INSTALLER LINUX_TOOL EMULATOR...
set -uo pipefail
installer=$1 linux=$2
shift 2
wine=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# A Windows path as this system names it.
unix_path() { "${wine[@]}" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
registry_has() { "${wine[@]}" reg query "$1" >/dev/null 2>&1; }

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvani'
open_with_key='HKLM\Software\Classes\Applications\sorvani.exe'
folder=$(unix_path 'C:\Program Files\Sorvani')
shortcut=$(unix_path 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Sorvani.lnk')
[ -n "$folder" ] && [ -n "$shortcut" ] || fail "winepath names no folder"
[ ! -e "$folder" ] || fail "$folder exists before the installation"

"${wine[@]}" "$installer" /S || fail "the installer ended with status $?"
for file in sorvani-annotate.exe VeRevor.dll VeRevorWords.dat uninstall.exe; do
    [ -f "$folder/$file" ] || fail "the installation lacks $file"
done
registry_has "$uninstall_key" || fail "no uninstall entry"
if [ -f "$folder/sorvani.exe" ]; then
    [ -f "$folder/platforms/qwindows.dll" ] || fail "the installation lacks the Windows platform plugin"
    [ -f "$shortcut" ] || fail "no Start-menu entry"
    registry_has "$open_with_key" || fail "sorvani.exe is not offered to open files with"
fi

# The installed program starts to its main window with what lies in its folder alone (no Qt is
# found elsewhere), on a virtual display, as Wine draws no window without one, and ends when asked
# to close, as Windows asks a program at log-off.
if [ -f "$folder/sorvani.exe" ] && ! command -v Xvfb >/dev/null; then
    echo "no Xvfb: the installed sorvani.exe is not started"
elif [ -f "$folder/sorvani.exe" ]; then
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>display 2>/dev/null &
    display_server=$!
    trap 'kill "$display_server" 2>/dev/null; rm -rf "$work"' EXIT
    for _ in $(seq 300); do
        [ -s display ] && break
        sleep 0.1
    done
    [ -s display ] || fail "Xvfb did not start"
    # Wine's desktop takes its display from its server's first program, and the run's shared
    # server started without one: the program's windows would have no handles there, and a
    # polite close none to ask. So a server of its own, on a prefix that shares drive C: and
    # copies the registry; and the Windows platform, not the offscreen one the other tests use.
    shared=${WINEPREFIX:-$HOME/.wine}
    export WINEPREFIX=$work/wine
    mkdir -p "$WINEPREFIX/dosdevices"
    cp "$shared"/{system.reg,user.reg,userdef.reg,.update-timestamp} "$WINEPREFIX/"
    ln -s "$shared/drive_c" "$WINEPREFIX/dosdevices/c:"
    ln -s / "$WINEPREFIX/dosdevices/z:"
    trap 'WINEPREFIX=$work/wine wineserver -k; kill "$display_server" 2>/dev/null; rm -rf "$work"' EXIT
    report=$work/report
    env -u QT_QPA_PLATFORM DISPLAY=:$(head -n1 display) SORVANI_TEST_REPORT="Z:${report//\//\\}" \
        "${wine[@]}" "$folder/sorvani.exe" >program.log 2>&1 &
    program=$!
    for _ in $(seq 600); do
        grep -qx 'visible=1' "$report" 2>/dev/null && break
        kill -0 "$program" 2>/dev/null ||
            fail "sorvani.exe ended before its window showed: $(cat program.log)"
        sleep 0.1
    done
    grep -qx 'visible=1' "$report" 2>/dev/null || fail "sorvani.exe showed no main window"
    grep -q '标注拼音' "$report" || fail "the main window shows no help text"
    "${wine[@]}" taskkill /im sorvani.exe >/dev/null 2>&1
    for _ in $(seq 600); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        "${wine[@]}" taskkill /f /im sorvani.exe >/dev/null 2>&1
        kill -9 "$program"
        fail "sorvani.exe did not end when asked to close: $(cat "$report")"
    fi
    wait "$program"
    wineserver -k
    export WINEPREFIX=$shared
    kill "$display_server" 2>/dev/null
    trap 'rm -rf "$work"' EXIT
fi

# The installed tool writes what the Linux build writes.
printf '中国人民\r\n汉语拼音，一不变调。\n' >sample.txt
"$linux" --tones sample.txt >linux.txt || fail "the Linux tool failed"
"${wine[@]}" "$folder/sorvani-annotate.exe" --tones sample.txt >windows.txt ||
    fail "the installed tool failed"
cmp linux.txt windows.txt || fail "the installed tool writes other bytes than the Linux build"
# Its RTF module loads with the Qt of the installed folder.
if [ -f "$folder/sorvani-annotate-rtf.dll" ]; then
    "$linux" --tones --format rtf sample.txt >linux.rtf || fail "the Linux tool failed on RTF"
    "${wine[@]}" "$folder/sorvani-annotate.exe" --tones --format rtf sample.txt >windows.rtf ||
        fail "the installed tool failed on RTF"
    cmp linux.rtf windows.rtf || fail "the installed tool writes another RTF than the Linux build"
fi

# The uninstaller copies itself away and removes the folder from there, after it has returned.
"${wine[@]}" "$folder/uninstall.exe" /S || fail "the uninstaller ended with status $?"
for _ in $(seq 600); do
    [ -e "$folder" ] || break
    sleep 0.1
done
[ ! -e "$folder" ] || fail "left after uninstalling: $(cd "$folder" && find . | head)"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is left"
! registry_has "$uninstall_key" || fail "the uninstall entry is left"
! registry_has "$open_with_key" || fail "the \"Open with\" entry is left"
echo "installed, run and uninstalled: nothing left"
