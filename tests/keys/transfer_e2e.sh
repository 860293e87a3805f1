#!/usr/bin/env bash
# The panel-saw transfer typed into a stand-in NPS400 Control window under Xvfb, key for key.
#
# usage: transfer_e2e.sh VELTRIX KEY_RECORDER KEY_SEND_PROBE CONFORMANCE_DIR
# Exit 0 when every check passes, 1 on the first failure, 77 (skipped) without Xvfb or xdotool.
#
# What the stand-in window receives is compared with the key events of the published listing
# cnc/cabinet-1.events.txt, replayed here with a table of our own from virtual keys to X11 keysyms.
set -u
veltrix=$1 recorder=$2 probe=$3 data=$4
title="NPS400 - NPS400 Control - Main Menu"
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The job with its stored result: the layouts go into the project's last section.
sed '/^\[DIA.TLF\]/q' "$data/cabinet.opt" > "$work/cabinet.opt"
cat "$data/cabinet.dia.tlf" >> "$work/cabinet.opt"
printf '[END]\r\n' >> "$work/cabinet.opt"
job="$work/cabinet.opt"

if ! command -v Xvfb > /dev/null || ! command -v xdotool > /dev/null; then
  echo "SKIP: Xvfb or xdotool is not installed"
  exit 77
fi

# --- the expected keys -------------------------------------------------------------------------
keysym_of_vk() {
  case $1 in
    9) echo Tab ;;
    13) echo Return ;;
    16) echo Shift_L ;;
    27) echo Escape ;;
    78) echo n ;;
    190) echo period ;;
    4[89] | 5[0-7]) echo $(($1 - 48)) ;;
    11[2-9] | 12[0-7]) echo "F$(($1 - 111))" ;;
    *) echo "unexpected-vk-$1" ;;
  esac
}
grep $'^\t' "$data/cnc/cabinet-1.events.txt" | while read -r kind code direction; do
  [ "$kind" = KEY ] || fail "unexpected event $kind"
  echo "$(keysym_of_vk "$code") $direction"
done > "$work/expected"
[ "$(wc -l < "$work/expected")" -eq 180 ] || fail "read $(wc -l < "$work/expected") events of cabinet-1.events.txt, not 180"

# --- the display ---------------------------------------------------------------------------------
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY

# Opens a recording window; its pid goes to window_pid.
start_window() {
  "$recorder" "$work/$1.keys" "$2" > "$work/$1.ready" &
  window_pid=$!
  pids+=("$window_pid")
  for _ in $(seq 100); do
    grep -q READY "$work/$1.ready" 2> /dev/null && return 0
    sleep 0.05
  done
  fail "window '$2' did not show"
}
# Gives the keyboard focus to the window titled exactly $1.
focus_window() {
  xdotool search --name "^$1\$" windowfocus --sync > /dev/null 2>&1 || fail "could not focus '$1'"
}
settle() { sleep 0.5; }

# 1. No window manager: the sender raises and focuses the window itself, away from another window.
start_window nps "$title"
nps_pid=$window_pid
start_window decoy "Decoy"
focus_window "Decoy"
"$veltrix" cnc "$job" --layout 1 --send --no-waits > /dev/null || fail "transfer without a window manager"
settle
diff "$work/expected" "$work/nps.keys" > "$work/diff" || fail "keys without a window manager differ: $(head -20 "$work/diff")"
[ ! -s "$work/decoy.keys" ] || fail "the other window got keys"
echo "transfer without a window manager: $(wc -l < "$work/nps.keys") key events as published"

# 2. Characters outside the US keyboard, named keys with the extended flag, modifiers.
kill "$nps_pid"
start_window probe "$title"
focus_window "Decoy"
"$probe" "$title" $'A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80{DEL}^+z~' || fail "probe send"
settle
press() { for k; do echo "$k DOWN"; echo "$k UP"; done; }
{
  echo "Shift_L DOWN"; press a; echo "Shift_L UP"
  press eacute U20AC U0001F600 Delete
  echo "Control_L DOWN"; echo "Shift_L DOWN"; press z; echo "Shift_L UP"; echo "Control_L UP"
  echo "Shift_L DOWN"; press grave; echo "Shift_L UP"
} > "$work/probe.expected"
diff "$work/probe.expected" "$work/probe.keys" > "$work/diff" || fail "probe keys differ: $(cat "$work/diff")"
[ ! -s "$work/decoy.keys" ] || fail "the other window got probe keys"
echo "characters, named keys and modifiers: as expected"

# 3. No such window: the transfer stops with the message and sends nothing.
kill "$window_pid"
wait "$window_pid" 2> /dev/null
"$veltrix" cnc "$job" --layout 1 --send --no-waits > /dev/null 2> "$work/err"
[ $? -eq 1 ] || fail "transfer without the window: exit is not 1"
grep -q "Controller software not ready" "$work/err" || fail "transfer without the window: $(cat "$work/err")"
[ ! -s "$work/decoy.keys" ] || fail "the other window got keys without the controller window"

# 4. With a window manager that activates windows on request (_NET_ACTIVE_WINDOW).
if command -v matchbox-window-manager > /dev/null; then
  : > "$work/empty.kbd"
  matchbox-window-manager -use_titlebar no -kbdconfig "$work/empty.kbd" 2> "$work/wm.log" &
  pids+=($!)
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTED 2> /dev/null | grep -q _NET_ACTIVE_WINDOW && break
    sleep 0.05
  done
  start_window wm "$title"
  start_window decoy2 "Decoy 2"
  sleep 0.3
  "$veltrix" cnc "$job" --layout 1 --send --no-waits > /dev/null || fail "transfer with a window manager"
  settle
  diff "$work/expected" "$work/wm.keys" > "$work/diff" || fail "keys with a window manager differ: $(head -20 "$work/diff")"
  [ ! -s "$work/decoy2.keys" ] || fail "the other window got keys with a window manager"
  echo "transfer with a window manager: as published"
fi
exit 0
