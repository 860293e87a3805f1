#!/usr/bin/env bash
# Types a whole job into the desktop program with real key events on a real X server (Xvfb with a
# window manager), saves it, and compares the project file's tables with the ones the keys must
# give. This is what offscreen widget tests cannot see: focus moves between windows and cells.
#
#   typing_e2e.sh VELTRIX_SUITE EXAMPLES_DIR
#
# Exits 77 (skipped) when Xvfb, xdotool or the window manager is not installed.
set -euo pipefail
suite="$1"
examples="$2"

for tool in Xvfb xdotool matchbox-window-manager; do
  command -v "$tool" >/dev/null || { echo "typing_e2e: $tool is not installed, skipped"; exit 77; }
done

scratch="$(mktemp -d)"
work="$scratch/workshop"
mkdir -p "$work"
cp -r "$examples/workshop/." "$work/"
mkdir -m 700 "$scratch/runtime"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# A display nobody uses (ctest may run two of these scripts at once).
display=$((100 + RANDOM % 400))
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
: > "$scratch/kbd"
matchbox-window-manager -use_titlebar no -kbdconfig "$scratch/kbd" >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

export XDG_RUNTIME_DIR="$scratch/runtime"
"$suite" --workdir "$work" >"$scratch/suite.log" 2>&1 &
pids+=($!)

fail() {
  echo "typing_e2e: $*" >&2
  echo "--- program output:" >&2
  cat "$scratch/suite.log" >&2
  exit 1
}
window() {
  local id
  for _ in $(seq 300); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1 || true)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window \"$1\" appeared"
}
focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"; sleep 0.3; }
keys() { xdotool key --delay 20 "$@"; }
text() { xdotool type --delay 20 "$1"; }

launcher="$(window '^Veltrix Suite$')"
focus "$launcher"
keys space
base="$(window '^Veltrix Suite \[Base Module\]')"
focus "$base"

# Basic details (F4). A new job starts from Defaults: thickness 18, blade 3100, tolerance 0,
# kerf 4, minimum off-cut 0. Lower case is typed upper; the comma cannot be typed into a text.
keys F4
sleep 0.3
text "birch, ply"
keys Tab
text "y"                                  # GRAIN toggles to YES
keys Tab BackSpace BackSpace
text "15"
keys Tab Tab Tab
keys BackSpace
text "3.2.5"                              # KERF: a second point is refused
keys Tab Tab
text "shop a"

# Sheets (F2): Tab and Enter both move on; Enter at the end of a row goes to the next row.
keys F2
sleep 0.3
text "2440"; keys Tab; text "1220"; keys Tab; text "5"; keys Tab
text "10"; keys Tab; text "10"; keys Tab; text "10"; keys Tab; text "10"; keys Tab
text "rack a"; keys Return
text "2800"; keys Return; text "2o070"; keys Return; text "2"    # a letter in a number is refused

# Cut-pieces (F3): twenty rows, typed cell after cell; Down and Home start the next row.
keys F3
sleep 0.3
expected_cuts=""
for i in $(seq 1 20); do
  length=$((300 + 37 * i))
  width=$((100 + 23 * i))
  qty=$(( (i % 4) + 1 ))
  text "$length"
  if [ $((i % 3)) -eq 0 ]; then
    keys Tab; text "1"; keys Tab; text "white"; keys Tab Tab Tab
    band1="1"; rem1="WHITE"
  else
    keys Tab Tab Tab Tab Tab
    band1=""; rem1=""
  fi
  text "$width"
  keys Return Return Return Return Return
  text "$qty"; keys Return
  if [ $((i % 2)) -eq 0 ]; then text "y"; align="YES"; else align=""; fi
  keys Return
  text "part $i"
  keys Down Home
  expected_cuts+="\"$length\",\"$band1\",\"$rem1\",\"\",\"\",\"$width\",\"\",\"\",\"\",\"\",\"$qty\",\"$align\",\"PART $i\",\"\",\"\",\"\",\"\""$'\r\n'
done

# Save (Ctrl+S) asks where, the job being new.
keys ctrl+s
save="$(window '^Save File\.\.\.')"
focus "$save"
text "$scratch/typed.opt"
keys Return
for _ in $(seq 100); do [ -s "$scratch/typed.opt" ] && break; sleep 0.1; done
[ -s "$scratch/typed.opt" ] || fail "the job was not saved"

section() { awk -v name="[$1]" '$0 == name"\r" {on = 1; next} /^\[END\]/ {on = 0} on' "$scratch/typed.opt"; }
check() {
  local name="$1" want="$2" got
  got="$(section "$name")"
  if [ "$got" != "$(printf '%s' "$want")" ]; then
    echo "typing_e2e: section $name differs" >&2
    diff <(printf '%s' "$want" | tr -d '\r') <(printf '%s\n' "$got" | tr -d '\r') >&2 || true
    return 1
  fi
}

status=0
check BASIC.TLF $'"BIRCH PLY","YES","15","3100","0","3.25","0","SHOP A"\r\n' || status=1
check SHEET.TLF $'"2440","1220","5","10","10","10","10","RACK A"\r\n"2800","2070","2","","","","",""\r\n' || status=1
check CUT.TLF "$expected_cuts" || status=1
[ "$status" -eq 0 ] || fail "the saved tables are not the typed ones"
echo "typing_e2e: a job typed with real keys into the three windows was saved as typed"
