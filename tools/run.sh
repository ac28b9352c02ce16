#!/usr/bin/env bash
# The run command: installs what is missing, builds the program, lays out an
# installation directory (default ./install) and starts Meterwin in it.
#     bash tools/run.sh [DIR]
# The directory is seeded once: a later run never replaces the tariff in
# DIR/Data/Meterwin.ini or the logs in DIR/Log.
set -euo pipefail
cd "$(dirname "$0")/.."

install_dir=$(realpath -m "${1:-install}")

# xdg-open opens the help page, the web page and the logs with the desktop's programs.
bash tools/install-deps.sh xdg-utils

cmake --preset release >/dev/null
cmake --build --preset release --parallel 2 \
    --target meterwin meterwin-cli meterwin_pictures meterwin_man_pages
cmake -DBUILD_DIR=build/release -DDIR="$install_dir" -P tools/install-directory.cmake >/dev/null
echo "Meterwin is installed in $install_dir"

if [ "$(uname -s)" = Linux ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] &&
    [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display to show the window on: run it in a virtual display with" \
        "'cd $install_dir && xvfb-run -a ./meterwin', or calculate in a terminal with" \
        "'$install_dir/meterwin-cli --help'." >&2
    exit 2
fi

# The program finds its files relative to the directory it is started in.
cd "$install_dir"
exec ./meterwin
