#!/usr/bin/env bash
# Types into the real program under an X server, as a user does: a transmit
# frequency is typed into channel 1, the cell is left with one key (or a
# click), Ctrl+S saves, and the saved file must hold the frequency with the
# offset and direction that follow from it.
#
# Usage: typing_under_x.sh BIN_DIR DATA_DIR
# Needs Xvfb, xdotool and a window manager (matchbox-window-manager); without
# them the test is skipped (exit 77).
set -euo pipefail
bin=$1
data=$2
for tool in Xvfb xdotool matchbox-window-manager; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

# Under the address sanitizer: the X keyboard library copies key names with
# strndup from buffers that end without a zero, which the strict string
# check takes for an overflow; that check stays off for this program.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A settings directory, data and runtime folders of the test's own.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

# A display of its own: Xvfb picks a free number and writes it to fd 3.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
matchbox-window-manager -use_titlebar no >"$work/wm.log" 2>&1 &
pids+=($!)

# Waits until a command succeeds, for at most $1 tenths of a second.
wait_for() {
  local tries=$1
  shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}

failures=0
run_case() {
  local name=$1 leave=$2
  local file=$work/$name.rdf
  cp "$data/busy.rdf" "$file"
  local before
  before=$(stat -c %Y.%s "$file"; sha1sum <"$file")
  "$bin/clonara" "$file" >"$work/$name.log" 2>&1 &
  local app=$!
  local window
  if ! window=$(timeout 10 xdotool search --sync --onlyvisible --pid "$app" --name 'Clonara' |
      head -n1) || [ -z "$window" ]; then
    echo "FAIL $name: no window"; failures=$((failures + 1))
    kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; head -n 40 "$work/$name.log"; return
  fi
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  sleep 0.3
  # The first cell of Memories is the active one: one step right to the
  # transmit frequency, type, leave, save.
  xdotool key --delay 40 Right
  xdotool type --delay 40 147.12
  case $leave in
    click)
      # A cell of another row, near the middle of the table.
      eval "$(xdotool getwindowgeometry --shell "$window")"
      xdotool mousemove --window "$window" $((WIDTH / 3)) $((HEIGHT / 2)) click 1
      ;;
    *) xdotool key --delay 40 "$leave" ;;
  esac
  xdotool key --delay 40 ctrl+s
  changed() { [ "$(stat -c %Y.%s "$file"; sha1sum <"$file")" != "$before" ]; }
  if ! wait_for 100 changed; then
    echo "FAIL $name: Ctrl+S did not save"; failures=$((failures + 1))
  else
    sleep 0.2
    local row
    row=$("$bin/clonara-cli" show "$file" | awk -F'\t' '$1 == "1" { print $2 "|" $3 "|" $4 "|" $5 }')
    if [ "$row" != "146.52000|147.12000|600 kHz|Plus" ]; then
      echo "FAIL $name: channel 1 saved as '$row'"; failures=$((failures + 1))
    else
      echo "ok   $name"
    fi
  fi
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
}

run_case tab Tab
run_case shift-tab shift+Tab
run_case return Return
run_case right Right
run_case click click
[ "$failures" -eq 0 ]
