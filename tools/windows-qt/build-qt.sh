#!/usr/bin/env bash
# Builds the Qt that the Windows build of Sorvani links with, from Debian's own source package of
# the host's Qt version (whose moc, rcc and uic it uses) with the fixes in this folder's *.patch,
# cross-compiled with MinGW-w64, and prints the folder it is installed in. The result is kept
# outside the checkout, keyed by this recipe, its patches and the toolchain file, so a machine
# builds it once; a folder counts only once its build ran to the end, so a killed build is made
# again.
#   tools/windows-qt/build-qt.sh            build if needed, print the folder
#   tools/windows-qt/build-qt.sh --folder   only print the folder it would be in
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
toolchain=$root/cmake/mingw-w64-x86_64.cmake

version=6.4.2+dfsg-10
dsc=qt6-base_$version.dsc
dsc_sha256=1b4b5c8610a553d4211fa81e268b1a3b0a6339ae5444fdb7e60d7616da651970

key=$(cat "$0" "$toolchain" "$root"/tools/windows-qt/*.patch | sha256sum | cut -c1-16)
cache=${SORVANI_CACHE:-$HOME/.cache/sorvani}
prefix=$cache/qt-windows-$key
work=$cache/qt-windows-$key.work
complete=$prefix/.complete

if [ "${1:-}" = --folder ]; then
    echo "$prefix"
    exit 0
fi
if [ -e "$complete" ]; then
    echo "$prefix"
    exit 0
fi
exec 3>&1 1>&2
rm -rf "$prefix"
mkdir -p "$work"
cd "$work"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# Source packages come from the mirror the binary packages come from.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            $sudo tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi
    $sudo apt-get update
fi

if [ ! -e src/.extracted ]; then
    rm -rf src
    [ -f "$dsc" ] || apt-get source --download-only "qt6-base=$version"
    echo "$dsc_sha256  $dsc" | sha256sum -c -
    # dpkg-source checks the tarballs against the checksums in the .dsc and applies Debian's patches.
    dpkg-source -x "$dsc" src
    # Our own fixes to Qt, beside Debian's.
    for fix in "$root"/tools/windows-qt/*.patch; do
        patch -d src -p1 --forward --quiet < "$fix"
    done
    touch src/.extracted
fi

# Only what the program and its tests load: Core, Gui, Widgets, PrintSupport, Test, the windows,
# offscreen and minimal platform plugins and the windowsvista style; images are PNG, which Gui
# reads itself. The widgets and dialogs the program never shows are left out too, which takes
# about a tenth off the build.
# (Drag and drop needs the XPM reader, and the print dialog the date editor with its calendar.)
unused=(graphicsview graphicseffect mdiarea dockwidget toolbox wizard lcdnumber dial keysequenceedit
        fontcombobox fontdialog colordialog undoview columnview datawidgetmapper commandlinkbutton
        splashscreen errormessage tablewidget treewidget listwidget textmarkdownreader
        textmarkdownwriter movie systemtrayicon imageformat_xbm imageformat_ppm printpreviewwidget
        printpreviewdialog)
left_out=()
for feature in "${unused[@]}"; do left_out+=("-DFEATURE_$feature=OFF"); done
# The Windows platform plugin needs OpenGL in its default, dynamic form; the dfsg tarball has no
# wintab.h, hence no tablet events. Without Direct2D, Gui leaves out the DirectWrite font engine
# that the print engine would call, so fonts go through GDI everywhere. Qt's own zlib, so that the
# result does not depend on whether the machine has MinGW's zlib installed.
# No compiler cache, even where the caller asks for one: Qt builds once per recipe, and a cache
# miss costs about half as much again as the compile itself, hashing the 90 MB precompiled header
# of each step. A stopped build goes on from its work folder.
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
# The build folder remembers the toolchain file's path: keep a copy in the work folder, so that a
# build begun from one checkout goes on from another.
cp "$toolchain" mingw-w64-x86_64.cmake
cmake -G Ninja -S src -B build \
    -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF -DFEATURE_ico=OFF -DFEATURE_direct2d=OFF \
    -DFEATURE_directwrite=OFF -DFEATURE_system_zlib=OFF \
    -DFEATURE_vulkan=OFF "${left_out[@]}"
# Configuring turns off, without a word, whatever depends on a feature left out: stop here if a
# feature the program uses went with one.
for feature in draganddrop clipboard printdialog filedialog inputdialog messagebox progressbar \
               textedit textodfwriter pdf accessibility; do
    if ! grep -qx "QT_FEATURE_$feature:INTERNAL=ON" build/CMakeCache.txt; then
        echo "build-qt.sh: Qt's $feature feature is off, and the program needs it" >&2
        exit 1
    fi
done
nice cmake --build build -j "$(nproc)"
cmake --install build --strip
touch "$complete"
cd /
rm -rf "$work"
echo "$prefix" >&3
