#!/usr/bin/env bash
# The README's first steps without a radio, as a new user follows them with
# the keyboard: a simulated radio sends its memory, Radio > Comport setup
# takes its device, Radio > Get data from... reads it, and the status bar
# (read from the accessibility bus, as a screen reader would) says that the
# radio's memory arrived.
#
# Usage: first_steps_under_x.sh BIN_DIR
# Needs Xvfb, xdotool, a window manager, the accessibility bus and pyatspi;
# without them the test is skipped (exit 77).
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=x_session.sh
source "$here/x_session.sh"

dbus-run-session -- bash -c '
  set -euo pipefail
  work=$0 bin=$1
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
  sleep 0.5
  # Step 2 of the README: a simulated radio in a second terminal ...
  "$bin/clonara-cli" simulate send --fast >"$work/sim.out" 2>"$work/sim.err" &
  for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
  device=$(head -n1 "$work/sim.out")
  # ... and the program.
  "$bin/clonara" >"$work/clonara.log" 2>&1 &
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --name "^Clonara" 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the program did not show its window"; exit 1; }
  sleep 1
  xdotool windowactivate --sync "$window"
  # Radio > Comport setup: type the device, OK.
  xdotool key --clearmodifiers alt+r c
  for _ in $(seq 50); do xdotool search --name "Comport" >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$device"
  xdotool key Return
  sleep 0.5
  # Radio > Get data from...
  xdotool windowactivate --sync "$window"
  xdotool key --clearmodifiers alt+r g
  /usr/bin/python3 - <<PY
import sys, time, pyatspi
want = "Received the radio\x27s memory (16211 bytes)"
def texts(node, depth=0):
    if node is None or depth > 30:
        return
    try:
        role = node.getRole()
        if role in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATUS_BAR):
            yield node.name or ""
        if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_MENU_BAR):
            return  # grid cells and menus hold no status
        for i in range(node.childCount):
            yield from texts(node.getChildAtIndex(i), depth + 1)
    except Exception:
        return
for _ in range(600):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and "clonara" in (app.name or "").lower():
            if any(want in t for t in texts(app)):
                print("status bar:", want)
                sys.exit(0)
    time.sleep(0.1)
print("the status bar never said:", want)
sys.exit(1)
PY
' "$work" "$bin"
