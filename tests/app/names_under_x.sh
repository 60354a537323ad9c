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
# shellcheck source=x_session.sh
source "$here/x_session.sh"

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
