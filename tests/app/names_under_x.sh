#!/usr/bin/env bash
# The names a screen reader reads: the real program under an X server with
# the accessibility bus, the main window and then the settings window (opened
# with the keyboard, View > Settings...), every control listed with its name
# by accessible_names.py; one without a name fails.
#
# Usage: names_under_x.sh BIN_DIR DATA_DIR
# Needs Xvfb, xdotool, dbus-run-session, the accessibility bus (at-spi2-core)
# and pyatspi; without them the test is skipped (exit 77).
set -euo pipefail
bin=$1
data=$2
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool matchbox-window-manager dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || [ -x "$tool" ] || { echo "skipped: $tool is missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: pyatspi is missing"; exit 77; }
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0:detect_leaks=0"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export NO_AT_BRIDGE=0 GTK_MODULES=

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
matchbox-window-manager -use_titlebar no >"$work/wm.log" 2>&1 &

cp "$data/busy.rdf" "$work/busy.rdf"
# One session bus for the program and the lister; the accessibility bus is
# started on it by its launcher.
dbus-run-session -- bash -c '
  set -euo pipefail
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$0/bus.log" 2>&1 &
  sleep 0.5
  "$1/clonara" "$0/busy.rdf" >"$0/clonara.log" 2>&1 &
  for _ in $(seq 100); do xdotool search --name "Clonara" >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 1
  status=0
  /usr/bin/python3 "$2/accessible_names.py" "Clonara" || status=1
  window=$(xdotool search --name "Clonara" | head -n1)
  xdotool windowactivate --sync "$window"
  xdotool key --clearmodifiers alt+v e
  for _ in $(seq 50); do xdotool search --name "^Settings" >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 1
  /usr/bin/python3 "$2/accessible_names.py" "Settings" || status=1
  exit $status
' "$work" "$bin" "$here"
