#!/usr/bin/env bash
# Starts the installed program in a virtual display, types a calculation
# through the keyboard as a user would, and saves a picture of the main window
# with its results.
#     bash tools/screenshot.sh [--dark] [--size WxH] [OUTPUT.png]  (default: meterwin-window.png)
# --dark shows the window as a dark desktop theme does: a dark palette given
# by the qt6ct platform theme, in a configuration of the temporary install.
# --size gives the screen (default 1280x800) and pictures the whole screen, to
# show how the window fits it; QT_SCALE_FACTOR in the environment scales it.
# The installation is a fresh temporary one, so no real logs are touched.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --in-display ]; then
    install_dir=$2 picture=$3 grab=$4 theme=$5 whole_screen=$6
    cd "$install_dir"
    if [ "$theme" = dark ]; then
        mkdir -p config/qt6ct
        printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\nstyle=Fusion\n' \
            /usr/share/qt6ct/colors/darker.conf >config/qt6ct/qt6ct.conf
        export XDG_CONFIG_HOME=$install_dir/config QT_QPA_PLATFORMTHEME=qt6ct
    fi
    # The pound and the dd/mm/yyyy dates of a UK user, whatever this machine uses.
    LC_ALL=en_GB.UTF-8 ./meterwin &
    program=$!
    window=$(xdotool search --sync --onlyvisible --name '^Meterwin$' | head -1)
    xdotool windowfocus --sync "$window"
    sleep 0.5
    # The cursor starts in Date 2: the new reading first, then the earlier one.
    xdotool type --delay 40 '01/04/2015'
    xdotool key Tab
    xdotool type --delay 40 '1212'
    xdotool key Tab
    xdotool type --delay 40 'First quarter of 2015'
    xdotool key Tab
    xdotool type --delay 40 '01/01/2015'
    xdotool key Tab
    xdotool type --delay 40 '1000'
    # Enter in a field calculates; Ctrl+Q ends the program.
    xdotool key Return
    sleep 1
    env -u QT_SCALE_FACTOR "$grab" "$([ "$whole_screen" = yes ] && echo 0 || echo "$window")" "$picture"
    xdotool key ctrl+q
    wait "$program"
    exit
fi

theme=light size=1280x800 whole_screen=no
while [ $# -gt 0 ]; do
    case $1 in
    --dark) theme=dark ;;
    --size) size=$2 whole_screen=yes && shift ;;
    *) break ;;
    esac
    shift
done
picture=$(realpath -m "${1:-meterwin-window.png}")
bash tools/install-deps.sh xdotool $([ "$theme" = light ] || echo qt6ct)

cmake --preset release >/dev/null
cmake --build --preset release --parallel 2 \
    --target meterwin meterwin-cli meterwin_pictures meterwin_man_pages meterwin-grab
install_dir=$(mktemp -d)
trap 'rm -rf "$install_dir"' EXIT
cmake -DBUILD_DIR=build/release -DDIR="$install_dir" -P tools/install-directory.cmake >/dev/null

XDG_RUNTIME_DIR=$install_dir xvfb-run -a -s "-screen 0 ${size}x24" \
    bash "$0" --in-display "$install_dir" "$picture" "$PWD/build/release/tests/tools/meterwin-grab" \
    "$theme" "$whole_screen"
echo "Saved $picture"
