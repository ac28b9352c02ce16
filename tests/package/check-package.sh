#!/usr/bin/env bash
# Builds the Debian package as README.md's command does and checks it: its
# file list and dependencies, its desktop entry and metainfo (with
# desktop-file-validate and appstreamcli where installed), then runs the
# programs unpacked into a temporary root (dpkg -x) as a new user would: each
# with a fresh XDG_DATA_HOME, from a working directory of no installation.
#     bash tests/package/check-package.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

fail() {
    echo "check-package: $*" >&2
    exit 1
}

# The release preset's package, in a build directory of its own without the
# tests and benchmarks, which the package does not need and CI need not build.
build=build/package
cmake --preset release -B "$build" -DMW_BUILD_TESTS=OFF -DMW_BUILD_BENCH=OFF >/dev/null
rm -f "$build"/meterwin_*.deb
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)" --target package
debs=("$build"/meterwin_*_"$(dpkg --print-architecture)".deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single package: ${debs[*]}"
deb=$(realpath "${debs[0]}")
echo "Checking $deb"

# The files of the package, directories left out.
expected="./usr/bin/meterwin
./usr/bin/meterwin-cli
./usr/share/applications/meterwin.desktop
./usr/share/icons/hicolor/128x128/apps/meterwin.png
./usr/share/icons/hicolor/256x256/apps/meterwin.png
./usr/share/icons/hicolor/48x48/apps/meterwin.png
./usr/share/man/man1/meterwin-cli.1.gz
./usr/share/man/man1/meterwin.1.gz
./usr/share/meterwin/Help/index.htm
./usr/share/meterwin/Help/logo.png
./usr/share/meterwin/Meterwin.ini
./usr/share/metainfo/io.github.meterwin.meterwin.metainfo.xml"
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | LC_ALL=C sort)
[ "$files" = "$(LC_ALL=C sort <<<"$expected")" ] ||
    fail "the package holds other files:"$'\n'"$(diff <(echo "$expected") <(echo "$files") || true)"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6widgets6 qt6-qpa-plugins; do
    [[ $depends == *"$package"* ]] || fail "Depends lacks $package: $depends"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"
cmp "$root/usr/share/meterwin/Meterwin.ini" dist/Data/Meterwin.ini
# A PNG's width and height stand in bytes 16 to 23 of its header.
for size in 48 128 256; do
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 \
        "$root/usr/share/icons/hicolor/${size}x$size/apps/meterwin.png")
    [ "$width $height" = "$size $size" ] || fail "the $size px icon is $width x $height"
done
gzip -t "$root"/usr/share/man/man1/*.gz
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/meterwin.desktop"
    echo "desktop-file-validate: no complaint"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
fi

export LC_ALL=C.UTF-8
calculate() {
    "$root/usr/bin/meterwin-cli" calc --date1 2015-01-01 --read1 1000 \
        --date2 2015-04-01 --read2 "$1" --save >/dev/null
}

# From an unrelated working directory the command line seeds the user's
# directory and saves there.
mkdir "$work/elsewhere"
user=$work/data/meterwin
(cd "$work/elsewhere" && XDG_DATA_HOME=$work/data calculate 1212)
cmp "$user/Data/Meterwin.ini" dist/Data/Meterwin.ini
cmp "$user/Help/index.htm" dist/Help/index.htm
[ -f "$user/Help/logo.png" ] || fail "no Help/logo.png in $user"
grep -q 'Calorific' "$user/Log/Meterwin.log" || fail "no saved report in $user/Log/Meterwin.log"
[ -s "$user/Log/Meterwin_H.log" ] || fail "no history log in $user/Log"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the working directory was written to"

# The directory is the user's once it exists: nothing in it is replaced.
sed -i '2s/.*/# Updated by the user/' "$user/Data/Meterwin.ini"
rm "$user/Help/index.htm"
history=$(wc -l <"$user/Log/Meterwin_H.log")
(cd "$work/elsewhere" && XDG_DATA_HOME=$work/data calculate 1300)
[ "$(sed -n 2p "$user/Data/Meterwin.ini")" = "# Updated by the user" ] ||
    fail "a second start replaced the user's tariff"
[ ! -e "$user/Help/index.htm" ] || fail "a second start wrote into the user's directory"
[ "$(wc -l <"$user/Log/Meterwin_H.log")" -gt "$history" ] || fail "the second save is missing"

# A working directory that holds Data/ is the installation the command line uses.
mkdir -p "$work/own/Data" "$work/own/Log"
cp dist/Data/Meterwin.ini "$work/own/Data/"
(cd "$work/own" && XDG_DATA_HOME=$work/other calculate 1212)
[ -s "$work/own/Log/Meterwin_H.log" ] && [ ! -e "$work/other" ] ||
    fail "the command line left the installation in its working directory"

# The window, on PATH as the desktop entry starts it, makes its own directory
# and leaves its mark in the user's runtime directory.
mkdir -m 700 "$work/runtime"
(cd "$work/elsewhere" && PATH=$root/usr/bin:$PATH XDG_DATA_HOME=$work/window \
    XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen exec meterwin) &
window=$!
for _ in $(seq 100); do
    [ -s "$work/window/meterwin/Log/Meterwin.log" ] && break
    sleep 0.2
done
[ -s "$work/window/meterwin/Log/Meterwin.log" ] && [ -e "$work/runtime/Meterwin.lock" ] ||
    fail "the window did not start in $work/window/meterwin with its mark in $work/runtime"
cmp "$work/window/meterwin/Data/Meterwin.ini" dist/Data/Meterwin.ini
kill "$window"
wait "$window" || true
echo "check-package: the package is laid out and works as expected"
