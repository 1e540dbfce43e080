#!/usr/bin/env bash
# Regenerates docs/screenshot.png: the main window as it stands after start-up, taken on a
# virtual X display. Installs Xvfb when it is missing.
set -euo pipefail
cd "$(dirname "$0")/../.."

if ! command -v Xvfb >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends xvfb
fi

build=${SORVANI_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=${SORVANI_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build" -j "$(nproc)" --target sorvani grab-screen

display=:${SORVANI_SCREENSHOT_DISPLAY:-97}
Xvfb "$display" -screen 0 1024x640x24 -nolisten tcp &
xvfb=$!
program=""
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/bin/sorvani" &
program=$!
# The splash plays for about a second before the main window opens.
sleep 4
mkdir -p docs
# The main window's size in pixels, centred on the screen.
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/tools/screenshot/grab-screen" docs/screenshot.png 731 502
echo "wrote docs/screenshot.png"
