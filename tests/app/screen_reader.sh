#!/usr/bin/env bash
# Starts a private session bus with the accessibility bus on it, then the app in a virtual
# display with its accessibility bridge on, and lets screen_reader.py read it as a screen
# reader would. Everything started here ends with the script.
set -euo pipefail
app=$1
cards=$2
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$scratch/runtime XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$scratch/address" 4>"$scratch/pid"
pids+=("$(cat "$scratch/pid")")
export DBUS_SESSION_BUS_ADDRESS=$(cat "$scratch/address")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)

# The store the window opens, with a reflection changed on two computers.
/usr/bin/python3 "$here/screen_reader.py" --prepare "$app" "$scratch"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
unset QT_QPA_PLATFORM QT_QUICK_BACKEND
xvfb-run -a -s "-screen 0 1400x900x24" bash -c '
    "$1" & app=$!
    trap "kill $app 2>/dev/null" EXIT
    /usr/bin/python3 "$2" "$3"
' _ "$app" "$here/screen_reader.py" "$cards"
